#include "boundpbxrecords.h"

#include "binaryrecord.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "sqldatabase.h"
#include "startupprogress.h"

namespace {

// A record of exactly `size` bytes: cut, or filled with zeros.
QByteArray Sized(QByteArray record, qsizetype size)
{
    record.resize(size, '\0');
    return record;
}

using Reader = int (CSqlDatabase::*)(int pbx, int index, QByteArray& record);

int ReadEach(CSqlDatabase& database, int pbx, int count, Reader reader, std::vector<QByteArray>& copies)
{
    for (int index = 0; index < count; ++index) {
        QByteArray record;
        const int result = (database.*reader)(pbx, index, record);
        if (result != kNoError)
            return result;
        copies.push_back(record);
    }
    return kNoError;
}

}  // namespace

void BoundPbxRecords::Clear()
{
    m_initialization.clear();
    m_systemConfiguration.clear();
    m_extensionStatus.clear();
    m_lineStatus.clear();
    m_entryPhoneStatus.clear();
    m_extensionProgramming.clear();
}

int BoundPbxRecords::Byte(int offset) const
{
    return offset < m_initialization.size() ? static_cast<quint8>(m_initialization[offset]) : 0;
}

QString BoundPbxRecords::ModelText() const
{
    if (!HasInitialization())
        return {};
    return ReadAnsiField(m_initialization, PbxRecord::kInitializationVersion,
                         PbxRecord::kInitializationSize - PbxRecord::kInitializationVersion);
}

bool BoundPbxRecords::HasExtension(int extension) const
{
    return extension >= 0 && extension < ExtensionCount() && extension < HandledExtensions();
}

void BoundPbxRecords::SetInitialization(const QByteArray& record)
{
    m_initialization = Sized(record, PbxRecord::kInitializationSize);
}

void BoundPbxRecords::SetSystemConfiguration(const QByteArray& record)
{
    m_systemConfiguration = Sized(record, PbxRecord::kSystemConfigurationSize);
}

void BoundPbxRecords::AddExtensionStatus(const QByteArray& statusRecord)
{
    m_extensionStatus.push_back(Sized(statusRecord.left(PbxRecord::kStatusAnswerSize), PbxRecord::kExtensionStatusSize));
}

void BoundPbxRecords::AddLineStatus(const QByteArray& statusRecord)
{
    m_lineStatus.push_back(Sized(statusRecord.mid(1, PbxRecord::kStatusAnswerSize - 1), PbxRecord::kLineStatusSize));
}

void BoundPbxRecords::AddEntryPhoneStatus(const QByteArray& statusRecord)
{
    m_entryPhoneStatus.push_back(Sized(statusRecord, PbxRecord::kEntryPhoneStatusSize));
}

void BoundPbxRecords::AddExtensionProgramming(const QByteArray& record)
{
    m_extensionProgramming.push_back(Sized(record, PbxRecord::kExtensionProgrammationSize));
}

int BoundPbxRecords::LoadFromDatabase(CSqlDatabase& database, int pbx, const Progress& progress)
{
    Clear();
    auto announce = [&progress](unsigned stringId) {
        if (progress)
            progress(stringId);
    };
    QByteArray initialization;
    QByteArray configuration;
    announce(kProgressReadingInitialization);
    int result = database.ReadInitialization(pbx, initialization);
    if (result == kNoError) {
        SetInitialization(initialization);
        announce(kProgressReadingConfiguration);
        result = database.ReadSystemConfiguration(pbx, configuration);
    }
    if (result == kNoError) {
        SetSystemConfiguration(configuration);
        announce(kProgressReadingStates);
        result = ReadEach(database, pbx, ExtensionCount(), &CSqlDatabase::ReadDerivedStatus, m_extensionStatus);
    }
    if (result == kNoError)
        result = ReadEach(database, pbx, LineCount(), &CSqlDatabase::ReadLineStatus, m_lineStatus);
    if (result == kNoError)
        result = ReadEach(database, pbx, EntryPhoneCount(), &CSqlDatabase::ReadEntryPhoneStatus, m_entryPhoneStatus);
    if (result == kNoError) {
        announce(kProgressReadingProgramming);
        result = ReadEach(database, pbx, ExtensionCount(), &CSqlDatabase::ReadDerivedProgrammation,
                          m_extensionProgramming);
    }
    if (result != kNoError)
        Clear();
    return result;
}

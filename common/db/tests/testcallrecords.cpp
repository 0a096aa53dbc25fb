#include "testcallrecords.h"

#include "binaryrecord.h"
#include "engineerrorcode.h"
#include "pbxrecord.h"
#include "sqldatabase.h"

#include <QtEndian>

namespace {

void PutTime(QByteArray& record, qsizetype offset, int hour, int minute, int second)
{
    record[offset] = static_cast<char>(hour);
    record[offset + 1] = static_cast<char>(minute);
    record[offset + 2] = static_cast<char>(second);
}

}  // namespace

QByteArray PbxLogRecord(const OleDate& start, int durationSeconds, int line, quint32 pulses, int outgoing,
                        const QString& number)
{
    using namespace PbxRecord;
    QByteArray record(kCallLogRecordSize, '\0');
    record[kCallLogKind] = static_cast<char>(kCallLogKindCall);
    record[kCallLogDay] = static_cast<char>(start.Day());
    record[kCallLogDay + 1] = static_cast<char>(start.Month());
    record[kCallLogDay + 2] = static_cast<char>(start.Year() - 2000);
    const OleDate end = start.AddSeconds(durationSeconds);
    PutTime(record, kCallLogStart, start.Hour(), start.Minute(), start.Second());
    PutTime(record, kCallLogEnd, end.Hour(), end.Minute(), end.Second());
    PutTime(record, kCallLogDuration, durationSeconds / 3600, durationSeconds / 60 % 60, durationSeconds % 60);
    record[kCallLogLine] = static_cast<char>(line);
    qToBigEndian(pulses, record.data() + kCallLogPulses);
    record[kCallLogOutgoing] = static_cast<char>(outgoing);
    const QByteArray text = number.toLatin1().left(kCallLogRecordSize - kCallLogNumber);
    record.replace(kCallLogNumber, text.size(), text);
    return record;
}

QByteArray SwitchboardCallState(const OleDate& start, int lineKind, int pulses, int direction, const QString& number)
{
    using namespace PbxRecord;
    QByteArray state(kCallStateSize, '\0');
    state[kCallStateLinkType] = static_cast<char>(lineKind);
    state[kCallStateLinkIndex] = static_cast<char>(pulses);
    state[kCallStateKind] = static_cast<char>(direction);
    PutF64(state, kCallStateStart, start.Value());
    WriteAnsiField(state, kCallStateNumber, kCallStateNumberWidth, number);
    return state;
}

bool StoreRenumberedPbx(CSqlDatabase& database, int pbx, const QString& model)
{
    QByteArray initialization(PbxRecord::kInitializationSize, '\0');
    initialization[PbxRecord::kExtensionCount] = 2;
    WriteAnsiField(initialization, PbxRecord::kInitializationVersion, PbxRecord::kTextFieldWidth, model);
    QByteArray configuration(PbxRecord::kSystemConfigurationSize, '\0');
    configuration[11] = 1;     // Rinumerazione
    configuration[24] = 0x40;  // ExtensioneBitmap1: programmed numbers are dialled as they are
    if (database.SaveInitialization(pbx, initialization) != kNoError ||
        database.SaveSystemConfiguration(pbx, configuration) != kNoError)
        return false;
    for (int extension = 0; extension < 2; ++extension) {
        QByteArray programming(PbxRecord::kExtensionProgrammationSize, '\0');
        programming[0] = PbxRecord::kObjectExtension;
        programming[1] = static_cast<char>(extension);
        if (extension == 1) {
            programming[35] = static_cast<char>(kRenumberedExtension & 0xFF);
            programming[36] = static_cast<char>(kRenumberedExtension >> 8);
        }
        if (database.SaveDerivedProgrammation(pbx, programming) != kNoError)
            return false;
    }
    return true;
}

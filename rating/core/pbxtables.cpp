#include "pbxtables.h"

#include "engineerrorcode.h"
#include "pbxnumbering.h"
#include "sqldatabase.h"

#include <algorithm>
#include <span>

namespace {

constexpr std::size_t kExtensionsHandledOffset = 1;  // NumeroMaxDerivatiGestiti

}  // namespace

void PbxTables::CopyRecord(const QByteArray& bytes, std::uint8_t* target, std::size_t size)
{
    std::fill(target, target + size, 0);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                std::min(size, static_cast<std::size_t>(bytes.size())), target);
}

int PbxTables::Load(CSqlDatabase& database, const std::function<void(unsigned)>& progress)
{
    m_slots = {};
    m_pbxCount = std::min(database.PbxCount(), kMaxPbxCount);
    int pending = kNoError;
    for (int pbx = 0; pbx < m_pbxCount; ++pbx) {
        Slot& slot = m_slots[static_cast<std::size_t>(pbx)];
        slot.deviceName = database.PbxIdentifier(pbx);
        if (progress)
            progress(kCheckingPbxString);
        quint8 state = 0;
        int result = database.ReadComStat(database.PbxComId(pbx), state);
        if (result != kNoError || state != 0) {
            pending = result != kNoError ? result : state;  // a link that is down reports its state
            continue;
        }
        if (progress)
            progress(kReadingPbxString);
        QByteArray initialization;
        QByteArray configuration;
        if ((result = database.ReadInitialization(pbx, initialization)) != kNoError ||
            (result = database.ReadSystemConfiguration(pbx, configuration)) != kNoError) {
            pending = result;
            continue;
        }
        CopyRecord(initialization, slot.initialization.bytes.data(), PbxInitialization::kSize);
        CopyRecord(configuration, slot.systemConfiguration.bytes.data(), PbxSystemConfiguration::kSize);
        std::vector<QByteArray> programming(slot.initialization.ExtensionCount());
        for (std::size_t i = 0; i < programming.size() && result == kNoError; ++i)
            result = database.ReadDerivedProgrammation(pbx, static_cast<int>(i), programming[i]);
        if (result != kNoError) {
            pending = result;
            continue;
        }
        slot.extensionProgramming = std::move(programming);
        slot.loaded = true;
    }
    return pending;
}

void PbxTables::SetPbx(int pbx, const QString& deviceName, const QByteArray& initialization,
                       const QByteArray& systemConfiguration, const std::vector<QByteArray>& extensionProgramming)
{
    if (pbx < 0 || pbx >= kMaxPbxCount)
        return;
    Slot& slot = m_slots[static_cast<std::size_t>(pbx)];
    slot.loaded = true;
    slot.deviceName = deviceName;
    CopyRecord(initialization, slot.initialization.bytes.data(), PbxInitialization::kSize);
    CopyRecord(systemConfiguration, slot.systemConfiguration.bytes.data(), PbxSystemConfiguration::kSize);
    slot.extensionProgramming = extensionProgramming;
    slot.extensionProgramming.resize(slot.initialization.ExtensionCount());
    m_pbxCount = std::max(m_pbxCount, pbx + 1);
}

const PbxTables::Slot* PbxTables::LoadedSlot(int pbx) const
{
    if (pbx < 0 || pbx >= m_pbxCount || !m_slots[static_cast<std::size_t>(pbx)].loaded)
        return nullptr;
    return &m_slots[static_cast<std::size_t>(pbx)];
}

bool PbxTables::IsLoaded(int pbx) const { return LoadedSlot(pbx) != nullptr; }

bool PbxTables::AnyLoaded() const
{
    for (int pbx = 0; pbx < m_pbxCount; ++pbx)
        if (IsLoaded(pbx))
            return true;
    return false;
}

const PbxInitialization& PbxTables::Initialization(int pbx) const
{
    static const PbxInitialization kNone;
    const Slot* slot = LoadedSlot(pbx);
    return slot ? slot->initialization : kNone;
}

const PbxSystemConfiguration& PbxTables::SystemConfiguration(int pbx) const
{
    static const PbxSystemConfiguration kNone;
    const Slot* slot = LoadedSlot(pbx);
    return slot ? slot->systemConfiguration : kNone;
}

QByteArrayView PbxTables::SystemConfigurationBytes(int pbx) const
{
    const auto& bytes = SystemConfiguration(pbx).bytes;
    return QByteArrayView(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QString PbxTables::DeviceName(int pbx) const
{
    return pbx >= 0 && pbx < m_pbxCount ? m_slots[static_cast<std::size_t>(pbx)].deviceName : QString();
}

int PbxTables::ExtensionCount(int pbx) const
{
    const Slot* slot = LoadedSlot(pbx);
    if (!slot)
        return 0;
    return std::min(slot->initialization.bytes[kExtensionsHandledOffset], slot->initialization.ExtensionCount());
}

int PbxTables::LineCount(int pbx) const
{
    const Slot* slot = LoadedSlot(pbx);
    return slot ? slot->initialization.LineCount() : 0;
}

QString PbxTables::DefaultExtensionNumber(int pbx, int extension) const
{
    const Slot* slot = LoadedSlot(pbx);
    if (!slot || extension < 0 || extension >= ExtensionCount(pbx))
        return {};
    const QByteArray& programming = slot->extensionProgramming[static_cast<std::size_t>(extension)];
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(programming.constData()),
                                              static_cast<std::size_t>(programming.size()));
    return ::DefaultExtensionNumber(static_cast<std::uint8_t>(extension), slot->initialization,
                                    slot->systemConfiguration, ProgrammedExtensionNumber(bytes));
}

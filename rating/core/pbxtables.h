#pragma once

#include "pbxinitialization.h"
#include "pbxsystemconfiguration.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class CSqlDatabase;

// What the rating program knows of each installed PBX, read once at start: whether all its data could be
// read, its initialization and system configuration records, the programming of its extensions and its
// device name. A PBX whose link is down or whose data cannot be read is skipped.
class PbxTables {
public:
    static constexpr int kMaxPbxCount = 10;  // slots of the tables; PBXs past them are not read

    // Splash texts shown while one PBX is looked at and while its data is read.
    static constexpr unsigned kCheckingPbxString = 1043;
    static constexpr unsigned kReadingPbxString = 1044;

    // Reads every PBX of the database's list, announcing each step by its string id. Returns the pending
    // code: the last link state or read failure met (0 when none); AnyLoaded says whether a PBX can be used.
    int Load(CSqlDatabase& database, const std::function<void(unsigned stringId)>& progress = {});

    int PbxCount() const { return m_pbxCount; }
    bool IsLoaded(int pbx) const;
    bool AnyLoaded() const;
    const PbxInitialization& Initialization(int pbx) const;
    const PbxSystemConfiguration& SystemConfiguration(int pbx) const;
    QByteArrayView SystemConfigurationBytes(int pbx) const;
    QString DeviceName(int pbx) const;
    // The extensions the PBX both handles and found (the smaller count), and its lines; 0 when not loaded.
    int ExtensionCount(int pbx) const;
    int LineCount(int pbx) const;

    // The dialling number of an extension by the PBX's numbering plan; empty for a PBX not loaded or an
    // index beyond its extensions.
    QString DefaultExtensionNumber(int pbx, int extension) const;

    // For tests and tools that have the records at hand rather than in a database.
    void SetPbx(int pbx, const QString& deviceName, const QByteArray& initialization,
                const QByteArray& systemConfiguration, const std::vector<QByteArray>& extensionProgramming);

private:
    struct Slot {
        bool loaded = false;
        QString deviceName;
        PbxInitialization initialization;
        PbxSystemConfiguration systemConfiguration;
        std::vector<QByteArray> extensionProgramming;  // NumeroDerivatiRilevati records
    };
    static void CopyRecord(const QByteArray& bytes, std::uint8_t* target, std::size_t size);
    const Slot* LoadedSlot(int pbx) const;

    std::array<Slot, kMaxPbxCount> m_slots;
    int m_pbxCount = 0;
};

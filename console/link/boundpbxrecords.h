#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class CSqlDatabase;

// The console's copies of the records of the PBX bound to this workstation: its initialization, its
// system configuration, the status of every detected extension, line and entry phone, and the
// programming of every extension. Filled by the start-up reads on the server, from the database on a
// client; read by the console view.
class BoundPbxRecords {
public:
    // Before each part of a database load: 10008 initialization, 10009 configuration, 10010 states,
    // 10011 programming.
    using Progress = std::function<void(unsigned stringId)>;

    void Clear();

    bool HasInitialization() const { return !m_initialization.isEmpty(); }
    // Detected counts; 0 without an initialization.
    int ExtensionCount() const { return Byte(kExtensionCountOffset); }
    int HandledExtensions() const { return Byte(kHandledExtensionsOffset); }
    int LineCount() const { return Byte(kLineCountOffset); }
    int EntryPhoneCount() const { return Byte(kEntryPhoneCountOffset); }
    QString ModelText() const;
    // Whether the PBX has the extension: it must be below both the detected and the handled count.
    bool HasExtension(int extension) const;

    const QByteArray& Initialization() const { return m_initialization; }
    const QByteArray& SystemConfiguration() const { return m_systemConfiguration; }
    std::vector<QByteArray>& ExtensionStatus() { return m_extensionStatus; }
    std::vector<QByteArray>& LineStatus() { return m_lineStatus; }
    std::vector<QByteArray>& EntryPhoneStatus() { return m_entryPhoneStatus; }
    std::vector<QByteArray>& ExtensionProgramming() { return m_extensionProgramming; }

    // The start-up reads' copies. A status record is the engine's: object type, index, state, link type,
    // link index, follow-me, time-out.
    void SetInitialization(const QByteArray& record);
    void SetSystemConfiguration(const QByteArray& record);
    void AddExtensionStatus(const QByteArray& statusRecord);  // handset, ring type and digits empty
    void AddLineStatus(const QByteArray& statusRecord);  // a line's copy starts with its index
    void AddEntryPhoneStatus(const QByteArray& statusRecord);
    void AddExtensionProgramming(const QByteArray& record);

    // Replaces the copies with the PBX's rows of the database: 0, or the first failing code (the copies
    // are then left empty).
    int LoadFromDatabase(CSqlDatabase& database, int pbx, const Progress& progress = {});

private:
    static constexpr int kHandledExtensionsOffset = 1;
    static constexpr int kExtensionCountOffset = 2;
    static constexpr int kLineCountOffset = 4;
    static constexpr int kEntryPhoneCountOffset = 6;

    int Byte(int offset) const;

    QByteArray m_initialization;
    QByteArray m_systemConfiguration;
    std::vector<QByteArray> m_extensionStatus;
    std::vector<QByteArray> m_lineStatus;
    std::vector<QByteArray> m_entryPhoneStatus;
    std::vector<QByteArray> m_extensionProgramming;
};

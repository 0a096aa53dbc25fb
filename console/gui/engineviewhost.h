#pragma once

#include <QString>

#include <cstdint>

class BoundPbxRecords;
class CContactCache;
class CSqlDatabase;
class InstallationSettings;
class QImage;
class QRegion;
struct EngineSettings;

// What the status board reads from the program that owns it: the skin, the database, the installation,
// whether this workstation is the engine server, and the outcomes of the engine, the TAPI-driver link
// and each PBX link.
class EngineViewHost {
public:
    virtual ~EngineViewHost() = default;
    virtual InstallationSettings& Installation() = 0;
    virtual CSqlDatabase& Database() = 0;
    virtual std::uint8_t GetAssociatedPbx() const = 0;
    virtual std::uint8_t GetAssociatedExtension() const = 0;
    virtual bool IsServerMode() const = 0;
    virtual const QImage& SkinBitmap() const = 0;
    virtual const QRegion& SkinRegion() const = 0;
    virtual std::uint8_t EngineOutcome() const = 0;
    virtual std::uint8_t EngineOutcomeDetail() const = 0;
    virtual std::uint8_t TapiOutcome() const = 0;
    virtual std::uint8_t LinkStatus(int pbx) const = 0;
    // The copies of the bound PBX's records (its initialization and extensions on a client).
    virtual BoundPbxRecords& BoundRecords() = 0;
    // The console's settings (the ring sound's mute among them).
    virtual EngineSettings& Settings() = 0;
    // The contacts cache that the TAPI settings show; null when there is none.
    virtual CContactCache* Contacts() const { return nullptr; }
    // The label of an extension of the bound PBX: the stored one, else "INT. " and its number.
    virtual QString GetExtensionLabel(int extension) = 0;
};

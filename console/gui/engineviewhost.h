#pragma once

#include <cstdint>

class CSqlDatabase;
class InstallationSettings;
class QImage;
class QRegion;

// What the status board reads from the program that owns it: the skin, the database, the installation
// and whether this workstation is the engine server.
class EngineViewHost {
public:
    virtual ~EngineViewHost() = default;
    virtual InstallationSettings& Installation() = 0;
    virtual CSqlDatabase& Database() = 0;
    virtual std::uint8_t GetAssociatedPbx() const = 0;
    virtual bool IsServerMode() const = 0;
    virtual const QImage& SkinBitmap() const = 0;
    virtual const QRegion& SkinRegion() const = 0;
};

#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The patches of the update server's folder "Pezzola", named "Refresko" + series (4 digits) + build
// (4 digits) + ".exe", and the choice of the one to install.
inline const QString kPatchFolder = QStringLiteral("Pezzola");
inline const QString kPatchPrefix = QStringLiteral("Refresko");
inline const QString kPatchSuffix = QStringLiteral(".exe");

struct PatchVersion {
    std::uint16_t series = 0;
    std::uint16_t build = 0;
};

// The version a patch name stands for; none for any other name (a character more or less, a letter or
// sign among the digits, another prefix or suffix).
std::optional<PatchVersion> ParsePatchName(const QString& name);
QString PatchFileName(PatchVersion version);
QString PatchRemotePath(PatchVersion version);  // "Pezzola/Refresko00010007.exe"

struct UpdateChoice {
    PatchVersion version;
    std::int64_t size = 0;
    // Another series follows the chosen one: the user is told to run the update again afterwards.
    bool anotherSeriesFollows = false;
};

// The highest build of each series found in one listing, with its file size.
class PatchCatalog {
public:
    // Series numbers the catalog holds (0 to 1023); a series of 1024 or more is ignored.
    static constexpr std::uint16_t kSeriesCount = 1024;

    // Counts an entry of the listing; false when its name is no patch name.
    bool Offer(const QString& name, std::int64_t size);

    std::uint16_t HighestBuild(std::uint16_t series) const;

    // A newer build of the installed series first, otherwise the highest build of the next series.
    std::optional<UpdateChoice> Choose(PatchVersion installed) const;

private:
    std::array<std::uint16_t, kSeriesCount> m_highestBuild{};
    std::array<std::int64_t, kSeriesCount> m_size{};
};

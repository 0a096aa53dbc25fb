#pragma once

#include "dbparameters.h"
#include "installationsettings.h"

#include <QString>

#include <cstdint>
#include <functional>

struct DatabaseSettings;

namespace lodgix {

struct LodgixState;
class StartupWindows;

// Where the start-up finds what it reads; the defaults are the suite's. Tests give their own.
struct StartupPlaces {
    QString installationStore = InstallationSettings::DefaultStorePath();
    // The connection parameters of the installation's database.
    std::function<DbParameters(const DatabaseSettings&)> databaseParameters;
    QString ratingFile;        // empty: <Shared>/PrcCnf.psx
    QString settingsFile;      // empty: LodgixSettings.cfg in the local data folder
    std::uint16_t enginePort = 0;  // 0: Registry.ini [Network] or the engine's usual port
    std::function<QString()> computerName;  // none: this computer's
};

// The hotel program's start-up from reading the installation to loading the settings file: it fills the
// state and gives 0, or the code of the step that failed (after the windows showed the failure box).
class LodgixStartup {
public:
    // Start-up codes of its own; database and installation failures pass through as their codes.
    static constexpr int kNoPbx = 100;
    static constexpr int kNoRatingConfiguration = 101;
    static constexpr int kNoHotel = 102;
    static constexpr int kNoOperator = 103;
    static constexpr int kWrongPassword = 104;
    static constexpr int kLoginCancelled = 105;
    // The program was told to end while start-up asked something: it ends without a failure box.
    static constexpr int kEndRequested = -1;

    LodgixStartup(LodgixState& state, StartupWindows& windows, StartupPlaces places = {});

    int Run();

    // The failure box's caption and text for a start-up code.
    static QString FailureCaption();
    static QString FailureText(int code);

private:
    int Steps();
    int ReadInstallation();
    int ConnectDatabase();
    int FirstOperatorOrLogin();
    int CreateFirstOperator();
    int Login();
    int LoadHotel();
    void LinkEngine();
    void Progress(unsigned stringId, const QString& more = {});
    bool Ending() const;

    LodgixState& m_state;
    StartupWindows& m_windows;
    StartupPlaces m_places;
    InstallationSettings m_installation;
};

}  // namespace lodgix

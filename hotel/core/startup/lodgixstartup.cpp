#include "lodgixstartup.h"

#include "computername.h"
#include "datafolders.h"
#include "documentfiles.h"
#include "engineerrorcode.h"
#include "engineports.h"
#include "errorboxtext.h"
#include "hotelrating.h"
#include "hoteltablesetup.h"
#include "installationdatabase.h"
#include "language.h"
#include "lodgixstate.h"
#include "ratingconfigurationfile.h"
#include "settingsfile.h"
#include "startupwindows.h"
#include "stringtable.h"

#include <QDateTime>

namespace lodgix {

namespace {

enum StartupString : unsigned {
    kCaptionString = 1003,             // "Lodgix"
    kClosingString = 1011,             // "L'applicazione verrà chiusa"
    kRatingProgressString = 10001,     // "Lettura impostazioni di tariffazione..."
    kDatabaseProgressString = 10005,   // "Connessione al database in corso..."
    kLoadingProgressString = 10008,    // "Caricamento dati"
    kPbxProgressString = 10009,        // "Lettura impostazioni centralino"
    kNoHotelQuestionString = 2040,
    kNoOperatorQuestionString = 2042,
    kLoginFailedString = 2052,         // "Informazioni di accesso non valide"
};

}  // namespace

LodgixStartup::LodgixStartup(LodgixState& state, StartupWindows& windows, StartupPlaces places)
    : m_state(state), m_windows(windows), m_places(std::move(places)), m_installation(m_places.installationStore)
{
    if (!m_places.databaseParameters)
        m_places.databaseParameters = DbParametersFor;
    if (!m_places.computerName)
        m_places.computerName = ComputerName;
    if (m_places.ratingFile.isEmpty())
        m_places.ratingFile = RatingConfigurationPath();
    if (m_places.settingsFile.isEmpty())
        m_places.settingsFile = SettingsFilePath();
    if (m_places.enginePort == 0)
        m_places.enginePort = EnginePorts::FromRegistry().requestPort;
}

QString LodgixStartup::FailureCaption() { return LoadResString(kCaptionString); }

QString LodgixStartup::FailureText(int code)
{
    const auto byte = static_cast<std::uint8_t>(code);
    return ErrorBoxText(LoadResString(kEngineErrorTextBase + byte), byte, LoadResString(kClosingString));
}

int LodgixStartup::Run()
{
    const int code = Steps();
    if (code != kNoError && code != kEndRequested)
        m_windows.ShowFailure(code, FailureCaption(), FailureText(code));
    return code;
}

bool LodgixStartup::Ending() const
{
    return m_windows.EndRequested();
}

void LodgixStartup::Progress(unsigned stringId, const QString& more)
{
    m_windows.ShowProgress(more.isEmpty() ? LoadResString(stringId) : LoadResString(stringId) + u' ' + more);
}

int LodgixStartup::Steps()
{
    int code = ReadInstallation();
    if (code == kNoError)
        code = ConnectDatabase();
    if (code == kNoError)
        code = FirstOperatorOrLogin();
    if (code == kNoError)
        code = CreateMasterTables(*m_state.database);
    if (code != kNoError)
        return code;

    Progress(kRatingProgressString);
    if (!LoadHotelRatingConfiguration(m_state.rating, m_places.ratingFile))
        return kNoRatingConfiguration;
    if (m_state.database->EnsureGlobalTable(HotelTable::kHotelConfiguration) != kNoError)
        return kDbNotConnected;
    code = LoadHotel();
    if (code != kNoError)
        return code;
    if (CreateHotelTables(*m_state.database, m_state.hotelId) != kNoError ||
        LoadOrStoreSeasons(*m_state.database, m_state.hotelId, m_state.seasons) != kNoError)
        return kDbNotConnected;

    Progress(kPbxProgressString);
    m_state.roomCount = m_state.extensions.LoadPbxTables(*m_state.database, m_state.roomCount);
    m_state.extensions.LoadExtensionStates(*m_state.database, m_state.rooms, m_state.roomCount);
    LinkEngine();

    m_state.reminderDatabase = std::make_unique<CHotelDatabase>(m_state.database->Parameters());
    code = m_state.reminderDatabase->Connect(m_state.serverName);
    if (code != kNoError)
        return code;
    // The check is made; the reminder's thread opens the connection it uses.
    m_state.reminderDatabase->Close();

    SetupSharedDataFolder(m_installation,
                          [this](const QString& text) { m_windows.ShowMessage(text, StartupWindows::Icon::Exclamation); });
    if (Ending())
        return kEndRequested;
    m_state.dataFolder = GetDataFolder(m_installation);
    RemoveStaleIssueFiles(m_state.dataFolder, QDateTime::currentDateTime());
    m_state.settingsFile = m_places.settingsFile;
    LoadOrCreateSettings(m_state.settingsFile, m_state.printSettings, m_state.hotelSettings);
    return kNoError;
}

int LodgixStartup::ReadInstallation()
{
    const InstallationSettings::LoadResult loaded = m_installation.Load();
    if (loaded == InstallationSettings::LoadResult::Unreadable)
        return kInstallationFailed;
    SetLanguage(m_installation.Language());
    Progress(kDatabaseProgressString);
    // A store never written, or one that could not be understood, is a workstation not configured.
    if (loaded != InstallationSettings::LoadResult::Loaded)
        return kDbNotConnected;
    switch (m_installation.InstallationMode()) {
    case InstallationSettings::kModeServer:
    case InstallationSettings::kModeSimulation:
        m_state.serverName = m_places.computerName();
        return kNoError;
    case InstallationSettings::kModeClient:
        m_state.serverName = m_installation.ServerName();
        return kNoError;
    default:
        return kDbNotConnected;
    }
}

int LodgixStartup::ConnectDatabase()
{
    m_state.database = std::make_unique<CHotelDatabase>(m_places.databaseParameters(m_installation.Database()));
    const int code = m_state.database->Connect(m_state.serverName);
    if (code != kNoError)
        return code;
    return m_state.database->PbxCount() == 0 ? kNoPbx : kNoError;
}

int LodgixStartup::FirstOperatorOrLogin()
{
    const int found = m_state.database->EnsureGlobalTable(HotelTable::kOperators, CHotelDatabase::kTestOnly);
    if (found == kDbRecordSelection)
        return CreateFirstOperator();
    return found == kNoError ? Login() : found;
}

int LodgixStartup::CreateFirstOperator()
{
    const bool proceed = m_windows.AskYesNo(LoadResString(kNoOperatorQuestionString), StartupWindows::Icon::Exclamation);
    if (Ending())
        return kEndRequested;
    if (!proceed)
        return kNoOperator;
    const QString password = m_windows.AskAdministratorPassword();
    if (Ending())
        return kEndRequested;
    if (!m_installation.CheckAccessPassword(password))
        return kWrongPassword;
    const std::optional<StartupWindows::OperatorEntry> entry = m_windows.AskFirstOperator();
    if (Ending())
        return kEndRequested;
    if (!entry)
        return kNoOperator;
    int code = m_state.database->EnsureGlobalTable(HotelTable::kOperators);
    int id = 0;
    if (code == kNoError)
        code = m_state.database->InsertOperator(entry->userName, entry->password, entry->administrator, id);
    if (code != kNoError)
        return code;
    m_state.currentOperator = {entry->userName, true, id};
    return kNoError;
}

int LodgixStartup::Login()
{
    for (;;) {
        const std::optional<StartupWindows::OperatorEntry> entry = m_windows.AskLogin();
        if (Ending())
            return kEndRequested;
        if (!entry)
            return kLoginCancelled;
        bool administrator = false;
        int id = 0;
        if (m_state.database->CheckOperatorLogin(entry->userName, entry->password, administrator, id)) {
            m_state.currentOperator = {entry->userName, administrator, id};
            return kNoError;
        }
        m_windows.ShowMessage(LoadResString(kLoginFailedString), StartupWindows::Icon::Error);
        if (Ending())
            return kEndRequested;
    }
}

int LodgixStartup::LoadHotel()
{
    CurrentHotel current;
    const int loaded = LoadFirstHotel(*m_state.database, current);
    if (loaded == kDbRecordSelection) {
        const bool proceed = m_windows.AskYesNo(LoadResString(kNoHotelQuestionString), StartupWindows::Icon::Information);
        if (Ending())
            return kEndRequested;
        if (!proceed)
            return kNoHotel;
        std::optional<CurrentHotel> created = m_windows.RunHotelWizard(*m_state.database);
        if (Ending())
            return kEndRequested;
        if (!created)
            return kNoHotel;
        current = std::move(*created);
        current.roomCount = static_cast<int>(current.rooms.size());
    } else if (loaded != kNoError) {
        return kDbNotConnected;
    }
    Progress(kLoadingProgressString, current.hotel.name);
    m_state.hotelId = current.id;
    m_state.hotel = std::move(current.hotel);
    m_state.rooms = std::move(current.rooms);
    m_state.roomCount = static_cast<int>(m_state.rooms.size());
    return kNoError;
}

void LodgixStartup::LinkEngine()
{
    const std::optional<std::string> address = ResolveIpv4Address(m_state.serverName);
    if (!address)
        return;
    auto engine = std::make_unique<CEngineClient>(*address, m_places.enginePort);
    if (engine->PingServer() == kNoError)
        m_state.engine = std::move(engine);
}

}  // namespace lodgix

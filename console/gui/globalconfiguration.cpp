#include "globalconfiguration.h"

#include "computername.h"
#include "configurationbox.h"
#include "engineerrorcode.h"
#include "globalsystem.h"
#include "installationsettings.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "systemlabel.h"
#include "systempbx.h"
#include "waitdlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kConnectingString = 10092;
constexpr unsigned kNoDatabaseString = 10054;
constexpr unsigned kSystemTabString = 10015;
constexpr unsigned kPbxTabString = 10017;

}  // namespace

CGlobalConfiguration::CGlobalConfiguration(const QString& caption, const InstallationSettings& settings,
                                           EngineSettings& engineSettings, const DbParameters& database,
                                           QWidget* parent)
    : QDialog(parent), m_engineSettings(engineSettings), m_serverName(settings.ServerName()),
      m_mode(settings.InstallationMode()), m_pbxIndex(settings.PbxIdentifier()),
      m_extensionIndex(settings.AssociatedExtension()), m_language(settings.Language()),
      m_protection(settings.Protection()), m_accessPassword(settings.AccessPassword()),
      m_tabs(new QTabWidget(this))
{
    setWindowTitle(caption);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    {
        CWaitDlg wait(LoadResString(kConnectingString), parent);
        wait.ShowNow();
        m_database = std::make_unique<CSqlDatabase>(database);
        Connect(IsServerMode() ? ComputerName() : m_serverName);
    }
    if (!m_database)
        ShowConfigurationError(parent, kNoDatabaseString);

    m_systemPage = new CGlobalSystem(*this);
    m_tabs->addTab(m_systemPage, LoadResString(kSystemTabString));
    if (m_database && IsServerMode())
        m_tabs->addTab(new CSystemPbx(*this), LoadResString(kPbxTabString));
    if (m_database) {
        for (int kind : kLabelKinds) {
            auto page = new CSystemLabel(*this, kind);
            m_tabs->addTab(page, page->Title());
        }
    }

    // Seven tabs are wider than the pages in Italian: the tab bar scrolls rather than widening the sheet.
    m_tabs->setUsesScrollButtons(true);
    m_tabs->tabBar()->setExpanding(false);

    auto buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(LoadResString(kOkButtonString), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    buttons->addButton(LoadResString(kCancelButtonString), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("IDCANCEL"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CGlobalConfiguration::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

CGlobalConfiguration::~CGlobalConfiguration() = default;

void CGlobalConfiguration::Connect(const QString& serverName)
{
    if (m_database->Connect(serverName) != kNoError)
        m_database.reset();
}

bool CGlobalConfiguration::IsServerMode() const
{
    return m_mode == InstallationSettings::kModeServer || m_mode == InstallationSettings::kModeSimulation;
}

bool CGlobalConfiguration::ReadPbxRecords(int pbx)
{
    if (!m_database)
        return false;
    QByteArray initialization;
    QByteArray configuration;
    if (m_database->ReadInitialization(pbx, initialization) != kNoError ||
        m_database->ReadSystemConfiguration(pbx, configuration) != kNoError)
        return false;
    m_initialization = initialization;
    m_configuration = configuration;
    return true;
}

void CGlobalConfiguration::accept()
{
    if (!m_systemPage->Apply())
        return;
    if (m_commit && !m_commit(Values()))
        return;
    QDialog::accept();
}

ConfigurationSheetValues CGlobalConfiguration::Values() const
{
    ConfigurationSheetValues values;
    values.restartRequest = m_restartRequest;
    values.pbxIdentifier = m_pbxIndex;
    values.associatedExtension = m_extensionIndex;
    values.language = m_language;
    values.protection = m_protection;
    values.accessPassword = m_accessPassword;
    return values;
}

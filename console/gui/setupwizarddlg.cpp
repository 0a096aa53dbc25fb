#include "setupwizarddlg.h"

#include "computerbrowsedlg.h"
#include "computername.h"
#include "configurationbox.h"
#include "consoleicon.h"
#include "consolelabels.h"
#include "engineerrorcode.h"
#include "findwindow.h"
#include "folders.h"
#include "installationsettings.h"
#include "networkbrowser.h"
#include "pbxlistediting.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "waitdlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr unsigned kWelcomeString = 10034;
constexpr unsigned kTitleString = 10035;
constexpr unsigned kFewStepsString = 10036;
constexpr unsigned kDoneString = 10037;
constexpr unsigned kRoleHeadingString = 10038;
constexpr unsigned kInstalledPbxsString = 10039;
constexpr unsigned kServerNameString = 10019;
constexpr unsigned kNewString = 10040;
constexpr unsigned kModifyString = 10041;
constexpr unsigned kDeleteString = 10042;
constexpr unsigned kSelectString = 10024;
constexpr unsigned kPbxHeadingString = 10047;
constexpr unsigned kExtensionHeadingString = 10048;
constexpr unsigned kRestartString = 10049;
constexpr unsigned kCancelString = 10050;
constexpr unsigned kConfirmString = 10051;
constexpr unsigned kServerRoleString = 10022;
constexpr unsigned kClientRoleString = 10023;
constexpr unsigned kSimulationRoleString = 1108;
constexpr unsigned kNoPbxString = 10043;
constexpr unsigned kBadServerString = 10025;
constexpr unsigned kReadFailedString = 10052;
constexpr unsigned kServerWaitString = 10091;
constexpr unsigned kNoExtensionString = 10905;
constexpr int kRoleStartDelayMs = 500;
constexpr int kListHeight = 120;
constexpr int kListMargin = 30;
// Room for a computer name of a usual length.
constexpr int kServerNameMinimumWidth = 200;
constexpr int kComputerNameMaxLength = 99;
const QString kExtensionPrefix = QStringLiteral("I.");

QPushButton* Button(const char* id, unsigned textId)
{
    auto button = new QPushButton(LoadResString(textId));
    button->setObjectName(QString::fromLatin1(id));
    return button;
}

QLabel* Label(const char* id, unsigned textId)
{
    auto label = new QLabel(LoadResString(textId));
    label->setObjectName(QString::fromLatin1(id));
    label->setWordWrap(true);
    return label;
}

// One step: its heading on a line of its own (it may wrap), below it the choice and "Fatto".
void LayOutStep(QWidget* step, QLabel* heading, QComboBox* choice, QPushButton* done)
{
    auto layout = new QVBoxLayout(step);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(heading);
    auto row = new QHBoxLayout;
    choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    row->addWidget(choice, 1);
    row->addWidget(done);
    layout->addLayout(row);
}

}  // namespace

CSetupWizardDlg::CSetupWizardDlg(std::uint8_t initialMode, const DbParameters& database, QWidget* parent,
                                 const QString& hostsFile)
    : QDialog(parent), m_initialMode(initialMode), m_databaseParameters(database),
      m_hostsFile(hostsFile.isEmpty() ? NetworkBrowser::kDefaultHostsFile : hostsFile)
{
    setWindowTitle(LoadResString(kTitleString));
    setWindowIcon(ConsoleIcon());
    auto layout = new QVBoxLayout(this);
    // The steps open one below the other: every control keeps its minimum size, and the dialog takes the
    // size of the steps shown (ShowStep). That rule replaces the dialog's own minimum size with the layout's,
    // so the wizard's width is held in the layout.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    const QMargins margins = layout->contentsMargins();
    layout->addStrut(kWidth - margins.left() - margins.right());
    layout->addWidget(Label("1012", kWelcomeString));
    layout->addWidget(Label("1013", kFewStepsString));

    m_roleStep = new QWidget;
    m_roleCombo = new QComboBox;
    m_roleCombo->setObjectName(QStringLiteral("1015"));
    QPushButton* roleDone = Button("1016", kDoneString);
    LayOutStep(m_roleStep, Label("1014", kRoleHeadingString), m_roleCombo, roleDone);
    connect(roleDone, &QPushButton::clicked, this, &CSetupWizardDlg::TakeRole);
    layout->addWidget(m_roleStep);

    // Step 1: the installed PBXs for the server roles, the server's name for a client.
    m_pbxListStep = new QWidget;
    auto stepOneLayout = new QVBoxLayout(m_pbxListStep);
    stepOneLayout->setContentsMargins(0, 0, 0, 0);
    m_pbxListHeading = Label("1021", kInstalledPbxsString);
    stepOneLayout->addWidget(m_pbxListHeading);
    m_pbxListPart = new QWidget;
    auto listLayout = new QVBoxLayout(m_pbxListPart);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_pbxList = new QTreeWidget;
    m_pbxList->setObjectName(QStringLiteral("1019"));
    SetUpPbxList(m_pbxList, kWidth - 2 * kListMargin);
    m_pbxList->setMinimumHeight(kListHeight);
    listLayout->addWidget(m_pbxList);
    auto listButtons = new QHBoxLayout;
    m_newPbx = Button("1022", kNewString);
    m_modifyPbx = Button("1024", kModifyString);
    m_deletePbx = Button("1023", kDeleteString);
    for (QPushButton* button : {m_newPbx, m_modifyPbx, m_deletePbx})
        listButtons->addWidget(button);
    listLayout->addLayout(listButtons);
    connect(m_newPbx, &QPushButton::clicked, this, &CSetupWizardDlg::AddPbx);
    connect(m_modifyPbx, &QPushButton::clicked, this, &CSetupWizardDlg::ModifyPbx);
    connect(m_deletePbx, &QPushButton::clicked, this, &CSetupWizardDlg::DeletePbx);
    connect(m_pbxList, &QTreeWidget::itemSelectionChanged, this, &CSetupWizardDlg::OnPbxSelectionChanged);
    stepOneLayout->addWidget(m_pbxListPart);
    m_serverNamePart = new QWidget;
    auto serverLayout = new QHBoxLayout(m_serverNamePart);
    m_serverNameEdit = new QLineEdit;
    m_serverNameEdit->setObjectName(QStringLiteral("1031"));
    m_serverNameEdit->setMaxLength(InstallationSettings::kServerNameMaxLength);
    m_serverNameEdit->setMinimumWidth(kServerNameMinimumWidth);
    serverLayout->setContentsMargins(0, 0, 0, 0);
    serverLayout->addWidget(m_serverNameEdit, 1);
    QPushButton* browse = Button("1032", kSelectString);
    connect(browse, &QPushButton::clicked, this, &CSetupWizardDlg::BrowseComputers);
    serverLayout->addWidget(browse);
    stepOneLayout->addWidget(m_serverNamePart);
    QPushButton* stepOneDone = Button("1020", kDoneString);
    stepOneLayout->addWidget(stepOneDone, 0, Qt::AlignRight);
    connect(stepOneDone, &QPushButton::clicked, this, &CSetupWizardDlg::TakeStepOne);
    layout->addWidget(m_pbxListStep);

    m_pbxStep = new QWidget;
    m_pbxCombo = new QComboBox;
    m_pbxCombo->setObjectName(QStringLiteral("1026"));
    QPushButton* pbxDone = Button("1027", kDoneString);
    LayOutStep(m_pbxStep, Label("1025", kPbxHeadingString), m_pbxCombo, pbxDone);
    connect(pbxDone, &QPushButton::clicked, this, &CSetupWizardDlg::TakePbx);
    layout->addWidget(m_pbxStep);

    m_extensionStep = new QWidget;
    m_extensionCombo = new QComboBox;
    m_extensionCombo->setObjectName(QStringLiteral("1029"));
    QPushButton* extensionDone = Button("1030", kDoneString);
    LayOutStep(m_extensionStep, Label("1028", kExtensionHeadingString), m_extensionCombo, extensionDone);
    connect(extensionDone, &QPushButton::clicked, this, &CSetupWizardDlg::TakeExtension);
    layout->addWidget(m_extensionStep);

    auto bottom = new QHBoxLayout;
    QPushButton* restart = Button("1017", kRestartString);
    QPushButton* cancel = Button("1018", kCancelString);
    bottom->addStretch();
    bottom->addWidget(restart);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
    connect(restart, &QPushButton::clicked, this, &CSetupWizardDlg::EnterRoleStep);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowStep(-1);
    QTimer::singleShot(kRoleStartDelayMs, this, &CSetupWizardDlg::EnterRoleStep);
}

CSetupWizardDlg::~CSetupWizardDlg() = default;

bool CSetupWizardDlg::IsServerRole() const { return m_mode != InstallationSettings::kModeClient; }

void CSetupWizardDlg::ShowStep(int step)
{
    m_step = step;
    const bool server = IsServerRole();
    m_pbxListHeading->setText(LoadResString(server ? kInstalledPbxsString : kServerNameString));
    m_pbxListPart->setVisible(server);
    m_serverNamePart->setVisible(!server);
    const std::pair<QWidget*, int> steps[] = {
        {m_roleStep, kStepRole},
        {m_pbxListStep, kStepPbxsOrServer},
        {m_pbxStep, kStepPbx},
        {m_extensionStep, kStepExtension},
    };
    for (auto [widget, number] : steps) {
        widget->setVisible(number <= step);
        widget->setEnabled(number == step);
    }
    // Growing and shrinking with the steps shown: back at step 0 the dialog is as small as at the start.
    layout()->activate();
    adjustSize();
}

void CSetupWizardDlg::ShowError(unsigned textId) { ShowConfigurationError(this, textId); }

void CSetupWizardDlg::ReplaceDatabase()
{
    m_database = std::make_unique<CSqlDatabase>(m_databaseParameters);
}

void CSetupWizardDlg::EnterRoleStep()
{
    setCursor(Qt::WaitCursor);
    const QString computer = ComputerName().left(kComputerNameMaxLength);
    ReplaceDatabase();
    m_roleCombo->clear();
    CWaitDlg wait(LoadResString(kServerWaitString), this);
    wait.ShowNow();
    // The notice stays up a moment, its picture running, before the attempt blocks this thread.
    QEventLoop pause;
    QTimer::singleShot(kRoleWaitMs, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
    // The server roles need the database engine on this computer.
    const bool server = m_initialMode != InstallationSettings::kModeReconfigure &&
                        m_database->ConnectAndCreateSchema(computer) == kNoError;
    if (server)
        m_roleCombo->addItem(LoadResString(kServerRoleString), InstallationSettings::kModeServer);
    m_roleCombo->addItem(LoadResString(kClientRoleString), InstallationSettings::kModeClient);
    if (server && FileExists(GetSuiteFolder() + kSimulvexClass + u'/' + kSimulvexClass))
        m_roleCombo->addItem(LoadResString(kSimulationRoleString), InstallationSettings::kModeSimulation);
    m_roleCombo->setCurrentIndex(0);
    unsetCursor();
    ShowStep(kStepRole);
}

void CSetupWizardDlg::TakeRole()
{
    m_mode = static_cast<std::uint8_t>(m_roleCombo->currentData().toInt());
    if (IsServerRole())
        FillPbxList();
    ShowStep(kStepPbxsOrServer);
}

void CSetupWizardDlg::FillPbxList()
{
    m_database->LoadEngineConfiguration();
    ::FillPbxList(m_pbxList, *m_database);
    OnPbxSelectionChanged();
}

int CSetupWizardDlg::SelectedPbx() const
{
    const QList<QTreeWidgetItem*> selected = m_pbxList->selectedItems();
    return selected.isEmpty() ? -1 : m_pbxList->indexOfTopLevelItem(selected.first());
}

void CSetupWizardDlg::OnPbxSelectionChanged()
{
    const bool selected = SelectedPbx() >= 0;
    m_modifyPbx->setEnabled(selected);
    m_deletePbx->setEnabled(selected);
}

void CSetupWizardDlg::AddPbx()
{
    EditPbxEntry(this, *m_database, -1);
    FillPbxList();
}

void CSetupWizardDlg::ModifyPbx()
{
    if (const int row = SelectedPbx(); row >= 0) {
        EditPbxEntry(this, *m_database, row);
        FillPbxList();
    }
}

void CSetupWizardDlg::DeletePbx()
{
    if (const int row = SelectedPbx(); row >= 0) {
        DeletePbxEntry(this, *m_database, row);
        FillPbxList();
    }
}

void CSetupWizardDlg::BrowseComputers()
{
    CComputerBrowseDlg browser(NetworkBrowser(m_hostsFile).Computers(), this);
    if (browser.exec() == QDialog::Accepted && !browser.Computer().isEmpty())
        m_serverNameEdit->setText(browser.Computer());
}

void CSetupWizardDlg::TakeStepOne()
{
    if (!IsServerRole())
        return TakeServerName();
    if (m_database->PbxCount() == 0)
        return ShowError(kNoPbxString);
    EnterPbxStep();
}

void CSetupWizardDlg::TakeServerName()
{
    const QString name = m_serverNameEdit->text().trimmed();
    ReplaceDatabase();
    if (name.isEmpty() || m_database->Connect(name) != kNoError)
        return ShowError(kBadServerString);
    m_serverName = name;
    EnterPbxStep();
}

void CSetupWizardDlg::EnterPbxStep()
{
    m_pbxCombo->clear();
    for (int pbx = 0; pbx < m_database->PbxCount(); ++pbx)
        m_pbxCombo->addItem(m_database->PbxIdentifier(pbx));
    m_pbxCombo->setCurrentIndex(0);
    ShowStep(kStepPbx);
}

void CSetupWizardDlg::TakePbx()
{
    if (m_pbxCombo->currentIndex() < 0)
        return;
    m_pbxIndex = static_cast<std::uint8_t>(m_pbxCombo->currentIndex());
    if (!IsServerRole()) {
        // A client reads what the server's engine stored of that PBX.
        QByteArray initialization;
        QByteArray configuration;
        QByteArray programming;
        if (m_database->ReadInitialization(m_pbxIndex, initialization) != kNoError ||
            m_database->ReadSystemConfiguration(m_pbxIndex, configuration) != kNoError ||
            m_database->ReadDerivedProgrammation(m_pbxIndex, 0, programming) != kNoError)
            return ShowError(kReadFailedString);
        m_initialization = initialization;
        m_configuration = configuration;
        const auto handled = static_cast<quint8>(initialization[1]);
        const auto detected = static_cast<quint8>(initialization[2]);
        m_clientExtensionCount = std::min(handled, detected);
    }
    EnterExtensionStep();
}

void CSetupWizardDlg::EnterExtensionStep()
{
    m_extensionCombo->clear();
    if (IsServerRole()) {
        // The PBX has not been read yet: the extensions are only numbered.
        for (int extension = 0; extension < kExtensionChoices; ++extension)
            m_extensionCombo->addItem(kExtensionPrefix + QString::number(extension + 1));
    } else {
        for (int extension = 0; extension < m_clientExtensionCount; ++extension) {
            QByteArray programming;
            const bool read = m_database->ReadDerivedProgrammation(m_pbxIndex, extension, programming) == kNoError;
            m_extensionCombo->addItem(read ? FormatExtensionLabel(extension, m_pbxIndex, *m_database, m_initialization,
                                                                  m_configuration, programming)
                                           : kFailedExtension);
        }
    }
    m_extensionCombo->setCurrentIndex(0);
    ShowStep(kStepExtension);
}

void CSetupWizardDlg::TakeExtension()
{
    if (m_extensionCombo->currentIndex() < 0) {
        // A client whose PBX reports no extension has nothing to bind this workstation to.
        ShowEngineErrorBox(this, kNoExtensionString, kExtensionNotAvailable,
                           m_database && m_pbxIndex < m_database->PbxCount() ? m_database->PbxIdentifier(m_pbxIndex)
                                                                             : QString());
        return;
    }
    const auto answer = QMessageBox::question(this, LoadResString(kWarningCaptionString), LoadResString(kConfirmString),
                                              QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return EnterRoleStep();
    m_extensionIndex = static_cast<std::uint8_t>(m_extensionCombo->currentIndex());
    accept();
}

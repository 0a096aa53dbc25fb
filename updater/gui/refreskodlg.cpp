#include "refreskodlg.h"

#include "aboutrefreskodlg.h"
#include "folders.h"
#include "ftpsession.h"
#include "installationsettings.h"
#include "installedversion.h"
#include "language.h"
#include "patchdownload.h"
#include "process.h"
#include "producttable.h"
#include "refreskoidentity.h"
#include "stringtable.h"
#include "terminationrequest.h"
#include "updateserver.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t kLastAboutCommand = 31;  // the system-menu ids 16 to 31 open the about box
constexpr std::uint64_t kCommandIdMask = 0xFFFF;

// The texts of the steps.
constexpr unsigned kAboutMenuString = 101;
constexpr unsigned kCheckButtonString = 102;
constexpr unsigned kInstallButtonString = 103;
constexpr unsigned kCheckingInternetString = 104;
constexpr unsigned kNoNetworkString = 105;
constexpr unsigned kConnectingString = 106;
constexpr unsigned kNoServerString = 107;
constexpr unsigned kNothingNewString = 108;
constexpr unsigned kLookingString = 109;
constexpr unsigned kListingFailedString = 110;
constexpr unsigned kUpdateFoundString = 111;
constexpr unsigned kDownloadingString = 112;
constexpr unsigned kDownloadFailedString = 113;
constexpr unsigned kProgramsStopString = 115;
constexpr unsigned kRepeatAfterwardsString = 118;
constexpr unsigned kPassiveCheckString = 119;

// The progress bar through a check: 5 with a session, 10 when connected, +5 per listed entry up to 95.
constexpr int kProgressSession = 5;
constexpr int kProgressConnected = 10;
constexpr int kProgressStep = 5;
constexpr int kProgressListed = 95;
constexpr int kLastStepFrom = 94;
// The pace of a listing, so that the bar can be seen to move.
constexpr int kListingEntryPauseMs = 100;
// Time a closed program gets to end before the next one is asked.
constexpr int kProgramCloseWaitMs = 2000;
constexpr int kIconSize = 32;

const QString kConsoleProgram = QStringLiteral("Pultex");

QString KilobyteProgressText(std::int64_t bytes, std::int64_t size)
{
    return LoadResString(kDownloadingString) + KilobyteCounter(bytes, size);
}

}  // namespace

CRefreskoDlg::CRefreskoDlg(QWidget* parent) : QDialog(parent), m_target(this)
{
    setObjectName(QStringLiteral("102"));
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) { OnCommand(wParam); });
    m_messages.On(WM_CLOSE, [this](std::uint64_t, std::int64_t) { reject(); });
    m_messages.On(WM_SYSCOMMAND, [this](std::uint64_t wParam, std::int64_t) {
        if (wParam >= kAboutCommand && wParam <= kLastAboutCommand)
            ShowAboutBox();
    });
    OnInitDialog();
}

CRefreskoDlg::~CRefreskoDlg() = default;

void CRefreskoDlg::OnInitDialog()
{
    InstallationSettings installation;
    installation.Load();
    if (installation.IsLoaded())
        SetLanguage(installation.Language());
    BuildControls();
    if (!LoadUpdateSettings(m_settings))
        SaveUpdateSettings(m_settings);
    m_passiveCheck->setChecked(m_settings.IsPassive());
    ReadInstalledVersion(m_settings);
    setWindowTitle(kRefreskoTitle);
    // A second updater leaves the title to the first: the console then finds that one.
    m_registration = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, kRefreskoTitle, m_target);
}

void CRefreskoDlg::BuildControls()
{
    setWindowIcon(RefreskoIcon());
    auto* icon = new QLabel(this);
    icon->setPixmap(RefreskoIcon().pixmap(kIconSize, kIconSize));
    auto* texts = new QVBoxLayout;
    auto* name = new QLabel(RefreskoNameAndVersion(), this);
    name->setObjectName(QStringLiteral("1076"));
    texts->addWidget(name);
    const int supplierControls[] = {1077, 1078, 1079, 1080, 1082};
    unsigned stringId = kFirstSupplierString;
    for (const int control : supplierControls) {
        auto* label = new QLabel(LoadResString(stringId++), this);
        label->setObjectName(QString::number(control));
        texts->addWidget(label);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("1003"));
    m_status->setWordWrap(true);
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setMinimumHeight(m_status->fontMetrics().lineSpacing() * 3);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("1002"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_passiveCheck = new QCheckBox(LoadResString(kPassiveCheckString), this);
    m_passiveCheck->setObjectName(QStringLiteral("1005"));

    m_checkButton = new QPushButton(LoadResString(kCheckButtonString), this);
    m_checkButton->setObjectName(QStringLiteral("1000"));
    m_installButton = new QPushButton(LoadResString(kInstallButtonString), this);
    m_installButton->setObjectName(QStringLiteral("1001"));
    m_installButton->setEnabled(false);
    m_autoCheckButton = new QPushButton(this);
    m_autoCheckButton->setObjectName(QStringLiteral("1004"));
    m_autoCheckButton->hide();
    connect(m_checkButton, &QPushButton::clicked, this, [this] { OnCommand(IDC_CHECK_UPDATES); });
    connect(m_installButton, &QPushButton::clicked, this, [this] { OnCommand(IDC_INSTALL_UPDATE); });
    connect(m_autoCheckButton, &QPushButton::clicked, this, [this] { OnCommand(IDC_AUTO_CHECK_UPDATES); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_checkButton);
    buttons->addWidget(m_installButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_passiveCheck);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CRefreskoDlg::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QDialog::event(event);
}

void CRefreskoDlg::contextMenuEvent(QContextMenuEvent* event)
{
    // The item the Windows program added to its system menu.
    const QString text = LoadResString(kAboutMenuString);
    if (text.isEmpty())
        return;
    QMenu menu(this);
    menu.addAction(text, this, &CRefreskoDlg::ShowAboutBox);
    menu.exec(event->globalPos());
}

void CRefreskoDlg::ShowAboutBox()
{
    CAboutRefreskoDlg about(this);
    about.exec();
}

void CRefreskoDlg::OnCommand(std::uint64_t wParam)
{
    // A command that arrives while a box of a running step is open waits for nothing: it is dropped.
    if (m_busy || m_terminating)
        return;
    switch (wParam & kCommandIdMask) {
    case IDC_CHECK_UPDATES:
        CheckForUpdates();
        break;
    case IDC_AUTO_CHECK_UPDATES:
        m_automatic = true;
        CheckForUpdates();
        break;
    case IDC_INSTALL_UPDATE:
        DownloadAndInstallUpdate();
        break;
    default:
        break;
    }
}

void CRefreskoDlg::OnTerminationRequested()
{
    m_terminating = true;
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this)
        modal->close();
    reject();
}

bool CRefreskoDlg::KeepGoing() const { return !m_terminating && !TerminationRequest::IsRequested(); }

void CRefreskoDlg::StoreFtpMode()
{
    m_settings.ftpMode = m_passiveCheck->isChecked() ? UpdateSettings::kFtpPassive : UpdateSettings::kFtpActive;
    SaveUpdateSettings(m_settings);
}

void CRefreskoDlg::ShowStatus(const QString& text)
{
    m_status->setText(text);
    // The steps block the event loop: the line is drawn now.
    m_status->repaint();
}

void CRefreskoDlg::SetProgress(int percent)
{
    m_progress->setValue(percent);
    m_progress->repaint();
}

QMessageBox::StandardButton CRefreskoDlg::ShowBox(const QString& text, QMessageBox::Icon icon,
                                                  QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, LoadResString(kProgramNameString), text, buttons, this);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void CRefreskoDlg::ReportFailure(unsigned stringId)
{
    const QString text = LoadResString(stringId);
    ShowStatus(text);
    ShowBox(text, QMessageBox::Critical, QMessageBox::Ok);
    SetProgress(0);
}

void CRefreskoDlg::CheckForUpdates()
{
    m_busy = true;
    StoreFtpMode();
    m_installButton->setEnabled(false);
    ShowStatus(LoadResString(kCheckingInternetString));
    FtpSession session(UpdateServerConnection(m_settings), [this] { return KeepGoing(); });
    if (!session.IsOpen()) {
        ReportFailure(kNoNetworkString);
        m_busy = false;
        return;
    }
    SetProgress(kProgressSession);
    ShowStatus(LoadResString(kConnectingString));
    if (session.Connect() != FtpSession::Result::Ok) {
        if (KeepGoing())
            ReportFailure(kNoServerString);
        m_busy = false;
        return;
    }
    SetProgress(kProgressConnected);
    ShowStatus(LoadResString(kLookingString));
    QList<FtpEntry> entries;
    const FtpSession::Result listed = session.List(kPatchFolder, entries);
    PatchCatalog catalog;
    for (const FtpEntry& entry : entries) {
        if (!entry.isFolder)
            catalog.Offer(entry.name, entry.size);
        if (m_progress->value() <= kLastStepFrom) {
            SetProgress(m_progress->value() + kProgressStep);
            if (!TerminationRequest::Pause(kListingEntryPauseMs))
                break;
        }
    }
    if (!KeepGoing()) {
        m_busy = false;
        return;
    }
    if (listed != FtpSession::Result::Ok) {
        ReportFailure(kListingFailedString);
        m_busy = false;
        return;
    }
    SetProgress(kProgressListed);
    m_chosen = catalog.Choose({m_settings.series, m_settings.build});
    if (!m_chosen) {
        const QString text = LoadResString(kNothingNewString);
        ShowStatus(text);
        if (!m_automatic)
            ShowBox(text, QMessageBox::Information, QMessageBox::Ok);
        SetProgress(0);
        m_busy = false;
        reject();
        return;
    }
    const QString question = LoadResString(m_chosen->anotherSeriesFollows ? kRepeatAfterwardsString : kUpdateFoundString);
    ShowStatus(question);
    const bool accepted = ShowBox(question, QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    m_busy = false;
    if (!KeepGoing())
        return;
    if (accepted) {
        m_automatic = false;
        m_target.Post(WM_COMMAND, IDC_INSTALL_UPDATE, 0);
    }
    m_installButton->setEnabled(true);
    SetProgress(0);
    if (m_automatic)
        reject();
}

bool CRefreskoDlg::FetchPatch(const QString& target)
{
    FtpSession session(UpdateServerConnection(m_settings), [this] { return KeepGoing(); });
    if (!session.IsOpen()) {
        ReportFailure(kNoNetworkString);
        return false;
    }
    SetProgress(kProgressSession);
    ShowStatus(LoadResString(kConnectingString));
    if (session.Connect() != FtpSession::Result::Ok) {
        if (KeepGoing())
            ReportFailure(kNoServerString);
        return false;
    }
    SetProgress(kProgressConnected);
    const std::int64_t size = m_chosen->size;
    ShowStatus(KilobyteProgressText(0, size));
    // The patch runs from the shared folder: nobody else may be able to put a file there.
    const bool downloaded = IsFolderWritableOnlyByUser(GetSharedFolder())
        && DownloadPatch(session, PatchRemotePath(m_chosen->version), target, size, [&](std::int64_t bytes) {
               SetProgress(DownloadProgressPercent(bytes, size));
               ShowStatus(KilobyteProgressText(bytes, size));
           });
    if (!downloaded && KeepGoing())
        ReportFailure(kDownloadFailedString);
    return downloaded && KeepGoing();
}

void CRefreskoDlg::CloseSuitePrograms()
{
    QString running;
    for (const ProductRow& row : ProductTable) {
        if (FindProgramWindow(QString::fromLatin1(row.windowClass), false))
            running += QStringLiteral("- ") + QString::fromLatin1(row.name) + u'\n';
    }
    if (FindProgramWindow(kProgrammatoreClass, false))
        running += QStringLiteral("- ") + kProgrammatoreName + u'\n';
    if (!running.isEmpty())
        ShowBox(LoadResString(kProgramsStopString) + running, QMessageBox::Warning, QMessageBox::Ok);

    QStringList classes;
    for (const ProductRow& row : ProductTable)
        classes.append(QString::fromLatin1(row.windowClass));
    classes.append(kProgrammatoreClass);
    for (const QString& windowClass : classes) {
        if (!KeepGoing())
            return;
        if (FindProgramWindow(windowClass, true))
            TerminationRequest::Pause(kProgramCloseWaitMs);
    }
}

void CRefreskoDlg::DownloadAndInstallUpdate()
{
    if (!m_chosen)
        return;
    m_busy = true;
    StoreFtpMode();
    const QString target = GetSharedFolder() + kLocalPatchName;
    ShowStatus(LoadResString(kCheckingInternetString));
    if (!FetchPatch(target)) {
        m_busy = false;
        return;
    }
    CloseSuitePrograms();
    if (!KeepGoing())
        return;

    m_settings.series = m_chosen->version.series;
    m_settings.build = m_chosen->version.build;
    SaveUpdateSettings(m_settings);

    const qint64 patch = StartOwnedDetachedProcess(target, {}, GetSharedFolder());
    if (patch == 0) {
        ReportFailure(kDownloadFailedString);
        m_busy = false;
        return;
    }
    // An ending updater leaves the patch running: stopping an install half-way would be worse.
    if (!WaitForProcessEnd(patch, [this] { return KeepGoing(); }))
        return;
    const QString consoleFolder = GetSuiteFolder() + kConsoleProgram + u'/';
    StartDetachedProcess(consoleFolder + kConsoleProgram, {}, consoleFolder);
    m_busy = false;
    reject();
}

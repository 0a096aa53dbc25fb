#include "engineview.h"

#include "aboutdlg.h"
#include "callnotificationhandler.h"
#include "clientdatagramhandler.h"
#include "engineoutcome.h"
#include "extensioncallstate.h"
#include "folders.h"
#include "installationsettings.h"
#include "linksupervisor.h"
#include "pbxchannelbase.h"
#include "pbxeventprocessor.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QListWidget>
#include <QPainter>
#include <QTimerEvent>

namespace {

constexpr unsigned kProductNameString = 1003;
constexpr unsigned kMakerFirstString = 1004;
constexpr unsigned kMakerLastString = 1008;
constexpr unsigned kConfigurationString = 1014;
constexpr unsigned kServerString = 1015;
constexpr unsigned kClientString = 1016;
constexpr unsigned kSimulationString = 1108;
const QString kCaptionSeparator = QStringLiteral(": ");

// Where the board's lists stand on the skin.
const QRect kServicesRect(248, 120, 266, 70);
const QRect kApplicationsRect(248, 209, 266, 70);
const QRect kPbxsRect(248, 299, 266, 70);
const QRect kInformationRect(66, 125, 169, 236);

struct Application {
    const char* name;
    int code;
};
constexpr Application kApplications[] = {
    {"Fonivra", CEngineView::kOperatorConsoleItem},
    {"Tarivo", CEngineView::kRatingItem},
    {"Lodgix", CEngineView::kHotelItem},
};

QListWidget* MakeList(const QString& id, const QRect& geometry, QWidget* parent)
{
    auto list = new QListWidget(parent);
    list->setObjectName(id);
    list->setGeometry(geometry);
    return list;
}

void AddItem(QListWidget* list, const QString& text, int code)
{
    auto item = new QListWidgetItem(text, list);
    item->setData(Qt::UserRole, code);
}

}  // namespace

CEngineView::CEngineView(EngineViewHost& app, CEngineDoc& document, QWidget* parent)
    : QWidget(parent),
      m_app(app),
      m_document(document),
      m_target(this),
      m_services(MakeList(QStringLiteral("1035"), kServicesRect, this)),
      m_applications(MakeList(QStringLiteral("1036"), kApplicationsRect, this)),
      m_pbxs(MakeList(QStringLiteral("1037"), kPbxsRect, this)),
      m_information(MakeList(QStringLiteral("1038"), kInformationRect, this))
{
    const QImage& skin = m_app.SkinBitmap();
    if (skin.isNull())
        setFixedSize(kDefaultWidth, kDefaultHeight);
    else
        setFixedSize(skin.size());

    m_messages.On(CPbxChannelBase::DefaultMessage(), [this](std::uint64_t w, std::int64_t l) { StorePbxEvent(w, l); });
    m_messages.On(kClientDatagramMessage, [this](std::uint64_t w, std::int64_t l) { OnClientDatagram(w, l); });
    m_messages.On(kPbxEventMessage, [this](std::uint64_t w, std::int64_t l) { OnPbxEvent(w, l); });
}

bool CEngineView::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QWidget::event(event);
}

void CEngineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& skin = m_app.SkinBitmap();
    if (skin.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(0, 0, skin);
}

void CEngineView::SetEventHandlers(PbxEventProcessor* processor, ClientDatagramHandler* clientHandler)
{
    m_processor = processor;
    m_clientHandler = clientHandler;
}

void CEngineView::SetIncomingCallPopupFactory(IncomingCallPopupFactory factory)
{
    m_popupFactory = std::move(factory);
    if (m_callHandler)
        m_callHandler->SetPopupFactory(m_popupFactory);
}

void CEngineView::SetCallNotificationHandler(CallNotificationHandler* handler)
{
    m_callHandler = handler;
    if (m_callHandler) {
        m_callHandler->SetPopupFactory(m_popupFactory);
        m_callHandler->SetSharedAddressBook(m_operatorConsoleAvailable);
    }
}

void CEngineView::SetLinkSupervisor(LinkSupervisor* supervisor)
{
    m_linkSupervisor = supervisor;
    if (m_linkSupervisor)
        m_linkTimer.start(kLinkTimerMs, this);
    else
        m_linkTimer.stop();
}

void CEngineView::RunRingTimer(bool run)
{
    if (run)
        m_ringTimer.start(kRingTimerMs, this);
    else
        m_ringTimer.stop();
}

void CEngineView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_linkTimer.timerId())
        OnTimer(kLinkTimer);
    else if (event->timerId() == m_ringTimer.timerId())
        OnTimer(kRingTimer);
    else
        QWidget::timerEvent(event);
}

void CEngineView::OnTimer(int timer)
{
    if (timer == kLinkTimer && m_linkSupervisor)
        m_linkSupervisor->Tick();
    else if (timer == kRingTimer && m_callHandler)
        m_callHandler->OnRingTimer();
}

void CEngineView::StorePbxEvent(std::uint64_t wParam, std::int64_t lParam)
{
    if (m_processor)
        m_processor->StorePbxEvent(wParam, lParam);
}

void CEngineView::OnClientDatagram(std::uint64_t wParam, std::int64_t lParam)
{
    if (m_clientHandler)
        m_clientHandler->OnClientDatagram(wParam, lParam);
}

void CEngineView::OnPbxEvent(std::uint64_t wParam, std::int64_t lParam)
{
    if (m_callHandler)
        m_callHandler->OnPbxEvent(wParam, lParam);
}

void CEngineView::ApplySkinRegion()
{
    QWidget* window = this->window();
    if (!window || m_app.SkinRegion().isEmpty())
        return;
    window->setMask(m_app.SkinRegion());
    window->update();
}

void CEngineView::RefreshStatusBoard(int part, int)
{
    FillServices();
    FillApplications();
    FillPbxs();
    if (part == kGeneralInformation)
        WriteGeneralInformation();
}

void CEngineView::FillServices()
{
    m_services->clear();
    AddItem(m_services, QStringLiteral("Engine"), kEngineItem);
    AddItem(m_services, QStringLiteral("Tapi Driver"), kTapiDriverItem);
}

void CEngineView::FillApplications()
{
    m_applications->clear();
    m_operatorConsoleAvailable = false;
    for (const Application& application : kApplications) {
        const QString name = QString::fromLatin1(application.name);
        if (!FileExists(GetSuiteFolder() + name + u'/' + name))
            continue;
        AddItem(m_applications, name, application.code);
        if (application.code == kOperatorConsoleItem)
            m_operatorConsoleAvailable = true;
    }
    if (m_callHandler)
        m_callHandler->SetSharedAddressBook(m_operatorConsoleAvailable);
}

void CEngineView::FillPbxs()
{
    m_pbxs->clear();
    CSqlDatabase& database = m_app.Database();
    if (m_app.IsServerMode()) {
        for (int pbx = 0; pbx < std::min(database.PbxCount(), kMaxPbxLinks); ++pbx)
            AddItem(m_pbxs, database.PbxIdentifier(pbx), pbx);
    } else {
        const int bound = m_app.GetAssociatedPbx();
        AddItem(m_pbxs, database.PbxIdentifier(bound), bound);
    }
}

QString CEngineView::ModeText() const
{
    switch (m_app.Installation().InstallationMode()) {
    case InstallationSettings::kModeServer: return LoadResString(kServerString);
    case InstallationSettings::kModeSimulation: return LoadResString(kSimulationString);
    default: return LoadResString(kClientString);
    }
}

void CEngineView::WriteGeneralInformation()
{
    m_information->clear();
    m_information->addItem(LoadResString(kProductNameString) + u' ' + QString::fromLatin1(CAboutDlg::kVersion));
    m_information->addItem(QString());
    for (unsigned id = kMakerFirstString; id <= kMakerLastString; ++id)
        m_information->addItem(LoadResString(id));
    m_information->addItem(QString());
    const InstallationSettings& installation = m_app.Installation();
    if (!installation.IsLoaded())
        return;
    m_information->addItem(LoadResString(kConfigurationString) + kCaptionSeparator + ModeText());
    if (installation.InstallationMode() == InstallationSettings::kModeClient)
        m_information->addItem(LoadResString(kServerString) + kCaptionSeparator + installation.ServerName());
}

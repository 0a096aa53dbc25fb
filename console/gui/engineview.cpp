#include "engineview.h"

#include "aboutdlg.h"
#include "boundpbxrecords.h"
#include "callnotificationhandler.h"
#include "clientdatagramhandler.h"
#include "extensioncallstate.h"
#include "extbutton.h"
#include "folders.h"
#include "hoverbutton.h"
#include "incomingcalldlg.h"
#include "installationsettings.h"
#include "enginesettings.h"
#include "mainframe.h"
#include "noeraselistctrl.h"
#include "linksupervisor.h"
#include "pbxchannelbase.h"
#include "pbxeventprocessor.h"
#include "pbxinitialization.h"
#include "process.h"
#include "servicesettings.h"
#include "sqldatabase.h"
#include "stringtable.h"
#include "suitebitmaps.h"
#include "transparentlistbox.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QUrl>

#include <algorithm>

namespace {

constexpr unsigned kProductNameString = 1003;
constexpr unsigned kMakerFirstString = 1004;
constexpr unsigned kMakerLastString = 1008;
constexpr unsigned kWebAddressString = 1008;
constexpr unsigned kConfigurationString = 1014;
constexpr unsigned kServerString = 1015;
constexpr unsigned kClientString = 1016;
constexpr unsigned kOperatorString = 1017;
constexpr unsigned kStateString = 1020;
constexpr unsigned kStartErrorString = 1021;
constexpr unsigned kCodeString = 1022;
constexpr unsigned kOkString = 1023;
constexpr unsigned kPbxString = 1028;
constexpr unsigned kSimulationString = 1108;
constexpr unsigned kResourceString = 10027;
constexpr unsigned kExtensionCountString = 10060;
constexpr unsigned kLineCountString = 10061;
constexpr unsigned kEntryPhoneCountString = 10062;
constexpr unsigned kVersionString = 10063;
// The texts of the outcomes: extension states, link, engine and TAPI-link start codes.
constexpr unsigned kExtensionStateTexts = 14000;
constexpr unsigned kLinkStatusTexts = 15000;
constexpr unsigned kEngineOutcomeTexts = 16000;
constexpr unsigned kTapiOutcomeTexts = 17000;
// Captions above the lists: services, applications, PBXs, information.
constexpr unsigned kServicesCaption = 1032;
constexpr unsigned kApplicationsCaption = 1033;
constexpr unsigned kPbxsCaption = 1034;
constexpr unsigned kInformationCaption = 1035;
const QString kCaptionSeparator = QStringLiteral(": ");
const QString kBullet = QStringLiteral(" - ");

// The outcome ranges that the images and the information lines tell apart.
constexpr std::uint8_t kLastEngineStartError = 9;
constexpr std::uint8_t kLastTapiStartError = 5;

// The system's edge around the view's client area: the dialog's positions are given with it.
constexpr int kEdge = 2;
QRect Place(int x, int y, int width, int height) { return QRect(x - kEdge, y - kEdge, width, height); }
const QRect kHideButtonRect = Place(544, 41, 20, 20);
const QRect kMinimiseButtonRect = Place(534, 21, 20, 20);
const QRect kAboutButtonRect = Place(512, 12, 20, 20);
const QRect kServicesRect = Place(248, 120, 266, 70);
const QRect kApplicationsRect = Place(248, 209, 266, 70);
const QRect kPbxsRect = Place(248, 299, 266, 70);
const QRect kInformationRect = Place(66, 125, 169, 236);
const QRect kWebButtonRect = Place(192, 389, 198, 20);
constexpr int kWebButtonWidth = 200;
constexpr int kWebButtonHeight = 20;
constexpr std::uint16_t kWebButtonBitmap = 165;
constexpr int kRoundButtonSize = 20;
constexpr std::uint16_t kHideButtonBitmap = 143;
constexpr std::uint16_t kMinimiseButtonBitmap = 146;
constexpr std::uint16_t kAboutButtonBitmap = 148;
constexpr int kFontPixels = 11;
// The subtitle under the name that the skin carries at its top left.
constexpr unsigned kSubtitleString = 10002;
const QRect kSubtitleRect(46, 58, 300, 20);
constexpr int kSubtitlePixels = 12;
const QColor kSubtitleColour(0xdd, 0xe7, 0xf1);

// The bitmaps of the image list, by image number.
constexpr int kImageBitmaps[CEngineView::kImageCount] = {168, 167, 169, 170, 172, 171, 176, 177, 173,
                                                          175, 174, 181, 182, 183, 185, 186, 187};
// Images of the lists' items.
constexpr int kEngineOkImage = 0;
constexpr int kEngineFailedImage = 1;
constexpr int kEngineStartErrorImage = 2;
constexpr int kTapiOkImage = 3;
constexpr int kTapiFailedImage = 4;
constexpr int kTapiStartErrorImage = 5;
constexpr int kLinkOkImage = 6;
constexpr int kLinkFailedImage = 7;
constexpr int kCodeRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

// The programs of the suite on the board, with their images (the second in installation mode 4).
struct Application {
    const char* name;
    int code;
    int image;
    int simulationImage;
};
constexpr Application kApplications[] = {
    {"Fonivra", CEngineView::kOperatorConsoleItem, 8, 9},
    {"Tarivo", CEngineView::kRatingItem, 11, 12},
    {"Lodgix", CEngineView::kHotelItem, 14, 15},
};

// The products that the information list names, with their versions.
struct Product {
    const char* name;
    const char* version;
};
constexpr Product kEngineProduct{"Engine", "1.0.0.35"};
constexpr Product kTapiProduct{"Tapi Driver", "1.0.0.12"};
struct ApplicationProducts {
    int code;
    Product product;
    std::initializer_list<Product> plugIns;
};
const ApplicationProducts kApplicationProducts[] = {
    {CEngineView::kOperatorConsoleItem,
     {"Fonivra", "1.0.0.49"},
     {{"Service 1 plug-in", "1.0.0.9"}, {"Service 2 plug-in", "1.0.0.5"}, {"Service 3 plug-in", "1.0.0.3"}}},
    {CEngineView::kRatingItem, {"Tarivo", "1.0.0.25"}, {{"Call logger plug-in", "1.0.0.3"}}},
    {CEngineView::kHotelItem, {"Lodgix", "1.0.0.29"}, {{"Retimo plug-in", "1.0.0.2"}, {"ITC plug-in", "1.0.0.1"}}},
};

QString ProductLine(const Product& product)
{
    return QString::fromLatin1(product.name) + u' ' + QString::fromLatin1(product.version);
}

QString ProgramPath(const QString& name) { return GetSuiteFolder() + name + u'/' + name; }

QFont BoardFont(int weight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kFontPixels);
    font.setWeight(QFont::Weight(weight));
    font.setStyleHint(QFont::SansSerif);
    return font;
}

CNoEraseListCtrl* MakeList(int id, const QRect& geometry, QWidget* parent)
{
    auto list = new CNoEraseListCtrl(parent);
    list->setObjectName(QString::number(id));
    list->setGeometry(geometry);
    list->setViewMode(QListView::IconMode);
    list->setFlow(QListView::LeftToRight);
    list->setMovement(QListView::Static);
    // Items past the width go to the next row, and the list scrolls to them: up to five PBXs stay reachable.
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setIconSize(QSize(CEngineView::kImageSize, CEngineView::kImageSize));
    return list;
}

}  // namespace

CEngineView::CEngineView(EngineViewHost& app, CEngineDoc& document, QWidget* parent)
    : QWidget(parent),
      m_app(app),
      m_document(document),
      m_target(this),
      m_boldFont(BoardFont(QFont::Bold)),
      m_normalFont(BoardFont(QFont::Normal)),
      m_openAddress([](const QString& address) { QDesktopServices::openUrl(QUrl::fromUserInput(address)); })
{
    const QImage& skin = m_app.SkinBitmap();
    if (skin.isNull())
        setFixedSize(kDefaultWidth, kDefaultHeight);
    else
        setFixedSize(skin.size());
    CreateControls();
    LoadImages();

    // The popup is a window of its own on the desktop; its choices come back to this view, its incoming
    // text goes to the frame's notification icon.
    SetIncomingCallPopupFactory([this] {
        CIncomingCallDlg::Services services;
        services.view = &m_target;
        services.setIncomingCallText = [this](const QString& text) {
            if (auto frame = qobject_cast<CMainFrame*>(window()))
                frame->SetBalloonText(text);
        };
        services.ringMuted = [this] { return m_app.Settings().ringSoundOff != 0; };
        return std::make_unique<CIncomingCallDlg>(std::move(services));
    });

    m_messages.On(CPbxChannelBase::DefaultMessage(), [this](std::uint64_t w, std::int64_t l) { StorePbxEvent(w, l); });
    m_messages.On(kClientDatagramMessage, [this](std::uint64_t w, std::int64_t l) { OnClientDatagram(w, l); });
    m_messages.On(kPbxEventMessage, [this](std::uint64_t w, std::int64_t l) { OnPbxEvent(w, l); });
    m_messages.On(kRedrawInformationMessage, [this](std::uint64_t, std::int64_t) { RedrawInformationList(); });
    m_messages.On(kNotifyMessage, [this](std::uint64_t id, std::int64_t code) { OnNotify(int(id), code); });
}

CEngineView::~CEngineView() = default;

void CEngineView::CreateControls()
{
    m_webButton = new CExtButton(0, CExtButton::kRectangle, kWebButtonWidth, kWebButtonHeight, kWebButtonBitmap, 0, 0, 1, this);
    m_webButton->setObjectName(QString::number(kWebButton));
    m_webButton->setGeometry(kWebButtonRect);
    connect(m_webButton, &CExtButton::clicked, this, [this] { m_openAddress(LoadResString(kWebAddressString)); });

    m_pbxs = MakeList(kPbxsList, kPbxsRect, this);
    m_services = MakeList(kServicesList, kServicesRect, this);
    m_applications = MakeList(kApplicationsList, kApplicationsRect, this);
    for (CNoEraseListCtrl* list : {m_services, m_applications, m_pbxs}) {
        const int id = list->objectName().toInt();
        list->setFont(m_normalFont);
        connect(list, &QListWidget::itemClicked, this, [this, id] { OnNotify(id, kClickNotification); });
        connect(list, &QListWidget::itemDoubleClicked, this, [this, id] { OnNotify(id, kDoubleClickNotification); });
        connect(list, &CNoEraseListCtrl::FocusLost, this, [this, id] { OnNotify(id, kKillFocusNotification); });
    }

    m_information = new CTransparentListBox(this);
    m_information->setObjectName(QString::number(kInformationList));
    m_information->setGeometry(kInformationRect);
    m_information->setFont(m_normalFont);

    struct Round {
        CHoverButton*& button;
        int id;
        std::uint16_t bitmap;
        QRect place;
    };
    for (const Round& round : {Round{m_hideButton, kHideButton, kHideButtonBitmap, kHideButtonRect},
                               Round{m_minimiseButton, kMinimiseButton, kMinimiseButtonBitmap, kMinimiseButtonRect},
                               Round{m_aboutButton, kAboutButton, kAboutButtonBitmap, kAboutButtonRect}}) {
        round.button = new CHoverButton(0, 0, kRoundButtonSize, kRoundButtonSize, 0, 0, round.bitmap, this);
        round.button->setObjectName(QString::number(round.id));
        round.button->setGeometry(round.place);
    }
    connect(m_hideButton, &CHoverButton::clicked, this, [this] { PostToMainWindow(kHideToIconMessage, 0, 0); });
    connect(m_minimiseButton, &CHoverButton::clicked, this, [this] { window()->showMinimized(); });
    connect(m_aboutButton, &CHoverButton::clicked, this, [this] { PostToMainWindow(WM_COMMAND, kAboutCommand, 0); });
}

void CEngineView::LoadImages()
{
    for (int bitmap : kImageBitmaps)
        m_images << LoadBitmapResource(bitmap);
}

bool CEngineView::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QWidget::event(event);
}

QRect CEngineView::CaptionRect(const QWidget* control) const
{
    const QFontMetrics metrics(m_boldFont);
    const int top = control->y() - 2 - (metrics.height() + metrics.leading());
    return QRect(control->x(), top, control->width(), metrics.height());
}

void CEngineView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& skin = m_app.SkinBitmap();
    if (skin.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(0, 0, skin);
    // The subtitle under the program's name in the skin, in the user's language.
    QFont subtitle(QStringLiteral("Liberation Sans"));
    subtitle.setPixelSize(kSubtitlePixels);
    subtitle.setStyleHint(QFont::SansSerif);
    painter.setFont(subtitle);
    painter.setPen(kSubtitleColour);
    painter.drawText(kSubtitleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     LoadResString(kSubtitleString));
    painter.setFont(m_boldFont);
    painter.setPen(Qt::black);
    const std::pair<const QWidget*, unsigned> captions[] = {{m_services, kServicesCaption},
                                                            {m_applications, kApplicationsCaption},
                                                            {m_pbxs, kPbxsCaption},
                                                            {m_information, kInformationCaption}};
    for (const auto& [control, text] : captions)
        painter.drawText(CaptionRect(control), Qt::AlignHCenter | Qt::AlignTop, LoadResString(text));
    if (!m_firstPaint) {
        m_firstPaint = true;
        m_firstRedraw.start(kFirstRedrawMs, this);
    }
}

void CEngineView::RedrawInformationList()
{
    m_information->RecreateBackground();
    m_information->hide();
    m_information->show();
}

void CEngineView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragPoint = event->position().toPoint();
    QWidget::mousePressEvent(event);
}

void CEngineView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragPoint = QPoint(-1, -1);
    QWidget::mouseReleaseEvent(event);
}

void CEngineView::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    if (m_dragPoint == QPoint(-1, -1))
        return;
    QWidget* frame = window();
    const QPoint point = mapTo(frame, event->position().toPoint());
    const QRect inner = frame->rect().adjusted(kDragBorder, kDragBorder, -kDragBorder, -kDragBorder);
    if (!inner.contains(point)) {
        m_dragPoint = QPoint(-1, -1);
        return;
    }
    frame->move(frame->pos() + (event->position().toPoint() - m_dragPoint));
}

void CEngineView::PostToMainWindow(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam)
{
    QtMessageTarget(window()).Post(message, wParam, lParam);
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
        m_callHandler->SetSharedAddressBook(m_sharedAddressBook != 0);
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
    if (event->timerId() == m_firstRedraw.timerId()) {
        // Timer 3: once only.
        m_firstRedraw.stop();
        RedrawInformationList();
    } else if (event->timerId() == m_linkTimer.timerId())
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

// --- The lists ---

CNoEraseListCtrl* CEngineView::ListById(int controlId) const
{
    switch (controlId) {
    case kServicesList: return m_services;
    case kApplicationsList: return m_applications;
    case kPbxsList: return m_pbxs;
    default: return nullptr;
    }
}

int CEngineView::ItemImage(const CNoEraseListCtrl* list, int code)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(kCodeRole).toInt() == code)
            return list->item(row)->data(kImageRole).toInt();
    return -1;
}

void CEngineView::SetItemImage(CNoEraseListCtrl* list, int code, int image)
{
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->data(kCodeRole).toInt() != code)
            continue;
        item->setData(kImageRole, image);
        item->setIcon(QIcon(QPixmap::fromImage(m_images.value(image))));
    }
}

void CEngineView::UpdateServices()
{
    if (m_services->count() == 0) {
        for (const auto& [product, code] : {std::pair{kEngineProduct, kEngineItem}, std::pair{kTapiProduct, kTapiDriverItem}}) {
            auto item = new QListWidgetItem(QString::fromLatin1(product.name), m_services);
            item->setData(kCodeRole, code);
        }
    }
    const std::uint8_t engine = m_app.EngineOutcome();
    SetItemImage(m_services, kEngineItem,
                 engine == 0 ? kEngineOkImage : engine <= kLastEngineStartError ? kEngineStartErrorImage : kEngineFailedImage);
    const std::uint8_t tapi = m_app.TapiOutcome();
    SetItemImage(m_services, kTapiDriverItem,
                 tapi == 0 ? kTapiOkImage : tapi <= kLastTapiStartError ? kTapiStartErrorImage : kTapiFailedImage);
}

void CEngineView::UpdateApplications()
{
    const bool simulation = m_app.Installation().InstallationMode() == InstallationSettings::kModeSimulation;
    if (m_applications->count() == 0) {
        m_sharedAddressBook = 0;
        for (const Application& application : kApplications) {
            const QString name = QString::fromLatin1(application.name);
            if (!FileExists(ProgramPath(name)))
                continue;
            auto item = new QListWidgetItem(name, m_applications);
            item->setData(kCodeRole, application.code);
            if (application.code == kOperatorConsoleItem)
                m_sharedAddressBook = 1;
        }
        if (m_callHandler)
            m_callHandler->SetSharedAddressBook(m_sharedAddressBook != 0);
    }
    for (const Application& application : kApplications)
        SetItemImage(m_applications, application.code, simulation ? application.simulationImage : application.image);
}

void CEngineView::UpdatePbxs()
{
    CSqlDatabase& database = m_app.Database();
    if (m_pbxs->count() == 0) {
        QList<int> positions;
        if (m_app.IsServerMode()) {
            for (int pbx = 0; pbx < std::min(database.PbxCount(), kMaxPbxLinks); ++pbx)
                positions << pbx;
        } else {
            positions << m_app.GetAssociatedPbx();
        }
        for (int pbx : positions) {
            auto item = new QListWidgetItem(database.PbxIdentifier(pbx), m_pbxs);
            item->setData(kCodeRole, pbx);
        }
    }
    for (int row = 0; row < m_pbxs->count(); ++row) {
        const int pbx = m_pbxs->item(row)->data(kCodeRole).toInt();
        SetItemImage(m_pbxs, pbx, m_app.LinkStatus(pbx) == 0 ? kLinkOkImage : kLinkFailedImage);
    }
}

void CEngineView::OnNotify(int controlId, std::int64_t code)
{
    CNoEraseListCtrl* list = ListById(controlId);
    if (!list)
        return;
    if (code == kClickNotification)
        OnListClick(controlId);
    else if (code == kDoubleClickNotification && controlId == kApplicationsList)
        OnApplicationDoubleClick();
    else if (code == kDoubleClickNotification && controlId == kServicesList)
        OnServiceDoubleClick();
    list->viewport()->update();
}

void CEngineView::OnListClick(int controlId)
{
    CNoEraseListCtrl* list = ListById(controlId);
    QListWidgetItem* item = list->currentItem();
    if (!item || !item->isSelected())
        return;
    const int part = controlId == kServicesList ? kServiceInformation
                   : controlId == kApplicationsList ? kApplicationInformation : kPbxInformation;
    RefreshStatusBoard(part, item->data(kCodeRole).toInt());
}

void CEngineView::OnServiceDoubleClick()
{
    QListWidgetItem* item = m_services->currentItem();
    if (!item || !item->isSelected())
        return;
    OpenServiceSettings(item->data(kCodeRole).toInt(), m_app, this);
}

void CEngineView::OnApplicationDoubleClick()
{
    QListWidgetItem* item = m_applications->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString path = ProgramPath(name);
    // The window goes behind its icon first, then the program starts in its own folder with its path as
    // the one parameter. A program that does not start says nothing.
    PostToMainWindow(kHideToIconMessage, 0, 0);
    StartDetachedProcess(path, {u'"' + path + u'"'}, GetSuiteFolder() + name + u'/');
}

// --- The information list ---

void CEngineView::RefreshStatusBoard(int part, int item)
{
    UpdateServices();
    UpdateApplications();
    UpdatePbxs();
    if (part < kGeneralInformation || part > kPbxInformation)
        return;
    m_information->ResetContent(true);
    switch (part) {
    case kGeneralInformation: WriteGeneralInformation(); break;
    case kServiceInformation: WriteServiceInformation(item); break;
    case kApplicationInformation: WriteApplicationInformation(item); break;
    default: WritePbxInformation(item); break;
    }
}

QStringList CEngineView::InformationLines() const
{
    QStringList lines;
    for (int index = 0; index < m_information->Count(); ++index)
        lines << m_information->LineText(index);
    return lines;
}

void CEngineView::AddLine(const QString& text) { m_information->InsertLine(-1, text); }

QString CEngineView::Caption(unsigned id) const { return LoadResString(id) + kCaptionSeparator; }

QString CEngineView::ModeText() const
{
    switch (m_app.Installation().InstallationMode()) {
    case InstallationSettings::kModeServer: return LoadResString(kServerString);
    case InstallationSettings::kModeSimulation: return LoadResString(kSimulationString);
    default: return LoadResString(kClientString);
    }
}

void CEngineView::AddModeLines()
{
    const InstallationSettings& installation = m_app.Installation();
    AddLine(Caption(kConfigurationString) + ModeText());
    if (installation.InstallationMode() == InstallationSettings::kModeClient)
        AddLine(Caption(kServerString) + installation.ServerName());
}

void CEngineView::AddOperatorLines()
{
    AddLine(LoadResString(kOperatorString) + u':');
    const int pbx = m_app.GetAssociatedPbx();
    const QString identifier = m_app.Database().PbxIdentifier(pbx);
    AddLine(kBullet + (identifier.isEmpty() ? QStringLiteral("PBX.%1").arg(pbx) : identifier));
    AddLine(kBullet + m_app.GetExtensionLabel(m_app.GetAssociatedExtension()));
}

void CEngineView::AddStartError(std::uint8_t outcome, const QString& code, unsigned textBase)
{
    AddLine(Caption(kStateString) + LoadResString(kStartErrorString));
    AddLine(Caption(kCodeString) + code);
    AddLine(LoadResString(textBase + outcome));
}

void CEngineView::WriteGeneralInformation()
{
    AddLine(LoadResString(kProductNameString) + u' ' + QString::fromLatin1(CAboutDlg::kVersion));
    AddLine(QString());
    for (unsigned id = kMakerFirstString; id <= kMakerLastString; ++id)
        AddLine(LoadResString(id));
    AddLine(QString());
    if (!m_app.Installation().IsLoaded())
        return;
    AddModeLines();
    AddLine(QString());
    AddOperatorLines();
}

void CEngineView::WriteServiceInformation(int item)
{
    if (item == kEngineItem) {
        AddLine(ProductLine(kEngineProduct));
        if (m_app.Installation().IsLoaded())
            AddModeLines();
        AddLine(QString());
        const std::uint8_t outcome = m_app.EngineOutcome();
        if (outcome >= 1 && outcome <= kLastEngineStartError) {
            const int code = outcome * 256 + m_app.EngineOutcomeDetail();
            AddStartError(outcome, QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0')), kEngineOutcomeTexts);
        } else {
            AddLine(Caption(kStateString) + LoadResString(kOkString));
        }
        return;
    }
    if (item != kTapiDriverItem)
        return;
    AddLine(ProductLine(kTapiProduct));
    AddOperatorLines();
    const std::uint8_t outcome = m_app.TapiOutcome();
    if (outcome >= 1 && outcome <= kLastTapiStartError) {
        AddStartError(outcome, QStringLiteral("%1").arg(outcome, 2, 16, QLatin1Char('0')), kTapiOutcomeTexts);
        return;
    }
    // The state of the bound extension, from its copy; without a copy there is no state to tell.
    std::vector<QByteArray>& extensions = m_app.BoundRecords().ExtensionStatus();
    const std::size_t extension = m_app.GetAssociatedExtension();
    constexpr qsizetype kStateByte = 2;
    QString state;
    if (extension < extensions.size() && extensions[extension].size() > kStateByte)
        state = LoadResString(kExtensionStateTexts + std::uint8_t(extensions[extension][kStateByte]));
    AddLine(Caption(kStateString) + state);
}

void CEngineView::WriteApplicationInformation(int item)
{
    for (const ApplicationProducts& application : kApplicationProducts) {
        if (application.code != item)
            continue;
        AddLine(ProductLine(application.product));
        for (const Product& plugIn : application.plugIns)
            AddLine(ProductLine(plugIn));
    }
}

void CEngineView::WritePbxInformation(int pbx)
{
    CSqlDatabase& database = m_app.Database();
    AddLine(Caption(kPbxString) + database.PbxIdentifier(pbx));
    const int port = database.PbxComNumber(pbx);
    AddLine(Caption(kResourceString) + (port == 0 ? QStringLiteral("LAN") : QStringLiteral("COM%1").arg(port)));
    AddLine(QString());
    const std::uint8_t status = m_app.LinkStatus(pbx);
    if (status != 0) {
        AddStartError(status, QStringLiteral("%1").arg(status, 2, 16, QLatin1Char('0')), kLinkStatusTexts);
        return;
    }
    AddLine(Caption(kStateString) + LoadResString(kOkString));
    AddLine(QString());
    QByteArray record;
    if (m_app.IsServerMode()) {
        if (database.ReadInitialization(pbx, record) != 0)
            record.clear();
    } else {
        record = m_app.BoundRecords().Initialization();
    }
    PbxInitialization initialization;
    std::copy_n(record.constData(), std::min<qsizetype>(record.size(), PbxInitialization::kSize),
                initialization.bytes.begin());
    AddLine(Caption(kExtensionCountString) + QString::number(initialization.ExtensionCount()));
    AddLine(Caption(kLineCountString) + QString::number(initialization.LineCount()));
    AddLine(Caption(kEntryPhoneCountString) + QString::number(initialization.EntryPhoneCount()));
    AddLine(Caption(kVersionString) + initialization.Version());
}

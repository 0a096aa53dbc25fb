#pragma once

#include "engineviewhost.h"
#include "incomingcallpopup.h"
#include "messagetarget.h"

#include <QBasicTimer>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class CallNotificationHandler;
class CEngineDoc;
class CExtButton;
class CHoverButton;
class CNoEraseListCtrl;
class CTransparentListBox;
class LinkSupervisor;
class ClientDatagramHandler;
class PbxEventProcessor;

// The console's only view: the status board of the engine's services, the suite's programs and the
// installed PBXs, painted over the suite's skin, with its round buttons (hide to the icon, minimise,
// about) and the maker's web address. It is the window that the PBX channels, the client listener and the
// TAPI listener post to. The window has no caption: it is dragged by the skin.
class CEngineView : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kClientDatagramMessage = WM_USER + 100;
    static constexpr std::uint32_t kPbxEventMessage = WM_USER + 101;
    static constexpr std::uint32_t kRedrawInformationMessage = WM_USER + 61;
    static constexpr std::uint32_t kHideToIconMessage = WM_USER + 103;  // to the main window
    static constexpr std::uint32_t kAboutCommand = 57664;               // to the main window
    // WM_NOTIFY of a list: wParam the list's id, lParam the notification code.
    static constexpr std::uint32_t kNotifyMessage = 0x004E;
    static constexpr std::int64_t kClickNotification = -2;
    static constexpr std::int64_t kDoubleClickNotification = -3;
    static constexpr std::int64_t kKillFocusNotification = -8;
    // Without a skin the board keeps the size that its controls need.
    static constexpr int kDefaultWidth = 568;
    static constexpr int kDefaultHeight = 424;
    // The parts of the board that RefreshStatusBoard rewrites besides the lists.
    static constexpr int kListsOnly = 0;
    static constexpr int kGeneralInformation = 1;
    static constexpr int kServiceInformation = 2;
    static constexpr int kApplicationInformation = 3;
    static constexpr int kPbxInformation = 4;
    // Item codes of the lists.
    static constexpr int kEngineItem = 0;
    static constexpr int kOperatorConsoleItem = 1;
    static constexpr int kTapiDriverItem = 2;
    static constexpr int kRatingItem = 3;
    static constexpr int kHotelItem = 5;
    // Control ids.
    static constexpr int kServicesList = 1035;
    static constexpr int kApplicationsList = 1036;
    static constexpr int kPbxsList = 1037;
    static constexpr int kInformationList = 1038;
    static constexpr int kHideButton = 1032;
    static constexpr int kMinimiseButton = 1033;
    static constexpr int kAboutButton = 1034;
    static constexpr int kWebButton = 1110;
    // The images of the lists, 42 x 42, by their place in the image list.
    static constexpr int kImageCount = 17;
    static constexpr int kImageSize = 42;
    // Timer 3 redraws the information list once, this long after the first painting.
    static constexpr int kFirstRedrawMs = 100;
    // A drag ends when the pointer comes this near to the window's border.
    static constexpr int kDragBorder = 5;

    // Opens the maker's web address; the default hands it to the desktop's browser.
    using AddressOpener = std::function<void(const QString& address)>;

    CEngineView(EngineViewHost& app, CEngineDoc& document, QWidget* parent = nullptr);
    ~CEngineView() override;

    // Posts into this view's message queue, from any thread.
    MessageTarget& Target() { return m_target; }
    CEngineDoc& GetDocument() { return m_document; }

    // Brings the three lists up to date with the engine and, for parts 1 to 4, rewrites the information
    // list: 1 the general lines, 2 a service, 3 an application, 4 a PBX (the item is the list's item code).
    void RefreshStatusBoard(int part, int item);
    // Gives the main window the shape of the skin.
    void ApplySkinRegion();

    // Whether the operator console is installed on this workstation (its item is on the board); caller
    // names then come from the shared address book.
    bool IsOperatorConsoleAvailable() const { return m_sharedAddressBook != 0; }

    // Where the PBX channels' frames and the client listener's datagrams go; either may be null.
    void SetEventHandlers(PbxEventProcessor* processor, ClientDatagramHandler* clientHandler);

    // What makes the incoming-call popup when a ring of the bound extension first needs one.
    void SetIncomingCallPopupFactory(IncomingCallPopupFactory factory);
    const IncomingCallPopupFactory& PopupFactory() const { return m_popupFactory; }

    // The call notifications of the bound extension, the popup's buttons and the TAPI driver's commands.
    void OnPbxEvent(std::uint64_t wParam, std::int64_t lParam);

    void SetAddressOpener(AddressOpener opener) { m_openAddress = std::move(opener); }

    // A list notification (click, double click, loss of focus) as the lists and the frame send them.
    void OnNotify(int controlId, std::int64_t code);

    CNoEraseListCtrl* ServicesList() const { return m_services; }
    CNoEraseListCtrl* ApplicationsList() const { return m_applications; }
    CNoEraseListCtrl* PbxList() const { return m_pbxs; }
    CTransparentListBox* InformationList() const { return m_information; }
    QStringList InformationLines() const;
    // The image of a list's item by its code; -1 when the list has no such item.
    static int ItemImage(const CNoEraseListCtrl* list, int code);
    const QList<QImage>& Images() const { return m_images; }
    // Where a caption is drawn above its control.
    QRect CaptionRect(const QWidget* control) const;
    bool IsFirstRedrawPending() const { return m_firstRedraw.isActive(); }
    // Timer 3 and WM_USER+61: the information list takes a new copy of the skin and is drawn again.
    void RedrawInformationList();
    // Timer 1 (the link check) and timer 2 (the ring repetition).
    static constexpr int kLinkTimer = 1;
    static constexpr int kRingTimer = 2;
    static constexpr int kLinkTimerMs = 10000;
    static constexpr int kRingTimerMs = 5000;
    // Where WM_USER+101 and timer 2 go, and the check that timer 1 runs (starting it); either may be null.
    void SetCallNotificationHandler(CallNotificationHandler* handler);
    void SetLinkSupervisor(LinkSupervisor* supervisor);
    // Starts (true) or kills timer 2.
    void RunRingTimer(bool run);
    bool IsRingTimerRunning() const { return m_ringTimer.isActive(); }
    bool IsLinkTimerRunning() const { return m_linkTimer.isActive(); }
    void OnTimer(int timer);


protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Frames from the PBX channels and datagrams of the client listener go to their handlers.
    void StorePbxEvent(std::uint64_t wParam, std::int64_t lParam);
    void OnClientDatagram(std::uint64_t wParam, std::int64_t lParam);

    void CreateControls();
    void LoadImages();
    void UpdateServices();
    void UpdateApplications();
    void UpdatePbxs();
    void SetItemImage(CNoEraseListCtrl* list, int code, int image);
    CNoEraseListCtrl* ListById(int controlId) const;
    void OnListClick(int controlId);
    void OnServiceDoubleClick();
    void OnApplicationDoubleClick();
    void PostToMainWindow(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);

    // The information list's parts.
    void WriteGeneralInformation();
    void WriteServiceInformation(int item);
    void WriteApplicationInformation(int item);
    void WritePbxInformation(int pbx);
    void AddLine(const QString& text);
    void AddModeLines();
    void AddOperatorLines();
    void AddStartError(std::uint8_t outcome, const QString& code, unsigned textBase);
    QString Caption(unsigned id) const;
    QString ModeText() const;

    EngineViewHost& m_app;
    CEngineDoc& m_document;
    QtMessageTarget m_target;
    MessageMap m_messages;
    CExtButton* m_webButton = nullptr;
    CNoEraseListCtrl* m_pbxs = nullptr;
    CNoEraseListCtrl* m_services = nullptr;
    CNoEraseListCtrl* m_applications = nullptr;
    CTransparentListBox* m_information = nullptr;
    CHoverButton* m_hideButton = nullptr;
    CHoverButton* m_minimiseButton = nullptr;
    CHoverButton* m_aboutButton = nullptr;
    QPoint m_dragPoint{-1, -1};
    QList<QImage> m_images;
    QFont m_boldFont;
    QFont m_normalFont;
    std::uint8_t m_sharedAddressBook = 0;
    bool m_firstPaint = false;
    QBasicTimer m_firstRedraw;
    PbxEventProcessor* m_processor = nullptr;
    ClientDatagramHandler* m_clientHandler = nullptr;
    IncomingCallPopupFactory m_popupFactory;
    AddressOpener m_openAddress;
    CallNotificationHandler* m_callHandler = nullptr;
    LinkSupervisor* m_linkSupervisor = nullptr;
    QBasicTimer m_linkTimer;
    QBasicTimer m_ringTimer;
};

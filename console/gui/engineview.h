#pragma once

#include "engineviewhost.h"
#include "incomingcallpopup.h"
#include "messagetarget.h"

#include <QBasicTimer>
#include <QWidget>

#include <cstdint>

class CallNotificationHandler;
class CEngineDoc;
class LinkSupervisor;
class ClientDatagramHandler;
class PbxEventProcessor;
class QListWidget;

// The console's only view: the status board of the engine's services, the suite's programs and the
// installed PBXs, painted over the suite's skin. It is the window that the PBX channels, the client
// listener and the TAPI listener post to.
class CEngineView : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kClientDatagramMessage = WM_USER + 100;
    static constexpr std::uint32_t kPbxEventMessage = WM_USER + 101;
    static constexpr std::uint32_t kRedrawInformationMessage = WM_USER + 61;
    static constexpr int kDefaultWidth = 557;
    static constexpr int kDefaultHeight = 434;
    // The parts of the board that RefreshStatusBoard rewrites besides the lists.
    static constexpr int kListsOnly = 0;
    static constexpr int kGeneralInformation = 1;
    // Item codes of the lists.
    static constexpr int kEngineItem = 0;
    static constexpr int kOperatorConsoleItem = 1;
    static constexpr int kTapiDriverItem = 2;
    static constexpr int kRatingItem = 3;
    static constexpr int kHotelItem = 5;

    CEngineView(EngineViewHost& app, CEngineDoc& document, QWidget* parent = nullptr);

    // Posts into this view's message queue, from any thread.
    MessageTarget& Target() { return m_target; }
    CEngineDoc& GetDocument() { return m_document; }

    // Brings the lists up to date with the engine and, with kGeneralInformation, writes the general lines.
    void RefreshStatusBoard(int part, int item);
    // Gives the main window the shape of the skin.
    void ApplySkinRegion();

    // Whether the operator console is installed on this workstation (its item is on the board); caller
    // names then come from the shared address book.
    bool IsOperatorConsoleAvailable() const { return m_operatorConsoleAvailable; }

    // Where the PBX channels' frames and the client listener's datagrams go; either may be null.
    void SetEventHandlers(PbxEventProcessor* processor, ClientDatagramHandler* clientHandler);

    // What makes the incoming-call popup when a ring of the bound extension first needs one.
    void SetIncomingCallPopupFactory(IncomingCallPopupFactory factory);
    const IncomingCallPopupFactory& PopupFactory() const { return m_popupFactory; }

    // The call notifications of the bound extension, the popup's buttons and the TAPI driver's commands.
    void OnPbxEvent(std::uint64_t wParam, std::int64_t lParam);

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

    QListWidget* ServicesList() const { return m_services; }
    QListWidget* ApplicationsList() const { return m_applications; }
    QListWidget* PbxList() const { return m_pbxs; }
    QListWidget* InformationList() const { return m_information; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // Frames from the PBX channels and datagrams of the client listener go to their handlers.
    void StorePbxEvent(std::uint64_t wParam, std::int64_t lParam);
    void OnClientDatagram(std::uint64_t wParam, std::int64_t lParam);

    void FillServices();
    void FillApplications();
    void FillPbxs();
    void WriteGeneralInformation();
    QString ModeText() const;

    EngineViewHost& m_app;
    CEngineDoc& m_document;
    QtMessageTarget m_target;
    MessageMap m_messages;
    QListWidget* m_services;
    QListWidget* m_applications;
    QListWidget* m_pbxs;
    QListWidget* m_information;
    bool m_operatorConsoleAvailable = false;
    PbxEventProcessor* m_processor = nullptr;
    ClientDatagramHandler* m_clientHandler = nullptr;
    IncomingCallPopupFactory m_popupFactory;
    CallNotificationHandler* m_callHandler = nullptr;
    LinkSupervisor* m_linkSupervisor = nullptr;
    QBasicTimer m_linkTimer;
    QBasicTimer m_ringTimer;
};

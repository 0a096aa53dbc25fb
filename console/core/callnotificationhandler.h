#pragma once

#include "incomingcallpopup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

class BoundPbxRecords;
class CContactCache;
class CEngineClient;
class CEventSender;
class CSqlDatabase;
class CUdpEventListener;

// Tells the person at this workstation about the calls of its own extension (the bound extension of the
// bound PBX), in one of two ways chosen by the engine settings' incoming-call handler: 0 the console's own
// popup with its balloon, any other value the TAPI driver, an outside program that shows the console as
// a modem and gets modem-style result texts on 127.0.0.1 (the TAPI sender) while it sends its modem
// commands to the TAPI listener.
//
// All of it arrives as the view's WM_USER+101, told apart by lParam: the call notifications of the event
// processing (0x1111), the popup's and balloon's buttons (0x2222), and the TAPI listener's datagrams
// (anything else; the low byte of wParam is the listener's slot). Nothing happens without an engine client
// or a TAPI listener. GUI thread only; engine requests block it up to 6 seconds each.
class CallNotificationHandler {
public:
    static constexpr std::int64_t kNotification = 0x1111;
    static constexpr std::int64_t kPopupButton = 0x2222;
    static constexpr std::uint64_t kNotificationTag = 0x11110000;
    static constexpr std::uint32_t kCallerIdBase = 0x80;  // n of a line's caller id: 0x80 + line
    static constexpr std::uint64_t kAcceptButton = 1059;
    static constexpr std::uint64_t kRejectButton = 1060;
    // Every engine request of this handler waits at most this long.
    static constexpr int kRequestSeconds = 6;
    // The TAPI call flag.
    static constexpr std::uint8_t kNoTapiCall = 0;
    static constexpr std::uint8_t kTapiDialled = 1;
    static constexpr std::uint8_t kTapiAnswered = 2;
    // Handler 0 is the console's own popup; any other value is the TAPI driver.
    static constexpr std::uint8_t kPopupHandler = 0;

    struct Services {
        // Asked at each message, as a restart of the engine replaces them; the sender may be null.
        std::function<const CEngineClient*()> engineClient;
        std::function<CUdpEventListener*()> tapiListener;
        std::function<CEventSender*()> tapiSender;
        BoundPbxRecords* boundRecords = nullptr;
        std::function<int()> boundPbx;
        std::function<int()> boundExtension;
        // Whether the bound PBX's link status is 0.
        std::function<bool()> boundLinkUp;
        // Byte 0 of the engine settings.
        std::function<std::uint8_t()> incomingCallHandler;
        CSqlDatabase* database = nullptr;
        // The contacts cache for caller names; may give null.
        std::function<CContactCache*()> contacts;
        // The fixed waits of the dial path; the thread sleeps when empty.
        std::function<void(std::chrono::milliseconds)> pause;
        // Starts (true) or kills (false) the ring repetition timer of the view.
        std::function<void(bool run)> ringTimer;
        IncomingCallPopupFactory popupFactory;
    };

    explicit CallNotificationHandler(Services services);
    ~CallNotificationHandler();

    // The view's WM_USER+101.
    void OnPbxEvent(std::uint64_t wParam, std::int64_t lParam);
    // One TAPI driver's datagram, as OnPbxEvent reads it from the listener's slot.
    void OnTapiCommand(QByteArrayView datagram);
    // Ring repetition (the view's timer 2).
    void OnRingTimer();

    // Set by the status board: caller names then come from the shared address book.
    void SetSharedAddressBook(bool shared) { m_sharedAddressBook = shared; }
    void SetPopupFactory(IncomingCallPopupFactory factory) { m_services.popupFactory = std::move(factory); }

    std::uint8_t TapiCallFlag() const { return m_tapiCallFlag; }
    IncomingCallPopup* Popup() const { return m_popup.get(); }

    // The command text of a datagram: its trailing CR, LF and NUL removed, nothing else.
    static QByteArray CommandText(QByteArrayView datagram);

private:
    void OnNotification(std::uint32_t n);
    void OnButton(std::uint64_t button);
    void AnnounceRingToDriver();
    void ShowRingInPopup();
    void OnCallerId(int line);
    void Answer();
    void Dial(const QByteArray& number);
    void HangUp();
    void HangUpOrReject();

    void Send(QByteArrayView text) const;
    void Pause(int ms) const;
    void RingTimer(bool run) const;
    bool UsesPopup() const;
    const QByteArray* BoundCopy() const;
    int BoundState() const;
    QString LineLabel(int line) const;
    QString ContactName(const QString& number) const;
    void ShowCallerId(const QString& number, int line);
    const CEngineClient& Client() const { return *m_client; }
    std::uint8_t Pbx() const;
    std::uint8_t Extension() const;

    Services m_services;
    const CEngineClient* m_client = nullptr;  // during one message
    std::uint8_t m_tapiCallFlag = kNoTapiCall;
    std::unique_ptr<IncomingCallPopup> m_popup;
    bool m_popupAllowed = false;
    QString m_savedLine2;
    QString m_savedLine1;
    bool m_sharedAddressBook = false;
};

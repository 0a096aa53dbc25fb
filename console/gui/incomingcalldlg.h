#pragma once

#include "callballoondlg.h"
#include "incomingcallpopup.h"
#include "messagetarget.h"
#include "paintedtexts.h"
#include "sound.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class CExtButton;
class CGif89a;
class QLabel;

// The window of a call ringing at this workstation's extension: a headline and two caller lines over the
// "TapBkImg.psx" picture, an animation of the call's state, accept and reject buttons, and the small
// balloon that it keeps in step. The view feeds it the call's states; the choices go back to the view as
// WM_USER+101 with lParam 0x2222. The window itself shows only when the balloon's "Mostra" asks for it.
class CIncomingCallDlg : public QDialog, public IncomingCallPopup, public PaintedTexts {
    Q_OBJECT
public:
    static constexpr int kHeadline = 1056;
    static constexpr int kLine1 = 1057;
    static constexpr int kLine2 = 1058;
    static constexpr int kAcceptButton = 1059;
    static constexpr int kRejectButton = 1060;
    static constexpr int kPicture = 1061;
    static constexpr std::uint32_t kShowCallPopupMessage = WM_USER + 109;
    // What the buttons post to the view.
    static constexpr std::uint32_t kViewMessage = WM_USER + 101;
    static constexpr std::int64_t kPopupChoice = 0x2222;
    static inline const QString kBackgroundFile = QStringLiteral("TapBkImg.psx");
    static inline const QString kRingFile = QStringLiteral("TapRngSnd.psx");
    // The window's client size when its picture is missing.
    static constexpr int kTemplateWidth = 430;
    static constexpr int kTemplateHeight = 250;
    // The last ringing state before the first "incoming" update.
    static constexpr std::uint8_t kNoRingingState = 255;

    // What the popup needs from the program.
    struct Services {
        MessageTarget* view = nullptr;                           // the buttons' choices
        std::function<void(const QString&)> setIncomingCallText;  // the notification icon's balloon text
        std::function<bool()> ringMuted;                          // byte 17 of the console's settings
        Sound::Player playSound = Sound::DefaultPlayer();
    };

    explicit CIncomingCallDlg(Services services);
    ~CIncomingCallDlg() override;

    // --- IncomingCallPopup ---
    void SetCallState(std::uint8_t state, const QString& line2, const QString& line1) override;
    void AllowPopup() override { m_popupAllowed = true; }
    void HideAll() override;
    bool HasWindow() const override { return true; }
    void PlayRingSound() override;

    // WM_USER+109, from the balloon's "Mostra".
    void OnShowPopup();
    void OnAccept();
    void OnReject();

    bool IsPopupAllowed() const { return m_popupAllowed; }
    bool IsShown() const { return m_shown; }
    bool HasBackground() const { return !m_background.isNull(); }
    CCallBalloonDlg* Balloon() const { return m_balloon; }
    CExtButton* AcceptButton() const { return m_accept; }
    CExtButton* RejectButton() const { return m_reject; }
    CGif89a* Picture() const { return m_picture; }
    QString StaticText(int id) const;
    QString Line1() const { return m_line1; }
    QString Line2() const { return m_line2; }
    // The headline and the two lines as painted (a long line elided); none without the picture.
    std::vector<PaintedText> TextsPainted() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowWithoutTakingFocus(QWidget& window, bool& firstShow);
    void PlayRing();

    Services m_services;
    QString m_line1;
    QString m_line2;
    std::uint8_t m_lastRingingState = kNoRingingState;
    QImage m_background;
    QFont m_font;
    bool m_shown = false;
    bool m_firstShow = true;
    bool m_popupAllowed = false;
    QPointer<CCallBalloonDlg> m_balloon;
    CExtButton* m_accept;
    CExtButton* m_reject;
    CGif89a* m_picture;
    QLabel* m_headline;
    QLabel* m_line1Static;
    QLabel* m_line2Static;
    MessageMap m_messages;
};

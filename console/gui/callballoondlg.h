#pragma once

#include "messagetarget.h"
#include "paintedtexts.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class CExtButton;
class QLabel;

// The small always-on-top window in the bottom-right corner of the work area that tells of a call ringing
// at this workstation's extension: three lines over the "BalBkImg.psx" picture and three buttons, accept,
// reject and show the whole call window. It has no logic of its own: its owner, the incoming-call popup,
// fills, shows and hides it and receives its buttons as WM_COMMAND 1059 / 1060 and WM_USER+109. It cannot
// be closed, moved or sized by the user, and showing it never takes the keyboard focus.
class CCallBalloonDlg : public QDialog, public PaintedTexts {
    Q_OBJECT
public:
    static constexpr int kLine1 = 1124;
    static constexpr int kLine2 = 1125;
    static constexpr int kLine3 = 1126;
    static constexpr int kAcceptButton = 1127;
    static constexpr int kRejectButton = 1128;
    static constexpr int kShowButton = 1129;
    // What the buttons post to the owner.
    static constexpr std::uint32_t kPopupAccept = 1059;
    static constexpr std::uint32_t kPopupReject = 1060;
    static constexpr std::uint32_t kShowCallPopupMessage = WM_USER + 109;
    // What "Mostra" posts to a running operator console: its bring-to-front request.
    static constexpr std::uint32_t kOperatorConsoleMessage = WM_USER + 101;
    static constexpr std::int64_t kBringToFront = 515;
    static inline const QString kBackgroundFile = QStringLiteral("BalBkImg.psx");
    // The outer frame that the window's rectangle counts around the client area: the dialog frame on each
    // side and the caption band above.
    static constexpr int kDialogFrame = 3;
    static constexpr int kCaptionBand = 19;

    explicit CCallBalloonDlg(QWidget* owner);
    ~CCallBalloonDlg() override;

    // New lines: kept, laid out, shown in the statics and drawn at once.
    void SetTexts(const QString& line1, const QString& line2, const QString& line3);
    // Sizes the controls to the texts and places the window at the bottom right of the work area.
    void Layout();

    // Set and cleared by the owner.
    bool m_shown = false;
    bool m_firstShow = true;

    QString Line(int index) const { return m_lines.at(std::size_t(index)); }
    const QFont& ControlFont(int index) const { return m_fonts.at(std::size_t(index)); }
    bool HasBackground() const { return !m_background.isNull(); }
    CExtButton* Button(int id) const;
    // The three lines in the places laid out for them; none without the picture.
    std::vector<PaintedText> TextsPainted() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    static constexpr std::size_t kControls = 6;

    void OnShow();
    // The window frame around the client area: the window manager's while shown, else the dialog frame
    // and caption band the layout counts with.
    QMargins FrameMargins() const;
    void PostToOwner(std::uint32_t message, std::uint64_t wParam);

    QImage m_background;
    CExtButton* m_accept;
    CExtButton* m_reject;
    CExtButton* m_show;
    std::array<QFont, kControls> m_fonts;
    std::array<QString, 3> m_lines;
    std::array<QLabel*, 3> m_statics{};
};

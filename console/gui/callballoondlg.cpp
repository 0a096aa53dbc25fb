#include "callballoondlg.h"

#include "extbutton.h"
#include "findwindow.h"
#include "folders.h"
#include "stringtable.h"
#include "workarea.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

constexpr unsigned kProductNameString = 1003;
constexpr unsigned kAcceptString = 10072;
constexpr unsigned kRejectString = 10073;
constexpr unsigned kShowString = 1105;
// The buttons as they are made, before the layout sizes them.
constexpr int kButtonWidth = 68;
constexpr int kButtonHeight = 23;
constexpr std::uint16_t kButtonBitmap = 184;
constexpr int kButtonCorner = 1;
constexpr int kFontPixels = 13;
// Room around the texts and between the controls.
constexpr int kMargin = 10;
constexpr int kButtonTextPadding = 12;

QFont BalloonFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(kFontPixels);
    font.setWeight(QFont::Bold);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// A font's character height and its internal leading, as the layout counts them.
int TextHeight(const QFont& font) { return QFontMetrics(font).height(); }
int InternalLeading(const QFont& font) { return std::max(0, QFontMetrics(font).height() - font.pixelSize()); }
int TextWidth(const QFont& font, const QString& text) { return QFontMetrics(font).horizontalAdvance(text); }

QRect WorkArea()
{
    const QRect work = DesktopWorkArea(QGuiApplication::primaryScreen());
    return work.isEmpty() ? QRect(0, 0, 1024, 768) : work;
}

}  // namespace

CCallBalloonDlg::CCallBalloonDlg(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      m_background(GetSharedFolder() + kBackgroundFile)
{
    setObjectName(QStringLiteral("180"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(u' ' + LoadResString(kProductNameString));
    m_fonts.fill(BalloonFont());

    for (std::size_t i = 0; i < m_statics.size(); ++i) {
        m_statics[i] = new QLabel(this);
        m_statics[i]->setObjectName(QString::number(kLine1 + int(i)));
        m_statics[i]->setFont(m_fonts[i]);
        m_statics[i]->hide();  // they carry the texts and places that the balloon paints itself
    }
    auto makeButton = [this](int id, unsigned caption) {
        auto button = new CExtButton(0, CExtButton::kRoundedRectangle, kButtonWidth, kButtonHeight, kButtonBitmap, 0, 0,
                                     kButtonCorner, this);
        button->setObjectName(QString::number(id));
        button->setFont(m_fonts[std::size_t(id - kLine1)]);
        button->SetTextMode(CExtButton::kSmallTextCentred);
        button->SetFollowLaidOutSize(true);  // the layout gives the buttons the width of their captions
        button->setText(LoadResString(caption));
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_accept = makeButton(kAcceptButton, kAcceptString);
    m_reject = makeButton(kRejectButton, kRejectString);
    m_show = makeButton(kShowButton, kShowString);
    connect(m_accept, &CExtButton::clicked, this, [this] { PostToOwner(WM_COMMAND, kPopupAccept); });
    connect(m_reject, &CExtButton::clicked, this, [this] { PostToOwner(WM_COMMAND, kPopupReject); });
    connect(m_show, &CExtButton::clicked, this, [this] { OnShow(); });
    Layout();
}

CCallBalloonDlg::~CCallBalloonDlg() = default;

CExtButton* CCallBalloonDlg::Button(int id) const
{
    switch (id) {
    case kAcceptButton: return m_accept;
    case kRejectButton: return m_reject;
    case kShowButton: return m_show;
    default: return nullptr;
    }
}

void CCallBalloonDlg::SetTexts(const QString& line1, const QString& line2, const QString& line3)
{
    m_lines = {line1, line2, line3};
    Layout();
    for (std::size_t i = 0; i < m_statics.size(); ++i)
        m_statics[i]->setText(m_lines[i]);
    repaint();
}

void CCallBalloonDlg::Layout()
{
    const int h = TextHeight(m_fonts[0]) + InternalLeading(m_fonts[0]);
    const int w1 = TextWidth(m_fonts[0], m_lines[0]);
    const int w2 = TextWidth(m_fonts[1], m_lines[1]);
    const int w3 = TextWidth(m_fonts[2], m_lines[2]);
    const int b = InternalLeading(m_fonts[3]) + TextHeight(m_fonts[3]) + 4;
    const int a = TextWidth(m_fonts[3], LoadResString(kAcceptString)) + kButtonTextPadding;
    const int r = TextWidth(m_fonts[4], LoadResString(kRejectString)) + kButtonTextPadding;
    const int s = TextWidth(m_fonts[5], LoadResString(kShowString)) + kButtonTextPadding;
    const int buttonWidth = std::max({a, r, s});
    const int contentWidth = std::max({w1, w2, w3, 3 * buttonWidth + 2 * kMargin});

    m_statics[0]->setGeometry(kMargin, kMargin, contentWidth, h);
    m_statics[1]->setGeometry(kMargin, h + 12, contentWidth, h);
    m_statics[2]->setGeometry(kMargin, 2 * h + 14, contentWidth, h);
    const int buttonsTop = 3 * h + 24;
    const int m = (contentWidth - 2 * kMargin) / 3;
    m_accept->setGeometry(kMargin, buttonsTop, m, b);
    m_reject->setGeometry(m + 20, buttonsTop, m, b);
    m_show->setGeometry(2 * m + 30, buttonsTop, m, b);

    // The outer rectangle stands on the work area's bottom-right corner; the client area lies inside its
    // frame and caption band: the window manager's, once the balloon has been shown.
    const QRect work = WorkArea();
    const QMargins frame = FrameMargins();
    const int clientWidth = contentWidth + 2 * kMargin;
    const int clientHeight = buttonsTop + b + kMargin;
    const QRect client(work.right() + 1 - frame.right() - clientWidth, work.bottom() + 1 - frame.bottom() - clientHeight,
                       clientWidth, clientHeight);
    setFixedSize(client.size());
    setGeometry(client);
}

QMargins CCallBalloonDlg::FrameMargins() const
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    if (isVisible() && outer != inner)
        return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                        outer.bottom() - inner.bottom());
    return QMargins(kDialogFrame, kDialogFrame + kCaptionBand, kDialogFrame, kDialogFrame);
}

void CCallBalloonDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The window manager's frame is known only once the window is mapped.
    QTimer::singleShot(0, this, &CCallBalloonDlg::Layout);
}

void CCallBalloonDlg::paintEvent(QPaintEvent*)
{
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), m_background);
    painter.setPen(Qt::black);
    for (std::size_t i = 0; i < m_statics.size(); ++i) {
        painter.setFont(m_fonts[i]);
        painter.drawText(QRect(m_statics[i]->geometry().topLeft(), QSize(width(), m_statics[i]->height())),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_statics[i]->text());
    }
}

std::vector<PaintedText> CCallBalloonDlg::TextsPainted() const
{
    std::vector<PaintedText> texts;
    if (m_background.isNull())
        return texts;
    for (std::size_t i = 0; i < m_statics.size(); ++i)
        texts.push_back({m_statics[i]->text(), m_fonts[i], m_statics[i]->geometry()});
    return texts;
}

void CCallBalloonDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();  // only the owner hides the balloon
}

void CCallBalloonDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        return;  // the dialog's Escape would close it
    QDialog::keyPressEvent(event);
}

void CCallBalloonDlg::OnShow()
{
    if (FindFonivraWindow()) {
        SuiteIpc::Post(SuiteIpc::Key::WindowTitle, kFonivraTitle, kOperatorConsoleMessage, 0, kBringToFront);
        return;
    }
    PostToOwner(kShowCallPopupMessage, 0);
}

void CCallBalloonDlg::PostToOwner(std::uint32_t message, std::uint64_t wParam)
{
    if (QWidget* owner = parentWidget())
        QtMessageTarget(owner).Post(message, wParam, 0);
}

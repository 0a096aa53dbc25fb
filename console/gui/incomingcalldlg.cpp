#include "incomingcalldlg.h"

#include "callballoondlg.h"
#include "extbutton.h"
#include "folders.h"
#include "gif89a.h"
#include "stringtable.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

namespace {

constexpr unsigned kTapiProductString = 10067;
constexpr unsigned kConnectedString = 10068;
constexpr unsigned kIncomingString = 10069;
constexpr unsigned kEndedString = 10070;
constexpr unsigned kAcceptString = 10072;
constexpr unsigned kRejectString = 10073;
constexpr unsigned kExitString = 10074;
constexpr unsigned kStopString = 10075;
constexpr unsigned kBookedString = 10096;
constexpr unsigned kWaitingString = 10097;
constexpr unsigned kOnHoldString = 10098;
const QString kIncomingPicture = QStringLiteral("TapIncImg.psx");
const QString kConnectedPicture = QStringLiteral("TapConImg.psx");
const QString kEndedPicture = QStringLiteral("TapEndImg.psx");

// The call states that the popup shows.
constexpr std::uint8_t kIncoming = 3;
constexpr std::uint8_t kWaiting = 4;
constexpr std::uint8_t kOnHold = 5;
constexpr std::uint8_t kConnected = 7;
constexpr std::uint8_t kEnded = 9;
constexpr std::uint8_t kPause = 17;
constexpr std::uint8_t kBooked = 21;

// What the caller lines show in a state.
enum class Lines { FromRecord, Stored, Blank };

struct StateView {
    std::uint8_t state;
    unsigned headline;
    Lines lines;
    bool acceptEnabled;
    unsigned rejectCaption;
    const QString& picture;
};
const StateView kStates[] = {
    {kIncoming, kIncomingString, Lines::FromRecord, true, kRejectString, kIncomingPicture},
    {kWaiting, kWaitingString, Lines::Stored, false, kStopString, kEndedPicture},
    {kPause, kWaitingString, Lines::Stored, false, kStopString, kEndedPicture},
    {kOnHold, kOnHoldString, Lines::FromRecord, true, kRejectString, kIncomingPicture},
    {kConnected, kConnectedString, Lines::Stored, false, kStopString, kConnectedPicture},
    {kEnded, kEndedString, Lines::Stored, false, kExitString, kEndedPicture},
    {kBooked, kBookedString, Lines::Blank, true, kRejectString, kIncomingPicture},
};

// Where the template places its controls; the picture "TapBkImg.psx" is drawn for them.
const QRect kHeadlineRect(20, 16, 270, 22);
const QRect kLine1Rect(20, 60, 280, 22);
const QRect kLine2Rect(20, 90, 280, 22);
const QRect kPictureRect(316, 56, 96, 96);
const QPoint kAcceptPlace(20, 196);
const QPoint kRejectPlace(190, 196);
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 35;
constexpr std::uint16_t kAcceptBitmap = 178;
constexpr std::uint16_t kRejectBitmap = 179;
constexpr int kFontPixels = 15;

QLabel* MakeStatic(int id, const QRect& place, QWidget* parent)
{
    auto label = new QLabel(parent);
    label->setObjectName(QString::number(id));
    label->setGeometry(place);
    label->hide();  // the popup paints the texts itself
    return label;
}

}  // namespace

CIncomingCallDlg::CIncomingCallDlg(Services services)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint),
      m_services(std::move(services)),
      m_background(GetSharedFolder() + kBackgroundFile)
{
    setObjectName(QStringLiteral("152"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_font = QFont(QStringLiteral("Arial"));
    m_font.setPixelSize(kFontPixels);
    m_font.setWeight(QFont::Bold);
    m_font.setStyleHint(QFont::SansSerif);
    // The dialog and its statics on white.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);

    m_headline = MakeStatic(kHeadline, kHeadlineRect, this);
    m_line1Static = MakeStatic(kLine1, kLine1Rect, this);
    m_line2Static = MakeStatic(kLine2, kLine2Rect, this);
    m_picture = new CGif89a(this);
    m_picture->setObjectName(QString::number(kPicture));
    m_picture->setGeometry(kPictureRect);
    m_accept = new CExtButton(0, CExtButton::kRoundedRectangle, kButtonWidth, kButtonHeight, kAcceptBitmap, 0, 0, 1, this);
    m_reject = new CExtButton(0, CExtButton::kRoundedRectangle, kButtonWidth, kButtonHeight, kRejectBitmap, 0, 0, 1, this);
    m_accept->setObjectName(QString::number(kAcceptButton));
    m_reject->setObjectName(QString::number(kRejectButton));
    m_accept->move(kAcceptPlace);
    m_reject->move(kRejectPlace);
    connect(m_accept, &CExtButton::clicked, this, [this] { OnAccept(); });
    connect(m_reject, &CExtButton::clicked, this, [this] { OnReject(); });

    if (m_background.isNull()) {
        resize(kTemplateWidth, kTemplateHeight);
    } else {
        // At the top left of the screen, above the other windows, the picture's size.
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        setGeometry(QRect(QPoint(0, 0), m_background.size()));
    }
    setFixedSize(size());
    setWindowTitle(LoadResString(kTapiProductString));
    m_accept->setText(LoadResString(kAcceptString));
    m_accept->setEnabled(false);
    m_reject->setText(LoadResString(kExitString));
    m_reject->setEnabled(false);
    m_accept->SetTextMode(CExtButton::kLargeTextLeft);
    m_reject->SetTextMode(CExtButton::kLargeTextLeft);
    if (!m_balloon)
        m_balloon = new CCallBalloonDlg(this);

    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        if ((wParam & 0xFFFF) == kAcceptButton)
            OnAccept();
        else if ((wParam & 0xFFFF) == kRejectButton)
            OnReject();
    });
    m_messages.On(kShowCallPopupMessage, [this](std::uint64_t, std::int64_t) { OnShowPopup(); });
}

CIncomingCallDlg::~CIncomingCallDlg() { delete m_balloon; }

bool CIncomingCallDlg::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QDialog::event(event);
}

QString CIncomingCallDlg::StaticText(int id) const
{
    switch (id) {
    case kHeadline: return m_headline->text();
    case kLine1: return m_line1Static->text();
    case kLine2: return m_line2Static->text();
    default: return {};
    }
}

void CIncomingCallDlg::SetCallState(std::uint8_t state, const QString& line2, const QString& line1)
{
    const auto found = std::find_if(std::begin(kStates), std::end(kStates),
                                    [state](const StateView& view) { return view.state == state; });
    if (found != std::end(kStates)) {
        const StateView& view = *found;
        const QString headline = LoadResString(view.headline);
        if (state == kConnected && m_balloon && m_balloon->m_shown) {
            m_balloon->hide();
            m_balloon->m_shown = false;
        }
        m_headline->setText(headline);
        switch (view.lines) {
        case Lines::FromRecord:
            m_line1 = line1;
            m_line2 = line2;
            [[fallthrough]];
        case Lines::Stored:
            m_line1Static->setText(m_line1);
            m_line2Static->setText(m_line2);
            break;
        case Lines::Blank:
            m_line1Static->clear();
            m_line2Static->clear();
            break;
        }
        if (state == kIncoming) {
            if (m_services.setIncomingCallText)
                m_services.setIncomingCallText(headline + u'\n' + m_line1 + u'\n' + m_line2);
            if (m_balloon) {
                if (!m_balloon->m_shown) {
                    ShowWithoutTakingFocus(*m_balloon, m_balloon->m_firstShow);
                    m_balloon->m_shown = true;
                }
                m_balloon->SetTexts(headline, m_line1, m_line2);
            }
        }
        m_accept->setEnabled(view.acceptEnabled);
        m_reject->setText(LoadResString(view.rejectCaption));
        m_reject->setEnabled(true);
        m_picture->SetFileName(GetSharedFolder() + view.picture);
        setWindowTitle(LoadResString(kTapiProductString) + QStringLiteral(" - ") + headline);
        if (state == kIncoming) {
            if (state != m_lastRingingState)
                PlayRing();
            m_lastRingingState = kIncoming;
        }
    }
    repaint();
}

void CIncomingCallDlg::PlayRing()
{
    if (m_services.ringMuted && m_services.ringMuted())
        return;
    if (m_services.playSound)
        m_services.playSound(GetSharedFolder() + kRingFile);
}

void CIncomingCallDlg::PlayRingSound() { PlayRing(); }

void CIncomingCallDlg::HideAll()
{
    if (m_shown) {
        hide();
        m_shown = false;
    }
    m_popupAllowed = false;
    if (m_balloon && m_balloon->m_shown) {
        m_balloon->hide();
        m_balloon->m_shown = false;
    }
}

void CIncomingCallDlg::ShowWithoutTakingFocus(QWidget& window, bool& firstShow)
{
    QWidget* previous = QApplication::activeWindow();
    if (firstShow) {
        window.show();
        firstShow = false;
    } else {
        window.showNormal();
    }
    if (previous && previous != &window)
        previous->activateWindow();
}

void CIncomingCallDlg::OnShowPopup()
{
    if (!m_popupAllowed || m_shown)
        return;
    ShowWithoutTakingFocus(*this, m_firstShow);
    m_shown = true;
    if (m_balloon && m_balloon->m_shown) {
        m_balloon->hide();
        m_balloon->m_shown = false;
    }
}

void CIncomingCallDlg::OnAccept()
{
    if (m_services.view)
        m_services.view->Post(kViewMessage, kAcceptButton, kPopupChoice);
}

void CIncomingCallDlg::OnReject()
{
    if (m_services.view)
        m_services.view->Post(kViewMessage, kRejectButton, kPopupChoice);
}

void CIncomingCallDlg::paintEvent(QPaintEvent*)
{
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_background);
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    for (const PaintedText& text : TextsPainted())
        painter.drawText(text.place, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text.text);
}

std::vector<PaintedText> CIncomingCallDlg::TextsPainted() const
{
    std::vector<PaintedText> texts;
    if (m_background.isNull())
        return texts;
    // A line longer than its place ends in "..." rather than running under the picture.
    const QFontMetrics metrics(m_font);
    for (const QLabel* text : {m_headline, m_line1Static, m_line2Static})
        texts.push_back({metrics.elidedText(text->text(), Qt::ElideRight, text->width()), m_font, text->geometry()});
    return texts;
}

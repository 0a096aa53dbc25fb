#include "pcphoneview.h"

#include "databasedigits.h"
#include "engineclient.h"
#include "engineerrorcode.h"
#include "extbutton.h"
#include "folders.h"
#include "keypaddisplay.h"
#include "operatorconsolestate.h"
#include "operatorsettingsrecords.h"
#include "sqldatabase.h"
#include "stringtable.h"

#include <QPainter>

namespace {

constexpr int kSeconds = 6;  // the time budget of each request
constexpr unsigned kWindowName = 10017;
constexpr unsigned kWaitText = 1024;
constexpr int kCornerSize = 5;
constexpr std::uint8_t kActive = 0;
// Everything sits inside the window's sunken edge.
constexpr QPoint kEdge{2, 2};
constexpr QSize kDisplaySize{162, 33};
const QColor kGround(204, 236, 255);  // 0xFFECCC
constexpr std::size_t kFlashFirst = 2;  // of the extension programming: dial a flash before the number
constexpr std::string_view kFlash = "F";
constexpr std::chrono::milliseconds kAfterFlash{1000};
constexpr std::chrono::milliseconds kBeforeKey64{1000};
constexpr std::chrono::milliseconds kAroundKey64{500};

struct KeyFace {
    std::uint32_t id;
    char16_t character;  // 0: a function key
    std::uint8_t shape;
    QSize size;
    std::uint16_t bitmap;
    QPoint strip;
    QPoint keypad;
};
constexpr QSize kDigitSize{34, 34};
constexpr QSize kFunctionSize{27, 22};
constexpr std::uint8_t kDigitShape = CExtButton::kRoundedRectangle;
constexpr std::uint8_t kFunctionShape = CExtButton::kEllipse;
// The strip: the twelve keys in one row, 39 pixels apart, then the function keys; the keypad: a 3 x 4
// grid with the function keys in a column to its left.
constexpr int kStripKeyX = 172;
constexpr int kStripKeyStep = 39;
constexpr int kStripKeyY = 5;
constexpr int kStripFunctionY = 11;
constexpr KeyFace kKeys[CPCPhoneView::kKeyCount] = {
    {1000, u'1', kDigitShape, kDigitSize, 220, {kStripKeyX + 0 * kStripKeyStep, kStripKeyY}, {81, 112}},
    {1001, u'2', kDigitShape, kDigitSize, 221, {kStripKeyX + 1 * kStripKeyStep, kStripKeyY}, {123, 112}},
    {1002, u'3', kDigitShape, kDigitSize, 222, {kStripKeyX + 2 * kStripKeyStep, kStripKeyY}, {165, 112}},
    {1003, u'4', kDigitShape, kDigitSize, 223, {kStripKeyX + 3 * kStripKeyStep, kStripKeyY}, {81, 153}},
    {1004, u'5', kDigitShape, kDigitSize, 224, {kStripKeyX + 4 * kStripKeyStep, kStripKeyY}, {123, 153}},
    {1005, u'6', kDigitShape, kDigitSize, 225, {kStripKeyX + 5 * kStripKeyStep, kStripKeyY}, {165, 153}},
    {1006, u'7', kDigitShape, kDigitSize, 226, {kStripKeyX + 6 * kStripKeyStep, kStripKeyY}, {81, 192}},
    {1007, u'8', kDigitShape, kDigitSize, 227, {kStripKeyX + 7 * kStripKeyStep, kStripKeyY}, {123, 192}},
    {1008, u'9', kDigitShape, kDigitSize, 228, {kStripKeyX + 8 * kStripKeyStep, kStripKeyY}, {165, 192}},
    {1009, u'*', kDigitShape, kDigitSize, 231, {kStripKeyX + 9 * kStripKeyStep, kStripKeyY}, {81, 233}},
    {1010, u'0', kDigitShape, kDigitSize, 229, {kStripKeyX + 10 * kStripKeyStep, kStripKeyY}, {123, 233}},
    {1011, u'#', kDigitShape, kDigitSize, 230, {kStripKeyX + 11 * kStripKeyStep, kStripKeyY}, {165, 233}},
    {1012, 0, kFunctionShape, kFunctionSize, 233, {704, kStripFunctionY}, {43, 200}},
    {1013, 0, kFunctionShape, kFunctionSize, 232, {736, kStripFunctionY}, {43, 240}},
    {1015, 0, kFunctionShape, kFunctionSize, 301, {640, kStripFunctionY}, {43, 161}},
    {1016, 0, kFunctionShape, kFunctionSize, 302, {672, kStripFunctionY}, {43, 120}},
};
constexpr QPoint kStripDisplay{5, 5};
constexpr QPoint kKeypadDisplay{59, 54};

// Dial strings that take the outside-line or service prefix first go out before key 64 is pressed.
bool DialsBeforeKey64(const QString& dial)
{
    return dial.startsWith(u'6') || dial.startsWith(u'0') || dial.startsWith(u'*') ||
           dial.startsWith(QStringLiteral("86"));
}

}  // namespace

CPCPhoneView::CPCPhoneView(const ConsoleWindowContext& context, QWidget* parent)
    : QWidget(parent), m_target(this), m_context(context),
      m_strip(!context.settings || context.settings->main.PcPhoneOption() != 0), m_display(new CKeypadDisplay(this))
{
    setObjectName(QStringLiteral("CPCPhoneView"));
    m_display->setObjectName(QString::number(kDisplayId));
    m_display->resize(kDisplaySize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kGround);
    setPalette(colours);
    setAutoFillBackground(true);
    if (!m_strip) {
        // A missing picture leaves the background plain.
        m_background = QImage(GetSharedFolder() + kBackgroundFile);
    }
    CreateKeys();
    PlaceKeys();
    m_messages.On(WM_COMMAND, [this](std::uint64_t wParam, std::int64_t) {
        OnCommand(static_cast<std::uint32_t>(wParam & 0xFFFF));
    });
    RefreshDisplay();
}

CPCPhoneView::~CPCPhoneView() = default;

void CPCPhoneView::CreateKeys()
{
    for (std::size_t at = 0; at < m_keys.size(); ++at) {
        const KeyFace& face = kKeys[at];
        auto key = new CExtButton(kActive, face.shape, face.size.width(), face.size.height(), face.bitmap,
                                  static_cast<int>(face.id), kKeyNotifyMessage, kCornerSize, this);
        key->setObjectName(QString::number(face.id));
        key->resize(face.size);
        key->setFocusPolicy(Qt::NoFocus);
        connect(key, &QAbstractButton::clicked, this, [this, id = face.id] { OnCommand(id); });
        m_keys[at] = key;
    }
}

void CPCPhoneView::PlaceKeys()
{
    for (std::size_t at = 0; at < m_keys.size(); ++at)
        m_keys[at]->move(kEdge + (m_strip ? kKeys[at].strip : kKeys[at].keypad));
    m_display->move(kEdge + (m_strip ? kStripDisplay : kKeypadDisplay));
}

CExtButton* CPCPhoneView::Key(std::uint32_t id) const
{
    for (std::size_t at = 0; at < m_keys.size(); ++at)
        if (kKeys[at].id == id)
            return m_keys[at];
    return nullptr;
}

QString CPCPhoneView::Title() const
{
    const int own = m_context.state ? m_context.state->ownExtension : 0;
    return LoadResString(kWindowName) + QStringLiteral(" - ") + m_context.ExtensionName(own);
}

bool CPCPhoneView::event(QEvent* event)
{
    if (m_messages.Dispatch(event))
        return true;
    return QWidget::event(event);
}

void CPCPhoneView::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_strip || m_background.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(kEdge, m_background);
}

QString& CPCPhoneView::DialText() const
{
    return m_context.state ? m_context.state->ownExtensionPeerText : const_cast<QString&>(m_noState);
}

QString CPCPhoneView::DialString() const
{
    return DialText();
}

std::uint8_t CPCPhoneView::Pbx() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->firstPbxIdentifier) : 0;
}

std::uint8_t CPCPhoneView::OwnExtension() const
{
    return m_context.state ? static_cast<std::uint8_t>(m_context.state->ownExtension) : 0;
}

std::uint8_t CPCPhoneView::OwnState() const
{
    if (!m_context.state)
        return 0;
    const auto& extensions = m_context.state->tables.extensionStatus;
    const auto own = static_cast<std::size_t>(m_context.state->ownExtension);
    return own < extensions.size() ? extensions[own].State() : 0;
}

void CPCPhoneView::RefreshDisplay()
{
    m_display->SetFirstLine(m_context.state ? m_context.state->ownExtensionStateText : QString());
    m_display->SetSecondLine(DialText());
    m_display->repaint();
}

void CPCPhoneView::DeleteLastDigit()
{
    if (OwnState() != kStateReady || DialText().isEmpty())
        return;
    DialText().chop(1);
    RefreshDisplay();
}

void CPCPhoneView::ClearDialString()
{
    if (OwnState() != kStateReady || DialText().isEmpty())
        return;
    DialText().clear();
    RefreshDisplay();
}

bool CPCPhoneView::Request(int result) const
{
    if (result == kNoError)
        return true;
    if (m_context.callProgress)
        m_context.callProgress->ShowError(result);
    return false;
}

void CPCPhoneView::OnCommand(std::uint32_t command)
{
    if (command >= kFirstKeyCommand && command <= kLastDigitCommand) {
        OnDigit(QChar(kKeys[command - kFirstKeyCommand].character));
        return;
    }
    switch (command) {
    case kCallCommand: OnCall(); break;
    case kHangUpCommand: OnHangUp(); break;
    case kFlashCommand: OnFlash(); break;
    case kRedialCommand: OnRedial(); break;
    default: break;
    }
}

void CPCPhoneView::OnDigit(QChar digit)
{
    const std::uint8_t own = OwnState();
    if (own == kStateReady) {
        DialText() += digit;
        RefreshDisplay();
    }
    const CEngineClient* engine = m_context.Engine();
    if (!engine || own == kStateReady || own == kStateNotReady || own == kStateExternalCall)
        return;
    DatabaseDigits digits(m_context.database);
    const std::string text(1, static_cast<char>(digit.toLatin1()));
    Request(engine->DialNumber(Pbx(), OwnExtension(), text, own == kStateDialling, &digits, kSeconds));
}

void CPCPhoneView::OnCall()
{
    const CEngineClient* engine = m_context.Engine();
    if (!engine)
        return;
    if (OwnState() != kStateReady) {
        Request(engine->OffHook(Pbx(), OwnExtension(), false, kSeconds));
        return;
    }
    const QString dial = DialText();
    if (dial.isEmpty())
        return;
    CallProgressView* progress = m_context.callProgress;
    if (progress)
        progress->ShowWait(LoadResString(kWaitText));
    DatabaseDigits digits(m_context.database);
    const bool flashFirst =
        m_context.state->tables.extensionProgramming[static_cast<std::size_t>(m_context.state->ownExtension)]
                                                    [kFlashFirst] != 0;
    const auto flash = [&] {
        if (!flashFirst)
            return true;
        if (!Request(engine->DialNumber(Pbx(), OwnExtension(), kFlash, false, nullptr, kSeconds)))
            return false;
        m_context.Pause(kAfterFlash);
        return true;
    };
    const auto number = [&] {
        return Request(engine->DialNumber(Pbx(), OwnExtension(), dial.toStdString(), true, &digits, kSeconds));
    };
    const auto key64 = [&] { return Request(engine->PressKey64(Pbx(), OwnExtension(), kSeconds)); };

    if (Request(engine->OffHook(Pbx(), OwnExtension(), true, kSeconds))) {
        if (DialsBeforeKey64(dial)) {
            if (flash() && number()) {
                m_context.Pause(kBeforeKey64);
                key64();
            }
        } else {
            m_context.Pause(kAroundKey64);
            if (key64()) {
                m_context.Pause(kAroundKey64);
                if (flash())
                    number();
            }
        }
    }
    if (progress)
        progress->CloseWait();
}

void CPCPhoneView::OnHangUp()
{
    if (const CEngineClient* engine = m_context.Engine())
        Request(engine->OnHook(Pbx(), OwnExtension(), false, kSeconds));
}

void CPCPhoneView::OnFlash()
{
    const CEngineClient* engine = m_context.Engine();
    const std::uint8_t own = OwnState();
    if (engine && own != kStateReady && own != kStateNotReady)
        Request(engine->DialNumber(Pbx(), OwnExtension(), kFlash, false, nullptr, kSeconds));
}

void CPCPhoneView::OnRedial()
{
    if (!m_context.Engine() || OwnState() != kStateReady || !m_context.state)
        return;
    DialText() = m_context.state->lastNumber;
    RefreshDisplay();
    OnCall();
}

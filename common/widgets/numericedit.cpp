#include "numericedit.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int32_t kNormalWeight = 400;
constexpr std::int32_t kBoldWeight = 700;
// Whole values are shown through a 64-bit integer; beyond this they are held at its edge.
constexpr double kLargestWhole = 9.0e18;

// The characters every format lets through besides its digits (the Windows control's filter).
bool IsAlwaysAllowed(QChar typed)
{
    return typed == u'%' || typed == u'\'';
}

// The leading number of a text as the C library's atof reads it; 0 when there is none.
double LeadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0.0;
    bool ok = false;
    const double value = match.captured(0).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

qint64 TruncatedWhole(double value)
{
    return static_cast<qint64>(std::clamp(std::trunc(value), -kLargestWhole, kLargestWhole));
}

QColor Colour(std::uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

}  // namespace

CNumericEdit::CNumericEdit(QWidget* parent) : QLineEdit(parent)
{
    // The description starts as the dialogs' usual font.
    const QFontInfo info(font());
    m_logFont.SetHeight(-info.pixelSize());
    m_logFont.SetWeight(kNormalWeight);
    m_logFont.SetFaceName(info.family());
    ApplyColours();
    SetValue(m_value);
}

void CNumericEdit::SetTextColor(std::uint32_t colour)
{
    m_textColour = colour;
    ApplyColours();
}

void CNumericEdit::SetColors(std::uint32_t text, std::uint32_t background)
{
    m_textColour = text;
    m_backgroundColour = background;
    ApplyColours();
}

void CNumericEdit::ApplyColours()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Colour(m_textColour));
    colours.setColor(QPalette::Base, Colour(m_backgroundColour));
    setPalette(colours);
    repaint();
}

void CNumericEdit::SetBold(bool bold)
{
    m_logFont.SetWeight(bold ? kBoldWeight : kNormalWeight);
    ApplyFont();
}

void CNumericEdit::SetItalic(std::uint8_t italic)
{
    m_logFont.SetItalic(italic);
    ApplyFont();
}

void CNumericEdit::AdjustFontHeight(int delta)
{
    m_logFont.SetHeight(m_logFont.Height() - delta);
    ApplyFont();
}

void CNumericEdit::SetFontName(const QString& name)
{
    m_logFont.SetFaceName(name);
    ApplyFont();
}

bool CNumericEdit::IsBold() const
{
    return m_logFont.Weight() == kBoldWeight;
}

bool CNumericEdit::IsItalic() const
{
    return m_logFont.Italic() != 0;
}

int CNumericEdit::GetFontHeight() const
{
    return m_logFont.Height();
}

QString CNumericEdit::GetFontName() const
{
    return m_logFont.FaceName();
}

void CNumericEdit::SetLogFont(std::int32_t height, std::int32_t width, std::int32_t escapement,
                              std::int32_t orientation, std::int32_t weight, std::uint8_t italic,
                              std::uint8_t underline, std::uint8_t strikeOut, std::uint8_t charSet,
                              std::uint8_t outPrecision, std::uint8_t clipPrecision, std::uint8_t quality,
                              std::uint8_t pitchAndFamily, const QString& faceName)
{
    LogFont font;
    font.SetHeight(height);
    font.SetWidth(width);
    font.SetEscapement(escapement);
    font.SetOrientation(orientation);
    font.SetWeight(weight);
    font.SetItalic(italic);
    font.SetUnderline(underline);
    font.SetStrikeOut(strikeOut);
    font.SetCharSet(charSet);
    font.SetOutPrecision(outPrecision);
    font.SetClipPrecision(clipPrecision);
    font.SetQuality(quality);
    font.SetPitchAndFamily(pitchAndFamily);
    font.SetFaceName(faceName);
    m_logFont = font;
    ApplyFont();
}

void CNumericEdit::ApplyFont()
{
    // A negative height is the character height in pixels, a positive one the cell's; 0 keeps the size.
    QFont shown(m_logFont.FaceName());
    const std::int32_t height = m_logFont.Height();
    if (height != 0)
        shown.setPixelSize(std::max(1, std::abs(height)));
    else
        shown.setPointSizeF(font().pointSizeF() > 0 ? font().pointSizeF() : QFont().pointSizeF());
    const std::int32_t weight = m_logFont.Weight();
    shown.setWeight(static_cast<QFont::Weight>(std::clamp(weight == 0 ? kNormalWeight : weight, 1, 1000)));
    shown.setItalic(m_logFont.Italic() != 0);
    shown.setUnderline(m_logFont.Underline() != 0);
    shown.setStrikeOut(m_logFont.StrikeOut() != 0);
    setFont(shown);
    update();
}

void CNumericEdit::SetFormatMode(short mode)
{
    m_mode = mode;
    SetValue(m_value);
}

void CNumericEdit::SetDecimals(short decimals)
{
    m_decimals = decimals;
    SetValue(m_value);
}

void CNumericEdit::SetDigits(short digits)
{
    m_digits = digits;
    SetValue(m_value);
}

void CNumericEdit::SetFormat(short mode, short decimals, short digits)
{
    m_mode = mode;
    m_decimals = decimals;
    m_digits = digits;
    SetValue(m_value);
}

void CNumericEdit::SetRange(double minimum, double maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
    SetValue(m_value);
}

void CNumericEdit::SetMinimum(double minimum)
{
    m_minimum = minimum;
    SetValue(m_value);
}

void CNumericEdit::SetMaximum(double maximum)
{
    m_maximum = maximum;
    SetValue(m_value);
}

void CNumericEdit::SetRangeAndValue(double minimum, double maximum, double value)
{
    m_minimum = minimum;
    m_maximum = maximum;
    SetValue(value);
}

void CNumericEdit::SetValue(double value)
{
    if (std::isnan(value))
        value = 0.0;
    if (value < m_minimum)
        value = m_minimum;
    if (value > m_maximum)
        value = m_maximum;
    m_value = value;
    if (m_mode == kInteger || m_mode == kDecimals || m_mode == kHexadecimal)
        setText(FormatValue(value, m_mode, m_decimals, m_digits));
}

QString CNumericEdit::FormatValue(double value, short mode, short decimals, short digits)
{
    const int width = std::clamp<int>(digits, 0, 64);
    switch (mode) {
    case kInteger:
        return QString::asprintf("%0*lld", width, static_cast<long long>(TruncatedWhole(value)));
    case kDecimals:
        return QString::asprintf("%.*f", std::clamp<int>(decimals, 0, 64), value);
    case kHexadecimal:
        // A 32-bit value, as the control always showed it (a negative one in two's complement).
        return QString::asprintf("%0*x", width, static_cast<unsigned>(static_cast<std::uint32_t>(TruncatedWhole(value))));
    default:
        return QString();
    }
}

double CNumericEdit::ParseHex(const QString& text)
{
    double sum = 0.0;
    for (const QChar character : text) {
        const int digit = character.isDigit() && character.unicode() < 128 ? character.unicode() - u'0'
                          : character >= u'A' && character <= u'F'       ? character.unicode() - u'A' + 10
                          : character >= u'a' && character <= u'f'       ? character.unicode() - u'a' + 10
                                                                         : 0;
        sum = sum * 16.0 + digit;
    }
    return sum;
}

bool CNumericEdit::Accepts(QChar typed) const
{
    const bool digit = typed >= u'0' && typed <= u'9';
    const bool empty = text().isEmpty();
    switch (m_mode) {
    case kInteger:
        return digit || IsAlwaysAllowed(typed) || (empty && typed == u'-');
    case kDecimals:
        if (digit || IsAlwaysAllowed(typed))
            return true;
        if (empty)
            return typed == u'-';
        return typed == u'.' && !text().contains(u'.');
    case kHexadecimal:
        return digit || (typed >= u'A' && typed <= u'F') || (typed >= u'a' && typed <= u'f') ||
               IsAlwaysAllowed(typed);
    default:
        return false;
    }
}

void CNumericEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool erase = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString typed = event->text();
    const bool printable =
        !shortcut && !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
    if (m_readOnly && (enter || erase || printable)) {
        event->accept();
        return;
    }
    if (enter) {
        Commit(kReturnCode);
        event->accept();
        return;
    }
    if (printable && !std::all_of(typed.begin(), typed.end(), [this](QChar c) { return Accepts(c); })) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CNumericEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    Announce(kSetFocusCode);
}

void CNumericEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    Commit(kKillFocusCode);
}

void CNumericEdit::Commit(int code)
{
    const QString typed = text();
    SetValue(m_mode == kHexadecimal ? ParseHex(typed) : LeadingNumber(typed));
    if (code == kReturnCode)
        selectAll();  // leaves the caret at the end, in view
    Announce(code);
    Announce(kCommittedCode);
}

void CNumericEdit::Announce(int code)
{
    if (parentWidget())
        emit Notify(code);
}

#pragma once

#include "logfont.h"

#include <QLineEdit>
#include <QString>

#include <cstdint>

// A one-line edit that holds a number between a minimum and a maximum and shows it as an integer, with
// fixed decimals or in hexadecimal. Typing is filtered by the format; the text becomes the value on
// Enter and when the control loses the focus, clamped and shown again. Each commit is announced with
// Notify: ReturnCode or KillFocusCode, then CommittedCode (the one the dialogs act on); gaining the
// focus announces SetFocusCode. A control without a parent widget announces nothing. Shared by the
// hotel, telephony and rating programs.
class CNumericEdit : public QLineEdit {
    Q_OBJECT
public:
    enum Format : short { kInteger = 0, kDecimals = 1, kHexadecimal = 2 };
    // Notification codes, as the Windows list notifications numbered them.
    static constexpr int kCommittedCode = -1;
    static constexpr int kReturnCode = -4;
    static constexpr int kSetFocusCode = -7;
    static constexpr int kKillFocusCode = -8;
    static constexpr double kDefaultMinimum = -1000000.0;
    static constexpr double kDefaultMaximum = 1000000.0;

    explicit CNumericEdit(QWidget* parent = nullptr);

    // Colours are COLORREF values (0x00BBGGRR).
    void SetTextColor(std::uint32_t colour);
    std::uint32_t GetTextColor() const { return m_textColour; }
    void SetColors(std::uint32_t text, std::uint32_t background);
    std::uint32_t GetBackgroundColor() const { return m_backgroundColour; }

    void SetBold(bool bold);
    void SetItalic(std::uint8_t italic);
    void AdjustFontHeight(int delta);  // the height field drops by delta
    void SetFontName(const QString& name);
    bool IsBold() const;
    bool IsItalic() const;
    int GetFontHeight() const;
    QString GetFontName() const;
    void SetLogFont(std::int32_t height, std::int32_t width, std::int32_t escapement, std::int32_t orientation,
                    std::int32_t weight, std::uint8_t italic, std::uint8_t underline, std::uint8_t strikeOut,
                    std::uint8_t charSet, std::uint8_t outPrecision, std::uint8_t clipPrecision,
                    std::uint8_t quality, std::uint8_t pitchAndFamily, const QString& faceName);
    LogFont GetLogFont() const { return m_logFont; }

    void SetFormatMode(short mode);
    short GetFormatMode() const { return m_mode; }
    void SetDecimals(short decimals);
    short GetDecimals() const { return m_decimals; }
    void SetDigits(short digits);
    short GetDigits() const { return m_digits; }
    void SetFormat(short mode, short decimals, short digits);

    void SetReadOnly(std::uint8_t readOnly) { m_readOnly = readOnly; }
    std::uint8_t IsReadOnly() const { return m_readOnly; }

    void Refresh() { SetValue(m_value); }
    double GetValue() const { return m_value; }
    void SetRange(double minimum, double maximum);
    void SetMinimum(double minimum);
    void SetMaximum(double maximum);
    double GetMinimum() const { return m_minimum; }
    double GetMaximum() const { return m_maximum; }
    void SetRangeAndValue(double minimum, double maximum, double value);
    // Clamps into the range, stores and shows the value.
    void SetValue(double value);

    // Hexadecimal digits to a number; a character that is no hexadecimal digit counts as 0.
    static double ParseHex(const QString& text);
    // The text as the value is shown in a format.
    static QString FormatValue(double value, short mode, short decimals, short digits);

signals:
    void Notify(int code);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool Accepts(QChar typed) const;
    void Commit(int code);
    void Announce(int code);
    void ApplyFont();
    void ApplyColours();

    double m_value = 0.0;
    double m_minimum = kDefaultMinimum;
    double m_maximum = kDefaultMaximum;
    std::uint32_t m_textColour = 0x000000;
    std::uint32_t m_backgroundColour = 0xFFFFFF;
    short m_mode = kDecimals;
    short m_decimals = 2;
    short m_digits = 0;
    std::uint8_t m_readOnly = 0;
    LogFont m_logFont;
};

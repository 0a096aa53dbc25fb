#pragma once

#include "logfont.h"
#include "oledate.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// The operator console's main settings ("FvCnf.fps"): one section per object window, the toolbar's
// button rows of older versions, the hotel's check-ins, the alarm switches, start-up options and the
// time from which missed calls are counted. The record keeps its 5136 bytes as stored (fonts as Windows
// LOGFONT bytes, colours as COLORREF 0x00BBGGRR); the accessors name the fields.
class MainSettings {
public:
    static constexpr qsizetype kSize = 5136;
    static constexpr std::uint64_t kTagBits = 0x402261E8E6080735;  // 9.19123
    static inline const QString kFileName = QStringLiteral("FvCnf.fps");

    enum Section { kExtensions, kLines, kEntryPhones, kRelays };
    static constexpr int kSectionCount = 4;
    static constexpr qsizetype kSectionSize = 472;
    static constexpr int kObjects = 256;
    static constexpr int kFontSlots = 3;    // first, second, third
    static constexpr int kColourSlots = 3;  // first, second, third
    static constexpr int kButtonRows = 6;
    static constexpr qsizetype kButtonRowsOffset = 1888;
    static constexpr qsizetype kButtonRowSize = 110;
    static constexpr qsizetype kButtonLabelSize = 50;
    static constexpr qsizetype kButtonNumberSize = 20;
    static constexpr int kButtonNumbers = 3;

    // The defaults, with `now` as the missed-call reference time.
    explicit MainSettings(const OleDate& now = OleDate::Now());

    QByteArray& Bytes() { return m_bytes; }
    const QByteArray& Bytes() const { return m_bytes; }

    // Per section: the labels switch (byte 0), open at start-up (1), the labels' minimum characters (2),
    // scrolling (3), the icon spacing added to the icon's width and height, the per-object flags (bit 0:
    // shown), up to three fonts and colours, and the background colour.
    std::uint8_t LabelsShown(Section section) const;
    void SetLabelsShown(Section section, std::uint8_t value);
    std::uint8_t OpenAtStart(Section section) const;
    void SetOpenAtStart(Section section, std::uint8_t value);
    std::uint8_t LabelMinimumCharacters(Section section) const;
    void SetLabelMinimumCharacters(Section section, std::uint8_t value);
    std::uint8_t Scrolling(Section section) const;
    void SetScrolling(Section section, std::uint8_t value);
    std::uint32_t IconSpacingX(Section section) const;
    void SetIconSpacingX(Section section, std::uint32_t value);
    std::uint32_t IconSpacingY(Section section) const;
    void SetIconSpacingY(Section section, std::uint32_t value);
    std::uint8_t ObjectFlags(Section section, int object) const;
    void SetObjectFlags(Section section, int object, std::uint8_t value);
    LogFont Font(Section section, int slot) const;
    void SetFont(Section section, int slot, const LogFont& font);
    std::uint32_t Colour(Section section, int slot) const;
    void SetColour(Section section, int slot, std::uint32_t colorRef);
    std::uint32_t BackgroundColour(Section section) const;
    void SetBackgroundColour(Section section, std::uint32_t colorRef);
    // The extension section's two label sizes of the icon views.
    std::uint32_t ExtensionLabelSize(int which) const;
    void SetExtensionLabelSize(int which, std::uint32_t value);

    // The toolbar's button rows of older versions: a label and three numbers.
    QString ButtonLabel(int row) const;
    void SetButtonLabel(int row, const QString& text);
    QString ButtonNumber(int row, int which) const;
    void SetButtonNumber(int row, int which, const QString& text);

    // Hotel: an open stay and its check-in time per extension; the alarm switch per extension.
    std::uint8_t CheckedIn(int extension) const;
    void SetCheckedIn(int extension, std::uint8_t value);
    OleDate CheckInTime(int extension) const;
    void SetCheckInTime(int extension, const OleDate& time);
    std::uint8_t AlarmEnabled(int extension) const;
    void SetAlarmEnabled(int extension, std::uint8_t value);

    std::uint8_t StartMinimised() const;
    void SetStartMinimised(std::uint8_t value);
    std::uint8_t PcPhoneOption() const;  // read by the main frame and the PC phone
    void SetPcPhoneOption(std::uint8_t value);
    std::uint8_t OpenPcPhoneAtStart() const;
    void SetOpenPcPhoneAtStart(std::uint8_t value);
    OleDate MissedCallReference() const;
    void SetMissedCallReference(const OleDate& time);
    std::uint8_t PopupOption() const;  // read by the call popup
    void SetPopupOption(std::uint8_t value);
    std::uint8_t CheckInManagement() const;
    void SetCheckInManagement(std::uint8_t value);

private:
    static qsizetype SectionOffset(Section section) { return section * kSectionSize; }

    QByteArray m_bytes;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

class MainSettings;

// The toolbar's six buttons ("FvToolNew.frs"): per 200-byte row a label of at most 47 characters, two
// flag bytes at 48 and 49, and three numbers of 50 bytes at 50, 100 and 150.
class ToolbarSettings {
public:
    static constexpr qsizetype kSize = 1200;
    static constexpr std::uint64_t kTagBits = 0x4050C879C4113C68;  // 67.132432
    static inline const QString kFileName = QStringLiteral("FvToolNew.frs");
    static constexpr int kRows = 6;
    static constexpr qsizetype kRowSize = 200;
    static constexpr int kMaxLabelLength = 47;
    static constexpr int kNumbers = 3;
    static constexpr qsizetype kNumberSize = 50;

    ToolbarSettings() : m_bytes(kSize, '\0') {}

    QByteArray& Bytes() { return m_bytes; }
    const QByteArray& Bytes() const { return m_bytes; }

    QString Label(int row) const;
    void SetLabel(int row, const QString& text);  // cut to 47 characters
    std::uint8_t Flag(int row, int which) const;   // which 0: byte 48, 1: byte 49
    void SetFlag(int row, int which, std::uint8_t value);
    QString Number(int row, int which) const;
    void SetNumber(int row, int which, const QString& text);

    // The rows of older versions, kept in the main settings: each label (at most 47 characters, so that
    // the flags stay clear) and its three numbers.
    void FillFromMainSettings(const MainSettings& main);

private:
    QByteArray m_bytes;
};

#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QLabel;

// The console's coded message: an error, information or warning with a title and icon by kind, and a
// code line, headline, suggestions and closing line by code, on a light yellow ground.
class CMessageBoxDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr std::uint8_t kKindError = 0;
    static constexpr std::uint8_t kKindInformation = 2;
    static constexpr std::uint8_t kKindWarning = 3;

    static constexpr std::uint8_t kCodeNotConfigured = 4;
    static constexpr std::uint8_t kCodeServerStopped = 6;
    static constexpr std::uint8_t kCodeServerModeFailed = 9;
    static constexpr std::uint8_t kCodeRestartRequested = 11;

    // The five texts and the third byte are kept for the caller; the known codes do not show them.
    CMessageBoxDlg(std::uint8_t kind, std::uint8_t code, std::uint8_t extra = 0,
                   const std::array<QString, 5>& texts = {}, QWidget* parent = nullptr);

    std::uint8_t Kind() const { return m_kind; }
    std::uint8_t Code() const { return m_code; }
    std::uint8_t Extra() const { return m_extra; }
    const std::array<QString, 5>& Texts() const { return m_texts; }
    // The icon shown, by its resource number (131 error, 136 information, 135 warning), 0 for none.
    int IconId() const { return m_iconId; }

    static QColor Background();  // RGB(255, 255, 153)

private:
    void ShowKind();
    void ShowCode();

    std::uint8_t m_kind;
    std::uint8_t m_code;
    std::uint8_t m_extra;
    std::array<QString, 5> m_texts;
    int m_iconId = 0;

    QLabel* m_icon;
    QLabel* m_codeLine;
    QLabel* m_headline;
    QLabel* m_suggestions;
    QLabel* m_closingLine;
};

#pragma once

#include "consolewindowcontext.h"
#include "messagetarget.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>
#include <chrono>
#include <cstdint>

class CExtButton;
class CKeypadDisplay;

// The PC phone: this station's extension as a software telephone, with twelve keys, four function keys
// and a two-line display (the own extension's status text and the dial string). While the extension is
// ready the keys collect the dial string; otherwise they go to the PBX at once. It is laid out as a strip
// over the frame's width or as a keypad on its picture, by the main settings.
class CPCPhoneView : public QWidget {
    Q_OBJECT
public:
    static constexpr std::uint32_t kFirstKeyCommand = 1000;
    static constexpr std::uint32_t kLastDigitCommand = 1011;
    static constexpr std::uint32_t kCallCommand = 1012;
    static constexpr std::uint32_t kHangUpCommand = 1013;
    static constexpr std::uint32_t kDisplayId = 1014;
    static constexpr std::uint32_t kFlashCommand = 1015;
    static constexpr std::uint32_t kRedialCommand = 1016;
    static constexpr std::uint32_t kKeyNotifyMessage = 1068;
    static constexpr int kKeyCount = 16;
    // The picture behind the keypad, in the shared folder.
    static inline const QString kBackgroundFile = QStringLiteral("PcPhBkImg.psx");

    explicit CPCPhoneView(const ConsoleWindowContext& context, QWidget* parent = nullptr);
    ~CPCPhoneView() override;

    MessageTarget& Target() { return m_target; }
    // The window's title: its name and the own extension's.
    QString Title() const;
    // Whether the keys are laid out in one strip (the keypad shown on the tool bar).
    bool IsStripLayout() const { return m_strip; }

    // The display's lines again from the status text and the dial string.
    void RefreshDisplay();
    // Backspace and Delete on the dial string while the own extension is ready.
    void DeleteLastDigit();
    void ClearDialString();
    void OnCall();
    void OnHangUp();
    void OnFlash();
    void OnRedial();

    QString DialString() const;
    CExtButton* Key(std::uint32_t id) const;
    CKeypadDisplay* Display() const { return m_display; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateKeys();
    void PlaceKeys();
    void OnCommand(std::uint32_t command);
    void OnDigit(QChar digit);
    std::uint8_t Pbx() const;
    std::uint8_t OwnExtension() const;
    std::uint8_t OwnState() const;
    QString& DialText() const;
    // Runs the request; a failure is shown and ends the sequence (false).
    bool Request(int result) const;

    QtMessageTarget m_target;
    MessageMap m_messages;
    ConsoleWindowContext m_context;
    bool m_strip;
    std::array<CExtButton*, kKeyCount> m_keys{};
    CKeypadDisplay* m_display;
    QImage m_background;
    QString m_noState;  // the texts without a console state
};

#pragma once

#include <QMdiSubWindow>

// The PC phone's frame: without caption as a strip, with a caption as a keypad; never a sizing border,
// a minimise or a maximise box, and a system menu that only closes.
class CPCPhoneFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CPCPhoneFrame(bool strip, QWidget* parent = nullptr);
};

#pragma once

#include <QMdiSubWindow>

// The relays window's frame: a caption with the close box, no minimise or maximise box and no sizing
// border (the main frame gives it its place).
class CRelayFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CRelayFrame(QWidget* parent = nullptr);
};

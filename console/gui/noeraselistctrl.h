#pragma once

#include <QListWidget>

// A list of icons over a skinned window: it never paints a background of its own, so the window's picture
// shows behind its items.
class CNoEraseListCtrl : public QListWidget {
    Q_OBJECT
public:
    explicit CNoEraseListCtrl(QWidget* parent = nullptr);

signals:
    // The list lost the keyboard focus.
    void FocusLost();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

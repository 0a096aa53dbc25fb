#pragma once

#include <QDialog>

// A dialog that only its own buttons and the close box end: Enter and Escape, which a dialog would take
// as OK and Cancel, do nothing.
class CButtonOnlyDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

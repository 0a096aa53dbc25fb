#pragma once

#include <QDialog>

class QLabel;

// The modeless wait dialog (154): one line of text while the awaited work runs. It has no way to close
// it: its owner destroys it.
class CWaitDlg : public QDialog {
    Q_OBJECT
public:
    explicit CWaitDlg(const QString& text, QWidget* parent = nullptr);
    QString Text() const;

protected:
    void reject() override {}  // Escape does not close it

private:
    QLabel* m_text;
};

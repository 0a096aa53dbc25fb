#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// A free text: entered (an empty text opens it for entry) or only shown (a text given opens it in view
// mode: Cancel disabled, and the focus passes from the text to OK so that it cannot be changed). OK with
// an empty text keeps it open.
class CTextDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kText = 1125;
    static constexpr int kOk = 1126;
    static constexpr int kCancel = 1127;
    static constexpr int kMaxLength = 512;

    explicit CTextDlg(const QString& text, QWidget* parent = nullptr);

    QString Text() const { return m_text; }
    bool IsViewMode() const { return m_viewMode; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnOk();
    void KeepWithinLimit();

    QString m_text;
    bool m_viewMode;
    QPlainTextEdit* m_edit;
    QPushButton* m_ok;
};

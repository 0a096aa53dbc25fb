#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

// The progress of a long loop that runs on the window thread: a status line, a bar with its percentage
// and Cancel. While it is up the window that owns it is disabled, so it is modal in effect while the
// caller keeps control. The caller pumps the program's events through SetProgress and TakeCancelRequest,
// so every window stays responsive; Cancel only raises a flag that the caller reads. Destroying the
// dialog enables the owner again, unless the owner was disabled already.
class CProgressDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCancel = 2;
    static constexpr int kBar = 1003;
    static constexpr int kPercent = 1004;
    static constexpr int kStatus = 1005;
    static constexpr int kLower = 0;
    static constexpr int kUpper = 100;

    explicit CProgressDlg(unsigned captionString);
    ~CProgressDlg() override;

    // Disables the parent's top-level window when it was enabled and shows the dialog over it.
    bool CreateModeless(QWidget* parent);
    void SetStatusText(const QString& text);
    // Handles the pending events, then moves the bar; returns the previous position.
    int SetProgress(int position);
    // Handles the pending events, then returns whether Cancel was pressed since the last call.
    bool TakeCancelRequest();

    QString PercentText() const;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void EnableOwner();

    unsigned m_captionString;
    QProgressBar* m_bar;
    QLabel* m_percent;
    QLabel* m_status;
    bool m_cancelRequested = false;
    QPointer<QWidget> m_disabledOwner;
};

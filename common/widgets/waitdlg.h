#pragma once

#include <QDialog>

class CGif89a;
class QLabel;

// The modeless wait notice: an animated picture and one line of text while the awaited work runs. The
// user cannot close it (its two buttons do nothing, Escape and the close box are ignored); the opener
// destroys it when the work has ended.
class CWaitDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAnimation = 1069;
    static constexpr int kText = 1070;
    static constexpr int kFirstButton = 1071;
    static constexpr int kSecondButton = 1072;
    static inline const QString kAnimationFile = QStringLiteral("WConImg.psx");

    explicit CWaitDlg(const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    // Shows the notice and paints it at once: the work that follows blocks this thread.
    void ShowNow();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    void CentreOnParent();

    CGif89a* m_animation;
    QLabel* m_text;
};

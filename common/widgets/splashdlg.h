#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

// The window shown while a program starts: the suite's background picture "SplBkImg.psx" from the
// Shared folder, the program's name and subtitle, a legal notice, and a line of progress text. The
// texts are the program's own strings (1003, 10002, 10003, 10004), so every program that shows it
// supplies them in its table.
class CSplashDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kProgressText = 1000;
    static constexpr int kNoticeFirst = 1001;
    static constexpr int kNoticeSecond = 1002;
    static constexpr int kTitle = 1003;
    static constexpr int kSubtitle = 1004;
    static constexpr int kFooter = 1005;
    // The part of the background picture that covers the window, whatever the picture's size.
    static constexpr int kPictureWidth = 557;
    static constexpr int kPictureHeight = 434;

    explicit CSplashDlg(QWidget* parent = nullptr);
    ~CSplashDlg() override;

    // Shows the text and repaints at once: the start-up runs on this thread and would not let a later
    // paint through until it ends.
    void SetProgressText(const QString& text);

    // The picture drawn behind the texts; null while hidden or when the file could not be read.
    const QImage& Background() const { return m_background; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* AddLabel(int id, const QRect& geometry);
    void ApplyFonts();
    void CentreOnScreen();

    QLabel* m_title;
    QLabel* m_subtitle;
    QLabel* m_noticeFirst;
    QLabel* m_noticeSecond;
    QLabel* m_footer;
    QLabel* m_progress;
    QImage m_background;
};

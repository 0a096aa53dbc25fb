#include "splashdlg.h"

#include "language.h"
#include "tempsuite.h"
#include "waitfor.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

const QString kBackgroundFile = QStringLiteral("SplBkImg.psx");

QLabel* Label(const CSplashDlg& splash, int id) { return splash.findChild<QLabel*>(QString::number(id)); }

bool ShowAndExpose(CSplashDlg& splash)
{
    splash.show();
    return WaitFor([&] { return splash.windowHandle() && splash.windowHandle()->isExposed(); });
}

void SaveScreenshot(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(SUITE_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    widget.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Count() const { return m_count; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

// Points of the window that no text covers: the corners of the margins.
const QPoint kOpenPoints[] = {{3, 3}, {553, 3}, {3, 430}, {553, 430}, {10, 250}, {545, 250}};

TEST(SplashDlg, MissingBackgroundLeavesTheTextsOnThePlainWindow)
{
    TempSuite suite;
    CSplashDlg splash;
    ASSERT_TRUE(ShowAndExpose(splash));
    EXPECT_TRUE(splash.Background().isNull());
    EXPECT_EQ(Label(splash, CSplashDlg::kTitle)->text(), QStringLiteral("Programma di prova"));
    EXPECT_EQ(Label(splash, CSplashDlg::kSubtitle)->text(), QStringLiteral("Motore di comunicazione con il centralino"));
    EXPECT_EQ(Label(splash, CSplashDlg::kNoticeFirst)->text(), QStringLiteral("Avviso legale, prima riga"));
    EXPECT_EQ(Label(splash, CSplashDlg::kNoticeSecond)->text(), QStringLiteral("Avviso legale, seconda riga"));
    EXPECT_FALSE(Label(splash, CSplashDlg::kFooter)->text().isEmpty());
    EXPECT_GT(Label(splash, CSplashDlg::kTitle)->font().pixelSize(),
              Label(splash, CSplashDlg::kSubtitle)->font().pixelSize());

    const QImage shown = splash.grab().toImage();
    const QColor window = splash.palette().color(QPalette::Window);
    for (const QPoint& point : kOpenPoints)
        EXPECT_EQ(shown.pixelColor(point), window) << point.x() << ',' << point.y();
}

TEST(SplashDlg, BackgroundIsStretchedFromItsTopLeftRectangle)
{
    // The window's rectangle of the picture is red in its top-left quarter and green elsewhere; what lies
    // beyond it (blue) must never show. Pictures of other sizes still fill the window from that rectangle.
    struct Case {
        QSize size;
        QPoint redCorner;    // a point of the window that shows the red quarter
        QPoint greenCorner;  // one that shows green
    };
    const Case cases[] = {
        {{CSplashDlg::kPictureWidth, CSplashDlg::kPictureHeight}, {3, 3}, {553, 430}},
        {{900, 700}, {3, 3}, {553, 430}},
        {{200, 100}, {3, 3}, {553, 430}},  // smaller: its own top-left quarter is red
    };
    for (const Case& test : cases) {
        TempSuite suite;
        const QRect covered = QRect(QPoint(0, 0), test.size) & QRect(0, 0, 557, 434);
        QImage picture(test.size, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QPainter painter(&picture);
        painter.fillRect(covered, Qt::green);
        painter.fillRect(QRect(0, 0, covered.width() / 2, covered.height() / 2), Qt::red);
        painter.end();
        ASSERT_TRUE(picture.save(suite.SharedFolder() + kBackgroundFile, "BMP"));

        CSplashDlg splash;
        ASSERT_TRUE(ShowAndExpose(splash));
        ASSERT_FALSE(splash.Background().isNull());
        SCOPED_TRACE(test.size.width());
        const QImage shown = splash.grab().toImage();
        EXPECT_EQ(shown.size(), QSize(CSplashDlg::kPictureWidth, CSplashDlg::kPictureHeight));
        EXPECT_EQ(shown.pixelColor(test.redCorner), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(test.greenCorner), QColor(Qt::green));
        for (const QPoint& point : kOpenPoints)
            EXPECT_NE(shown.pixelColor(point), QColor(Qt::blue)) << point.x() << ',' << point.y();
        if (test.size.width() == CSplashDlg::kPictureWidth) {
            splash.SetProgressText(QStringLiteral("Connessione al database in corso..."));
            SaveScreenshot(splash, QStringLiteral("splash"));
        }

        splash.hide();
        EXPECT_TRUE(splash.Background().isNull());  // kept only while shown
    }
}

TEST(SplashDlg, SubtitleIsShownWholeInEitherLanguage)
{
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        TempSuite suite;
        CSplashDlg splash;
        ASSERT_TRUE(ShowAndExpose(splash));
        const QLabel* subtitle = Label(splash, CSplashDlg::kSubtitle);
        const QRect room(QPoint(0, 0), subtitle->size());
        const QRect needed =
            QFontMetrics(subtitle->font()).boundingRect(room, Qt::TextWordWrap | subtitle->alignment(), subtitle->text());
        EXPECT_LE(needed.width(), room.width()) << language;
        EXPECT_LE(needed.height(), room.height()) << language;
        // Below the title, above the legal notice.
        EXPECT_GE(subtitle->geometry().top(), Label(splash, CSplashDlg::kTitle)->geometry().bottom());
        EXPECT_LE(subtitle->geometry().bottom(), Label(splash, CSplashDlg::kNoticeFirst)->geometry().top());
        SaveScreenshot(splash, language == kLanguageEnglish ? QStringLiteral("splash-en") : QStringLiteral("splash-it"));
    }
    SetLanguage(kLanguageItalian);
}

TEST(SplashDlg, ProgressTextIsPaintedAtOnce)
{
    TempSuite suite;
    CSplashDlg splash;
    ASSERT_TRUE(ShowAndExpose(splash));
    QLabel* progress = Label(splash, CSplashDlg::kProgressText);
    WaitFor([] { return false; }, 50);  // let the first paint pass
    const PaintCounter paints(progress);

    splash.SetProgressText(QStringLiteral("Avvio servizio TAPI..."));  // no event loop runs after this
    EXPECT_EQ(progress->text(), QStringLiteral("Avvio servizio TAPI..."));
    EXPECT_GE(paints.Count(), 1);
}

}  // namespace

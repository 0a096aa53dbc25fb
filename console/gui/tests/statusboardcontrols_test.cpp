#include "hoverbutton.h"
#include "noeraselistctrl.h"
#include "transparentlistbox.h"

#include "widgettesting.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <set>

namespace {

// A parent whose picture differs at every pixel, so that a copy taken from the wrong place shows.
class PatternWindow : public QWidget {
public:
    PatternWindow() { resize(240, 200); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                painter.fillRect(x, y, 1, 1, PixelAt(x, y));
    }

public:
    static QColor PixelAt(int x, int y) { return QColor(x % 256, y % 256, (x * 7 + y * 3) % 256); }
};

// The pixels of the list's picture that no text covers must be the parent's under the list.
void ExpectParentBehind(CTransparentListBox& list)
{
    const QImage image = list.grab().toImage();
    const QPoint origin = list.pos();
    for (const QPoint spot : {QPoint(list.width() - 2, list.height() - 2), QPoint(list.width() / 2, list.height() - 3),
                              QPoint(list.width() - 4, 1)})
        EXPECT_EQ(image.pixelColor(spot * image.devicePixelRatio()), PatternWindow::PixelAt(origin.x() + spot.x(), origin.y() + spot.y()))
            << "at " << spot.x() << "," << spot.y() << " list at " << origin.x() << "," << origin.y();
}

TEST(TransparentListBox, TheParentShowsBehindTheLinesAlsoAfterAMoveAndAResize)
{
    PatternWindow window;
    auto list = new CTransparentListBox(&window);
    list->setGeometry(10, 10, 100, 80);
    list->InsertLine(-1, QStringLiteral("Pultex 1.0.0.59"));
    list->InsertLine(-1, QStringLiteral("Stato: OK"));
    window.show();
    ExpectParentBehind(*list);
    EXPECT_TRUE(list->BackgroundCaptured());

    list->move(60, 40);
    EXPECT_FALSE(list->BackgroundCaptured());
    ExpectParentBehind(*list);

    list->resize(150, 120);
    EXPECT_EQ(list->Background().size(), QSize(150, 120));
    ExpectParentBehind(*list);
    EXPECT_TRUE(SaveScreenshot(window, QStringLiteral("transparentlistbox_over_pattern")));
}

TEST(TransparentListBox, LinesPastTheHeightGetAScrollBarAndTheKeysScroll)
{
    PatternWindow window;
    auto list = new CTransparentListBox(&window);
    list->setGeometry(10, 10, 160, 100);
    window.show();
    list->InsertLine(-1, QStringLiteral("Pultex 1.0.0.59"));
    const int visible = list->VisibleLines();
    ASSERT_GT(visible, 1);
    for (int line = 1; line < visible; ++line)
        list->InsertLine(-1, QStringLiteral("Riga %1").arg(line));
    EXPECT_FALSE(list->ScrollBar()->isVisible());  // all in sight

    const int count = visible + 5;
    for (int line = visible; line < count; ++line)
        list->InsertLine(-1, QStringLiteral("Riga %1").arg(line));
    ASSERT_TRUE(list->ScrollBar()->isVisible());
    EXPECT_EQ(list->ScrollBar()->maximum(), count - visible);
    EXPECT_EQ(list->ScrollBar()->geometry().right(), list->width() - 1);
    EXPECT_TRUE(SaveScreenshot(window, QStringLiteral("transparentlistbox_scrollbar")));

    struct Case {
        Qt::Key key;
        int top;
    };
    for (const Case& c : {Case{Qt::Key_Down, 1}, Case{Qt::Key_Down, 2}, Case{Qt::Key_Up, 1}, Case{Qt::Key_End, count - visible},
                          Case{Qt::Key_Down, count - visible}, Case{Qt::Key_Home, 0}, Case{Qt::Key_Up, 0},
                          Case{Qt::Key_PageDown, std::min(visible, count - visible)}, Case{Qt::Key_PageUp, 0}}) {
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        EXPECT_EQ(list->TopIndex(), c.top) << c.key;
        EXPECT_EQ(list->ScrollBar()->value(), c.top) << c.key;
    }
    // The scroll bar moves the lines too.
    list->ScrollBar()->setValue(3);
    EXPECT_EQ(list->TopIndex(), 3);

    list->ResetContent();
    EXPECT_FALSE(list->ScrollBar()->isVisible());
}

TEST(TransparentListBox, TheFirstLineSetsTheLineHeight)
{
    CTransparentListBox list;
    list.resize(160, 100);
    EXPECT_EQ(list.ItemHeight(), CTransparentListBox::kInitialItemHeight);
    const int oneLine = QFontMetrics(list.GetFont()).height();
    list.InsertLine(-1, QStringLiteral("two\nlines"));
    EXPECT_EQ(list.ItemHeight(), 2 * oneLine);
    list.InsertLine(-1, QStringLiteral("one line"));
    EXPECT_EQ(list.ItemHeight(), 2 * oneLine);

    list.ResetContent(false);
    EXPECT_EQ(list.InsertLine(-1, QStringLiteral("one line")), 0);
    EXPECT_EQ(list.ItemHeight(), oneLine);
    EXPECT_EQ(list.InsertLine(0, QStringLiteral("first"), 7), 0);
    EXPECT_EQ(list.LineText(1), QStringLiteral("one line"));
    EXPECT_EQ(list.LineData(0), 7u);
    EXPECT_EQ(list.MeasureItem(), oneLine);

    QFont own(QStringLiteral("Arial"));
    own.setPixelSize(30);
    list.SetOwnFont(own);
    EXPECT_EQ(list.GetFont().pixelSize(), 30);
}

TEST(TransparentListBox, ADisabledListDrawsGreyLinesOverAWhiteShadow)
{
    QWidget window;
    window.resize(200, 60);
    window.setStyleSheet(QStringLiteral("background: rgb(0, 0, 160)"));
    auto list = new CTransparentListBox(&window);
    list->setGeometry(0, 0, 200, 60);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(30);
    font.setBold(true);
    list->SetOwnFont(font);
    list->SetShadow(true, Qt::black);
    list->InsertLine(-1, QStringLiteral("IIIII"));
    window.show();

    auto colours = [&list] {
        std::set<QRgb> found;
        const QImage image = list->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                found.insert(image.pixel(x, y) & RGB_MASK);
        return found;
    };
    std::set<QRgb> enabled = colours();
    EXPECT_TRUE(enabled.count(0x000000));
    list->setEnabled(false);
    std::set<QRgb> disabled = colours();
    EXPECT_TRUE(disabled.count(CTransparentListBox::kDisabledTextColour));
    EXPECT_TRUE(disabled.count(CTransparentListBox::kDisabledShadowColour));
    EXPECT_FALSE(disabled.count(0x000000));
    EXPECT_TRUE(SaveScreenshot(window, QStringLiteral("transparentlistbox_disabled")));
}

TEST(HoverButton, FacesZeroToTwoAreDrawnAndAnyOtherNothing)
{
    QWidget window;
    window.resize(100, 40);
    QList<QImage> faces;
    for (int face : {0, 1, 2, 3}) {
        auto button = new CHoverButton(0, 0, 20, 20, 0, 0, 148, &window);
        button->move(5 + face * 22, 10);
        button->SetFace(face);
        faces << button->grab().toImage();
    }
    window.show();
    EXPECT_NE(faces[0], faces[1]);
    EXPECT_NE(faces[1], faces[2]);
    std::set<QRgb> blank;
    for (int y = 0; y < faces[3].height(); ++y)
        for (int x = 0; x < faces[3].width(); ++x)
            blank.insert(faces[3].pixel(x, y));
    EXPECT_EQ(blank.size(), 1u);
    EXPECT_TRUE(SaveScreenshot(window, QStringLiteral("hoverbutton_faces")));
}

TEST(HoverButton, FollowsThePointerWithinItsRectangle)
{
    QWidget window;
    auto button = new CHoverButton(0, 0, 20, 20, 0, 0, 143, &window);
    window.show();
    EXPECT_FALSE(button->ClipRegion().contains(QPoint(0, 0)));
    EXPECT_TRUE(button->ClipRegion().contains(QPoint(10, 10)));
    auto send = [button](QEvent::Type type, QPoint at, Qt::MouseButton b) {
        QMouseEvent event(type, at, button->mapToGlobal(at), b, type == QEvent::MouseButtonPress ? b : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
        return button->GetFace();
    };
    EXPECT_EQ(send(QEvent::MouseMove, {1, 1}, Qt::NoButton), 1);
    EXPECT_EQ(send(QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton), 2);
    EXPECT_EQ(send(QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton), 0);
    EXPECT_EQ(send(QEvent::MouseMove, {30, 5}, Qt::NoButton), 0);
}

}  // namespace

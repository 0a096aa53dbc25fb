#include "extbutton.h"

#include "messagetarget.h"
#include "widgettesting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t kNotify = WM_USER + 68;

// A window that writes down the messages posted to it.
class RecordingParent : public QWidget {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == WindowMessageEvent::EventType()) {
            auto message = static_cast<WindowMessageEvent*>(event);
            posted.push_back({message->Message(), message->WParam()});
            return true;
        }
        return QWidget::event(event);
    }
    std::vector<std::pair<std::uint32_t, std::uint64_t>> posted;
};

void Send(QWidget& widget, QEvent::Type type, QPoint position, Qt::MouseButton button = Qt::NoButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, position, widget.mapToGlobal(position), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

struct ButtonFixture {
    explicit ButtonFixture(std::uint8_t inactive, std::uint8_t shape = CExtButton::kRectangle)
        : button(new CExtButton(inactive, shape, 68, 23, 184, 0, kNotify, 1, &parent))
    {
        button->setObjectName(QStringLiteral("1127"));
        parent.resize(200, 100);
        parent.show();
    }
    RecordingParent parent;
    CExtButton* button;
};

TEST(ExtButton, InactiveButtonKeepsItsFaceAndPostsNothing)
{
    for (std::uint8_t inactive : {std::uint8_t(1), std::uint8_t(0)}) {
        ButtonFixture f(inactive);
        Send(*f.button, QEvent::MouseMove, {10, 10});
        EXPECT_EQ(f.button->GetFace(), inactive ? 0 : 1);
        EXPECT_EQ(f.button->HasMouseCapture(), !inactive);
        Send(*f.button, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
        EXPECT_EQ(f.button->GetFace(), inactive ? 0 : 2);
        Send(*f.button, QEvent::MouseButtonRelease, {10, 10}, Qt::LeftButton);
        EXPECT_EQ(f.button->GetFace(), 0);
        Send(*f.button, QEvent::MouseMove, {10, 10});
        Send(*f.button, QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
        EXPECT_EQ(f.button->GetFace(), 0);
        QCoreApplication::sendPostedEvents(&f.parent);
        if (inactive)
            EXPECT_TRUE(f.parent.posted.empty());
        else
            EXPECT_EQ(f.parent.posted, (std::vector<std::pair<std::uint32_t, std::uint64_t>>{{kNotify, 1127}}));
        f.button->StopFlashTimer();
    }
}

TEST(ExtButton, TheRectangleNotTheEllipseDecidesTheHover)
{
    ButtonFixture f(0, CExtButton::kEllipse);
    const QPoint corner(1, 1);  // inside the rectangle, outside the ellipse
    EXPECT_FALSE(f.button->ClipRegion().contains(corner));
    EXPECT_TRUE(f.button->ClipRegion().contains(QPoint(34, 11)));
    Send(*f.button, QEvent::MouseMove, corner);
    EXPECT_EQ(f.button->GetFace(), 1);
    EXPECT_TRUE(f.button->HasMouseCapture());
    Send(*f.button, QEvent::MouseMove, {80, 11});
    EXPECT_EQ(f.button->GetFace(), 0);
    EXPECT_FALSE(f.button->HasMouseCapture());
}

TEST(ExtButton, ShapesMaskTheWindow)
{
    struct Case {
        std::uint8_t shape;
        QPoint corner;
        bool cornerInside;
    };
    for (const Case& c : {Case{CExtButton::kRectangle, {0, 0}, true}, Case{CExtButton::kEllipse, {2, 2}, false},
                          Case{CExtButton::kRoundedRectangle, {0, 0}, false}, Case{CExtButton::kInnerEllipse, {0, 11}, false}}) {
        CExtButton button(0, c.shape, 68, 23, 184, 0, 0, 12);
        EXPECT_EQ(button.ClipRegion().contains(c.corner), c.cornerInside) << int(c.shape);
        EXPECT_TRUE(button.ClipRegion().contains(QPoint(34, 11))) << int(c.shape);
        button.grab();
        EXPECT_EQ(button.mask(), button.ClipRegion()) << int(c.shape);
    }
}

TEST(ExtButton, FlashingFacesPerTick)
{
    struct Case {
        std::uint8_t mode;
        std::vector<int> faces;
    };
    const std::vector<int> lit2end5 = {1, 1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
    const std::vector<int> none(12, 0);
    for (const Case& c : {Case{0, none}, Case{1, none}, Case{2, lit2end5}, Case{7, lit2end5}}) {
        CExtButton button(0, CExtButton::kRectangle, 68, 23, 184, 0, 0, 1);
        button.SetFlashMode(c.mode);
        button.SetFlashCycle(2, 5);
        std::vector<int> faces;
        for (int tick = 0; tick < 12; ++tick) {
            button.OnFlashTimer();
            faces.push_back(button.GetFace());
        }
        EXPECT_EQ(faces, c.faces) << int(c.mode);
    }
}

TEST(ExtButton, FacesAndTextModes)
{
    QWidget window;
    window.resize(480, 120);
    window.setStyleSheet(QStringLiteral("background: #dde7f1"));
    struct Case {
        std::uint16_t bitmap;
        int width, height;
        std::uint8_t textMode;
        int face;
        QPoint at;
        const char* text;
    };
    const Case cases[] = {{178, 150, 35, 1, 0, {10, 10}, "Accetta"}, {179, 150, 35, 1, 1, {170, 10}, "Rifiuta"},
                          {184, 68, 23, 2, 0, {10, 60}, "Mostra"}, {184, 68, 23, 2, 2, {90, 60}, "Accetta"},
                          {184, 68, 23, 0, 1, {170, 60}, "hidden"}};
    for (const Case& c : cases) {
        auto button = new CExtButton(0, CExtButton::kRoundedRectangle, c.width, c.height, c.bitmap, 0, 0, 1, &window);
        button->move(c.at);
        button->SetTextMode(c.textMode);
        button->setText(QString::fromLatin1(c.text));
        if (c.face == 1)
            Send(*button, QEvent::MouseMove, {5, 5});
        else if (c.face == 2)
            Send(*button, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
        EXPECT_EQ(button->GetFace(), c.face);
        const QImage image = button->grab().toImage();
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
        button->releaseMouse();
    }
    EXPECT_TRUE(SaveScreenshot(window, QStringLiteral("extbutton_faces")));
}

}  // namespace

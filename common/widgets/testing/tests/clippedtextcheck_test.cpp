#include "clippedtextcheck.h"
#include "paintedtexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

namespace {

const QString kLong = QStringLiteral("Seleziona la configurazione di rete");
constexpr QSize kWindowSize(420, 300);

int TextWidth(const QWidget& widget, const QString& text)
{
    return widget.fontMetrics().horizontalAdvance(text);
}

// Each fixture lays one widget into the window; `fault` names the reason expected, empty when it fits.
struct Fixture {
    const char* name;
    std::function<void(QWidget& window)> build;
    const char* fault;
};

QLabel* AddLabel(QWidget& window, bool wrap)
{
    auto label = new QLabel(kLong, &window);
    label->setWordWrap(wrap);
    return label;
}

QTableWidget* AddTable(QWidget& window, const QString& heading, const QString& cell)
{
    auto table = new QTableWidget(1, 2, &window);
    table->setGeometry(0, 0, kWindowSize.width(), 150);
    table->setHorizontalHeaderLabels({heading, QStringLiteral("B")});
    table->setItem(0, 0, new QTableWidgetItem(cell));
    return table;
}

// An icon list as the console's board shows its PBXs: 32-pixel icons with their names under them.
QListWidget* AddIconList(QWidget& window, int cellWidth)
{
    auto list = new QListWidget(&window);
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(32, 32));
    list->setGridSize(QSize(cellWidth, 60));
    QPixmap icon(32, 32);
    icon.fill(Qt::darkBlue);
    for (const char* name : {"Centrale1", "Centrale2"})
        list->addItem(new QListWidgetItem(QIcon(icon), QString::fromLatin1(name)));
    list->setGeometry(0, 0, kWindowSize.width(), 150);
    return list;
}

// A skinned control that paints its caption itself, in a place of its own.
class PaintedCaption : public QWidget, public PaintedTexts {
public:
    PaintedCaption(QWidget& parent, int placeWidth) : QWidget(&parent), m_placeWidth(placeWidth) {}
    std::vector<PaintedText> TextsPainted() const override
    {
        return {{kLong, font(), QRect(4, 0, m_placeWidth, fontMetrics().height())}};
    }

private:
    int m_placeWidth;
};

QTabBar* AddTabs(QWidget& window, bool scrolls, Qt::TextElideMode elide, bool toolTips)
{
    auto bar = new QTabBar(&window);
    bar->setUsesScrollButtons(scrolls);
    bar->setElideMode(elide);
    bar->setExpanding(false);
    for (int i = 0; i < 6; ++i) {
        bar->addTab(QStringLiteral("Impostazioni %1").arg(i));
        if (toolTips)
            bar->setTabToolTip(i, bar->tabText(i));
    }
    bar->setGeometry(0, 0, 360, bar->sizeHint().height());
    return bar;
}

const Fixture kFixtures[] = {
    {"label that fits", [](QWidget& w) { AddLabel(w, false)->setGeometry(0, 0, kWindowSize.width(), 30); }, ""},
    {"label too narrow",
     [](QWidget& w) {
         auto label = AddLabel(w, false);
         label->setGeometry(0, 0, TextWidth(*label, kLong) - 10, 30);
     },
     "wider"},
    {"word-wrapped label with room for its lines",
     [](QWidget& w) {
         auto label = AddLabel(w, true);
         label->setGeometry(0, 0, TextWidth(*label, kLong) * 2 / 3, label->fontMetrics().lineSpacing() * 3);
     },
     ""},
    {"word-wrapped label too short for its second line",
     [](QWidget& w) {
         auto label = AddLabel(w, true);
         label->setGeometry(0, 0, TextWidth(*label, kLong) * 2 / 3, label->fontMetrics().height());
     },
     "taller"},
    {"push button at its size hint",
     [](QWidget& w) {
         auto button = new QPushButton(QStringLiteral("&Modifica..."), &w);
         button->setGeometry(QRect(QPoint(0, 0), button->sizeHint()));
     },
     ""},
    {"push button face wider than the button",
     [](QWidget& w) {
         auto button = new QPushButton(QStringLiteral("&Modifica..."), &w);
         button->setGeometry(0, 0, TextWidth(*button, QStringLiteral("Modifica...")), button->sizeHint().height());
     },
     "wider"},
    {"tool button too narrow",
     [](QWidget& w) {
         auto button = new QToolButton(&w);
         button->setText(QStringLiteral("Seleziona"));
         button->setGeometry(0, 0, 30, button->sizeHint().height());
     },
     "wider"},
    {"check box at its size hint",
     [](QWidget& w) {
         auto box = new QCheckBox(kLong, &w);
         box->setGeometry(QRect(QPoint(0, 0), box->sizeHint()));
     },
     ""},
    {"check box too narrow",
     [](QWidget& w) {
         auto box = new QCheckBox(kLong, &w);
         box->setGeometry(0, 0, TextWidth(*box, kLong), box->sizeHint().height());
     },
     "wider"},
    {"radio button too low",
     [](QWidget& w) {
         auto radio = new QRadioButton(kLong, &w);
         radio->setGeometry(0, 0, kWindowSize.width(), radio->fontMetrics().height() / 2);
     },
     "taller"},
    {"group box title that fits", [](QWidget& w) { (new QGroupBox(kLong, &w))->setGeometry(0, 0, 400, 100); }, ""},
    {"group box title too long",
     [](QWidget& w) {
         auto box = new QGroupBox(kLong, &w);
         box->setGeometry(0, 0, TextWidth(*box, kLong) / 2, 100);
     },
     "wider"},
    {"header section sized to its heading",
     [](QWidget& w) {
         AddTable(w, kLong, QString())->resizeColumnToContents(0);
     },
     ""},
    {"header section too narrow",
     [](QWidget& w) { AddTable(w, kLong, QString())->horizontalHeader()->resizeSection(0, 60); }, "wider"},
    {"narrow header section whose tool tip holds the heading",
     [](QWidget& w) {
         auto table = AddTable(w, kLong, QString());
         table->horizontalHeader()->resizeSection(0, 60);
         table->horizontalHeaderItem(0)->setToolTip(kLong);
     },
     ""},
    {"table cell too narrow", [](QWidget& w) { AddTable(w, QStringLiteral("A"), kLong)->setColumnWidth(0, 60); },
     "wider"},
    {"table cell sized to its text",
     [](QWidget& w) { AddTable(w, QStringLiteral("A"), kLong)->resizeColumnToContents(0); }, ""},
    {"table cell sized to its text in the application's font, drawn in a larger one",
     [](QWidget& w) {
         QTableWidget* table = AddTable(w, QStringLiteral("A"), kLong);
         table->setWordWrap(false);
         table->resizeColumnToContents(0);
         QFont large = table->font();
         large.setPointSizeF(large.pointSizeF() * 2);
         table->setFont(large);
     },
     "wider"},
    {"list line wider than the list, which scrolls to it",
     [](QWidget& w) {
         auto list = new QListWidget(&w);
         list->addItem(kLong);
         list->setGeometry(0, 0, TextWidth(*list, kLong) / 2, 100);
     },
     ""},
    {"icon list cell whose grid holds its text under its icon",
     [](QWidget& w) { AddIconList(w, TextWidth(w, QStringLiteral("Centrale1")) + 20); }, ""},
    {"icon list cell narrower than its text", [](QWidget& w) { AddIconList(w, 40); }, "wider"},
    {"painted text in a place that holds it",
     [](QWidget& w) { (new PaintedCaption(w, TextWidth(w, kLong)))->setGeometry(0, 0, kWindowSize.width(), 40); },
     ""},
    {"painted text in a place narrower than the text",
     [](QWidget& w) { (new PaintedCaption(w, TextWidth(w, kLong) / 2))->setGeometry(0, 0, kWindowSize.width(), 40); },
     "wider"},
    {"painted text whose place runs past the widget",
     [](QWidget& w) { (new PaintedCaption(w, TextWidth(w, kLong)))->setGeometry(0, 0, TextWidth(w, kLong) / 2, 40); },
     "wider"},
    {"tree cell too narrow, elided without a tool tip",
     [](QWidget& w) {
         auto tree = new QTreeWidget(&w);
         tree->setColumnCount(2);
         auto parent = new QTreeWidgetItem(tree, {QStringLiteral("A")});
         new QTreeWidgetItem(parent, {kLong});
         tree->expandAll();
         tree->setColumnWidth(0, 120);
         tree->setGeometry(0, 0, kWindowSize.width(), 150);
     },
     "wider"},
    {"tree cell whose tool tip holds its text",
     [](QWidget& w) {
         auto tree = new QTreeWidget(&w);
         tree->setColumnCount(2);
         auto parent = new QTreeWidgetItem(tree, {QStringLiteral("A")});
         (new QTreeWidgetItem(parent, {kLong}))->setToolTip(0, kLong);
         tree->expandAll();
         tree->setColumnWidth(0, 120);
         tree->setGeometry(0, 0, kWindowSize.width(), 150);
     },
     ""},
    {"tabs past the bar's end that scroll into view", [](QWidget& w) { AddTabs(w, true, Qt::ElideNone, false); },
     ""},
    {"tabs past the end of a bar that does not scroll", [](QWidget& w) { AddTabs(w, false, Qt::ElideNone, false); },
     "past"},
    {"tabs elided to fit", [](QWidget& w) { AddTabs(w, false, Qt::ElideRight, false); }, "wider"},
    {"tabs elided to fit, whole in their tool tips", [](QWidget& w) { AddTabs(w, false, Qt::ElideRight, true); },
     ""},
    {"combo box too narrow",
     [](QWidget& w) {
         auto combo = new QComboBox(&w);
         combo->addItem(kLong);
         combo->setGeometry(0, 0, 80, combo->sizeHint().height());
     },
     "wider"},
    {"combo box at its size hint",
     [](QWidget& w) {
         auto combo = new QComboBox(&w);
         combo->addItem(kLong);
         combo->setGeometry(QRect(QPoint(0, 0), combo->sizeHint()));
     },
     ""},
    {"line edit too narrow",
     [](QWidget& w) { (new QLineEdit(kLong, &w))->setGeometry(0, 0, 80, 30); }, "wider"},
    {"line edit too narrow whose tool tip holds its text",
     [](QWidget& w) {
         auto edit = new QLineEdit(kLong, &w);
         edit->setToolTip(kLong);
         edit->setGeometry(0, 0, 80, 30);
     },
     ""},
    {"selectable label of three lines at its size hint",
     [](QWidget& w) {
         auto label = new QLabel(kLong + u'\n' + kLong + u'\n' + kLong, &w);
         label->setTextInteractionFlags(Qt::TextSelectableByMouse);
         label->setGeometry(QRect(QPoint(0, 0), label->sizeHint()));
     },
     ""},
    {"selectable label of three lines a pixel too low",
     [](QWidget& w) {
         auto label = new QLabel(kLong + u'\n' + kLong + u'\n' + kLong, &w);
         label->setTextInteractionFlags(Qt::TextSelectableByMouse);
         label->setGeometry(QRect(QPoint(0, 0), label->sizeHint() - QSize(0, 1)));
     },
     "taller"},
    {"centred label at its size hint",
     [](QWidget& w) {
         auto label = new QLabel(kLong, &w);
         label->setAlignment(Qt::AlignCenter);
         label->setGeometry(QRect(QPoint(0, 0), label->sizeHint()));
     },
     ""},
    {"line edit that fits",
     [](QWidget& w) { (new QLineEdit(kLong, &w))->setGeometry(0, 0, kWindowSize.width(), 30); }, ""},
    {"child outside its parent",
     [](QWidget& w) {
         auto box = new QGroupBox(&w);
         box->setGeometry(0, 0, 200, 100);
         (new QWidget(box))->setGeometry(150, 20, 80, 20);
     },
     "outside"},
    {"hidden child outside its parent",
     [](QWidget& w) {
         auto box = new QGroupBox(&w);
         box->setGeometry(0, 0, 200, 100);
         auto child = new QWidget(box);
         child->setGeometry(150, 20, 80, 20);
         child->hide();
     },
     ""},
    {"scroll area contents larger than the area",
     [](QWidget& w) {
         auto area = new QScrollArea(&w);
         area->setGeometry(0, 0, 200, 100);
         auto contents = new QWidget;
         contents->resize(600, 600);
         area->setWidget(contents);
     },
     ""},
};

class ClippedTextCheck : public ::testing::TestWithParam<Fixture> {};

TEST_P(ClippedTextCheck, ReportsWhatIsCutAndNothingThatFits)
{
    const Fixture& fixture = GetParam();
    QWidget window;
    window.setFixedSize(kWindowSize);
    fixture.build(window);
    window.show();
    const std::vector<ClippedText> found = FindClippedTexts(window);
    const QString fault = QString::fromLatin1(fixture.fault);
    if (fault.isEmpty()) {
        EXPECT_TRUE(HasNoClippedText(window));
        return;
    }
    ASSERT_FALSE(found.empty());
    bool named = false;
    for (const ClippedText& item : found)
        named = named || item.reason.contains(fault);
    EXPECT_TRUE(named) << HasNoClippedText(window).message();
    EXPECT_FALSE(HasNoClippedText(window));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ClippedTextCheck, ::testing::ValuesIn(kFixtures),
                         [](const ::testing::TestParamInfo<Fixture>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(ClippedTextCheckMessage, NamesTheWidgetTheTextAndTheReason)
{
    QWidget window;
    window.setFixedSize(kWindowSize);
    auto named = new QLabel(kLong, &window);
    named->setObjectName(QStringLiteral("1012"));
    named->setGeometry(0, 0, 40, 30);
    auto box = new QGroupBox(&window);
    box->setGeometry(0, 40, 200, 100);
    (new QLabel(kLong, box))->setGeometry(0, 20, 40, 30);
    window.show();
    const std::vector<ClippedText> found = FindClippedTexts(window);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].widget, QStringLiteral("1012"));
    EXPECT_EQ(found[0].text, kLong);
    EXPECT_EQ(found[1].widget, QStringLiteral("QWidget/QGroupBox/QLabel"));
    const std::string message = HasNoClippedText(window).message();
    EXPECT_NE(message.find("1012 \"Seleziona la configurazione di rete\": text wider"), std::string::npos) << message;
    EXPECT_NE(message.find("QWidget/QGroupBox/QLabel"), std::string::npos) << message;
}

}  // namespace

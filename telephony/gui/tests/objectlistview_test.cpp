// The object windows' list: the grid the items take for a width, the item data of hidden objects, the
// list's font and background, the info tip's buffer and the redraw of a single item.
#include "consolestatefixture.h"
#include "gdiobjects.h"
#include "mainsettings.h"
#include "objectlistview.h"
#include "operatorsettingsrecords.h"

#include <QAbstractItemModel>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

IconPictureChoosers Choosers()
{
    IconPictureChoosers choosers;
    choosers.line = [](int, QString& text) {
        text = QStringLiteral("LIBERA");
        return 247;
    };
    choosers.relay = [](int) { return 310; };
    return choosers;
}

// A list whose tips are longer than any buffer.
class LongTipList : public CObjectListView {
public:
    using CObjectListView::CObjectListView;

protected:
    bool FillInfoTip(int index, QString& buffer, int) override
    {
        buffer = QString(2 * kTipBufferSize, QChar(u'0' + index));
        return true;
    }
};

class ObjectListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeConsoleState(m_state, 4, 10, 2, 3);
        m_settings.main.SetIconSpacingX(MainSettings::kLines, 6);
        m_settings.main.SetIconSpacingY(MainSettings::kLines, 3);
        m_settings.main.SetObjectFlags(MainSettings::kLines, 3, 0);  // line 4 hidden
        m_images.BuildImageLists(2);
        m_images.BuildImageLists(4);
        m_context.state = &m_state;
        m_context.settings = &m_settings;
        m_context.images = &m_images;
    }

    CObjectListView::ShownObject Shown(MainSettings::Section section)
    {
        return [this, section](int index) { return (m_settings.main.ObjectFlags(section, index) & 1) != 0; };
    }

    OperatorConsoleState m_state;
    OperatorSettingsRecords m_settings;
    OperatorImageLists m_images{m_state, m_settings.main, [](PbxLabelKind, int, int) { return QString(); },
                                Choosers()};
    ConsoleWindowContext m_context;
};

TEST_F(ObjectListViewTest, ItemsFillTheGridRowByRowAndHiddenObjectsLeaveAGapInTheDataOnly)
{
    CObjectListView list(m_context, ObjectKind::Lines, Shown(MainSettings::kLines));
    const QSize cell = m_images.List(ObjectKind::Lines).cellSize + QSize(6, 3);
    EXPECT_EQ(list.CellSize(), cell);
    ASSERT_EQ(list.count(), 9);
    EXPECT_EQ(list.FindObjectItem(3), -1);
    EXPECT_EQ(list.FindObjectItem(4), 3);

    list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // the viewport is the width given
    struct Case {
        int width;
        int columns;
    };
    for (const Case c : {Case{3 * cell.width() + cell.width() / 2, 3}, Case{cell.width() / 2, 1}, Case{5 * cell.width(), 5}}) {
        list.resize(c.width + 2 * list.frameWidth(), 400);
        list.show();
        QCoreApplication::processEvents();
        ASSERT_EQ(std::max(1, list.viewport()->width() / cell.width()), c.columns);
        for (int row = 0; row < list.count(); ++row) {
            const QPoint expected(cell.width() * (row % c.columns), cell.height() * (row / c.columns));
            EXPECT_EQ(list.visualItemRect(list.item(row)).topLeft(), expected) << c.width << " row " << row;
            const int object = row < 3 ? row : row + 1;
            EXPECT_EQ(list.item(row)->data(Qt::UserRole).toInt(), object);
            EXPECT_EQ(list.ObjectAt(expected + QPoint(2, 2)), object);
        }
    }
    // Between the icons of a cell there is nothing to hit.
    EXPECT_EQ(list.ObjectAt(QPoint(cell.width() - 2, 1)), CObjectListView::kNoObject);
}

TEST_F(ObjectListViewTest, ListTakesTheListFontAndTheSectionsBackground)
{
    m_settings.main.SetBackgroundColour(MainSettings::kRelays, 0x00336699);
    CObjectListView list(m_context, ObjectKind::Relays, {});
    EXPECT_EQ(list.font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(list.font().pixelSize(), 12);
    EXPECT_EQ(list.palette().color(QPalette::Base), ColourFromColorRef(0x00336699));
    EXPECT_EQ(list.count(), 3);
}

TEST_F(ObjectListViewTest, InfoTipsAreCutToTheBuffer)
{
    LongTipList list(m_context, ObjectKind::Relays, {});
    const QString tip = list.InfoTip(2);
    EXPECT_EQ(tip.size(), CObjectListView::kTipBufferSize - 1);
    EXPECT_EQ(tip.front(), u'2');
    CObjectListView plain(m_context, ObjectKind::Relays, {});
    EXPECT_TRUE(plain.InfoTip(2).isEmpty());
}

TEST_F(ObjectListViewTest, RedrawingAnObjectChangesItsOneItem)
{
    CObjectListView list(m_context, ObjectKind::Lines, Shown(MainSettings::kLines));
    QSignalSpy changed(list.model(), &QAbstractItemModel::dataChanged);
    list.RedrawObjectItem(5, 0);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toModelIndex().row(), 4);
    EXPECT_EQ(changed.at(0).at(1).toModelIndex().row(), 4);
    list.RedrawObjectItem(3, 0);   // hidden
    list.RedrawObjectItem(40, 0);  // beyond the lines
    EXPECT_EQ(changed.count(), 1);
}

}  // namespace

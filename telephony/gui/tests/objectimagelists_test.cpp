// The image lists and icons: cell sizes, where the extension's service glyphs go, the label rule, an index outside
// a list, and a screenshot of an extension list with glyphs.
#include "consolestatefixture.h"
#include "iconartwork.h"
#include "logfont.h"
#include "mainsettings.h"
#include "objectimagelists.h"
#include "widgettesting.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <array>

namespace {

// First PBX pictures: extension free/busy (style 0), line free, entry phone idle, relay load on.
constexpr int kExtensionFree = 243;
constexpr int kExtensionBusy = 204;
constexpr int kLineFree = 247;
constexpr int kEntryPhoneIdle = 213;
constexpr int kRelayOn = 310;

IconPictureChoosers Choosers(const OperatorConsoleState& state)
{
    IconPictureChoosers choosers;
    choosers.extension = [&state](int index, QString& text) {
        const bool free = state.tables.extensionStatus[static_cast<std::size_t>(index)].State() == 2;
        text = free ? QStringLiteral("LIBERO") : QStringLiteral("OCCUPATO DA MOLTO TEMPO");
        return free ? kExtensionFree : kExtensionBusy;
    };
    choosers.line = [](int, QString& text) {
        text = QStringLiteral("LIBERA");
        return kLineFree;
    };
    choosers.entryPhone = [](int, QString& text) {
        text = QStringLiteral("RIPOSO");
        return kEntryPhoneIdle;
    };
    choosers.relay = [](int) { return kRelayOn; };
    return choosers;
}

LogFont Font(const QString& face, int height)
{
    LogFont font;
    font.SetFaceName(face);
    font.SetHeight(-height);
    return font;
}

class ImageListsTest : public ::testing::Test {
protected:
    void SetUp() override { MakeConsoleState(m_state, 6, 3, 2, 2); }

    OperatorImageLists Lists()
    {
        return OperatorImageLists(m_state, m_settings,
                                  [](PbxLabelKind, int, int index) { return QStringLiteral("Nome %1").arg(index); },
                                  Choosers(m_state));
    }

    OperatorConsoleState m_state;
    MainSettings m_settings;
};

TEST_F(ImageListsTest, CellsWithoutLabelsKeepTheirSizeWhateverTheFonts)
{
    for (const int height : {6, 13, 40}) {
        for (const auto section : {MainSettings::kLines, MainSettings::kEntryPhones, MainSettings::kRelays}) {
            m_settings.SetLabelsShown(section, 0);
            for (int slot = 0; slot < 2; ++slot)
                m_settings.SetFont(section, slot, Font(QStringLiteral("DejaVu Serif"), height));
        }
        OperatorImageLists lists = Lists();
        EXPECT_EQ(lists.GetLineCellSize(), QSize(49, 30)) << height;
        EXPECT_EQ(lists.GetEntryPhoneCellSize(), QSize(29, 43)) << height;
        EXPECT_EQ(lists.GetRelayCellSize(), QSize(36, 38)) << height;
    }
}

TEST_F(ImageListsTest, CellsWithLabelsHoldTheMinimumCharactersOfTheLargerFont)
{
    for (const auto section : {MainSettings::kExtensions, MainSettings::kLines, MainSettings::kEntryPhones,
                               MainSettings::kRelays}) {
        m_settings.SetLabelsShown(section, 1);
        m_settings.SetLabelMinimumCharacters(section, 12);
    }
    OperatorImageLists lists = Lists();
    const QSize small = lists.GetLineCellSize();
    m_settings.SetFont(MainSettings::kLines, 1, Font(QStringLiteral("DejaVu Sans"), 24));
    const QSize large = lists.GetLineCellSize();
    EXPECT_GT(large.width(), small.width());
    EXPECT_GT(large.height(), small.height());
    EXPECT_GE(small.width(), 49);
    EXPECT_GE(lists.GetEntryPhoneCellSize().height(), 43);
    EXPECT_GT(lists.GetRelayCellSize().width(), 37);
    // An extension's cell holds the number line, the picture and two label lines.
    EXPECT_GT(lists.GetExtensionCellSize().height(), 25 + 2 * 11);
    EXPECT_GE(lists.GetExtensionCellSize().width(), 57);
}

TEST_F(ImageListsTest, GlyphsAreDrawnInTheirSlotsAndAnIndexOutsideDrawsNothing)
{
    m_state.tables.extensionWakeUp[0][1] = 2;
    m_state.tables.extensionUnread[0] = 1;
    OperatorImageLists lists = Lists();
    lists.BuildImageLists(1);
    const ObjectImageList& list = lists.List(ObjectKind::Extensions);
    ASSERT_EQ(list.Count(), 6);
    const QImage& icon = list.images[0];
    const QSize glyph(11, 11);
    // The yellow bell at A, the envelope at C (wake-up takes A).
    EXPECT_EQ(icon.copy(QRect(QPoint(0, 0), glyph)), IconArtwork::Picture(IconArtwork::kWakeUpSetGlyph).convertToFormat(icon.format()));
    EXPECT_EQ(icon.copy(QRect(QPoint(icon.width() - 2 * 11 - 1, 0), glyph)),
              IconArtwork::Picture(IconArtwork::kUnreadMessagesGlyph).convertToFormat(icon.format()));

    const std::vector<QImage> before = list.images;
    lists.DrawExtensionIcon(6);
    lists.DrawExtensionIcon(-1);
    lists.DrawLineIcon(3);
    lists.DrawRelayIcon(1000);
    EXPECT_EQ(list.images, before);
}

TEST_F(ImageListsTest, LabelsTooWideAreCutOrScrolled)
{
    m_settings.SetLabelsShown(MainSettings::kExtensions, 1);
    m_settings.SetLabelMinimumCharacters(MainSettings::kExtensions, 4);
    m_state.tables.extensionStatus[1].bytes[2] = 7;  // busy: a long status text
    m_settings.SetScrolling(MainSettings::kExtensions, 0);
    OperatorImageLists lists = Lists();
    lists.BuildImageLists(1);
    // Cut: the scroll position says the label does not scroll.
    EXPECT_EQ(m_state.tables.extensionWork[1][2], 255);
    m_settings.SetScrolling(MainSettings::kExtensions, 1);
    lists.DrawExtensionIcon(1);
    EXPECT_EQ(m_state.tables.extensionWork[1][2], 0);  // the first step of the scroll
    lists.DrawExtensionIcon(1);
    EXPECT_EQ(m_state.tables.extensionWork[1][2], 1);
    // A text that fits does not scroll.
    EXPECT_EQ(m_state.tables.extensionWork[0][2], 255);
}

TEST_F(ImageListsTest, ScreenshotOfAnExtensionListWithGlyphs)
{
    m_settings.SetLabelsShown(MainSettings::kExtensions, 1);
    m_settings.SetLabelMinimumCharacters(MainSettings::kExtensions, 10);
    auto& tables = m_state.tables;
    for (std::size_t i = 0; i < 6; ++i)
        tables.extensionStatus[i].bytes[2] = i % 2 == 0 ? 2 : 7;
    tables.extensionWakeUp[0][1] = 2;
    tables.extensionProgramming[1][5] = 0;
    tables.extensionProgramming[2][8] = 1;
    tables.extensionProgramming[3][49] = 4;
    tables.extensionUnread[4] = 2;
    tables.extensionWakeUp[5][1] = 1;
    tables.extensionProgramming[5][5] = 0;
    tables.extensionProgramming[5][8] = 1;
    tables.extensionProgramming[5][49] = 0;
    tables.extensionUnread[5] = 1;
    OperatorImageLists lists = Lists();
    lists.BuildImageLists(1);
    const ObjectImageList& list = lists.List(ObjectKind::Extensions);
    QImage sheet(list.cellSize.width() * 6 + 35, list.cellSize.height() + 10, QImage::Format_RGB32);
    sheet.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter painter(&sheet);
    for (int i = 0; i < list.Count(); ++i)
        painter.drawImage(5 + i * (list.cellSize.width() + 5), 5, *list.Image(i));
    painter.end();
    EXPECT_TRUE(SaveScreenshot(sheet, QStringLiteral("fonivra-extension-icons")));
}

}  // namespace

// The settings sheet offscreen in both languages: its ten pages at the size the sheet gives them, the
// opening tab, the range prompt, the display, alarm, toolbar and general pages, the plug-in pages and the
// connection dialog; the second PBX's list on SQLite and PostgreSQL.
#include "alarmconfiguration.h"
#include "callfilterrule.h"
#include "dialogtestsupport.h"
#include "gdiobjects.h"
#include "installationsettings.h"
#include "graphicconfiguration.h"
#include "officepluginconfiguration.h"
#include "operatorsettingsrecords.h"
#include "otherconfiguration.h"
#include "pbxconnectiondlg.h"
#include "service2pluginconfiguration.h"
#include "service3pluginconfiguration.h"
#include "sqldatabase.h"
#include "systemconfiguration.h"
#include "testcatalog.h"
#include "toolbarconfiguration.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTreeWidget>

#include <memory>

namespace {

constexpr unsigned kSettingsCaption = 1033;

class SystemConfigurationTest : public ConsoleDialogTest {
protected:
    CSystemConfiguration& Sheet(int firstPage = 0)
    {
        m_sheet = std::make_unique<CSystemConfiguration>(kSettingsCaption, &m_records, context, nullptr, firstPage);
        return *m_sheet;
    }
    template <typename Widget>
    Widget* On(int page, int id)
    {
        auto widget = m_sheet->Page(page)->findChild<Widget*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << page << " " << id;
        return widget;
    }
    QTreeWidget* List(int page, int id) { return On<QTreeWidget>(page, id); }
    void Click(int page, int id) { On<QPushButton>(page, id)->click(); }
    void SelectRows(QTreeWidget* list, std::initializer_list<int> rows)
    {
        list->clearSelection();
        for (int row : rows)
            list->topLevelItem(row)->setSelected(true);
    }
    void PressOk() { m_sheet->findChild<QPushButton*>(QStringLiteral("1"))->click(); }

    OperatorSettingsRecords m_records;
    std::unique_ptr<CSystemConfiguration> m_sheet;
};

constexpr int kExtensionsPage = 0;
constexpr int kLinesPage = 1;
constexpr int kRelaysPage = 3;
constexpr int kAlarmPage = 4;
constexpr int kToolbarPage = 5;
constexpr int kGeneralPage = 6;
constexpr int kOfficePage = 7;
constexpr int kSecondPluginPage = 8;
constexpr int kThirdPluginPage = 9;

TEST_P(SystemConfigurationTest, OpensOnTheFirstTabAndShowsEveryPageWhole)
{
    CSystemConfiguration& sheet = Sheet(3);
    const QStringList tabs = English() ? QStringList{"Extensions", "External lines", "Entry phones", "Relays",
                                                     "Alarms", "Toolbar", "General", "Service 1 plug-in",
                                                     "Service 2 plug-in", "Service 3 plug-in"}
                                       : QStringList{"Derivati", "Linee Esterne", "Citofoni", "Relays", "Allarmi",
                                                     "Toolbar", "Generale", "Service 1 plug-in",
                                                     "Service 2 plug-in", "Service 3 plug-in"};
    ASSERT_EQ(sheet.Tabs()->count(), CSystemConfiguration::kPageCount);
    for (int tab = 0; tab < sheet.Tabs()->count(); ++tab)
        EXPECT_EQ(sheet.Tabs()->tabText(tab), tabs.at(tab));
    EXPECT_EQ(sheet.FirstPage(), 3);
    EXPECT_EQ(sheet.windowTitle(), English() ? QStringLiteral("Settings") : QStringLiteral("Impostazioni"));
    EXPECT_FALSE(sheet.windowIcon().isNull());
    sheet.show();
    EXPECT_EQ(sheet.Tabs()->currentIndex(), 0);
    for (int tab = 0; tab < sheet.Tabs()->count(); ++tab) {
        sheet.Tabs()->setCurrentIndex(tab);
        const QString name = QStringLiteral("settings_page%1").arg(tab);
        ShowAndShoot(sheet, name);
    }
}

TEST_P(SystemConfigurationTest, DisplayPagesShowTheirRowsAndLockTheIconSizeOutsideExtensions)
{
    m_records.main.SetExtensionLabelSize(0, 17);
    m_records.main.SetExtensionLabelSize(1, 17);
    // The other sections' copies of the size, which their pages never write.
    for (int section = 1; section < MainSettings::kSectionCount; ++section) {
        m_records.main.Bytes()[section * MainSettings::kSectionSize + 464] = 9;
        m_records.main.Bytes()[section * MainSettings::kSectionSize + 468] = 8;
    }
    const QByteArray before = m_records.main.Bytes();
    Sheet();
    struct Case {
        int page;
        bool iconSizeEnabled;
        QString iconSize;
        std::array<bool, 3> rows;
        int columns;
        int objects;
    };
    const Case cases[] = {{0, true, "17", {true, true, true}, 3, kExtensions},
                          {1, false, "5", {true, true, false}, 2, 12},
                          {2, false, "5", {true, true, false}, 2, 4},
                          {3, false, "5", {true, false, false}, 2, 4}};
    for (const Case& c : cases) {
        auto iconSize = On<QLineEdit>(c.page, CGraphicConfiguration::kIconSize);
        EXPECT_EQ(iconSize->isEnabled(), c.iconSizeEnabled) << c.page;
        EXPECT_EQ(iconSize->text(), c.iconSize) << c.page;
        for (int row = 0; row < 3; ++row) {
            for (const int id : {CGraphicConfiguration::kRowLabels[row], CGraphicConfiguration::kColourButtons[row],
                                 CGraphicConfiguration::kFontButtons[row]})
                EXPECT_EQ(!On<QWidget>(c.page, id)->isHidden(), c.rows[row]) << c.page << " " << id;
        }
        EXPECT_EQ(List(c.page, CGraphicConfiguration::kList)->columnCount(), c.columns);
        EXPECT_EQ(List(c.page, CGraphicConfiguration::kList)->topLevelItemCount(), c.objects);
        EXPECT_EQ(On<QComboBox>(c.page, CGraphicConfiguration::kServiceIcon)->isHidden(), c.page != 0);
    }
    EXPECT_EQ(List(0, CGraphicConfiguration::kList)->topLevelItem(kLabelledExtension)->text(0), kLabel);
    EXPECT_EQ(List(0, CGraphicConfiguration::kList)->topLevelItem(0)->text(2),
              English() ? QStringLiteral("Telephone") : QStringLiteral("Telefono"));
    EXPECT_EQ(On<QLabel>(0, 1119)->text(), English() ? QStringLiteral("Number") : QStringLiteral("Numero"));
    EXPECT_EQ(On<QLabel>(1, 1119)->text(), English() ? QStringLiteral("Label") : QStringLiteral("Etichetta"));

    PressOk();
    EXPECT_EQ(m_sheet->result(), QDialog::Accepted);
    // Nothing was changed: the pages write back what they showed, and the locked sizes stay.
    EXPECT_EQ(m_records.main.Bytes(), before);
}

TEST_P(SystemConfigurationTest, ApplyingToSeveralRowsGivesThemOneVisibilityAndOneIcon)
{
    m_records.main.SetObjectFlags(MainSettings::kExtensions, 5, 1 | (12 << 1));  // an icon past the ten
    Sheet();
    QTreeWidget* list = List(kExtensionsPage, CGraphicConfiguration::kList);
    const QString telephone = list->topLevelItem(0)->text(2);
    EXPECT_EQ(list->topLevelItem(5)->text(2), telephone);
    EXPECT_FALSE(On<QPushButton>(kExtensionsPage, CGraphicConfiguration::kApply)->isEnabled());
    SelectRows(list, {1, 3, 4});
    EXPECT_TRUE(On<QPushButton>(kExtensionsPage, CGraphicConfiguration::kApply)->isEnabled());
    On<QComboBox>(kExtensionsPage, CGraphicConfiguration::kVisibility)->setCurrentIndex(1);
    On<QComboBox>(kExtensionsPage, CGraphicConfiguration::kServiceIcon)->setCurrentIndex(8);
    Click(kExtensionsPage, CGraphicConfiguration::kApply);
    // The list is filled again: the selection is gone and the record copy holds the bytes at once.
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_FALSE(On<QPushButton>(kExtensionsPage, CGraphicConfiguration::kApply)->isEnabled());
    for (int row : {1, 3, 4}) {
        EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kExtensions, row), 8 << 1) << row;
        EXPECT_EQ(list->topLevelItem(row)->text(1), QString()) << row;
        EXPECT_EQ(list->topLevelItem(row)->text(2),
                  English() ? QStringLiteral("Restaurant") : QStringLiteral("Ristorante"));
    }
    QTreeWidget* lines = List(kLinesPage, CGraphicConfiguration::kList);
    SelectRows(lines, {0, 11});
    On<QComboBox>(kLinesPage, CGraphicConfiguration::kVisibility)->setCurrentIndex(1);
    Click(kLinesPage, CGraphicConfiguration::kApply);
    EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kLines, 0), 0);
    EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kLines, 11), 0);
    EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kLines, 1), 1);

    PressOk();
    // The stored icon past the ten is applied as the first.
    EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kExtensions, 5), 1);
    EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kExtensions, 3), 8 << 1);
    EXPECT_EQ(m_records.main.ObjectFlags(MainSettings::kExtensions, 0), 1);
}

TEST_P(SystemConfigurationTest, AKindWithoutObjectsShowsAnEmptyListAndChangesNoObjectByte)
{
    MakeConsoleState(state, 12, 12, 0, 4);
    m_records.main.SetObjectFlags(MainSettings::kEntryPhones, 0, 0);
    m_records.main.SetObjectFlags(MainSettings::kEntryPhones, 3, 7);
    const QByteArray before = m_records.main.Bytes();
    Sheet();
    EXPECT_EQ(List(2, CGraphicConfiguration::kList)->topLevelItemCount(), 0);
    PressOk();
    EXPECT_EQ(m_records.main.Bytes(), before);
}

TEST_P(SystemConfigurationTest, AFieldOutOfRangeGivesThePromptAndKeepsItsPage)
{
    CSystemConfiguration& sheet = Sheet();
    sheet.show();
    const QString prompt = English() ? QStringLiteral("Please enter a whole number between %1 and %2")
                                     : QStringLiteral("Immettere un numero intero compreso tra %1 e %2");
    On<QLineEdit>(kExtensionsPage, CGraphicConfiguration::kIconSize)->setText(QStringLiteral("30"));
    {
        MessageBoxRecorder boxes;
        PressOk();
        ASSERT_TRUE(WaitFor([&] { return !boxes.Seen().empty(); }));
        EXPECT_EQ(boxes.Seen().front().text, prompt.arg(5).arg(25));
    }
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    // Leaving the page is refused the same way.
    {
        MessageBoxRecorder boxes;
        sheet.Tabs()->setCurrentIndex(kToolbarPage);
        ASSERT_TRUE(WaitFor([&] { return !boxes.Seen().empty(); }));
    }
    EXPECT_EQ(sheet.Tabs()->currentIndex(), kExtensionsPage);
    On<QLineEdit>(kExtensionsPage, CGraphicConfiguration::kIconSize)->setText(QStringLiteral("25"));
    // A spacing of a page not shown is checked at OK too: that page is shown.
    On<QLineEdit>(kRelaysPage, CGraphicConfiguration::kVerticalSpacing)->setText(QStringLiteral("51"));
    {
        MessageBoxRecorder boxes;
        PressOk();
        ASSERT_TRUE(WaitFor([&] { return !boxes.Seen().empty(); }));
        EXPECT_EQ(boxes.Seen().front().text, prompt.arg(0).arg(50));
    }
    EXPECT_EQ(sheet.Tabs()->currentIndex(), kRelaysPage);
    On<QLineEdit>(kRelaysPage, CGraphicConfiguration::kVerticalSpacing)->setText(QStringLiteral("50"));
    PressOk();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(m_records.main.ExtensionLabelSize(0), 25u);
    EXPECT_EQ(m_records.main.ExtensionLabelSize(1), 25u);
    EXPECT_EQ(m_records.main.IconSpacingY(MainSettings::kRelays), 50u);
}

TEST_P(SystemConfigurationTest, ColoursReachTheCopyAtOkAndFontsAtOnce)
{
    const QByteArray before = m_records.main.Bytes();
    Sheet();
    {
        ModalAnswerer answer([](QDialog* dialog) {
            if (auto colours = qobject_cast<QColorDialog*>(dialog)) {
                colours->setCurrentColor(QColor(10, 20, 30));
                colours->accept();
            }
        });
        Click(kLinesPage, CGraphicConfiguration::kColourButtons[1]);
        EXPECT_EQ(answer.Count(), 1);
    }
    EXPECT_EQ(m_records.main.Bytes(), before);
    {
        ModalAnswerer answer([](QDialog* dialog) {
            if (auto fonts = qobject_cast<QFontDialog*>(dialog)) {
                QFont font(QStringLiteral("DejaVu Sans"));
                font.setPointSize(40);
                font.setItalic(true);
                fonts->setCurrentFont(font);
                fonts->accept();
            }
        });
        Click(kLinesPage, CGraphicConfiguration::kFontButtons[0]);
        EXPECT_EQ(answer.Count(), 1);
    }
    const LogFont font = m_records.main.Font(MainSettings::kLines, 0);
    EXPECT_EQ(font.FaceName(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font.Italic(), 1);
    EXPECT_EQ(font.Height(), -29);  // held to 22 points
    PressOk();
    EXPECT_EQ(m_records.main.Colour(MainSettings::kLines, 1), 0x1E140Au);
}

TEST(GdiObjects, AChosenFontComesBackAsTheLogFontItWasMadeFrom)
{
    const MainSettings main;
    for (int slot = 0; slot < 3; ++slot) {
        const LogFont stored = main.Font(MainSettings::kExtensions, slot);
        const LogFont back = LogFontFromFont(FontFromLogFont(stored));
        EXPECT_EQ(back.Height(), stored.Height());
        EXPECT_EQ(back.Weight(), stored.Weight());
        EXPECT_EQ(back.Italic(), stored.Italic());
        EXPECT_EQ(back.FaceName(), stored.FaceName());
    }
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSize(9);
    points.setUnderline(true);
    EXPECT_EQ(LogFontFromFont(points).Height(), -12);
    EXPECT_EQ(LogFontFromFont(points).Underline(), 1);
}

TEST_P(SystemConfigurationTest, AlarmsSwitchedOnByApplyAreStoredAsOne)
{
    m_records.main.SetAlarmEnabled(7, 0);
    Sheet();
    QTreeWidget* list = List(kAlarmPage, CAlarmConfiguration::kList);
    ASSERT_EQ(list->topLevelItemCount(), kExtensions);
    EXPECT_EQ(list->topLevelItem(kLabelledExtension)->text(0),
              (English() ? QStringLiteral("Alarm from ") : QStringLiteral("Allarme da ")) + kLabel);
    EXPECT_EQ(list->topLevelItem(7)->text(1), QString());
    SelectRows(list, {2, 4, 6});
    On<QComboBox>(kAlarmPage, CAlarmConfiguration::kChoice)->setCurrentIndex(1);
    Click(kAlarmPage, CAlarmConfiguration::kApply);
    for (int row : {2, 4, 6})
        EXPECT_EQ(m_records.main.AlarmEnabled(row), 0);
    SelectRows(list, {4, 6, 7});
    On<QComboBox>(kAlarmPage, CAlarmConfiguration::kChoice)->setCurrentIndex(0);
    Click(kAlarmPage, CAlarmConfiguration::kApply);
    for (int row : {4, 6, 7})
        EXPECT_EQ(m_records.main.AlarmEnabled(row), 255);
    PressOk();
    for (int row = 0; row < kExtensions; ++row)
        EXPECT_EQ(m_records.main.AlarmEnabled(row), row == 2 ? 0 : 1) << row;
}

TEST_P(SystemConfigurationTest, ToolbarEntriesAreAppliedToTheSelectedRow)
{
    m_records.toolbar.SetLabel(2, QStringLiteral("Portineria"));
    m_records.toolbar.SetNumber(2, 0, QStringLiteral("201"));
    m_records.toolbar.SetFlag(2, 1, 1);
    Sheet();
    QTreeWidget* list = List(kToolbarPage, CToolbarConfiguration::kList);
    auto label = On<QLineEdit>(kToolbarPage, CToolbarConfiguration::kLabel);
    auto first = On<QLineEdit>(kToolbarPage, CToolbarConfiguration::kNumbers[0]);
    auto hangUp = On<QCheckBox>(kToolbarPage, CToolbarConfiguration::kHangUp);
    auto system = On<QCheckBox>(kToolbarPage, CToolbarConfiguration::kSystem);
    EXPECT_FALSE(label->isEnabled());
    EXPECT_EQ(list->topLevelItem(2)->text(5), QStringLiteral("X"));
    SelectRows(list, {2});
    EXPECT_TRUE(label->isEnabled());
    EXPECT_EQ(label->text(), QStringLiteral("Portineria"));
    EXPECT_EQ(first->text(), QStringLiteral("201"));
    EXPECT_TRUE(hangUp->isChecked());

    // System programming implies hang-up, whatever the hang-up check says.
    SelectRows(list, {0});
    label->setText(QStringLiteral("Notte"));
    first->setText(QString(60, u'9'));
    hangUp->setChecked(false);
    system->setChecked(true);
    Click(kToolbarPage, CToolbarConfiguration::kApply);
    EXPECT_EQ(m_records.toolbar.Flag(0, 0), 1);
    EXPECT_EQ(m_records.toolbar.Flag(0, 1), 1);
    EXPECT_EQ(m_records.toolbar.Number(0, 0), QString(49, u'9'));
    EXPECT_EQ(list->topLevelItem(0)->text(5), QStringLiteral("X"));
    EXPECT_EQ(list->topLevelItem(0)->text(6), QStringLiteral("X"));
    EXPECT_FALSE(label->isEnabled());

    // An empty label clears the entry, numbers and flags too.
    SelectRows(list, {2});
    label->clear();
    first->setText(QStringLiteral("555"));
    Click(kToolbarPage, CToolbarConfiguration::kApply);
    EXPECT_EQ(m_records.toolbar.Label(2), QString());
    EXPECT_EQ(m_records.toolbar.Number(2, 0), QString());
    EXPECT_EQ(m_records.toolbar.Flag(2, 1), 0);

    // A label of 60 characters is kept as its first 47.
    SelectRows(list, {5});
    const QString longLabel = QStringLiteral("Chiamata di servizio alla reception del piano terra, ala est");
    ASSERT_EQ(longLabel.size(), 60);
    label->setText(longLabel);
    Click(kToolbarPage, CToolbarConfiguration::kApply);
    EXPECT_EQ(m_records.toolbar.Label(5), longLabel.left(47));
    PressOk();
    EXPECT_EQ(m_records.toolbar.Label(5), longLabel.left(47));
    EXPECT_EQ(m_records.toolbar.Label(0), QStringLiteral("Notte"));
}

TEST_P(SystemConfigurationTest, TheMissedCallCheckShowsTheInverseOfItsByte)
{
    struct Case {
        std::uint8_t stored;
        bool checked;
    };
    for (const Case c : {Case{0, true}, Case{1, false}}) {
        m_records.main.SetPopupOption(c.stored);
        m_records.main.SetCheckInManagement(1);
        Sheet();
        auto missed = On<QCheckBox>(kGeneralPage, COtherConfiguration::kMissedCalls);
        EXPECT_EQ(missed->isChecked(), c.checked);
        EXPECT_TRUE(On<QCheckBox>(kGeneralPage, COtherConfiguration::kHotelMode)->isChecked());
        missed->setChecked(!c.checked);
        On<QCheckBox>(kGeneralPage, COtherConfiguration::kStartOnTaskBar)->setChecked(true);
        PressOk();
        EXPECT_EQ(m_records.main.PopupOption(), c.stored ? 0 : 1);
        EXPECT_EQ(m_records.main.StartMinimised(), 1);
    }
}

TEST_P(SystemConfigurationTest, SixtyFourRulesLeaveNoRoomAndDeletingTheOnlyRuleZeroesIt)
{
    CallFilterRule rule;
    rule.pattern = QStringLiteral("*02");
    rule.action = CallFilterRule::kTransferToExtension;
    rule.argument = QString::number(kLabelledExtension);
    for (int index = 0; index < OfficePluginSettings::kMaxRules; ++index)
        m_records.office.SetRule(index, rule.Write());
    m_records.office.SetRuleCount(OfficePluginSettings::kMaxRules);
    Sheet();
    QTreeWidget* list = List(kOfficePage, COfficePluginConfiguration::kList);
    ASSERT_EQ(list->topLevelItemCount(), 64);
    EXPECT_EQ(list->topLevelItem(0)->text(1),
              (English() ? QStringLiteral("Transfer to ") : QStringLiteral("Trasferisci a ")) + kLabel);
    EXPECT_FALSE(On<QPushButton>(kOfficePage, COfficePluginConfiguration::kNew)->isEnabled());
    EXPECT_FALSE(On<QPushButton>(kOfficePage, COfficePluginConfiguration::kDelete)->isEnabled());
    SelectRows(list, {10});
    Click(kOfficePage, COfficePluginConfiguration::kDelete);
    EXPECT_EQ(m_records.office.RuleCount(), 63);
    EXPECT_TRUE(On<QPushButton>(kOfficePage, COfficePluginConfiguration::kNew)->isEnabled());

    OperatorSettingsRecords one;
    one.office.SetRule(0, rule.Write());
    one.office.SetRuleCount(1);
    m_records = one;
    Sheet();
    list = List(kOfficePage, COfficePluginConfiguration::kList);
    SelectRows(list, {0});
    Click(kOfficePage, COfficePluginConfiguration::kDelete);
    EXPECT_EQ(m_records.office.RuleCount(), 0);
    EXPECT_EQ(m_records.office.Rule(0), QByteArray(OfficePluginSettings::kRuleSize, '\0'));
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

TEST_P(SystemConfigurationTest, NewRulesGoAtTheEndAndTheFlagsAreTheTickedBits)
{
    Sheet();
    ModalAnswerer answer([](QDialog* dialog) {
        if (auto number = dialog->findChild<QLineEdit*>(QStringLiteral("1131"))) {
            number->setText(QStringLiteral("0612345"));
            dialog->findChild<QPushButton*>(QStringLiteral("1136"))->click();
        }
    });
    Click(kOfficePage, COfficePluginConfiguration::kNew);
    Click(kOfficePage, COfficePluginConfiguration::kNew);
    EXPECT_EQ(answer.Count(), 2);
    EXPECT_EQ(m_records.office.RuleCount(), 2);
    EXPECT_EQ(CallFilterRule::Read(m_records.office.Rule(1)).pattern, QStringLiteral("0612345"));
    EXPECT_EQ(List(kOfficePage, COfficePluginConfiguration::kList)->topLevelItem(1)->text(1),
              English() ? QStringLiteral("Reject") : QStringLiteral("Rifiuta"));
    On<QCheckBox>(kOfficePage, 1128)->setChecked(false);
    On<QCheckBox>(kOfficePage, 1132)->setChecked(true);
    m_records.office.Bytes()[2] = 0x40;
    PressOk();
    EXPECT_EQ(m_records.office.Flags(), 0x1A);
    EXPECT_EQ(m_records.office.Bytes().at(2), 0);
}

TEST_P(SystemConfigurationTest, ConnectionsKeepTheirDirectionAndThirtyTwoFillOne)
{
    Service2PluginSettings& second = m_records.second;
    for (int index = 0; index < Service2PluginSettings::kListLength; ++index) {
        second.SetListEntry(1, 0, index, static_cast<std::uint8_t>(index));
        second.SetListEntry(1, 1, index, static_cast<std::uint8_t>(index + 1));
    }
    second.SetListCount(1, Service2PluginSettings::kListLength);
    second.SetListEntry(0, 0, 0, 4);
    second.SetListEntry(0, 1, 0, 9);
    second.SetListCount(0, 1);
    Sheet();
    QTreeWidget* list = List(kSecondPluginPage, CService2PluginConfiguration::kList);
    ASSERT_EQ(list->topLevelItemCount(), 33);
    EXPECT_EQ(list->topLevelItem(0)->text(0), English() ? QStringLiteral("(Associated PBX)(L.5)")
                                                        : QStringLiteral("(Centralino associato)(L.5)"));
    EXPECT_EQ(list->topLevelItem(0)->text(1),
              English() ? QStringLiteral("(Second PBX)(I.10)") : QStringLiteral("(Secondo centralino)(I.10)"));
    EXPECT_EQ(list->topLevelItem(3)->data(0, CService2PluginConfiguration::kItemDataRole).value<quint32>(),
              0x80000002u);
    EXPECT_FALSE(On<QPushButton>(kSecondPluginPage, CService2PluginConfiguration::kNew)->isEnabled());

    // Modify: the dialog cannot change the direction; the new values stay at their place.
    SelectRows(list, {3});
    ModalAnswerer answer([](QDialog* dialog) {
        auto direction = dialog->findChild<QComboBox*>(QStringLiteral("1152"));
        if (!direction)
            return;
        EXPECT_FALSE(direction->isEnabled());
        EXPECT_EQ(direction->currentIndex(), 1);
        dialog->findChild<QComboBox*>(QStringLiteral("1153"))->setCurrentIndex(20);
        dialog->findChild<QComboBox*>(QStringLiteral("1154"))->setCurrentIndex(200);
        dialog->findChild<QPushButton*>(QStringLiteral("1158"))->click();
    });
    Click(kSecondPluginPage, CService2PluginConfiguration::kEdit);
    EXPECT_EQ(answer.Count(), 1);
    EXPECT_EQ(second.ListEntry(1, 0, 2), 20);
    EXPECT_EQ(second.ListEntry(1, 1, 2), 200);
    EXPECT_EQ(second.ListEntry(0, 0, 0), 4);
    EXPECT_EQ(second.ListCount(1), 32);
}

TEST_P(SystemConfigurationTest, DeletingAConnectionAsksFirst)
{
    Service2PluginSettings& second = m_records.second;
    for (int index = 0; index < 3; ++index)
        second.SetListEntry(0, 0, index, static_cast<std::uint8_t>(index + 1));
    second.SetListCount(0, 3);
    Sheet();
    QTreeWidget* list = List(kSecondPluginPage, CService2PluginConfiguration::kList);
    for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
        SelectRows(list, {0});
        std::vector<QString> asked;
        ModalAnswerer answer([&](QDialog* dialog) {
            asked.push_back(dialog->windowTitle() + u'|' + qobject_cast<QMessageBox*>(dialog)->text());
            PressButton(dialog, button);
        });
        Click(kSecondPluginPage, CService2PluginConfiguration::kDelete);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked.front(), English() ? QStringLiteral("Fonivra|Do you confirm deleting the connection")
                                           : QStringLiteral("Fonivra|Confermi l'eliminazione della connessione"));
    }
    EXPECT_EQ(second.ListCount(0), 2);
    EXPECT_EQ(second.ListEntry(0, 0, 0), 2);
    EXPECT_EQ(second.ListEntry(0, 0, 1), 3);
    EXPECT_EQ(second.ListEntry(0, 0, 2), 0);
}

TEST_P(SystemConfigurationTest, ThirdPluginChecksAndTheNotices)
{
    m_records.third.Bytes()[2] = 1;
    m_records.third.Bytes()[4] = 7;
    InstallationSettings missing(QStringLiteral("/nonexistent/Installation.ini"));
    context.installation = &missing;
    Sheet();
    EXPECT_TRUE(On<QCheckBox>(kThirdPluginPage, 1163)->isChecked());
    EXPECT_EQ(On<QLabel>(kThirdPluginPage, CService3PluginConfiguration::kNotice)->text(), QString());
    EXPECT_EQ(On<QLabel>(kSecondPluginPage, CService2PluginConfiguration::kNotice)->text(),
              English() ? QStringLiteral("RESTART FONIVRA AFTER THE CHANGES")
                        : QStringLiteral("RIAVVIARE FONIVRA DOPO LE MODIFICHE"));
    On<QCheckBox>(kThirdPluginPage, 1161)->setChecked(true);
    PressOk();
    EXPECT_EQ(m_records.third.Bytes(), QByteArray::fromHex("010001000700"));

    // A loaded installation in simulation.
    QTemporaryDir folder;
    InstallationSettings simulation(folder.path() + QStringLiteral("/Installation.ini"));
    simulation.Load();
    simulation.SetInstallationMode(InstallationSettings::kModeSimulation);
    ASSERT_TRUE(simulation.Save());
    simulation.Load();
    context.installation = &simulation;
    Sheet();
    EXPECT_EQ(On<QLabel>(kThirdPluginPage, CService3PluginConfiguration::kNotice)->text(), QStringLiteral("SIMULATOR"));
    EXPECT_EQ(On<QLabel>(kSecondPluginPage, CService2PluginConfiguration::kNotice)->text(),
              QStringLiteral("SIMULATOR"));
}

TEST_P(SystemConfigurationTest, ConnectionDialogInBothModes)
{
    for (const bool modify : {false, true}) {
        CPbxConnectionDlg dialog(modify, 1, 3, 17);
        EXPECT_EQ(dialog.windowTitle(), modify ? (English() ? "Edit connection" : "Modifica connessione")
                                               : (English() ? "New connection" : "Nuova connessione"));
        EXPECT_EQ(Find<QComboBox>(dialog, CPbxConnectionDlg::kDirection)->isEnabled(), !modify);
        EXPECT_EQ(Find<QComboBox>(dialog, CPbxConnectionDlg::kLine)->count(), 32);
        EXPECT_EQ(Find<QComboBox>(dialog, CPbxConnectionDlg::kExtension)->count(), 256);
        EXPECT_EQ(Find<QComboBox>(dialog, CPbxConnectionDlg::kExtension)->currentText(), QStringLiteral("I.18"));
        ShowAndShoot(dialog, modify ? QStringLiteral("pbxconnection_modify") : QStringLiteral("pbxconnection_new"));
        Find<QPushButton>(dialog, CPbxConnectionDlg::kOk)->click();
        EXPECT_EQ(dialog.SecondPbx(), 1);
        EXPECT_EQ(dialog.SourceLine(), 3);
        EXPECT_EQ(dialog.Destination(), 17);
    }
}

CONSOLE_DIALOG_TEST_LANGUAGES(SystemConfigurationTest);

// The second PBX's list comes from the database's PBX list.
class SecondPbxChoiceTest : public ::testing::TestWithParam<DbBackend> {};

TEST_P(SecondPbxChoiceTest, AStoredChoiceOutsideTheListStaysUnlessTheOperatorChooses)
{
    TestCatalog catalog(GetParam());
    if (!catalog.SkipReason().isEmpty())
        GTEST_SKIP() << catalog.SkipReason().toStdString();
    {
        CSqlDatabase setup(catalog.Parameters());
        ASSERT_EQ(setup.ConnectAndCreateSchema(QString()), kNoError);
        ASSERT_EQ(setup.InsertEngineConfiguration(0, QStringLiteral("CENTRALE"), 1), kNoError);
        ASSERT_EQ(setup.InsertEngineConfiguration(1, QStringLiteral("ALBERGO"), 2), kNoError);
    }
    CSqlDatabase database(catalog.Parameters());
    ASSERT_EQ(database.Connect(QString()), kNoError);
    ASSERT_EQ(database.PbxCount(), 2);
    CSqlDatabase empty(catalog.Parameters());  // not connected: no PBX listed

    struct Case {
        CSqlDatabase* database;
        std::uint8_t stored;
        int choose;  // -1: no choice
        QString shown;
        std::uint8_t kept;
    };
    const Case cases[] = {{&database, 255, -1, "CENTRALE", 255}, {&database, 255, 0, "CENTRALE", 0},
                          {&database, 1, -1, "ALBERGO", 1},      {&database, 1, 0, "ALBERGO", 0},
                          {&empty, 255, -1, "", 255},            {&empty, 1, -1, "", 1}};
    for (const Case& c : cases) {
        OperatorSettingsRecords records;
        records.second.SetSecondPbx(c.stored);
        ConsoleWindowContext context;
        context.database = c.database;
        CSystemConfiguration sheet(kSettingsCaption, &records, context);
        auto combo = sheet.Page(kSecondPluginPage)->findChild<QComboBox*>(QStringLiteral("1151"));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(combo->currentText(), c.shown);
        if (c.choose >= 0) {
            combo->setCurrentIndex(c.choose);
            emit combo->activated(c.choose);
        }
        sheet.findChild<QPushButton*>(QStringLiteral("1"))->click();
        EXPECT_EQ(records.second.SecondPbx(), c.kept) << int(c.stored) << " " << c.choose;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, SecondPbxChoiceTest, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),
                         [](const ::testing::TestParamInfo<DbBackend>& info) {
                             return BackendName(info.param).toStdString();
                         });

}  // namespace

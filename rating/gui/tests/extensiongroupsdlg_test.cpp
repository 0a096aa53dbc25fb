// The extension-groups dialog and the group dialog, driven through their controls on a real Groups table.
#include "dbtest.h"
#include "extensiongroupdlg.h"
#include "extensiongroupsdlg.h"
#include "grouptesting.h"
#include "language.h"
#include "ratingdatabase.h"
#include "viewtesting.h"
#include "widgettesting.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

constexpr int kPbx = 0;
constexpr int kOtherPbx = 1;

class ExtensionGroupsDlgTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        SetLanguage(kLanguageItalian);
        database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(database->ConnectAndCreateSchema(kServer), kNoError);
        ASSERT_EQ(database->CreateGroupsTable(), kNoError);
    }

    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void AddGroup(const QString& name, int pbx, std::vector<int> members)
    {
        ASSERT_NE(InsertTestGroup(*database, name, pbx, members), 0);
    }

    // The rows of the list: name and member count.
    static QStringList Rows(QDialog& dialog)
    {
        auto list = dialog.findChild<QTableWidget*>(QStringLiteral("1156"));
        QStringList rows;
        for (int row = 0; row < list->rowCount(); ++row)
            rows << list->item(row, 0)->text() + u'/' + list->item(row, 1)->text();
        return rows;
    }

    static void SelectRows(QDialog& dialog, std::initializer_list<int> rows)
    {
        auto list = dialog.findChild<QTableWidget*>(QStringLiteral("1156"));
        list->clearSelection();
        for (const int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // Fills the group dialog: the name, then the rows to check (all others unchecked), then OK.
    struct GroupEntry {
        QString name;
        std::vector<int> checked;
    };
    void FillGroupDialog(QDialog* dialog, const GroupEntry& entry)
    {
        dialogTitles << dialog->windowTitle();
        dialog->findChild<QLineEdit*>(QStringLiteral("1160"))->setText(entry.name);
        auto list = dialog->findChild<QTreeWidget*>(QStringLiteral("1159"));
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            list->topLevelItem(row)->setCheckState(0, Qt::Unchecked);
        for (const int row : entry.checked)
            list->topLevelItem(row)->setCheckState(0, Qt::Checked);
        // A box that OK opens runs inside this answer: a timer of its own answers it.
        ModalAnswerer refusals([&](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown)) {
                boxes << box->text();
                box->accept();
            }
        });
        Button(*dialog, 1157)->click();
        stayedOpen = dialog->isVisible();
    }

    // Runs `action` with the group dialog filled from `entry` and message boxes answered Yes; the boxes'
    // texts are kept.
    void WithAnswers(const std::function<void()>& action, const GroupEntry& entry = {})
    {
        ModalAnswerer answerer([&](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown)) {
                boxes << box->text();
                PressButton(box, QMessageBox::Yes);
                if (box->isVisible())
                    box->accept();
            } else if (shown->objectName() == QStringLiteral("147")) {
                FillGroupDialog(shown, entry);
            }
        });
        action();
    }

    ViewFixtureData data;
    std::unique_ptr<CRatingDatabase> database;
    QStringList boxes;
    QStringList dialogTitles;
    bool stayedOpen = false;
};

TEST_P(ExtensionGroupsDlgTest, APbxWithoutGroupsOffersOnlyNew)
{
    AddGroup(QStringLiteral("Altrove"), kOtherPbx, {0});
    CExtensionGroupsDlg dialog(*database, data.pbxs);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Gruppi di derivati"));
    EXPECT_EQ(Combo(dialog, 1154)->count(), 2);
    EXPECT_TRUE(Rows(dialog).isEmpty());
    EXPECT_TRUE(Button(dialog, 1157)->isEnabled());
    EXPECT_FALSE(Button(dialog, 1158)->isEnabled());
    EXPECT_FALSE(Button(dialog, 1155)->isEnabled());
    Combo(dialog, 1154)->setCurrentIndex(1);
    EXPECT_EQ(Rows(dialog), QStringList{"Altrove/1"});
}

TEST_P(ExtensionGroupsDlgTest, NewModifyAndDeleteSeveral)
{
    CExtensionGroupsDlg dialog(*database, data.pbxs);
    dialog.show();
    WithAnswers([&] { Button(dialog, 1157)->click(); }, {QStringLiteral("Vendite"), {1, 3, 4}});
    WithAnswers([&] { Button(dialog, 1157)->click(); }, {QStringLiteral("Uffici"), {0}});
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'|').toStdString();
    EXPECT_EQ(dialogTitles, (QStringList{"Crea nuovo gruppo", "Crea nuovo gruppo"}));
    EXPECT_EQ(Rows(dialog), (QStringList{"Vendite/3", "Uffici/1"}));
    std::vector<GroupListEntry> groups;
    ASSERT_EQ(database->SelectGroups(kPbx, groups), kNoError);
    ASSERT_EQ(groups.size(), 2u);
    ExtensionGroup stored;
    ASSERT_EQ(database->SelectGroup(groups[0].id, stored), kNoError);
    EXPECT_EQ(stored.memberCount, 3);
    EXPECT_EQ((std::vector<int>{stored.members[0], stored.members[1], stored.members[2]}), (std::vector<int>{1, 3, 4}));

    // One row: both buttons; the group dialog opens with the stored members checked.
    SelectRows(dialog, {0});
    EXPECT_TRUE(Button(dialog, 1158)->isEnabled());
    {
    ModalAnswerer inspect([&](QDialog* shown) {
        auto list = shown->findChild<QTreeWidget*>(QStringLiteral("1159"));
        QStringList checked;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            if (list->topLevelItem(row)->checkState(0) == Qt::Checked)
                checked << list->topLevelItem(row)->text(0);
        EXPECT_EQ(checked, (QStringList{"INT. 11", "INT. 13", "INT. 14"}));
        EXPECT_EQ(list->topLevelItemCount(), 8);
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("Modifica gruppo"));
        SaveScreenshot(*shown, QStringLiteral("rating_dialog_147_it"));
        FillGroupDialog(shown, {QStringLiteral("Vendite Nord"), {2}});
    });
    Button(dialog, 1158)->click();
    }
    EXPECT_EQ(Rows(dialog), (QStringList{"Vendite Nord/1", "Uffici/1"}));

    // Two rows: "Modifica" off, "Elimina" on; one confirmation deletes both.
    SelectRows(dialog, {0, 1});
    EXPECT_FALSE(Button(dialog, 1158)->isEnabled());
    EXPECT_TRUE(Button(dialog, 1155)->isEnabled());
    WithAnswers([&] { Button(dialog, 1155)->click(); });
    EXPECT_EQ(boxes, QStringList{"Confermi l'eliminazione del gruppi selezionati"});
    EXPECT_TRUE(Rows(dialog).isEmpty());
    EXPECT_FALSE(Button(dialog, 1155)->isEnabled());
}

TEST_P(ExtensionGroupsDlgTest, RefusedEntries)
{
    AddGroup(QStringLiteral("Vendite"), kPbx, {1});
    CExtensionGroupsDlg dialog(*database, data.pbxs);
    dialog.show();

    struct Case {
        GroupEntry entry;
        const char* message;
        bool staysOpen;
    };
    const Case cases[] = {
        {{QStringLiteral("vendite"), {2}},
         "Errore nell'inserimento del nuovo gruppo, verificare che il nome del gruppo sia univoco", false},
        {{QString(), {2}}, "Il nome del gruppo non può essere vuoto", true},
        {{QStringLiteral("Magazzino"), {}}, "Un gruppo deve contenere almeno un elemento", true},
    };
    for (const Case& refused : cases) {
        boxes.clear();
        WithAnswers([&] { Button(dialog, 1157)->click(); }, refused.entry);
        EXPECT_EQ(boxes, QStringList{QString::fromUtf8(refused.message)});
        EXPECT_EQ(stayedOpen, refused.staysOpen) << refused.message;
        EXPECT_EQ(Rows(dialog), QStringList{"Vendite/1"});
    }

    // A change to a name another group has.
    AddGroup(QStringLiteral("Uffici"), kPbx, {0});
    Combo(dialog, 1154)->setCurrentIndex(1);
    Combo(dialog, 1154)->setCurrentIndex(0);
    SelectRows(dialog, {1});
    boxes.clear();
    WithAnswers([&] { Button(dialog, 1158)->click(); }, {QStringLiteral("VENDITE"), {0}});
    EXPECT_EQ(boxes, QStringList{"Errore nella modifica del gruppo, verificare che il nome del gruppo sia univoco"});
    EXPECT_EQ(Rows(dialog), (QStringList{"Vendite/1", "Uffici/1"}));
}

TEST_P(ExtensionGroupsDlgTest, NewIsOfferedWhileAtMostTwoHundredGroups)
{
    for (int i = 0; i < CExtensionGroupsDlg::kMaxGroups; ++i)
        AddGroup(QStringLiteral("G%1").arg(i), kPbx, {i % 8});
    {
        CExtensionGroupsDlg dialog(*database, data.pbxs);
        EXPECT_EQ(Rows(dialog).size(), CExtensionGroupsDlg::kMaxGroups);
        EXPECT_TRUE(Button(dialog, 1157)->isEnabled());
    }
    AddGroup(QStringLiteral("Ultimo"), kPbx, {0});
    CExtensionGroupsDlg dialog(*database, data.pbxs);
    EXPECT_FALSE(Button(dialog, 1157)->isEnabled());
}

// Both dialogs pictured in both languages.
TEST_P(ExtensionGroupsDlgTest, PicturedInBothLanguages)
{
    if (GetParam() != DbBackend::kSqlite)
        GTEST_SKIP() << "pictured once";
    AddGroup(QStringLiteral("Vendite"), kPbx, {1, 2, 3});
    AddGroup(QStringLiteral("Amministrazione"), kPbx, {4});
    for (const int language : {kLanguageItalian, kLanguageEnglish}) {
        SetLanguage(language);
        const QString suffix = language == kLanguageEnglish ? QStringLiteral("_en") : QStringLiteral("_it");
        CExtensionGroupsDlg dialog(*database, data.pbxs);
        dialog.show();
        SelectRows(dialog, {0});
        SaveScreenshot(dialog, QStringLiteral("rating_dialog_146") + suffix);
        ExtensionGroup group;
        group.pbx = kPbx;
        CExtensionGroupDlg groupDialog(group, data.pbxs);
        groupDialog.show();
        SaveScreenshot(groupDialog, QStringLiteral("rating_dialog_147_new") + suffix);
        if (language == kLanguageEnglish) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Extension groups"));
            EXPECT_EQ(Button(dialog, 1157)->text(), QStringLiteral("New"));
            EXPECT_EQ(groupDialog.windowTitle(), QStringLiteral("New group"));
            EXPECT_EQ(groupDialog.findChild<QLabel*>(QStringLiteral("1161"))->text(), QStringLiteral("Group name"));
        }
    }
    SetLanguage(kLanguageItalian);
}

INSTANTIATE_DB_TEST(ExtensionGroupsDlgTest);

}  // namespace

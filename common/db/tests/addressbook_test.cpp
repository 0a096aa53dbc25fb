// The shared address book on both backends, with two workstations on one catalog.
#include "sqldatabase.h"

#include "dbtest.h"
#include "engineerrorcode.h"
#include "rowlist.h"

namespace {

const QString kHere = QStringLiteral("DESK1");
const QString kThere = QStringLiteral("DESK2");

// A contact's 16 texts: the name, then the home number; the rest empty unless given.
QStringList Contact(const QString& name, const QString& homeNumber = {}, const QString& city = {})
{
    QStringList texts(16);
    texts[0] = name;
    texts[2] = city;
    texts[8] = homeNumber;
    return texts;
}

class AddressBookTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        m_here = StartEngineDatabaseWithPbx(0, QStringLiteral("PBX1"));
        m_here->SetComputerName(kHere);
        m_there = std::make_unique<CSqlDatabase>(Parameters());
        ASSERT_EQ(m_there->Connect(kServer), kNoError);
        m_there->SetComputerName(kThere);
    }

    CSqlDatabase& Here() { return *m_here; }
    CSqlDatabase& There() { return *m_there; }

    // The names that a search of every book finds, with their owner and flags.
    QStringList Listing(CSqlDatabase& database, int field = 0, const QString& text = {}, int book = 2)
    {
        RowList rows;
        EXPECT_EQ(database.SearchContacts(field, text, book, rows), kNoError);
        QStringList listing;
        for (const RowList::Row& row : rows.Rows()) {
            EXPECT_EQ(row.texts.size(), 19);
            listing << QStringList{row.texts[0], row.texts[16], row.texts[17], row.texts[18]}.join(u'|');
        }
        return listing;
    }

private:
    std::unique_ptr<CSqlDatabase> m_here;
    std::unique_ptr<CSqlDatabase> m_there;
};

TEST_P(AddressBookTest, SearchesByBookAndTakeTheirTextLiterally)
{
    ASSERT_EQ(Here().InsertContactFromList(Contact(QStringLiteral("O'Neil"), QStringLiteral("0612")), false, false), kNoError) << Here().LastError().toStdString();
    ASSERT_EQ(Here().InsertContactFromList(Contact(QStringLiteral("50% Travel"), {}, QStringLiteral("Roma")), true, true),
              kNoError);
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("500 Club"), QStringLiteral("0699")), true, false),
              kNoError);
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("Other desk")), false, false), kNoError);

    EXPECT_EQ(Listing(Here()), (QStringList{"50% Travel|DESK1|X|X", "500 Club|DESK2|X|", "O'Neil|DESK1||"}));
    EXPECT_EQ(Listing(Here(), 0, {}, 0), QStringList{"O'Neil|DESK1||"});
    EXPECT_EQ(Listing(Here(), 0, {}, 1), (QStringList{"50% Travel|DESK1|X|X", "500 Club|DESK2|X|"}));
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("o'n")), QStringList{"O'Neil|DESK1||"});
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("50%")), QStringList{"50% Travel|DESK1|X|X"});
    EXPECT_EQ(Listing(Here(), 2, QStringLiteral("Rom")), QStringList{"50% Travel|DESK1|X|X"});
    EXPECT_EQ(Listing(Here(), 9, QStringLiteral("06")), (QStringList{"500 Club|DESK2|X|", "O'Neil|DESK1||"}));

    RowList numbers;
    ASSERT_EQ(Here().SearchContactNumbers(9, QStringLiteral("0612"), 2, numbers), kNoError);
    ASSERT_EQ(numbers.Count(), 1);
    EXPECT_EQ(numbers.Rows()[0].texts, (QStringList{"O'Neil", "0612", "", "", "", "", "", "", ""}));

    QString name;
    EXPECT_EQ(Here().FindContactByNumber(QStringLiteral("0699"), name), kNoError);
    EXPECT_EQ(name, QStringLiteral("500 Club"));
    EXPECT_NE(There().FindContactByNumber(QStringLiteral("0612"), name), kNoError);  // another desk's private one
}

TEST_P(AddressBookTest, SaveChecksNumbersOwnersAndOverwriting)
{
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("Closed"), QStringLiteral("111")), true, false), kNoError);
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("Open"), QStringLiteral("222")), true, true), kNoError);
    QString found;
    // A number that another contact of the book holds.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("New"), QStringLiteral("111")), true, true, true, {}, found), 56);
    EXPECT_EQ(found, QStringLiteral("Closed"));
    // The same number in the private book is no clash.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("New"), QStringLiteral("111")), false, true, true, {}, found),
              kNoError);
    // Another workstation's contact closed to changes.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Closed"), QStringLiteral("111"), QStringLiteral("Pisa")), true,
                                 true, true, QStringLiteral("Closed"), found),
              57);
    EXPECT_EQ(found, kThere);
    // An existing contact that may not be overwritten.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Open"), QStringLiteral("222")), true, true, false,
                                 QStringLiteral("Open"), found),
              54);
    // Overwriting another workstation's open contact keeps its owner and its Updatable.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Open"), QStringLiteral("222"), QStringLiteral("Pisa")), true,
                                 false, true, QStringLiteral("Open"), found),
              kNoError);
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("Open")), QStringList{"Open|DESK2|X|X"});
    EXPECT_EQ(Listing(Here(), 2, QStringLiteral("Pisa")), QStringList{"Open|DESK2|X|X"});
    // A contact without numbers is saved without the number check; renaming keeps one row.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Plain")), false, false, true, {}, found), kNoError);
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Plainer")), false, false, true, QStringLiteral("Plain"), found),
              kNoError);
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("Plain"), 0), QStringList{"Plainer|DESK1||"});
}

TEST_P(AddressBookTest, DeletionsFollowTheOwner)
{
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("Closed")), true, false), kNoError);
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("Open")), true, true), kNoError);
    ASSERT_EQ(Here().InsertContactFromList(Contact(QStringLiteral("Mine")), false, false), kNoError);
    QString owner;
    EXPECT_EQ(Here().DeleteSharedContact(QStringLiteral("Closed"), owner), 54);
    EXPECT_EQ(owner, kThere);
    EXPECT_EQ(Here().DeleteSharedContact(QStringLiteral("Open"), owner), kNoError);
    EXPECT_EQ(Here().DeleteSharedContact(QStringLiteral("Nobody"), owner), kNoError);
    EXPECT_EQ(Here().DeleteLocalContact(QStringLiteral("Nobody")), kNoError);
    EXPECT_EQ(There().DeleteLocalContact(QStringLiteral("Mine")), kNoError);  // not its own: nothing happens
    EXPECT_EQ(Listing(Here()), (QStringList{"Closed|DESK2|X|", "Mine|DESK1||"}));
    EXPECT_EQ(Here().DeleteLocalContact(QStringLiteral("Mine")), kNoError);
    EXPECT_EQ(Listing(Here()), QStringList{"Closed|DESK2|X|"});
}

TEST_P(AddressBookTest, AnOwnerGivenPicksThatWorkstationsContactOfTheName)
{
    // Two shared contacts of one name, both open to changes: one of each workstation.
    ASSERT_EQ(Here().InsertContactFromList(Contact(QStringLiteral("Hotel"), QStringLiteral("111")), true, true), kNoError);
    ASSERT_EQ(There().InsertContactFromList(Contact(QStringLiteral("Hotel"), QStringLiteral("222")), true, true), kNoError);
    QString found;
    // Rewriting the other workstation's one, as its row shows it, leaves ours alone.
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Hotel"), QStringLiteral("222"), QStringLiteral("Pisa")), true,
                                 true, true, QStringLiteral("Hotel"), found, kThere),
              kNoError);
    EXPECT_EQ(Listing(Here(), 2, QStringLiteral("Pisa")), QStringList{"Hotel|DESK2|X|X"});
    EXPECT_EQ(Listing(Here(), 9, QStringLiteral("111")), QStringList{"Hotel|DESK1|X|X"});
    // Closed by its owner, it is refused with that owner, ours being open.
    ASSERT_EQ(There().SaveContact(Contact(QStringLiteral("Hotel"), QStringLiteral("222")), true, false, true,
                                  QStringLiteral("Hotel"), found, kThere),
              kNoError);
    EXPECT_EQ(Here().SaveContact(Contact(QStringLiteral("Hotel"), QStringLiteral("222")), true, true, true,
                                 QStringLiteral("Hotel"), found, kThere),
              57);
    EXPECT_EQ(found, kThere);
    QString owner;
    EXPECT_EQ(Here().DeleteSharedContact(QStringLiteral("Hotel"), owner, kThere), 54);
    EXPECT_EQ(owner, kThere);
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("Hotel"), 1), (QStringList{"Hotel|DESK1|X|X", "Hotel|DESK2|X|"}));
    // Deleting the one shown leaves the other workstation's.
    EXPECT_EQ(Here().DeleteSharedContact(QStringLiteral("Hotel"), owner, kHere), kNoError);
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("Hotel"), 1), QStringList{"Hotel|DESK2|X|"});
    ASSERT_EQ(There().SaveContact(Contact(QStringLiteral("Hotel"), QStringLiteral("222")), true, true, true,
                                  QStringLiteral("Hotel"), found, kThere),
              kNoError);
    ASSERT_EQ(Here().InsertContactFromList(Contact(QStringLiteral("Hotel"), QStringLiteral("111")), true, true), kNoError);
    EXPECT_EQ(Here().DeleteSharedContact(QStringLiteral("Hotel"), owner, kThere), kNoError);
    EXPECT_EQ(Listing(Here(), 0, QStringLiteral("Hotel"), 1), QStringList{"Hotel|DESK1|X|X"});
}

TEST(AddressBookComputerName, CutTo100Characters)
{
    CSqlDatabase database;
    database.SetComputerName(QString(120, u'n'));
    EXPECT_EQ(database.ThisComputer().size(), 100);
    CSqlDatabase own;
    EXPECT_LE(own.ThisComputer().size(), 100);
}

INSTANTIATE_DB_TEST(AddressBookTest);

}  // namespace

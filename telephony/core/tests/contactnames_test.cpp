// Caller ids and contact names from the address book, on SQLite and PostgreSQL.
#include "contactnames.h"
#include "dbtest.h"
#include "stringtable.h"

namespace {

QStringList Contact(const QString& name, const QString& homeNumber)
{
    QStringList texts(16);
    texts[0] = name;
    texts[8] = homeNumber;
    return texts;
}

class ContactNames : public DbTest {};

TEST_P(ContactNames, CallerIdsAndLookups)
{
    auto database = StartEngineDatabaseWithPbx(0, QStringLiteral("PBX1"));
    database->SetComputerName(QStringLiteral("DESK1"));
    ASSERT_EQ(database->InsertContactFromList(Contact(QStringLiteral("Rossi"), QStringLiteral("0612")), false, false),
              kNoError) << database->LastError().toStdString();

    OperatorConsoleState state;
    state.firstInitialization.bytes[PbxInitialization::kLineCountOffset] = 4;
    state.tables.Allocate(state.FirstCounts());
    state.tables.lineStatus[0].SetCallerNumber("**NOCID**");
    state.tables.lineStatus[2].SetCallerNumber("0612");
    state.tables.lineStatus[3].SetCallerNumber("0655");

    const QString unknown = LoadResString(1005);
    EXPECT_FALSE(unknown.isEmpty());
    EXPECT_EQ(FormatCallerId(state, *database, 0), unknown);
    EXPECT_EQ(FormatCallerId(state, *database, 1), unknown);  // empty
    EXPECT_EQ(FormatCallerId(state, *database, 2), "Rossi");
    EXPECT_EQ(FormatCallerId(state, *database, 3), "0655");
    EXPECT_EQ(FormatCallerId(state, *database, 4), "");

    EXPECT_EQ(LookupContactName(state, *database, QStringLiteral("00612"), true), "Rossi");
    EXPECT_EQ(LookupContactName(state, *database, QStringLiteral("00612"), false), "");
    EXPECT_EQ(LookupContactName(state, *database, QStringLiteral("0"), true), "");
    EXPECT_EQ(LookupContactName(state, *database, QString(), true), "");
}

INSTANTIATE_DB_TEST(ContactNames);

}  // namespace

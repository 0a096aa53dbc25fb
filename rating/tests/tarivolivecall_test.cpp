// A call that ends while the console runs is in Tarivo's account of its extension, with its cost: the engine
// Pultex in simulation stores it from the PBX's call-end event under the extension's dialling number, the
// number by which the account looks calls up. On both databases.
#include "callcost.h"
#include "callrating.h"
#include "consolesuite.h"
#include "engineerrorcode.h"
#include "loggedcallreader.h"
#include "ratingconfigurationfile.h"
#include "ratingconfigurationsteps.h"
#include "ratingdatabase.h"
#include "ratinglist.h"
#include "valuxaapp.h"
#include "valuxaview.h"
#include "viewcolumns.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QDate>
#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

constexpr int kPbx = 0;
constexpr int kExtension = 1;          // of three extensions numbered from 201
constexpr int kExtensionNumber = 202;  // its dialling number, not its index
constexpr int kWaitMs = 20000;

class TarivoLiveCallTest : public ::testing::TestWithParam<DbBackend> {};

TEST_P(TarivoLiveCallTest, TheAccountOfTheExtensionListsTheCallWithItsCost)
{
    DatabaseSettings databaseSettings;
    QString skipReason;
    if (!TestDatabaseSettings(GetParam(), databaseSettings, skipReason))
        GTEST_SKIP() << skipReason.toStdString();
    ConsoleSuite suite(CValuxaApp::kProgramName);
    ASSERT_TRUE(suite.IsValid());
    const QString failure =
        suite.StartInSimulation({QStringLiteral("set extensions 3"), QStringLiteral("set lines 2")}, databaseSettings);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    // A configuration on disk already, so that no first-run question waits for an answer.
    RatingConfiguration configuration;
    ASSERT_EQ(RunRatingFirstRun(configuration, RatingConfigurationPath(), [](const PrefixGroup&) { return 0; }),
              RatingFileResult::Ok);

    const QDate today = QDate::currentDate();
    const OleDate from(today.year(), today.month(), today.day());
    const OleDate to = from.AddDays(1);
    ASSERT_TRUE(suite.PlaceCall(kExtension, 0, QStringLiteral("0612345678"), 125));
    CRatingDatabase database(suite.CatalogParameters(databaseSettings));
    ASSERT_EQ(database.Connect(QString()), kNoError);
    std::vector<LoggedCall> calls;
    int count = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            return database.SelectExtensionCalls(kPbx, kExtensionNumber, &from, &to, &calls, count) == kNoError &&
                   count > 0;
        },
        kWaitMs));
    const LoggedCall& call = calls.back();  // a shared server may hold calls of earlier runs
    QByteArray pbxConfiguration;
    ASSERT_EQ(database.ReadSystemConfiguration(kPbx, pbxConfiguration), kNoError);
    const CallRating rated = RateLoggedCall(call, pbxConfiguration, configuration.rules, configuration.prefixGroups,
                                            configuration.tariffs, configuration.variations);
    ASSERT_EQ(rated.result, kCostDone);
    database.Close();

    // The account of the extension (its index on the command line), computed at the start.
    const QString period = from.ToDateTime().toString(QStringLiteral("dd/MM/yyyy"));
    CValuxaApp app({suite.ProgramPath(CValuxaApp::kProgramName) +
                    QStringLiteral(" -SOURCE:BILL -INIT:%1 00:00:00 -END:%1 23:59:59 -PBX:%2 -DER:%3 -APPLY:1")
                        .arg(period)
                        .arg(kPbx)
                        .arg(kExtension)},
                   suite.CatalogParameters(databaseSettings));
    QStringList boxes;
    ModalAnswerer answerer([&boxes](QDialog* shown) {
        auto box = qobject_cast<QMessageBox*>(shown);
        boxes << (box ? box->text() : shown->windowTitle());
        shown->accept();
    });
    ASSERT_TRUE(app.InitInstance());
    // The list: the calls, a blank row and the total.
    CRatingList* list = app.View()->List();
    ASSERT_TRUE(WaitFor([&] { return list->RowCount() == count + 2; }, kWaitMs))
        << list->RowCount() << " rows; " << boxes.join(u'\n').toStdString();
    EXPECT_EQ(app.View()->mode(), kAccountMode);
    const int row = count - 1;
    const int columns = list->ColumnCount();
    EXPECT_EQ(list->Text(row, columns - 2), QStringLiteral("0612345***"));
    EXPECT_EQ(list->Text(row, columns - 1), QString::number(rated.cost, 'f', 2));
    EXPECT_GT(rated.cost, 0.0);
    EXPECT_EQ(list->Text(count + 1, columns - 2), QStringLiteral("TOTALE"));  // after a blank row

    EXPECT_EQ(suite.StopConsole(), 0);
}

INSTANTIATE_TEST_SUITE_P(Databases, TarivoLiveCallTest, ::testing::Values(DbBackend::kSqlite, DbBackend::kPostgres),
                         [](const ::testing::TestParamInfo<DbBackend>& info) {
                             return info.param == DbBackend::kSqlite ? std::string("Sqlite") : std::string("Postgres");
                         });

}  // namespace

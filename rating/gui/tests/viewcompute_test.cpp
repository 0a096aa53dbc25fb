// The call lists of the view on a real call log: computation, the account's close and its endings.
#include "callrating.h"
#include "dbtest.h"
#include "ratingdatabase.h"
#include "ratinglist.h"
#include "tempsuite.h"
#include "testcallrecords.h"
#include "valuxaview.h"
#include "viewstrings.h"
#include "viewtesting.h"
#include "waitfor.h"
#include "widgettesting.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

#include <iterator>
#include <set>

namespace {

constexpr int kPulsePbx = 0;
constexpr int kTimingPbx = 1;
const OleDate kDay(2026, 12, 3);

class ViewComputeTest : public DbTest {
protected:
    void SetUp() override
    {
        DbTest::SetUp();
        if (IsSkipped())
            return;
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        suite = std::make_unique<TempSuite>(QStringLiteral("Tarivo"));
        catalog = StartEngineDatabaseWithPbx(kPulsePbx, QStringLiteral("A"));
        ASSERT_EQ(catalog->InsertEngineConfiguration(kTimingPbx, QStringLiteral("B"), 0), kNoError);
        ASSERT_EQ(catalog->ConnectAndCreateSchema(kServer), kNoError);
        database = std::make_unique<CRatingDatabase>(Parameters());
        ASSERT_EQ(database->Connect(kServer), kNoError);
        view = std::make_unique<CValuxaView>(data.configuration, data.pbxs, data.tariffPictures, data.rulePictures,
                                             false);
        view->SetDatabase(database.get());
        view->SetFrameTarget(&frame);
        view->show();
        view->OnInitialUpdate();
        for (OleDate* start : {&view->m_historyStart, &view->m_accountStart, &view->m_lineHistoryStart})
            *start = kDay;
        for (OleDate* end : {&view->m_historyEnd, &view->m_accountEnd, &view->m_lineHistoryEnd})
            *end = kDay.AddDays(1);
    }

    void TearDown() override
    {
        view.reset();
        QLocale::setDefault(QLocale::c());
    }

    // A call of extension index `extension` `minutes` after the day began.
    void Store(int pbx, int extension, int minutes, quint32 pulses, const QString& number, int seconds = 65)
    {
        ASSERT_EQ(catalog->InsertLoggedCall(pbx,
                                            PbxLogRecord(kDay.AddSeconds(minutes * 60), seconds, 1, pulses, 1, number),
                                            ViewFixtureData::kFirstExtensionNumber + extension),
                  kNoError);
    }

    // Runs a command and what it posts; boxes are answered from `answers` in turn (Yes when it runs
    // out), other dialogs (the print preview) closed; the texts of the boxes are kept.
    void Run(int command, std::vector<QMessageBox::StandardButton> answers = {})
    {
        ModalAnswerer answerer([&](QDialog* shown) {
            if (auto box = qobject_cast<QMessageBox*>(shown)) {
                boxes.append(box->text());
                QMessageBox::StandardButton answer = QMessageBox::Yes;
                if (!answers.empty()) {
                    answer = answers.front();
                    answers.erase(answers.begin());
                }
                if (box->button(answer))
                    PressButton(box, answer);
                else
                    box->accept();
            } else {
                dialogs.append(shown->objectName());
                shown->reject();
            }
        });
        PostAndSettle(*view, command);
    }

    void Show(std::uint8_t mode, int pbx, int item)
    {
        if (mode == kAccountMode) {
            view->m_accountPbx = static_cast<std::uint8_t>(pbx);
            view->m_accountExtension = static_cast<std::uint8_t>(item);
        } else {
            view->m_historyPbx = static_cast<std::uint8_t>(pbx);
            view->m_historyExtension = static_cast<std::uint8_t>(item);
        }
        view->ResetMode();
        view->SetViewMode(mode, item, pbx);
    }

    QStringList Row(int row) const
    {
        QStringList texts;
        for (int column = 0; column < view->List()->ColumnCount(); ++column)
            texts << view->List()->Text(row, column);
        return texts;
    }

    int Billed()
    {
        QString text;
        double number = -1;
        if (database->OpenRecordset(QStringLiteral("SELECT COUNT(*) AS Total FROM LogCalls WHERE Fatturato=1")) != kNoError ||
            database->GetFieldValue(QStringLiteral("Total"), text, number) != kNoError)
            return -1;
        database->CloseRecordset();
        return static_cast<int>(number);
    }

    QStringList AccountFiles() const
    {
        return QDir(suite->SharedFolder()).entryList({QStringLiteral("*.sbf")}, QDir::Files, QDir::Name);
    }

    // The main window's part: what the view posts to it.
    struct FrameTarget : MessageTarget {
        std::vector<std::uint64_t> commands;
        void Post(std::uint32_t, std::uint64_t wParam, std::int64_t) override { commands.push_back(wParam); }
    } frame;

    ViewFixtureData data;
    std::unique_ptr<TempSuite> suite;
    std::unique_ptr<CSqlDatabase> catalog;
    std::unique_ptr<CRatingDatabase> database;
    std::unique_ptr<CValuxaView> view;
    QStringList boxes;
    QStringList dialogs;
};

TEST_P(ViewComputeTest, ZeroPulsesCostNothingInTheHistoryAndStayOutOfTheAccount)
{
    Store(kPulsePbx, 2, 10, 0, QStringLiteral("0612345678"));
    Store(kPulsePbx, 2, 20, 3, QStringLiteral("0698765432"));
    Show(kHistoryMode, kPulsePbx, 2);
    Run(CValuxaView::kComputeCommand);
    ASSERT_EQ(view->List()->RowCount(), 4);  // two calls, the empty row and the total
    EXPECT_EQ(Row(0)[2], QStringLiteral("0"));
    EXPECT_EQ(Row(0)[5], QStringLiteral("0.00"));
    // 3 pulses x 0.10 + 0.05 answer charge of the default pulse tariff... whatever its price, it is in the total.
    EXPECT_EQ(Row(3)[4], QStringLiteral("TOTALE"));
    EXPECT_EQ(Row(3)[5], Row(1)[5]);
    EXPECT_TRUE(view->List()->RowStart(0).has_value());
    EXPECT_EQ(*view->List()->RowStart(1), kDay.AddSeconds(20 * 60));
    EXPECT_FALSE(view->List()->RowStart(3).has_value());
    EXPECT_TRUE(Button(*view, 1009)->isEnabled());
    EXPECT_EQ(view->Title()->text(), QStringLiteral("STORICO INT. 12 (03/12/2026 : 04/12/2026)"));

    Show(kAccountMode, kPulsePbx, 2);
    Run(CValuxaView::kComputeCommand);
    ASSERT_EQ(view->List()->RowCount(), 3);
    EXPECT_EQ(Row(0)[3], QStringLiteral("0698765***"));  // the account always hides digits
    EXPECT_EQ(Row(2)[3], QStringLiteral("TOTALE"));
    SaveScreenshot(*view, QStringLiteral("rating_account"));
}

TEST_P(ViewComputeTest, HiddenDigitsByLength)
{
    Store(kPulsePbx, 0, 1, 1, QStringLiteral("061234567890"));
    Store(kPulsePbx, 0, 2, 1, QStringLiteral("0612"));
    Store(kPulsePbx, 0, 3, 1, QStringLiteral("112"));
    view->m_historyOptions = kHideDigitsOption;
    Show(kHistoryMode, kPulsePbx, 0);
    Run(CValuxaView::kComputeCommand);
    ASSERT_GE(view->List()->RowCount(), 3);
    EXPECT_EQ(Row(0)[3], QStringLiteral("06123456****"));
    EXPECT_EQ(Row(1)[3], QStringLiteral("0***"));
    EXPECT_EQ(Row(2)[3], QStringLiteral("112"));
}

TEST_P(ViewComputeTest, ATimingPbxPricesAnUnmatchedNumberWithTheGenericTariff)
{
    Store(kTimingPbx, 1, 5, 125, QStringLiteral("#99"), 125);  // Scatti holds the seconds
    Show(kHistoryMode, kTimingPbx, 1);
    Run(CValuxaView::kComputeCommand);
    ASSERT_EQ(view->List()->RowCount(), 3);
    const QStringList row = Row(0);
    EXPECT_EQ(row[1], QStringLiteral("00:02:05"));
    EXPECT_EQ(row[3], data.configuration.tariffs.tariffs[TariffTable::kGenericTariff].name);
    LoggedCall call;
    call.start = kDay.AddSeconds(5 * 60);
    call.pulses = 125;
    call.dialledNumber = QStringLiteral("#99");
    const CallRating rating = RateLoggedCall(call, data.pbxs.SystemConfiguration(kTimingPbx), data.configuration.rules,
                                             data.configuration.prefixGroups, data.configuration.tariffs,
                                             data.configuration.variations);
    EXPECT_EQ(rating.tariffSlot, TariffTable::kGenericTariff);
    EXPECT_EQ(row[4], QString::asprintf("%0.2f", rating.cost));
}

// The history of a PBX that times its calls: each call's tariff and cost, and the total, are those the
// plain walk of the rule and prefix-group tables gives, over numbers that different rules take.
TEST_P(ViewComputeTest, TimedCallsArePricedAsThePlainWalkOfTheRulesPricesThem)
{
    struct Call {
        int minutes;  // after the day began; the table is in start order, as the list is
        int seconds;
        const char* number;
    };
    const Call calls[] = {
        {3, 33, "#99"},                      // no rule: the generic tariff
        {65, 65, "0612345678"},              // the local group
        {6 * 60, 300, "0212345678"},         // another district, in the night band
        {9 * 60, 47, "3331234567"},          // mobile
        {13 * 60, 3600, "00441234567890"},   // international, an hour
        {20 * 60, 0, "0612345678"},          // no seconds: no cost
        {23 * 60 + 50, 900, "800123456"},    // runs past midnight
    };
    for (const Call& call : calls)
        Store(kTimingPbx, 1, call.minutes, static_cast<quint32>(call.seconds), QString::fromLatin1(call.number),
              call.seconds);
    Show(kHistoryMode, kTimingPbx, 1);
    Run(CValuxaView::kComputeCommand);
    const int count = static_cast<int>(std::size(calls));
    ASSERT_EQ(view->List()->RowCount(), count + 2);  // the calls, the empty row and the total

    const TariffTable& tariffs = data.configuration.tariffs;
    double total = 0.0;
    std::set<int> tariffSlots;
    for (int i = 0; i < count; ++i) {
        LoggedCall call;
        call.start = kDay.AddSeconds(calls[i].minutes * 60);
        call.pulses = calls[i].seconds;
        call.dialledNumber = QString::fromLatin1(calls[i].number);
        const CallRating plain = RateLoggedCall(call, data.pbxs.SystemConfiguration(kTimingPbx), data.configuration.rules,
                                                data.configuration.prefixGroups, tariffs, data.configuration.variations);
        const QStringList row = Row(i);
        EXPECT_EQ(row[2], call.dialledNumber);
        ASSERT_GE(plain.tariffSlot, 0);
        EXPECT_EQ(row[3], tariffs.tariffs[static_cast<std::size_t>(plain.tariffSlot)].name) << calls[i].number;
        EXPECT_EQ(row[4], QString::asprintf("%0.2f", plain.cost)) << calls[i].number;
        total += plain.cost;
        tariffSlots.insert(plain.tariffSlot);
    }
    EXPECT_GE(tariffSlots.size(), 3u) << "the numbers reach several rules";
    EXPECT_GT(total, 0.0);
    EXPECT_EQ(Row(count + 1)[4], QString::asprintf("%0.2f", total));
}

TEST_P(ViewComputeTest, ARequestedRunWithEveryCallBilledEndsTheProgram)
{
    Store(kPulsePbx, 1, 5, 2, QStringLiteral("0612345678"));
    ASSERT_EQ(database->MarkCallsBilled(kPulsePbx, 202, {kDay.AddSeconds(300)}), kNoError);
    view->m_applyFlag = 1;
    view->m_closeFlag = 1;
    Show(kAccountMode, kPulsePbx, 1);
    Run(CValuxaView::kComputeCommand);
    EXPECT_EQ(view->List()->RowCount(), 0);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Non risultano spese telefoniche nel periodo selezionato")});
    EXPECT_EQ(view->m_applyFlag, 0);
    EXPECT_EQ(frame.commands, std::vector<std::uint64_t>{CValuxaView::kAppExitCommand});
    EXPECT_FALSE(Button(*view, 1010)->isEnabled());
}

TEST_P(ViewComputeTest, ARequestedRunClosesWithoutConfirmationAndBillsTheCalls)
{
    Store(kPulsePbx, 1, 5, 2, QStringLiteral("0612345678"));
    Store(kPulsePbx, 1, 6, 4, QStringLiteral("0698765432"));
    Store(kPulsePbx, 2, 5, 4, QStringLiteral("0698765432"));  // another extension's
    view->m_applyFlag = 1;
    Show(kAccountMode, kPulsePbx, 1);
    Run(CValuxaView::kComputeCommand, {QMessageBox::No});
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Chiusura conto completata con successo\nSi desidera salvarne una copia.")});
    EXPECT_EQ(frame.commands, std::vector<std::uint64_t>{CValuxaView::kFilePrintPreviewCommand});
    EXPECT_EQ(view->m_applyFlag, 0);
    EXPECT_FALSE(Button(*view, 1010)->isEnabled());
    EXPECT_EQ(Billed(), 2);
    const QStringList files = AccountFiles();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith(QStringLiteral("0001")));
    QFile file(suite->SharedFolder() + files[0]);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], view->Title()->text());
    EXPECT_EQ(lines[1].count(u'\t'), 4);
    EXPECT_TRUE(lines[5].contains(QStringLiteral("TOTALE")));

    boxes.clear();
    Run(CValuxaView::kComputeCommand);
    EXPECT_EQ(view->List()->RowCount(), 0);
}

TEST_P(ViewComputeTest, TwoExtensionsInOneSecondAndAFailedMarking)
{
    Store(kPulsePbx, 1, 5, 2, QStringLiteral("0612345678"));
    Store(kPulsePbx, 2, 5, 2, QStringLiteral("0612345678"));
    for (int extension : {1, 2}) {
        Show(kAccountMode, kPulsePbx, extension);
        Run(CValuxaView::kComputeCommand);
        Run(CValuxaView::kCloseAccountCommand, {QMessageBox::Yes, QMessageBox::No});
    }
    EXPECT_EQ(AccountFiles().size(), 2);
    EXPECT_EQ(Billed(), 2);

    Store(kPulsePbx, 3, 5, 2, QStringLiteral("0612345678"));
    const QString refuse =
        GetParam() == DbBackend::kSqlite
            ? QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON LogCalls BEGIN SELECT RAISE(ABORT, 'refused'); END")
            : QStringLiteral("CREATE FUNCTION refuse() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'refused'; END $$ "
                             "LANGUAGE plpgsql; CREATE TRIGGER refuse BEFORE UPDATE ON LogCalls FOR EACH ROW "
                             "EXECUTE FUNCTION refuse()");
    ASSERT_TRUE(Catalog().Execute(refuse));
    view->m_closeFlag = 1;
    Show(kAccountMode, kPulsePbx, 3);
    Run(CValuxaView::kComputeCommand);
    boxes.clear();
    frame.commands.clear();
    Run(CValuxaView::kCloseAccountCommand, {QMessageBox::Yes});
    EXPECT_EQ(boxes, (QStringList{QStringLiteral("Confermi la chiusura del conto"),
                                  QStringLiteral("Si è verificato un errore nella chiusura del conto.\nRiprovare in seguito.")}));
    EXPECT_EQ(AccountFiles().size(), 2);  // the third file is gone
    EXPECT_EQ(Billed(), 2);
    EXPECT_EQ(frame.commands, std::vector<std::uint64_t>{CValuxaView::kAppExitCommand});
}

INSTANTIATE_DB_TEST(ViewComputeTest);

}  // namespace

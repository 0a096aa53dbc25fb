// The hotel program against the engine Pultex running in simulation with Simulvex: its programming and
// wake-up requests as they travel, and a start-up that links to the engine.
#include "defaultprefixgroups.h"
#include "defaultrules.h"
#include "defaulttariffs.h"
#include "lodgixstartup.h"
#include "lodgixstate.h"
#include "pultexsimulationtest.h"
#include "ratingconfigurationfile.h"
#include "scriptedstartupwindows.h"

#include <QTemporaryDir>

namespace lodgix {
namespace {

using pultexsimulation::kPbx;
using pultexsimulation::kSeconds;

class HotelEngineTest : public pultexsimulation::PultexSimulationTest {};

QString Hex(std::span<const std::uint8_t> bytes)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())).toHex());
}

TEST_F(HotelEngineTest, LineProgrammingAndWakeUpAreWritten)
{
    ProgrammingRecord line{};
    ASSERT_EQ(Client().ReadProgrammation(kPbx, kObjectLine, 1, line, kSeconds), kNoError);
    line[5] ^= 1;
    const std::span<const std::uint8_t> block(line.data(), ProgrammingRecordSize(kObjectLine));
    ASSERT_EQ(Simulvex(QStringLiteral("frames clear")).left(2), QStringLiteral("OK"));
    ASSERT_EQ(Client().WriteProgrammation(kPbx, block, kSeconds), kNoError);
    // A 16-byte frame: the header, length 12 and the line's block.
    EXPECT_TRUE(Simulvex(QStringLiteral("frames")).contains(QStringLiteral("1616230c") + Hex(block), Qt::CaseInsensitive));
    ProgrammingRecord read{};
    ASSERT_EQ(Client().ReadProgrammation(kPbx, kObjectLine, 1, read, kSeconds), kNoError);
    EXPECT_EQ(read, line);

    ASSERT_EQ(Client().SetWakeUp(kPbx, {2, 1, 7, 30, 0}, kSeconds), kNoError);
    WakeUpBytes wakeUp{};
    ASSERT_EQ(Client().ReadWakeUp(kPbx, 2, wakeUp, kSeconds), kNoError);
    EXPECT_EQ(wakeUp, (WakeUpBytes{2, 1, 7, 30, 0}));

    std::vector<std::uint8_t> unknownKind(50, 5);
    EXPECT_EQ(Client().WriteProgrammation(kPbx, unknownKind, kSeconds), kClientSocketFailure);
}

TEST_F(HotelEngineTest, StartupLinksToTheRunningEngine)
{
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());
    StartupPlaces places;
    places.installationStore = s_tree->SharedFolder() + QStringLiteral("Installation.ini");
    places.ratingFile = files.filePath(QStringLiteral("PrcCnf.psx"));
    places.settingsFile = files.filePath(QStringLiteral("LodgixSettings.cfg"));
    places.computerName = [] { return QStringLiteral("localhost"); };
    places.enginePort = s_tree->Ports().requestPort;
    auto rating = std::make_unique<RatingConfiguration>();
    BuildDefaultPrefixGroups(QStringLiteral("06"), QStringLiteral("Roma"), rating->prefixGroups);
    BuildDefaultTariffs(rating->tariffs, rating->variations);
    BuildDefaultRules(rating->rules, rating->prefixGroups);
    ASSERT_EQ(SaveRatingConfiguration(places.ratingFile, kRatingFileTag, *rating), RatingFileResult::Ok);

    ScriptedWindows windows;
    windows.answers = {true, true};  // create the administrator, then the hotel
    windows.administratorPassword = QStringLiteral("Tamp5830");
    windows.firstOperator = StartupWindows::OperatorEntry{QStringLiteral("admin"), QStringLiteral("Segreta1"), true};
    windows.wizardCreates = true;
    auto state = std::make_unique<LodgixState>();
    ASSERT_EQ(LodgixStartup(*state, windows, places).Run(), kNoError) << windows.failureText.toStdString();
    ASSERT_NE(state->engine, nullptr);
    // The link the start-up registered carries the front desk's requests.
    EXPECT_EQ(state->engine->SetWakeUp(kPbx, {3, 1, 6, 15, 0}, kSeconds), kNoError);
    EXPECT_EQ(state->extensions.PbxCount(), 1);
    state->Shutdown();
}

}  // namespace
}  // namespace lodgix

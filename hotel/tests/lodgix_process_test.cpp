// Lodgix as a process of its own in a suite tree: its steps on standard output, and its end in order on
// SIGTERM at any moment of the start, with the window class name freed.
#include "installationsettings.h"
#include "lodgixtestsuite.h"
#include "ratingconfigurationfile.h"
#include "registrykey.h"
#include "suiteipc.h"
#include "suiteprogramprocess.h"
#include "suitetree.h"

#include <gtest/gtest.h>

namespace lodgix {
namespace {

const QString kProgram = QStringLiteral("Lodgix");
constexpr int kLongSplashMs = 600000;

// A suite with the hotel program, an operator, a hotel, a PBX and the rating file.
class LodgixProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_suite.IsValid());
        ASSERT_TRUE(m_suite.PlaceProgram(kProgram, QStringLiteral(LODGIX_PROGRAM)));
        ASSERT_TRUE(m_suite.WriteInstallation(InstallationSettings::kModeServer, 0, 0));
        ASSERT_TRUE(m_suite.WriteNetworkPorts());
        SetSplashWait(0);
        ASSERT_TRUE(m_suite.CreateCatalog({QStringLiteral("CENTRALE")}));
        m_suite.Enter();
        ASSERT_TRUE(WriteDefaultRating(RatingConfigurationPath()));
        ASSERT_TRUE(AddOperator(m_suite.CatalogParameters(), QStringLiteral("mario"), QStringLiteral("Banco22")));
        ASSERT_TRUE(AddHotel(m_suite.CatalogParameters(), QStringLiteral("Hotel Aurora")));
    }

    void SetSplashWait(int ms)
    {
        ASSERT_TRUE(RegistryKey(QStringLiteral("Startup"), m_suite.SharedFolder() + QStringLiteral("Registry.ini"))
                        .WriteInt(QStringLiteral("SplashWaitMs"), ms));
    }

    bool NameHeld() const
    {
        m_suite.Enter();
        return SuiteIpc::Find(SuiteIpc::Key::WindowClass, kProgram);
    }

    static std::string Output(const SuiteProgramProcess& process) { return process.Lines().join(u'\n').toStdString(); }

    SuiteTree m_suite{kProgram};
};

TEST_F(LodgixProcessTest, SigtermAtTheLoginEndsInOrderAndFreesTheName)
{
    SuiteProgramProcess lodgix(kProgram);
    ASSERT_TRUE(lodgix.Start(m_suite.ProgramPath()));
    ASSERT_FALSE(lodgix.WaitForLine(QStringLiteral("login asked")).isEmpty()) << Output(lodgix);
    EXPECT_TRUE(lodgix.HasLine(QStringLiteral("progress: Verifica installazione in corso...")));
    EXPECT_TRUE(lodgix.HasLine(QStringLiteral("progress: Connessione al database in corso...")));
    EXPECT_TRUE(NameHeld());

    // A second start runs beside it, without the name.
    SuiteProgramProcess second(kProgram);
    ASSERT_TRUE(second.Start(m_suite.ProgramPath()));
    EXPECT_FALSE(second.WaitForLine(QStringLiteral("another hotel program holds the window class")).isEmpty())
        << Output(second);
    ASSERT_FALSE(second.WaitForLine(QStringLiteral("login asked")).isEmpty()) << Output(second);
    EXPECT_EQ(second.Terminate(), 0);

    EXPECT_EQ(lodgix.Terminate(), 0) << Output(lodgix);
    EXPECT_TRUE(lodgix.HasLine(QStringLiteral("ended by a termination signal during start-up"))) << Output(lodgix);
    EXPECT_FALSE(lodgix.HasLine(QStringLiteral("start-up failed")));
    EXPECT_FALSE(NameHeld());
}

TEST_F(LodgixProcessTest, SigtermDuringTheSplashWaitEndsInOrder)
{
    SetSplashWait(kLongSplashMs);
    SuiteProgramProcess lodgix(kProgram);
    ASSERT_TRUE(lodgix.Start(m_suite.ProgramPath()));
    ASSERT_FALSE(lodgix.WaitForLine(QStringLiteral("progress: Verifica installazione")).isEmpty()) << Output(lodgix);
    EXPECT_EQ(lodgix.Terminate(), 0) << Output(lodgix);
    EXPECT_TRUE(lodgix.HasLine(QStringLiteral("ended by a termination signal during start-up")));
    EXPECT_FALSE(lodgix.HasLine(QStringLiteral("login asked")));
    EXPECT_FALSE(NameHeld());
}

TEST_F(LodgixProcessTest, AFailurePrintsItsCodeBeforeItsBoxAndSigtermClosesTheBox)
{
    ASSERT_TRUE(m_suite.CreateCatalog({}));  // no PBX
    SuiteProgramProcess lodgix(kProgram);
    ASSERT_TRUE(lodgix.Start(m_suite.ProgramPath()));
    ASSERT_FALSE(lodgix.WaitForLine(QStringLiteral("start-up failed with code 100")).isEmpty()) << Output(lodgix);
    EXPECT_EQ(lodgix.Terminate(), 100) << Output(lodgix);
    EXPECT_FALSE(lodgix.HasLine(QStringLiteral("login asked")));
    EXPECT_FALSE(NameHeld());
}

}  // namespace
}  // namespace lodgix

// The engine's restart reports its failures, and the TAPI link needs an extension that the PBX has.
#include "blockingsocket.h"
#include "boundpbxrecords.h"
#include "engineapp.h"
#include "engineerrorcode.h"
#include "engineoutcome.h"
#include "engineports.h"
#include "installationdatabase.h"
#include "registrykey.h"
#include "socketaddress.h"
#include "sqldatabase.h"
#include "startupwaits.h"
#include "tempsuite.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct RestartCase {
    const char* name;
    std::uint8_t mode;
    const char* serverName;
    std::uint8_t outcome;
};

std::ostream& operator<<(std::ostream& out, const RestartCase& c) { return out << c.name; }

class EngineRestartTest : public ::testing::TestWithParam<RestartCase> {};

// The request server cannot have its port, or the client's server name does not resolve: either way the
// engine did not start, and the restart says so.
TEST_P(EngineRestartTest, AFailedRequestServerOrEngineClientIsAFailure)
{
    const TempSuite suite(QStringLiteral("Pultex"));
    CBlockingSocket holder;
    holder.Create(CBlockingSocket::kStream);
    holder.Bind(AnySocketAddress(0));
    holder.Listen();
    const RegistryKey network(QStringLiteral("Network"));
    ASSERT_TRUE(network.WriteInt(EnginePorts::kRequestPortName, PortOf(holder.GetSockAddr())));
    ASSERT_TRUE(RegistryKey(StartupWaits::kGroup).WriteInt(StartupWaits::kEngineWaitName, 0));
    InstallationSettings installation;
    installation.Load();
    installation.SetInstallationMode(GetParam().mode);
    installation.SetServerName(QString::fromLatin1(GetParam().serverName));
    ASSERT_TRUE(installation.Save());
    CSqlDatabase catalog(DbParametersFor(installation.Database()));
    ASSERT_EQ(catalog.ConnectAndCreateSchema(QString()), kNoError);
    catalog.Close();

    CEngineApp engine;
    engine.LoadSettings();
    EXPECT_NE(engine.StartEngine(), kNoError);
    EXPECT_EQ(engine.EngineOutcome(), GetParam().outcome);
    EXPECT_EQ(engine.EngineClient(), nullptr);
    EXPECT_EQ(engine.ClientListener(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, EngineRestartTest,
    ::testing::Values(RestartCase{"RequestServerPortTaken", InstallationSettings::kModeServer, "", kEngineTcpServerFailed},
                      RestartCase{"ServerNameUnresolved", InstallationSettings::kModeClient, "no-such-server.invalid",
                                  kEngineTcpClientFailed}),
    [](const ::testing::TestParamInfo<RestartCase>& info) { return info.param.name; });

struct ExtensionCase {
    int handled;
    int detected;
    int extension;
    bool present;
};

std::ostream& operator<<(std::ostream& out, const ExtensionCase& c)
{
    return out << "handled " << c.handled << ", detected " << c.detected << ", extension " << c.extension;
}

class BoundExtensionTest : public ::testing::TestWithParam<ExtensionCase> {};

// An extension index equal to a count is past the PBX's last extension: the TAPI link does not start.
TEST_P(BoundExtensionTest, TheExtensionMustBeBelowBothCounts)
{
    QByteArray initialization(77, '\0');
    initialization[1] = static_cast<char>(GetParam().handled);
    initialization[2] = static_cast<char>(GetParam().detected);
    BoundPbxRecords records;
    records.SetInitialization(initialization);
    EXPECT_EQ(records.HasExtension(GetParam().extension), GetParam().present);
}

INSTANTIATE_TEST_SUITE_P(Counts, BoundExtensionTest,
                         ::testing::Values(ExtensionCase{8, 8, 7, true}, ExtensionCase{8, 8, 8, false},
                                           ExtensionCase{8, 4, 4, false}, ExtensionCase{4, 8, 4, false},
                                           ExtensionCase{8, 4, 3, true}, ExtensionCase{0, 0, 0, false}));

TEST(BoundExtension, NoInitializationHasNoExtension)
{
    EXPECT_FALSE(BoundPbxRecords().HasExtension(0));
}

}  // namespace

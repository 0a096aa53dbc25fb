#pragma once

// A suite tree in which the engine Pultex runs in simulation against Simulvex (4 extensions, 2 lines,
// 1 entry phone and 1 relay, PBX "CENTRALE" at index 0), shared by the tests of one suite.
#include "engineclient.h"
#include "engineerrorcode.h"
#include "installationsettings.h"
#include "registrykey.h"
#include "suiteprogramprocess.h"
#include "suitetree.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(EngineErrorCode code, std::ostream* os) { *os << static_cast<int>(code); }

namespace pultexsimulation {

constexpr std::uint8_t kPbx = 0;
constexpr int kSeconds = 6;
const QString kPultex = QStringLiteral("Pultex");

class PultexSimulationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_tree = new SuiteTree(kPultex);
        s_engine = new SuiteProgramProcess(kPultex);
        ASSERT_TRUE(s_tree->IsValid());
        ASSERT_TRUE(s_tree->PlaceProgram(kPultex, QStringLiteral(PULTEX_PROGRAM)));
        ASSERT_TRUE(s_tree->InstallSimulvex(QStringLiteral(SIMULVEX_PROGRAM),
                                            {QStringLiteral("set extensions 4"), QStringLiteral("set lines 2"),
                                             QStringLiteral("set entryphones 1"), QStringLiteral("set relays 1")}));
        ASSERT_TRUE(s_tree->WriteInstallation(InstallationSettings::kModeSimulation, kPbx, 0));
        ASSERT_TRUE(s_tree->WriteNetworkPorts());
        // The engine's start waits for the simulator as long as it needs, up to this; the country code
        // spares the engine's question for it.
        const QString registry = s_tree->SharedFolder() + QStringLiteral("Registry.ini");
        ASSERT_TRUE(RegistryKey(QStringLiteral("Startup"), registry).WriteInt(QStringLiteral("SimulatorWaitMs"), 20000));
        ASSERT_TRUE(RegistryKey(QStringLiteral("Telephony"), registry).WriteString(QStringLiteral("CountryCode"),
                                                                                   QStringLiteral("39")));
        ASSERT_TRUE(s_tree->CreateCatalog({QStringLiteral("CENTRALE")}));
        ASSERT_TRUE(s_engine->Start(s_tree->ProgramPath()));
        const QString end = s_engine->WaitForAnyLine({QStringLiteral("started: "), QStringLiteral("window shown: ")});
        ASSERT_TRUE(end.startsWith(QStringLiteral("started: "))) << s_engine->Lines().join(u'\n').toStdString();
    }

    static void TearDownTestSuite()
    {
        delete s_engine;
        s_engine = nullptr;
        delete s_tree;
        s_tree = nullptr;
    }

    void SetUp() override
    {
        if (!s_engine || !s_engine->IsRunning())
            GTEST_SKIP() << "the engine did not start";
        s_tree->Enter();
        Simulvex(QStringLiteral("fault off"));
    }

    static CEngineClient Client() { return CEngineClient("127.0.0.1", s_tree->Ports().requestPort); }
    static QString Simulvex(const QString& command) { return s_engine->SimulvexCommand(command); }

    static inline SuiteTree* s_tree = nullptr;
    static inline SuiteProgramProcess* s_engine = nullptr;
};

}  // namespace pultexsimulation

#pragma once

#include "engineclient.h"
#include "enginebridge.h"
#include "enginepeer.h"
#include "simulatorthread.h"
#include "tempsuite.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// The lines on which an engine reaches the simulator: the tests' own peers on a pseudo-terminal and on
// loopback UDP, or the console's serial and LAN channels.
enum class LinkKind { kSerial, kLan, kSerialChannel, kLanChannel };

std::ostream& operator<<(std::ostream& out, LinkKind kind);

// The links this test program drives (each program defines them), all of them or the serial ones.
std::vector<LinkKind> TestedLinks();
std::vector<LinkKind> TestedSerialLinks();
// An engine peer of the kind, connected to the simulator, which gets its port here: a serial line is
// published as COM98 of the running suite tree.
std::unique_ptr<EnginePeer> ConnectEnginePeer(LinkKind kind, SimulatorThread& simulator);

// A simulator in its own thread, reached by an engine peer, with a CEngineClient in front of it through a
// small request server.
class SimulatorLinkTest : public ::testing::TestWithParam<LinkKind> {
protected:
    void SetUp() override;

    QString Command(const QString& line) { return simulator.Command(line); }
    // Runs the command and expects it to be taken.
    void Do(const QString& line) { ASSERT_TRUE(Command(line).startsWith(QLatin1String("OK"))) << line.toStdString(); }
    // The events that came, each as Describe gives it.
    QStringList Events(int count, int timeoutMs = 3000);

    TempSuite suite{QStringLiteral("Pultex")};
    SimulatorThread simulator;
    std::unique_ptr<EnginePeer> peer;
    std::unique_ptr<EngineBridge> bridge;
    std::unique_ptr<CEngineClient> client;
};

// "code:payload in hex" of a frame, for readable comparisons.
QString Describe(const QByteArray& frame);

#pragma once

#include "engineclient.h"
#include "enginebridge.h"
#include "lanenginepeer.h"
#include "serialpeer.h"
#include "simulatorthread.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// The two kinds of line an engine reaches the simulator on.
enum class LinkKind { kSerial, kLan };

inline std::ostream& operator<<(std::ostream& out, LinkKind kind)
{
    return out << (kind == LinkKind::kSerial ? "Serial" : "Lan");
}

// A simulator in its own thread, reached over a real pseudo-terminal or loopback UDP by an engine peer,
// with a CEngineClient in front of it through a small request server.
class SimulatorLinkTest : public ::testing::TestWithParam<LinkKind> {
protected:
    void SetUp() override;

    QString Command(const QString& line) { return simulator.Command(line); }
    // Runs the command and expects it to be taken.
    void Do(const QString& line) { ASSERT_TRUE(Command(line).startsWith(QLatin1String("OK"))) << line.toStdString(); }
    // The frame codes and payloads of the events that came, as "code:hex payload".
    QStringList Events(int count, int timeoutMs = 3000);

    SimulatorThread simulator;
    QTemporaryDir folder;
    std::unique_ptr<SerialPeer> serial;
    std::unique_ptr<LanEnginePeer> lan;
    EnginePeer* peer = nullptr;
    std::unique_ptr<EngineBridge> bridge;
    std::unique_ptr<CEngineClient> client;
};

// "code:payload in hex" of a frame, for readable comparisons.
QString Describe(const QByteArray& frame);

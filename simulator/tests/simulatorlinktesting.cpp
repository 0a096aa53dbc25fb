#include "simulatorlinktesting.h"

#include "framebytes.h"
#include "pbxframe.h"

std::ostream& operator<<(std::ostream& out, LinkKind kind)
{
    static const char* const kNames[] = {"Serial", "Lan", "SerialChannel", "LanChannel"};
    return out << kNames[static_cast<int>(kind)];
}

void SimulatorLinkTest::SetUp()
{
    ASSERT_TRUE(suite.IsValid());
    peer = ConnectEnginePeer(GetParam(), simulator);
    ASSERT_TRUE(peer);
    bridge = std::make_unique<EngineBridge>(*peer);
    client = std::make_unique<CEngineClient>("127.0.0.1", bridge->Port());
    // A fixed clock: no answer byte can then look like a sync pair by chance.
    Do(QStringLiteral("set clock 2024-01-15 10:20:30"));
}

QStringList SimulatorLinkTest::Events(int count, int timeoutMs)
{
    QStringList described;
    for (const QByteArray& event : peer->TakeEvents(count, timeoutMs))
        described << Describe(event);
    return described;
}

QString Describe(const QByteArray& frame)
{
    return QStringLiteral("%1:%2").arg(ByteAt(frame, kPbxCodeOffset)).arg(QString::fromLatin1(frame.mid(kPbxPayloadOffset).toHex()));
}

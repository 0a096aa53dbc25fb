#include "simulatorlinktesting.h"

#include "framebytes.h"
#include "pbxframe.h"

void SimulatorLinkTest::SetUp()
{
    ASSERT_TRUE(folder.isValid());
    if (GetParam() == LinkKind::kSerial) {
        const QString link = folder.filePath(QStringLiteral("COM98.pty"));
        ASSERT_EQ(simulator.AddSerialPort(link), QString());
        serial = std::make_unique<SerialPeer>(link);
        ASSERT_TRUE(serial->IsOpen());
        peer = serial.get();
    } else {
        const std::uint16_t port = simulator.AddLanPort(0);
        ASSERT_NE(port, 0);
        lan = std::make_unique<LanEnginePeer>(port);
        ASSERT_EQ(lan->Announce(3000), std::optional<std::string>("127.0.0.1"));
        peer = lan.get();
    }
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

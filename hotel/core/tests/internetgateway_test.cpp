// The gateway link against a gateway peer on 127.0.0.1: the requests it sends, how it judges replies,
// its tries and its access codes.
#include "binaryrecord.h"
#include "gatewaypacket.h"
#include "gatewaypeer.h"
#include "internetgateway.h"
#include "registrykey.h"
#include "tempsuite.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <future>

namespace lodgix {
namespace {

using Script = GatewayPeer::Script;

Script AlwaysReply(std::uint8_t result = 0) { return [result](const QByteArray& r, int) { return GatewayPeer::Reply(r, result); }; }

TEST(InternetGateway, AddedUserTravelsInItsFields)
{
    GatewayPeer peer(AlwaysReply());
    CInternetGateway gateway(peer.Link());
    QString code;
    ASSERT_TRUE(gateway.CreateUser(code, QStringLiteral("Niccolò Rossi"), QStringLiteral("Città, 1/2/1980"),
                                   QStringLiteral("CI AB123"), 90));
    EXPECT_EQ(code.size(), 12);
    const std::vector<QByteArray> requests = peer.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const QByteArray& r = requests[0];
    ASSERT_EQ(r.size(), 220);
    EXPECT_EQ(GetU16(r, 0), 213);
    EXPECT_EQ(GetU32(r, 2), ByteSum(reinterpret_cast<const std::uint8_t*>(r.constData()) + 7, 213));
    EXPECT_EQ(GetU8(r, 6), 0);
    EXPECT_EQ(GetU8(r, 7), GatewayPacket::kAddUser);
    EXPECT_EQ(ReadAnsiField(r, 8, 16), code);
    EXPECT_EQ(r.mid(8 + 12, 4), QByteArray(4, '\0'));
    EXPECT_EQ(ReadAnsiField(r, 24, 64), QStringLiteral("Niccolò Rossi"));
    EXPECT_EQ(static_cast<std::uint8_t>(r.at(24 + 6)), 0xF2);  // Windows-1252 'ò'
    EXPECT_EQ(ReadAnsiField(r, 88, 64), QStringLiteral("Città, 1/2/1980"));
    EXPECT_EQ(ReadAnsiField(r, 152, 64), QStringLiteral("CI AB123"));
    EXPECT_EQ(GetU32(r, 216), 90u);
}

TEST(InternetGateway, RequestsThatCannotBeSentAreNotSent)
{
    GatewayPeer peer(AlwaysReply());
    CInternetGateway gateway(peer.Link());
    const QString text63(63, u'x');
    const QString text64(64, u'x');
    EXPECT_TRUE(gateway.SendAddUser(QStringLiteral("ABCDEFGHIJKL"), text63, text63, text63, 1));
    ASSERT_EQ(peer.Requests().size(), 1u);
    EXPECT_FALSE(gateway.SendAddUser(QStringLiteral("ABCDEFGHIJK"), {}, {}, {}, 1));
    EXPECT_FALSE(gateway.SendAddUser(QStringLiteral("ABCDEFGHIJKLM"), {}, {}, {}, 1));
    EXPECT_FALSE(gateway.SendAddUser(QStringLiteral("ABCDEFGHIJKL"), text64, {}, {}, 1));
    EXPECT_FALSE(gateway.SendAddUser(QStringLiteral("ABCDEFGHIJKL"), {}, {}, text64, 1));
    EXPECT_FALSE(gateway.SendDeleteUser(QStringLiteral("ABCDEFGHIJK")));
    EXPECT_EQ(peer.Requests().size(), 1u);
}

TEST(InternetGateway, RefusedOrBrokenRepliesFailEveryTry)
{
    struct ReplyCase {
        const char* what;
        std::function<QByteArray(const QByteArray&)> reply;  // empty: silence
    };
    const auto otherCode = [](const QByteArray& r) {
        QByteArray other = r;
        other[8] = other[8] == 'Z' ? 'Y' : 'Z';
        return GatewayPeer::Reply(other);
    };
    const auto codeRunningOn = [](const QByteArray& r) {
        // The same twelve characters, but the field's padding carries more: another field.
        QByteArray reply = GatewayPeer::Reply(r);
        reply[7 + 1 + 12] = 'X';
        PutU32(reply, 2, ByteSum(reinterpret_cast<const std::uint8_t*>(reply.constData()) + 7, 18));
        return reply;
    };
    const auto badSum = [](const QByteArray& r) {
        QByteArray reply = GatewayPeer::Reply(r);
        PutU32(reply, 2, GetU32(reply, 2) + 1);
        return reply;
    };
    const auto cutShort = [](const QByteArray& r) { return GatewayPeer::Reply(r).left(24); };
    const ReplyCase cases[] = {
        {"another code", otherCode},
        {"a code that runs on past its twelve characters", codeRunningOn},
        {"6 bytes", [](const QByteArray& r) { return GatewayPeer::Reply(r).left(6); }},
        {"shorter than its payload", cutShort},
        {"bad sum", badSum},
        {"result 1", [](const QByteArray& r) { return GatewayPeer::Reply(r, 1); }},
        {"status 1", [](const QByteArray& r) { return GatewayPeer::Reply(r, 0, 1); }},
        {"another operation", [](const QByteArray& r) {
             QByteArray other = r;
             other[7] = 1;
             return GatewayPeer::Reply(other);
         }},
        {"silence", nullptr},
    };
    for (const ReplyCase& c : cases) {
        GatewayPeer peer([&c](const QByteArray& r, int) -> std::optional<QByteArray> {
            if (!c.reply)
                return std::nullopt;
            return c.reply(r);
        });
        // Silence costs the reply time five times over: none here.
        CInternetGateway gateway(peer.Link(c.reply ? 5 : 0));
        QString code;
        EXPECT_FALSE(gateway.CreateUser(code, QStringLiteral("Rossi"), {}, {}, 60)) << c.what;
        const std::vector<QByteArray> requests = peer.WaitForRequests(5);
        ASSERT_EQ(requests.size(), 5u) << c.what;
        EXPECT_EQ(ReadAnsiField(requests.back(), 8, 16), code) << c.what;
    }
}

TEST(InternetGateway, DeleteIsRetriedWithTheSameCode)
{
    GatewayPeer peer([](const QByteArray& r, int index) { return GatewayPeer::Reply(r, index < 2 ? 1 : 0); });
    CInternetGateway gateway(peer.Link());
    EXPECT_EQ(gateway.DeleteUser(QStringLiteral("A1B2C3D4E5F6")), 1);
    const std::vector<QByteArray> requests = peer.Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const QByteArray& r : requests) {
        ASSERT_EQ(r.size(), 24);
        EXPECT_EQ(GetU8(r, 7), GatewayPacket::kDeleteUser);
        EXPECT_EQ(ReadAnsiField(r, 8, 16), QStringLiteral("A1B2C3D4E5F6"));
    }

    GatewayPeer refusing(AlwaysReply(3));
    CInternetGateway refused(refusing.Link());
    EXPECT_EQ(refused.DeleteUser(QStringLiteral("A1B2C3D4E5F6")), 0);
    EXPECT_EQ(refusing.Requests().size(), 5u);
}

TEST(InternetGateway, RetriesCarryCodesOfTheirOwn)
{
    GatewayPeer peer([](const QByteArray& r, int index) { return GatewayPeer::Reply(r, index < 4 ? 1 : 0); });
    CInternetGateway gateway(peer.Link());
    QString code;
    ASSERT_TRUE(gateway.CreateUser(code, QStringLiteral("Rossi"), {}, {}, 60));
    QStringList codes;
    for (const QByteArray& r : peer.Requests())
        codes << ReadAnsiField(r, 8, 16);
    ASSERT_EQ(codes.size(), 5);
    EXPECT_EQ(codes.back(), code);
    codes.removeDuplicates();
    EXPECT_EQ(codes.size(), 5);  // all within one second, each its own
}

TEST(InternetGateway, CancelEndsTheTryUnderWayAndTheRest)
{
    std::promise<void> asked;
    GatewayPeer peer([&asked](const QByteArray&, int index) -> std::optional<QByteArray> {
        if (index == 0)
            asked.set_value();
        return std::nullopt;
    });
    CInternetGateway gateway(peer.Link(600));
    bool created = true;
    std::thread worker([&] {
        QString code;
        created = gateway.CreateUser(code, QStringLiteral("Rossi"), {}, {}, 60);
    });
    asked.get_future().wait();
    gateway.Cancel();
    worker.join();
    EXPECT_FALSE(created);
    EXPECT_EQ(peer.Requests().size(), 1u);
    EXPECT_EQ(gateway.DeleteUser(QStringLiteral("A1B2C3D4E5F6")), 0);
    EXPECT_EQ(peer.Requests().size(), 1u);
}

TEST(InternetGateway, AccessCodesAreRandomHexadecimalScrambled)
{
    QStringList codes;
    for (int i = 0; i < 50; ++i) {
        QString code;
        CInternetGateway::MakeAccessCode(code);
        ASSERT_EQ(code.size(), 12);
        for (QChar c : code)
            EXPECT_TRUE(c.isDigit() || (c >= u'A' && c <= u'Z')) << code.toStdString();
        codes << code;
    }
    codes.removeDuplicates();
    EXPECT_EQ(codes.size(), 50);
}

TEST(GatewayLink, RegistryGivesPortsAndAddress)
{
    TempSuite suite;
    const GatewayLink defaults = GatewayLink::FromRegistry();
    EXPECT_EQ(defaults.port, 2212);
    EXPECT_EQ(defaults.replyPort, 2213);
    EXPECT_EQ(defaults.address, "255.255.255.255");
    const RegistryKey network(QStringLiteral("Network"));
    ASSERT_TRUE(network.WriteInt(GatewayLink::kPortName, 32212));
    ASSERT_TRUE(network.WriteInt(GatewayLink::kReplyPortName, 32213));
    ASSERT_TRUE(network.WriteString(GatewayLink::kAddressName, QStringLiteral(" 127.0.0.1 ")));
    const GatewayLink link = GatewayLink::FromRegistry();
    EXPECT_EQ(link.port, 32212);
    EXPECT_EQ(link.replyPort, 32213);
    EXPECT_EQ(link.address, "127.0.0.1");
}

TEST(GatewayPacket, ScrambleShiftsByPosition)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("000000000000"), QStringLiteral("012345678901")},
        {QStringLiteral("AAAAAAAAAAAA"), QStringLiteral("ABCDEFGHIJKL")},
        {QStringLiteral("9Z"), QStringLiteral("9A")},
        {QStringLiteral("zz-z"), QStringLiteral("za-c")},
        {QString(), QString()},
    };
    for (const auto& [plain, scrambled] : cases) {
        QString code = plain;
        ScrambleAccessCode(code);
        EXPECT_EQ(code, scrambled) << plain.toStdString();
    }
    const std::uint8_t bytes[] = {255, 255, 1};
    EXPECT_EQ(ByteSum(bytes, 3), 511u);
    EXPECT_EQ(ByteSum(bytes, 0), 0u);
}

}  // namespace
}  // namespace lodgix

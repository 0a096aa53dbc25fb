#include "suiteipc.h"

#include "waitfor.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <vector>

namespace {

constexpr const char* kChildNameVariable = "SUITE_IPC_TEST_CLASS";

struct Message {
    std::uint32_t message;
    std::uint64_t wParam;
    std::int64_t lParam;
};

class RecordingTarget : public MessageTarget {
public:
    void Post(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) override
    {
        received.push_back({message, wParam, lParam});
    }
    std::vector<Message> received;
};

QString UniqueName(const char* what)
{
    return QStringLiteral("%1-%2").arg(QString::fromLatin1(what)).arg(QCoreApplication::applicationPid());
}

TEST(SuiteIpc, RegisteredWindowIsFoundAndReceivesPosts)
{
    RecordingTarget target;
    const QString name = UniqueName("Fonivra");
    EXPECT_FALSE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, name));
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, name, target);
    ASSERT_TRUE(registration);
    EXPECT_TRUE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, name));
    EXPECT_FALSE(SuiteIpc::Find(SuiteIpc::Key::WindowTitle, name));  // titles and classes are apart

    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, name, WM_COMMAND, 57602, -1));
    ASSERT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, name, WM_USER + 70, 0x1234567890ull, 515));
    ASSERT_TRUE(WaitFor([&] { return target.received.size() == 2; }));
    EXPECT_EQ(target.received[0].message, WM_COMMAND);
    EXPECT_EQ(target.received[0].wParam, 57602u);
    EXPECT_EQ(target.received[0].lParam, -1);
    EXPECT_EQ(target.received[1].wParam, 0x1234567890ull);

    registration.reset();
    EXPECT_FALSE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, name));
    EXPECT_FALSE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, name, WM_COMMAND, 0, 0));
}

TEST(SuiteIpc, SecondRegistrationOfALiveNameFails)
{
    RecordingTarget target;
    const QString name = UniqueName("Pultex");
    auto first = SuiteIpc::Register(SuiteIpc::Key::WindowTitle, name, target);
    ASSERT_TRUE(first);
    EXPECT_FALSE(SuiteIpc::Register(SuiteIpc::Key::WindowTitle, name, target));
}

TEST(SuiteIpc, NameLeftByADeadProgramIsTakenOver)
{
    const QString name = UniqueName("Stale");
    const QString path = QDir::tempPath() + u'/' + SuiteIpc::ServerName(SuiteIpc::Key::WindowClass, name);
    // A socket file nobody listens on, as a killed program leaves it.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(path);
    std::strncpy(address.sun_path, encoded.constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(path));

    RecordingTarget target;
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, name, target);
    ASSERT_TRUE(registration);
    EXPECT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, name, WM_USER + 1, 2, 3));
    EXPECT_TRUE(WaitFor([&] { return target.received.size() == 1; }));
}

// A second start of a program finds the first one in another process and hands it a message.
TEST(SuiteIpc, SecondProcessFindsTheFirstAndHandsOver)
{
    RecordingTarget target;
    const QString name = UniqueName("HandOver");
    auto registration = SuiteIpc::Register(SuiteIpc::Key::WindowClass, name, target);
    ASSERT_TRUE(registration);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildNameVariable), name);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=SuiteIpcSecondInstance.*")});
    ASSERT_TRUE(WaitFor([&] { return child.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);

    ASSERT_TRUE(WaitFor([&] { return !target.received.empty(); }));
    EXPECT_EQ(target.received[0].message, WM_USER + 102);
    EXPECT_EQ(target.received[0].lParam, 515);
}

// The other process of the test above; does nothing when run on its own.
TEST(SuiteIpcSecondInstance, HandsOverToTheFirst)
{
    const QString name = qEnvironmentVariable(kChildNameVariable);
    if (name.isEmpty())
        GTEST_SKIP() << "run by SuiteIpc.SecondProcessFindsTheFirstAndHandsOver";
    RecordingTarget target;
    EXPECT_FALSE(SuiteIpc::Register(SuiteIpc::Key::WindowClass, name, target));
    EXPECT_TRUE(SuiteIpc::Find(SuiteIpc::Key::WindowClass, name));
    EXPECT_TRUE(SuiteIpc::Post(SuiteIpc::Key::WindowClass, name, WM_USER + 102, 0, 515));
}

}  // namespace

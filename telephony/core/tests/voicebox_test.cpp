// The voice box client: recording names, the recorder over FTP (Debian's pyftpdlib on 127.0.0.1 with a
// folder made here), the users' table, inflation and WAVE files.
#include "fileinflater.h"
#include "recorderftpclient.h"
#include "recordinginfo.h"
#include "voicemailusers.h"
#include "wavefilereader.h"

#include "binaryrecord.h"
#include "blockingsocket.h"
#include "socketaddress.h"
#include "waitfor.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTcpSocket>

namespace {

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A zlib stream of the bytes (qCompress puts the length before it).
QByteArray Deflated(const QByteArray& bytes) { return qCompress(bytes).mid(4); }

// --- Recording names ------------------------------------------------------------------------------

TEST(RecordingNames, WhatIsARecording)
{
    const auto recording = ParseRecordingName(QStringLiteral("C001210050120306231045.psx"), QStringLiteral("Hard Disk 1"));
    ASSERT_TRUE(recording);
    EXPECT_EQ(recording->firstParty, 256 + 12);
    EXPECT_EQ(recording->secondParty, 512 + 5);
    EXPECT_EQ(recording->direction, 2);
    EXPECT_EQ(recording->time, OleDate(2006, 3, 12, 23, 10, 45));
    EXPECT_EQ(recording->text, QString());
    EXPECT_EQ(recording->folder, QStringLiteral("Hard Disk 1"));

    struct NameCase {
        const char* name;
        bool recording;
    };
    const NameCase cases[] = {
        {"C001210052120306231045.psx", false},  // position 9 is "2"
        {"C00121005012030623104.psx", false},   // 25 characters
        {"X001210050120306231045.psx", false},
        {"c101200011120306231045.psx", true},
        {"C001210050310206231045.psx", false},  // 31 February
        {"C001210050120306251045.psx", false},  // hour 25
        {"C0012100501203062310A5.psx", false},
        {"C001210050120306231045.wav", false},
        {"C001210050120306231045Rossi.psx", true},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(ParseRecordingName(QString::fromLatin1(c.name), {}).has_value(), c.recording) << c.name;
    EXPECT_EQ(ParseRecordingName(QStringLiteral("C001210050120306231045Rossi.psx"), {})->text, QStringLiteral("Rossi"));
    EXPECT_EQ(ParseRecordingName(QStringLiteral("c101200011120306231045.psx"), {})->direction, 1);
    const QString longText = QStringLiteral("C001210050120306231045") + QString(50, u't') + QStringLiteral(".psx");
    ASSERT_TRUE(ParseRecordingName(longText, {}));
    EXPECT_EQ(ParseRecordingName(longText, {})->text, QString());
}

// --- Inflation and the users' table -----------------------------------------------------------------

class RecordingInflater : public CFileInflater {
public:
    int lastPercent = -1;
    QString status;

protected:
    void Progress(int percent) override { lastPercent = percent; }
    void Status(const QString& text) override { status = text; }
};

TEST(FileInflater, WholeStreamsOnly)
{
    QTemporaryDir folder;
    const QByteArray plain = QByteArray(20000, 'a') + QByteArray("end");
    const QByteArray stream = Deflated(plain);
    ASSERT_TRUE(WriteAll(folder.filePath("whole"), stream));
    ASSERT_TRUE(WriteAll(folder.filePath("truncated"), stream.left(stream.size() / 2)));
    ASSERT_TRUE(WriteAll(folder.filePath("empty"), {}));

    RecordingInflater inflater;
    EXPECT_EQ(inflater.Inflate(folder.filePath("whole"), folder.filePath("out")), 0);
    EXPECT_EQ(ReadAll(folder.filePath("out")), plain);
    EXPECT_EQ(inflater.lastPercent, 100);
    EXPECT_EQ(inflater.status, QStringLiteral("Success"));

    EXPECT_NE(inflater.Inflate(folder.filePath("truncated"), folder.filePath("cut")), 0);
    EXPECT_EQ(inflater.status, QStringLiteral("Zlib Error"));
    EXPECT_FALSE(QFile::exists(folder.filePath("cut")));

    EXPECT_NE(inflater.Inflate(folder.filePath("empty"), folder.filePath("none")), 0);
    EXPECT_EQ(inflater.lastPercent, 100);
    EXPECT_FALSE(QFile::exists(folder.filePath("none")));
}

class AbortingInflater : public CFileInflater {
protected:
    void Progress(int) override { Abort(); }
};

TEST(FileInflater, AnAbortStops)
{
    QTemporaryDir folder;
    ASSERT_TRUE(WriteAll(folder.filePath("in"), Deflated(QByteArray(100000, 'x'))));
    AbortingInflater inflater;
    EXPECT_EQ(inflater.Inflate(folder.filePath("in"), folder.filePath("out")), CFileInflater::kAborted);
    EXPECT_FALSE(QFile::exists(folder.filePath("out")));
}

// A users' table: the count, then each user's name and password.
QByteArray UsersTable(int count, const QList<QPair<QString, QString>>& users)
{
    QByteArray table(CVoiceMailUsers::kSize, '\0');
    table[0] = static_cast<char>(count);
    for (int i = 0; i < users.size(); ++i) {
        WriteAnsiField(table, 1 + i * 64, 32, users[i].first);
        WriteAnsiField(table, 1 + i * 64 + 32, 32, users[i].second);
    }
    return table;
}

TEST(VoiceMailUsers, LoadAndFind)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("UserPwd.dat");
    QList<QPair<QString, QString>> users(64, {QStringLiteral("x"), QStringLiteral("y")});
    users[0] = {QStringLiteral("Rossi"), QStringLiteral("Segreto")};
    users[63] = {QStringLiteral("Last"), QStringLiteral("one")};
    ASSERT_TRUE(WriteAll(path, Deflated(UsersTable(200, users))));
    CVoiceMailUsers table;
    ASSERT_TRUE(table.Load(path));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("tmp")));
    EXPECT_EQ(table.GetCount(), 200);
    EXPECT_EQ(table.FindUser(QStringLiteral("Rossi"), QStringLiteral("Segreto")), 0);
    EXPECT_EQ(table.FindUser(QStringLiteral("Rossi"), QStringLiteral("segreto")), CVoiceMailUsers::kNotFound);
    EXPECT_EQ(table.FindUser(QStringLiteral("Last"), QStringLiteral("one")), 63);
    EXPECT_EQ(table.FindUser(QStringLiteral("Nobody"), QStringLiteral("y")), CVoiceMailUsers::kNotFound);

    // A table of another length is refused and the loaded one kept.
    ASSERT_TRUE(WriteAll(path, Deflated(QByteArray(4096, '\1'))));
    EXPECT_FALSE(table.Load(path));
    EXPECT_EQ(table.GetCount(), 200);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral("tmp")));
}

// --- WAVE files -------------------------------------------------------------------------------------

QByteArray Wave(int formatSize, const QByteArray& samples)
{
    QByteArray bytes("RIFF\0\0\0\0WAVEfmt ", 16);
    QByteArray fields(formatSize + 4, '\0');
    PutU32(fields, 0, static_cast<std::uint32_t>(formatSize));
    PutU16(fields, 4, 7);       // mu-law
    PutU16(fields, 6, 1);
    PutU32(fields, 8, 8000);
    PutU32(fields, 12, 8000);
    PutU16(fields, 16, 1);
    PutU16(fields, 18, 8);
    bytes += fields + QByteArray("data", 4);
    QByteArray size(4, '\0');
    PutU32(size, 0, static_cast<std::uint32_t>(samples.size()));
    bytes += size + samples;
    PutU32(bytes, 4, static_cast<std::uint32_t>(bytes.size() - 8));
    return bytes;
}

TEST(WaveFileReader, FindsTheChunksOfBothHeaders)
{
    QTemporaryDir folder;
    const QByteArray samples = QByteArray("0123456789");
    for (const int formatSize : {16, 18}) {
        const QString path = folder.filePath(QStringLiteral("rec%1.wav").arg(formatSize));
        ASSERT_TRUE(WriteAll(path, Wave(formatSize, samples)));
        ASSERT_EQ(QFile(path).size(), 28 + formatSize + samples.size());  // headers of 44 and 46 bytes
        CWaveFileReader reader;
        ASSERT_EQ(reader.Open(path), 1) << formatSize;
        EXPECT_EQ(reader.FormatTag(), 7);
        EXPECT_EQ(reader.SampleRate(), 8000u);
        EXPECT_EQ(reader.BitsPerSample(), 8);
        EXPECT_EQ(reader.DataSize(), samples.size());
        char buffer[6] = {};
        EXPECT_EQ(reader.Read(buffer, 6), 6);
        EXPECT_EQ(QByteArray(buffer, 6), QByteArray("012345"));
        EXPECT_EQ(reader.Read(buffer, 6), 4);
        EXPECT_EQ(reader.Read(buffer, 6), 0);
        reader.Close();
    }
    ASSERT_TRUE(WriteAll(folder.filePath("short.wav"), Wave(16, samples).left(30)));
    ASSERT_TRUE(WriteAll(folder.filePath("foreign.avi"), QByteArray("RIFF\0\0\0\0AVI LIST", 16) + QByteArray(40, '\0')));
    CWaveFileReader reader;
    EXPECT_EQ(reader.Open(folder.filePath("short.wav")), 0);
    EXPECT_EQ(reader.Open(folder.filePath("foreign.avi")), 0);
    EXPECT_EQ(reader.Open(folder.filePath("missing.wav")), 0);
}

// --- The recorder over FTP ----------------------------------------------------------------------------

std::uint16_t FreePort()
{
    CBlockingSocket probe;
    probe.Create(CBlockingSocket::kStream);
    probe.Bind(AnySocketAddress(0));
    return PortOf(probe.GetSockAddr());
}

// pyftpdlib serving a folder made by the test, with the recorder's account, on 127.0.0.1.
class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        m_port = FreePort();
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(QStringLiteral("/usr/bin/python3"),
                       {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"), QStringLiteral("127.0.0.1"),
                        QStringLiteral("-p"), QString::number(m_port), QStringLiteral("-u"), QStringLiteral("Pelmaro"),
                        QStringLiteral("-P"), QStringLiteral("VuoK"), QStringLiteral("-d"), m_root.path(),
                        QStringLiteral("-w")});
        ASSERT_TRUE(m_server.waitForStarted());
        ASSERT_TRUE(WaitFor(
            [this] {
                QTcpSocket probe;
                probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
                return probe.waitForConnected(100);
            },
            20000))
            << "the FTP server did not start";
    }

    void TearDown() override
    {
        m_server.terminate();
        m_server.waitForFinished();
    }

    QString Path(const QString& relative) const { return m_root.filePath(relative); }
    CRecorderFtpClient Client()
    {
        return CRecorderFtpClient(
            [](std::string& host) {
                host = "127.0.0.1";
                return 0;
            },
            m_port);
    }

    QTemporaryDir m_root;
    QTemporaryDir m_local;
    std::uint16_t m_port = 0;
    QProcess m_server;
};

TEST_F(RecorderTest, ListsTheRecordingsOfTheHardDiskFolders)
{
    ASSERT_TRUE(WriteAll(Path("Hard Disk 1/C001210050120306231045.psx"), "a"));
    ASSERT_TRUE(WriteAll(Path("Hard Disk 1/notes.txt"), "b"));
    ASSERT_TRUE(WriteAll(Path("Hard Disk 2/c101200011120306231045Rossi.psx"), "c"));
    ASSERT_TRUE(WriteAll(Path("Hard Disk 2/C00121005012030623104.psx"), "d"));
    ASSERT_TRUE(WriteAll(Path("Other/C001210050120306231045.psx"), "e"));
    std::vector<RecordingInfo> recordings = Client().ListRecordings();
    ASSERT_EQ(recordings.size(), 2u);
    std::sort(recordings.begin(), recordings.end(), [](const auto& a, const auto& b) { return a.folder < b.folder; });
    EXPECT_EQ(recordings[0].folder, QStringLiteral("Hard Disk 1"));
    EXPECT_EQ(recordings[1].text, QStringLiteral("Rossi"));
}

TEST_F(RecorderTest, DownloadsWithProgressCancelsAndDeletes)
{
    const QByteArray audio = QByteArray(10 * 1024 + 100, 'w');
    ASSERT_TRUE(WriteAll(Path("Hard Disk 1/C001210050120306231045.psx"), audio));
    ASSERT_TRUE(WriteAll(Path("Hard Disk 1/C001210050120306231046.psx"), {}));
    const auto recording = ParseRecordingName(QStringLiteral("C001210050120306231045.psx"), QStringLiteral("Hard Disk 1"));
    const auto empty = ParseRecordingName(QStringLiteral("C001210050120306231046.psx"), QStringLiteral("Hard Disk 1"));

    QStringList texts;
    int percent = -1;
    const auto progress = [&](const QString& text, int p) {
        texts << text;
        percent = p;
        return true;
    };
    const QString local = m_local.filePath("rec.psx");
    ASSERT_TRUE(Client().DownloadRecording(*recording, local, progress));
    EXPECT_EQ(ReadAll(local), audio);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last(), QStringLiteral("Download : 10/10 KBytes"));
    EXPECT_EQ(percent, 100);

    percent = -1;
    ASSERT_TRUE(Client().DownloadRecording(*empty, m_local.filePath("empty.psx"), progress));
    EXPECT_EQ(percent, 100);

    const QString cancelled = m_local.filePath("cancelled.psx");
    EXPECT_FALSE(Client().DownloadRecording(*recording, cancelled, [](const QString&, int) { return false; }));
    EXPECT_FALSE(QFile::exists(cancelled));
    RecordingInfo missing = *recording;
    missing.fileName = QStringLiteral("C001210050120306231047.psx");
    EXPECT_FALSE(Client().DownloadRecording(missing, m_local.filePath("missing.psx")));
    EXPECT_FALSE(QFile::exists(m_local.filePath("missing.psx")));

    EXPECT_TRUE(Client().DeleteRecording(*recording));
    EXPECT_FALSE(QFile::exists(Path("Hard Disk 1/C001210050120306231045.psx")));
    EXPECT_FALSE(Client().DeleteRecording(*recording));
}

TEST_F(RecorderTest, FetchesTheUsersTable)
{
    ASSERT_TRUE(WriteAll(Path("Msg/Risp/UserPwd.dat"),
                         Deflated(UsersTable(1, {{QStringLiteral("Rossi"), QStringLiteral("Segreto")}}))));
    CVoiceMailUsers users;
    const QString local = m_local.filePath("UserPwd.dat");
    ASSERT_TRUE(Client().DownloadVoiceMailUsers(local, users));
    EXPECT_EQ(users.GetCount(), 1);
    EXPECT_EQ(users.FindUser(QStringLiteral("Rossi"), QStringLiteral("Segreto")), 0);
}

TEST(RecorderHost, NoHostListsNothing)
{
    int lookups = 0;
    CRecorderFtpClient client(
        [&lookups](std::string& host) {
            ++lookups;
            host.clear();
            return 38;
        },
        1);
    EXPECT_TRUE(client.ListRecordings().empty());
    EXPECT_EQ(lookups, 1);
    QTemporaryDir folder;
    EXPECT_FALSE(client.DownloadRecording({}, folder.filePath("x")));
    EXPECT_FALSE(QFile::exists(folder.filePath("x")));
}

}  // namespace

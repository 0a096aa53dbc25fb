#include "msipackage.h"
#include "msistream.h"
#include "testpackage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

class MsiPackageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QFile blob(m_dir.filePath(QStringLiteral("blob.bin")));
        ASSERT_TRUE(blob.open(QIODevice::WriteOnly));
        for (int i = 0; i < 1000; ++i)
            m_blob.append(static_cast<char>(i * 7));
        blob.write(m_blob);
        blob.close();
        TestPackage package;
        package.properties = {{QStringLiteral("ProductCode"), QStringLiteral("{11111111-2222-3333-4444-555555555555}")},
                              {QStringLiteral("SAPWD"), QStringLiteral("it's a secret")}};
        package.cabinets = {QStringLiteral("Data.Cab"), QStringLiteral("#Inner.cab")};
        package.streams = {{QStringLiteral("Stream.One"), blob.fileName()}};
        QString error;
        ASSERT_TRUE(package.Build(Path(), &error)) << error.toStdString();
    }
    QString Path() const { return m_dir.filePath(QStringLiteral("test.msi")); }

    QTemporaryDir m_dir;
    QByteArray m_blob;
};

TEST_F(MsiPackageTest, ReadsPropertiesCabinetsAndRevision)
{
    const auto package = MsiPackage::Open(Path(), MsiPackage::Mode::ReadOnly);
    ASSERT_TRUE(package);
    EXPECT_EQ(package->PropertyValue(QStringLiteral("SAPWD")), QStringLiteral("it's a secret"));
    unsigned error = 0;
    EXPECT_FALSE(package->PropertyValue(QStringLiteral("Missing' OR '1'='1"), &error));
    EXPECT_EQ(error, InstallerError::kNoMoreItems);
    EXPECT_EQ(package->ExternalCabinets(), QStringList{QStringLiteral("Data.Cab")});
    EXPECT_EQ(package->RevisionNumber(), QStringLiteral("{00000000-0000-0000-0000-000000000001}"));
}

TEST_F(MsiPackageTest, TransactedChangesLastOnlyAfterCommit)
{
    const QString code = QStringLiteral("{ABCDEF01-2345-6789-ABCD-EF0123456789}");
    {
        const auto package = MsiPackage::Open(Path(), MsiPackage::Mode::Transacted);
        ASSERT_TRUE(package);
        EXPECT_TRUE(package->AssignProperty(QStringLiteral("ProductCode"), code));
        EXPECT_FALSE(package->AssignProperty(QStringLiteral("NoSuchRow"), code));
        EXPECT_TRUE(package->SetRevisionNumber(code));
    }
    EXPECT_NE(MsiPackage::Open(Path(), MsiPackage::Mode::ReadOnly)->PropertyValue(QStringLiteral("ProductCode")), code);
    {
        const auto package = MsiPackage::Open(Path(), MsiPackage::Mode::Transacted);
        ASSERT_TRUE(package->AssignProperty(QStringLiteral("ProductCode"), code));
        ASSERT_TRUE(package->SetRevisionNumber(code));
        ASSERT_TRUE(package->Commit());
    }
    const auto reread = MsiPackage::Open(Path(), MsiPackage::Mode::ReadOnly);
    EXPECT_EQ(reread->PropertyValue(QStringLiteral("ProductCode")), code);
    EXPECT_EQ(reread->RevisionNumber(), code);
    EXPECT_FALSE(reread->PropertyValue(QStringLiteral("NoSuchRow")));
    // A released database leaves no save file beside the package.
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral(".gsf-save-*")}, QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(MsiPackageTest, StreamsReadWholeOrNotFound)
{
    const auto package = MsiPackage::Open(Path(), MsiPackage::Mode::ReadOnly);
    unsigned error = 0;
    auto stream = package->OpenStream(QStringLiteral("Stream.One"), error);
    ASSERT_TRUE(stream);
    QByteArray read;
    char buffer[260];
    qint64 count;
    while ((count = stream->Read(buffer, sizeof buffer)) > 0)
        read.append(buffer, count);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(read, m_blob);
    EXPECT_FALSE(package->OpenStream(QStringLiteral("Stream.Two"), error));
    EXPECT_EQ(error, InstallerError::kNoMoreItems);
}

TEST_F(MsiPackageTest, NoPackageGivesNull)
{
    QFile text(m_dir.filePath(QStringLiteral("text.msi")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a package");
    text.close();
    EXPECT_FALSE(MsiPackage::Open(text.fileName(), MsiPackage::Mode::ReadOnly));
    EXPECT_FALSE(MsiPackage::Open(m_dir.filePath(QStringLiteral("missing.msi")), MsiPackage::Mode::Transacted));
}

// The mode bits decide, not the access the process has: a test run as root must refuse as well.
TEST_F(MsiPackageTest, UpdatesNeedTheOwnersWriteBitAndKeepTheMode)
{
    struct Case {
        mode_t mode;
        bool opens;
    };
    const Case cases[] = {{0444, false}, {0400, false}, {0066, false}, {0600, true}, {0640, true}, {0755, true}};
    const QString code = QStringLiteral("{ABCDEF01-2345-6789-ABCD-EF0123456789}");
    const QByteArray file = QFile::encodeName(Path());
    for (const Case& c : cases) {
        ASSERT_EQ(::chmod(file.constData(), c.mode), 0);
        const QByteArray before = [&] {
            QFile f(Path());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        {
            const auto package = MsiPackage::Open(Path(), MsiPackage::Mode::Transacted);
            ASSERT_EQ(static_cast<bool>(package), c.opens) << std::oct << c.mode;
            if (package) {
                ASSERT_TRUE(package->SetRevisionNumber(code + QString::number(c.mode)));
                ASSERT_TRUE(package->Commit());
            }
        }
        struct stat status {};
        ASSERT_EQ(::stat(file.constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, c.mode) << std::oct << c.mode;
        QFile after(Path());
        ASSERT_TRUE(after.open(QIODevice::ReadOnly));
        EXPECT_EQ(after.readAll() == before, !c.opens) << std::oct << c.mode;
        ASSERT_EQ(::chmod(file.constData(), 0644), 0);
        EXPECT_EQ(MsiPackage::Open(Path(), MsiPackage::Mode::ReadOnly)->RevisionNumber() == code + QString::number(c.mode), c.opens);
    }
}

TEST_F(MsiPackageTest, RootUpdatingAnotherOwnersPackageLeavesItTheirs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root gives a file to another owner";
    constexpr uid_t kNobody = 65534;
    const QByteArray file = QFile::encodeName(Path());
    ASSERT_EQ(::chown(file.constData(), kNobody, kNobody), 0);
    {
        const auto package = MsiPackage::Open(Path(), MsiPackage::Mode::Transacted);
        ASSERT_TRUE(package);
        ASSERT_TRUE(package->SetRevisionNumber(QStringLiteral("{ABCDEF01-2345-6789-ABCD-EF0123456789}")));
        ASSERT_TRUE(package->Commit());
    }
    struct stat status {};
    ASSERT_EQ(::stat(file.constData(), &status), 0);
    EXPECT_EQ(status.st_uid, kNobody);
    EXPECT_EQ(status.st_gid, kNobody);
}

}  // namespace

#include "updaterreplacement.h"

#include "tempsuite.h"
#include "updatecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

const QByteArray kNewUpdater("new updater program");
const QByteArray kOldUpdater("old updater program");

bool WriteFile(const QString& path, const QByteArray& bytes,
               QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.setPermissions(permissions);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PatchPath(const TempSuite& suite) { return suite.SharedFolder() + QStringLiteral("NexUpd.psx"); }
QString UpdaterFolder(const TempSuite& suite) { return suite.SuiteFolder() + QStringLiteral("Refresko/"); }

bool IsExecutable(const QString& path) { return QFileInfo(path).permissions() & QFileDevice::ExeOwner; }

TEST(UpdaterReplacement, NothingWaitingChangesNothing)
{
    TempSuite suite(QStringLiteral("Pultex"));
    ASSERT_TRUE(QDir().mkpath(UpdaterFolder(suite)));
    ASSERT_TRUE(WriteFile(UpdaterPath(), kOldUpdater));
    EXPECT_EQ(ReplaceUpdaterFromPatch(), UpdaterReplacement::NoPatch);
    EXPECT_EQ(ReadFile(UpdaterPath()), kOldUpdater);
}

TEST(UpdaterReplacement, PatchBecomesTheExecutableUpdater)
{
    // The old updater executable, one that lost its execute bits, and none at all.
    const QFileDevice::Permissions executable = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ExeGroup;
    struct Case {
        bool oldUpdater;
        QFileDevice::Permissions permissions;
    };
    const Case cases[] = {{true, executable}, {true, QFileDevice::ReadOwner | QFileDevice::WriteOwner}, {false, {}}};
    for (const Case& test : cases) {
        TempSuite suite(QStringLiteral("Pultex"));
        ASSERT_TRUE(QDir().mkpath(UpdaterFolder(suite)));
        if (test.oldUpdater) {
            ASSERT_TRUE(WriteFile(UpdaterPath(), kOldUpdater, test.permissions));
        }
        ASSERT_TRUE(WriteFile(PatchPath(suite), kNewUpdater));

        EXPECT_EQ(ReplaceUpdaterFromPatch(), UpdaterReplacement::Replaced);
        EXPECT_EQ(ReadFile(UpdaterPath()), kNewUpdater);
        EXPECT_TRUE(IsExecutable(UpdaterPath()));
        EXPECT_FALSE(QFileInfo::exists(PatchPath(suite)));
        EXPECT_EQ(QDir(UpdaterFolder(suite)).entryList(QDir::Files), QStringList{QStringLiteral("Refresko")});
    }
}

TEST(UpdaterReplacement, RunningUpdaterIsReplaced)
{
    // Writing over a program that runs is refused by the system; a rename over it is not.
    TempSuite suite(QStringLiteral("Pultex"));
    ASSERT_TRUE(QDir().mkpath(UpdaterFolder(suite)));
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), UpdaterPath()));
    QProcess running;
    running.start(UpdaterPath(), {QStringLiteral("30")});
    ASSERT_TRUE(running.waitForStarted());
    ASSERT_TRUE(WriteFile(PatchPath(suite), kNewUpdater));

    EXPECT_EQ(ReplaceUpdaterFromPatch(), UpdaterReplacement::Replaced);
    EXPECT_EQ(ReadFile(UpdaterPath()), kNewUpdater);
    EXPECT_FALSE(QFileInfo::exists(PatchPath(suite)));
    running.kill();
    running.waitForFinished();
}

TEST(UpdaterReplacement, FailureKeepsTheOldUpdaterAndThePatch)
{
    enum class Fault { NoUpdaterFolder, UpdaterIsAFolder, PatchIsAFolder };
    for (Fault fault : {Fault::NoUpdaterFolder, Fault::UpdaterIsAFolder, Fault::PatchIsAFolder}) {
        TempSuite suite(QStringLiteral("Pultex"));
        SCOPED_TRACE(static_cast<int>(fault));
        if (fault != Fault::NoUpdaterFolder) {
            ASSERT_TRUE(QDir().mkpath(UpdaterFolder(suite)));
        }
        if (fault == Fault::UpdaterIsAFolder) {
            ASSERT_TRUE(QDir().mkpath(UpdaterPath()));
        }
        if (fault == Fault::PatchIsAFolder) {
            ASSERT_TRUE(WriteFile(UpdaterPath(), kOldUpdater));
            ASSERT_TRUE(QDir().mkpath(PatchPath(suite)));
        } else {
            ASSERT_TRUE(WriteFile(PatchPath(suite), kNewUpdater));
        }

        EXPECT_EQ(ReplaceUpdaterFromPatch(), UpdaterReplacement::Failed);
        EXPECT_TRUE(QFileInfo::exists(PatchPath(suite)));
        if (fault == Fault::PatchIsAFolder) {
            EXPECT_EQ(ReadFile(UpdaterPath()), kOldUpdater);
        }
        if (fault == Fault::UpdaterIsAFolder) {
            EXPECT_TRUE(QFileInfo(UpdaterPath()).isDir());
            EXPECT_EQ(QDir(UpdaterFolder(suite)).entryList(QDir::Files), QStringList());  // no temporary left
        }
    }
}

}  // namespace

#include "updaterreplacement.h"

#include "folders.h"
#include "updatecheck.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr QFileDevice::Permissions kUsualPermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ExeUser | QFileDevice::ReadGroup | QFileDevice::ExeGroup |
    QFileDevice::ReadOther | QFileDevice::ExeOther;
constexpr QFileDevice::Permissions kAnyExecute =
    QFileDevice::ExeOwner | QFileDevice::ExeUser | QFileDevice::ExeGroup | QFileDevice::ExeOther;

// The old updater's permissions with execution allowed; the usual ones when there is no updater yet.
QFileDevice::Permissions UpdaterPermissions(const QString& updaterPath)
{
    const QFileInfo updater(updaterPath);
    if (!updater.isFile())
        return kUsualPermissions;
    QFileDevice::Permissions permissions = updater.permissions();
    if (!(permissions & kAnyExecute))
        permissions |= QFileDevice::ExeOwner | QFileDevice::ExeUser;
    return permissions;
}

// Writes the new program under a temporary name in the updater's folder and renames it over the
// updater: rename replaces the name in one step, even while the old updater runs.
bool InstallUpdater(const QByteArray& program, const QString& updaterPath)
{
    QTemporaryFile temporary(updaterPath + QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return false;
    if (temporary.write(program) != program.size() || !temporary.flush() || fsync(temporary.handle()) != 0 ||
        !temporary.setPermissions(UpdaterPermissions(updaterPath)))
        return false;
    temporary.close();
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(updaterPath).constData()) != 0)
        return false;  // the temporary file is removed with the object
    temporary.setAutoRemove(false);
    return true;
}

}  // namespace

UpdaterReplacement ReplaceUpdaterFromPatch()
{
    const QString patchPath = GetSharedFolder() + kUpdaterPatchFile;
    const QFileInfo patchInfo(patchPath);
    if (!patchInfo.exists())
        return UpdaterReplacement::NoPatch;
    QFile patch(patchPath);
    if (!patchInfo.isFile() || !patch.open(QIODevice::ReadOnly))
        return UpdaterReplacement::Failed;
    const QByteArray program = patch.readAll();
    if (patch.error() != QFileDevice::NoError || !InstallUpdater(program, UpdaterPath()))
        return UpdaterReplacement::Failed;
    patch.close();
    // A patch file that cannot be deleted is only put in place again at the next start.
    QFile::remove(patchPath);
    return UpdaterReplacement::Replaced;
}

#include "cfileutil.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

bool CFileUtil::RemoveFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isDir() && !info.isSymLink())
        return true;
    if (!info.isSymLink() && IsFileInUse(path))
        return false;
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}

void CFileUtil::RemoveFolder(const QString& folder)
{
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty() || folderInfo.isSymLink() || !folderInfo.isDir())
        return;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir())
            RemoveFolder(entry.filePath());
        else
            RemoveFile(entry.filePath());
    }
    // QDir::NoSymLinks leaves the links out of the list: they are deleted here, never followed.
    for (const QFileInfo& link : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (link.isSymLink())
            ::unlink(QFile::encodeName(link.filePath()).constData());
    }
    ::rmdir(QFile::encodeName(folder).constData());
}

void CFileUtil::AppendPath(QString& path, const QString& tail)
{
    if (!path.isEmpty() && !path.endsWith(u'/'))
        path += u'/';
    path += tail.startsWith(u'/') ? tail.mid(1) : tail;
}

bool CFileUtil::IsFileInUse(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0)
        return true;
    const bool locked = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0;
    ::close(descriptor);  // also releases our own lock
    return locked;
}

bool CFileUtil::IsReadOnly(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && !(status.st_mode & S_IWUSR);
}

bool CFileUtil::SetNormalAttributes(const QString& path)
{
    struct stat status {};
    const QByteArray file = QFile::encodeName(path);
    return ::stat(file.constData(), &status) == 0
        && ::chmod(file.constData(), (status.st_mode & 07777) | S_IRUSR | S_IWUSR) == 0;
}

QString CFileUtil::MakeWorkFolder()
{
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/SVXXXXXX"));
    // mkdtemp makes the folder with mode 0700 under a name nobody held before.
    if (!::mkdtemp(pattern.data()))
        return {};
    return QFile::decodeName(pattern);
}

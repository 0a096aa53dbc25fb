#include "patchdownload.h"

#include "ftpsession.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kProgressAtStart = 10;
constexpr int kProgressSpan = 80;  // the download fills 10 to 90; the rest is the closing of programs
constexpr std::int64_t kBytesPerKilobyte = 1024;
// The finished file is flushed to the disk before it takes the patch's name. Its bytes are handed to the
// disk while the rest still arrives, in runs of this size, so that the flush at the end has little left
// to wait for (measured: the flush of a 64 MB patch took 140-300 ms when it did all of it).
constexpr std::int64_t kWriteBackRun = 8 * 1024 * 1024;

// Starts writing the bytes [from, to) of the open file to the disk, without waiting for it.
void StartWriteBack(QSaveFile& file, std::int64_t from, std::int64_t to)
{
    const int handle = file.handle();
    if (handle >= 0 && file.flush())
        ::sync_file_range(handle, from, to - from, SYNC_FILE_RANGE_WRITE);
}

}  // namespace

int DownloadProgressPercent(std::int64_t bytes, std::int64_t size)
{
    if (size <= 0 || bytes <= 0)
        return kProgressAtStart;
    return kProgressAtStart + static_cast<int>(std::min<std::int64_t>(bytes, size) * kProgressSpan / size);
}

std::int64_t WholeKilobytes(std::int64_t bytes) { return bytes / kBytesPerKilobyte; }

QString KilobyteCounter(std::int64_t bytes, std::int64_t size)
{
    return QStringLiteral(" %1 / %2 KB...").arg(WholeKilobytes(bytes)).arg(WholeKilobytes(size));
}

bool DownloadPatch(FtpSession& session, const QString& remotePath, const QString& targetPath, std::int64_t expectedSize,
                   const std::function<void(std::int64_t bytes)>& onProgress)
{
    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    std::int64_t received = 0;
    std::int64_t handedToDisk = 0;
    const auto result = session.Download(remotePath, [&](QByteArrayView block) {
        received += block.size();
        // More than the listing said is as wrong as less: nothing past it is written.
        if (received > expectedSize || file.write(block.data(), block.size()) != block.size())
            return false;
        if (received - handedToDisk >= kWriteBackRun) {
            StartWriteBack(file, handedToDisk, received);
            handedToDisk = received;
        }
        onProgress(received);
        return true;
    });
    if (result != FtpSession::Result::Ok || received != expectedSize) {
        file.cancelWriting();
        return false;
    }
    return file.commit()
        && QFile::setPermissions(targetPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool IsFolderWritableOnlyByUser(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.ownerId() == ::getuid()
        && !(info.permissions() & (QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

#include "patchdownload.h"

#include "ftpsession.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <unistd.h>

namespace {

constexpr int kProgressAtStart = 10;
constexpr int kProgressSpan = 80;  // the download fills 10 to 90; the rest is the closing of programs
constexpr std::int64_t kBytesPerKilobyte = 1024;

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
    const auto result = session.Download(remotePath, [&](QByteArrayView block) {
        received += block.size();
        // More than the listing said is as wrong as less: nothing past it is written.
        if (received > expectedSize || file.write(block.data(), block.size()) != block.size())
            return false;
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

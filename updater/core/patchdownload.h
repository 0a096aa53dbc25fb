#pragma once

#include <QString>

#include <cstdint>
#include <functional>

class FtpSession;

inline const QString kLocalPatchName = QStringLiteral("LastUpdate.exe");

// The progress bar during a download: 10 at the start, 90 when the listed size has arrived, never more;
// a listed size of 0 leaves it at 10.
int DownloadProgressPercent(std::int64_t bytes, std::int64_t size);
// The "x / y KB..." counters: whole kilobytes.
std::int64_t WholeKilobytes(std::int64_t bytes);
// " x / y KB...", which follows the download's status text.
QString KilobyteCounter(std::int64_t bytes, std::int64_t size);

// Downloads a patch into a temporary file beside `targetPath`, which becomes the target only when it
// holds exactly `expectedSize` bytes; the target is then executable for its owner only. `onProgress`
// hears the bytes received after each block. False, and the target untouched, on any failure.
bool DownloadPatch(FtpSession& session, const QString& remotePath, const QString& targetPath, std::int64_t expectedSize,
                   const std::function<void(std::int64_t bytes)>& onProgress);

// Whether only this user can put files into the folder: a patch is run from there.
bool IsFolderWritableOnlyByUser(const QString& folder);

#include "fileinflater.h"

#include <QFile>
#include <QSaveFile>

#include <zlib.h>

#include <array>

namespace {
// Up to this input length the per cent is computed exactly; beyond, on hundredths of the length.
constexpr std::uint64_t kExactPercentLimit = 10000000;
}  // namespace

int CFileInflater::Percent(std::uint64_t consumed, std::uint64_t length) const
{
    if (length == 0)
        return 100;
    if (length <= kExactPercentLimit)
        return static_cast<int>(consumed * 100 / length);
    return static_cast<int>(consumed / (length / 100));
}

int CFileInflater::Inflate(const QString& inputPath, const QString& outputPath)
{
    m_abort = false;
    QFile input(inputPath);
    QSaveFile output(outputPath);
    if (!input.open(QIODevice::ReadOnly))
        return Z_ERRNO;
    if (!output.open(QIODevice::WriteOnly))
        return kWriteFailed;
    const std::uint64_t length = static_cast<std::uint64_t>(input.size());

    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return Z_STREAM_ERROR;
    std::array<unsigned char, kBufferSize> in{};
    std::array<unsigned char, kBufferSize> out{};
    std::uint64_t consumed = 0;
    int result = Z_OK;
    bool writeFailed = false;
    const auto drain = [&] {
        const qint64 produced = kBufferSize - stream.avail_out;
        if (produced > 0 && output.write(reinterpret_cast<const char*>(out.data()), produced) != produced)
            writeFailed = true;
        stream.next_out = out.data();
        stream.avail_out = kBufferSize;
    };
    stream.next_out = out.data();
    stream.avail_out = kBufferSize;
    while (result == Z_OK && !writeFailed && !m_abort) {
        if (stream.avail_in == 0) {
            const qint64 read = input.read(reinterpret_cast<char*>(in.data()), kBufferSize);
            if (read <= 0)
                break;
            stream.next_in = in.data();
            stream.avail_in = static_cast<uInt>(read);
            consumed += static_cast<std::uint64_t>(read);
        }
        result = inflate(&stream, Z_NO_FLUSH);
        drain();
        Progress(Percent(consumed - stream.avail_in, length));
    }
    // The input has run out: what is left comes out with the finish, which tells whether the stream ended.
    while (result == Z_OK && !writeFailed && !m_abort) {
        result = inflate(&stream, Z_FINISH);
        drain();
        if (result == Z_BUF_ERROR && stream.avail_out == kBufferSize)
            break;  // no progress possible: the stream stopped before its end
    }
    Progress(Percent(consumed - stream.avail_in, length));
    inflateEnd(&stream);

    if (m_abort) {
        Status(QStringLiteral("User Abort"));
        output.cancelWriting();
        return kAborted;
    }
    if (writeFailed) {
        Status(QStringLiteral("Zlib Error"));
        output.cancelWriting();
        return kWriteFailed;
    }
    if (result != Z_STREAM_END) {
        Status(QStringLiteral("Zlib Error"));
        output.cancelWriting();
        return result == Z_OK ? Z_BUF_ERROR : result;
    }
    Status(QStringLiteral("Success"));
    return output.commit() ? Z_OK : kWriteFailed;
}

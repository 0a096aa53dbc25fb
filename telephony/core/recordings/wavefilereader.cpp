#include "wavefilereader.h"

#include "binaryrecord.h"

namespace {
constexpr qsizetype kRiffHeader = 12;  // "RIFF", size, "WAVE"
constexpr qsizetype kChunkHeader = 8;  // name, size
constexpr qsizetype kFormatFields = 16;
}  // namespace

int CWaveFileReader::Open(const QString& path)
{
    Close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray riff = m_file.read(kRiffHeader);
    if (riff.size() != kRiffHeader || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE") {
        Close();
        return 0;
    }
    bool format = false;
    while (true) {
        const QByteArray chunk = m_file.read(kChunkHeader);
        if (chunk.size() != kChunkHeader)
            break;
        const qint64 size = GetU32(chunk, 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fields = m_file.read(size);
            if (size < kFormatFields || fields.size() != size)
                break;
            m_formatTag = GetU16(fields, 0);
            m_channels = GetU16(fields, 2);
            m_sampleRate = GetU32(fields, 4);
            m_byteRate = GetU32(fields, 8);
            m_blockAlign = GetU16(fields, 12);
            m_bitsPerSample = GetU16(fields, 14);
            format = true;
            if (size % 2 != 0)
                m_file.skip(1);  // chunks are padded to even lengths
        } else if (chunk.startsWith("data")) {
            if (!format)
                break;
            // The samples the file really holds, whatever the chunk claims.
            m_dataSize = qMin(size, m_file.size() - m_file.pos());
            m_left = m_dataSize;
            return 1;
        } else if (!m_file.skip(size + size % 2)) {
            break;
        }
    }
    Close();
    return 0;
}

qint64 CWaveFileReader::Read(char* buffer, qint64 length)
{
    if (!m_file.isOpen() || m_left <= 0 || length <= 0)
        return 0;
    const qint64 read = m_file.read(buffer, qMin(length, m_left));
    if (read <= 0)
        return 0;
    m_left -= read;
    return read;
}

void CWaveFileReader::Close()
{
    m_file.close();
    m_dataSize = 0;
    m_left = 0;
    m_formatTag = m_channels = m_blockAlign = m_bitsPerSample = 0;
    m_sampleRate = m_byteRate = 0;
}

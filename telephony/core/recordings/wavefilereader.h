#pragma once

#include <QFile>
#include <QString>

#include <cstdint>

// Reads a recording (a RIFF WAVE file) for playback: the format of its "fmt " chunk and the samples of
// its "data" chunk, found by their names (the recorder writes 44- and 46-byte headers).
class CWaveFileReader {
public:
    // 1 when the file is a WAVE file with both chunks, 0 otherwise (no file, short or foreign).
    int Open(const QString& path);
    // Up to `length` bytes of samples; 0 at their end.
    qint64 Read(char* buffer, qint64 length);
    void Close();

    qint64 DataSize() const { return m_dataSize; }
    std::uint16_t FormatTag() const { return m_formatTag; }
    std::uint16_t Channels() const { return m_channels; }
    std::uint32_t SampleRate() const { return m_sampleRate; }
    std::uint32_t ByteRate() const { return m_byteRate; }
    std::uint16_t BlockAlign() const { return m_blockAlign; }
    std::uint16_t BitsPerSample() const { return m_bitsPerSample; }

private:
    QFile m_file;
    qint64 m_dataSize = 0;
    qint64 m_left = 0;
    std::uint16_t m_formatTag = 0;
    std::uint16_t m_channels = 0;
    std::uint32_t m_sampleRate = 0;
    std::uint32_t m_byteRate = 0;
    std::uint16_t m_blockAlign = 0;
    std::uint16_t m_bitsPerSample = 0;
};

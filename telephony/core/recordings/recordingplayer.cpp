#include "recordingplayer.h"

#include "sound.h"
#include "wavefilereader.h"

#include <QFile>

#include <array>

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kALaw = 6;
constexpr std::uint16_t kMuLaw = 7;

// G.711 companded bytes to 16-bit linear samples (the recorder writes telephone audio).
qint16 MuLawToLinear(std::uint8_t byte)
{
    const int value = ~byte & 0xFF;
    const int exponent = (value >> 4) & 0x07;
    const int sample = (((value & 0x0F) << 3) + 0x84) << exponent;
    return static_cast<qint16>((value & 0x80) ? 0x84 - sample : sample - 0x84);
}

qint16 ALawToLinear(std::uint8_t byte)
{
    const int value = byte ^ 0x55;
    const int exponent = (value >> 4) & 0x07;
    int sample = (value & 0x0F) << 4;
    sample = exponent == 0 ? sample + 8 : (sample + 0x108) << (exponent - 1);
    return static_cast<qint16>((value & 0x80) ? sample : -sample);
}

// The samples as the output takes them: linear ones as they are, companded ones expanded to 16 bits.
QByteArray LinearSamples(std::uint16_t formatTag, const QByteArray& data, int& bitsPerSample)
{
    if (formatTag != kMuLaw && formatTag != kALaw)
        return data;
    QByteArray linear(data.size() * 2, '\0');
    for (qsizetype i = 0; i < data.size(); ++i) {
        const auto byte = static_cast<std::uint8_t>(data.at(i));
        const qint16 sample = formatTag == kMuLaw ? MuLawToLinear(byte) : ALawToLinear(byte);
        linear[2 * i] = static_cast<char>(sample & 0xFF);
        linear[2 * i + 1] = static_cast<char>((sample >> 8) & 0xFF);
    }
    bitsPerSample = 16;
    return linear;
}

}  // namespace

std::optional<std::uint32_t> PlayingSeconds(qint64 dataSize, int channels, std::uint32_t sampleRate, int bitsPerSample)
{
    if (channels <= 0 || sampleRate == 0 || bitsPerSample <= 0 || dataSize < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(dataSize * 8 / bitsPerSample / sampleRate / channels);
}

CRecordingPlayer::CRecordingPlayer(MessageTarget& target, Event& stop, StreamOpener opener)
    : m_target(target), m_stop(stop), m_opener(opener ? std::move(opener) : StreamOpener(&Sound::PlayStream))
{
}

CRecordingPlayer::~CRecordingPlayer()
{
    if (m_playing)
        m_stop.Set();
    Join();
}

void CRecordingPlayer::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool CRecordingPlayer::Start(const QString& path)
{
    Join();
    auto reader = std::make_unique<CWaveFileReader>();
    if (reader->Open(path) != 1)
        return false;
    const auto seconds =
        PlayingSeconds(reader->DataSize(), reader->Channels(), reader->SampleRate(), reader->BitsPerSample());
    if (!seconds)
        return false;
    m_playing = true;
    m_thread = std::thread(&CRecordingPlayer::Play, this, std::move(reader), path, *seconds);
    return true;
}

void CRecordingPlayer::Play(std::unique_ptr<CWaveFileReader> reader, QString path, std::uint32_t seconds)
{
    QByteArray data(reader->DataSize(), '\0');
    data.resize(reader->Read(data.data(), data.size()));
    const std::uint16_t formatTag = reader->FormatTag();
    WaveFormat format{reader->Channels(), static_cast<int>(reader->SampleRate()), reader->BitsPerSample()};
    reader->Close();
    reader.reset();
    const QByteArray samples = formatTag == kPcm ? data : LinearSamples(formatTag, data, format.bitsPerSample);

    Event done(Event::Reset::Automatic);
    m_target.Post(kStarted, seconds, static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(&m_stop)));
    std::unique_ptr<SoundStream> stream = m_opener(format, samples, done);
    m_stop.ResetSignal();
    if (stream) {
        std::uint64_t elapsed = 0;
        const std::array<Event*, 2> events{&done, &m_stop};
        for (;;) {
            const int signalled = Event::WaitAny(events, kTickInterval);
            if (signalled == Event::kTimedOut) {
                m_target.Post(kTick, ++elapsed, 0);
                continue;
            }
            if (signalled == 1) {
                stream->Stop();
                // Set again: the stop event is the dialog's, and says "stopped" until the next play.
                m_stop.Set();
            }
            break;
        }
        stream.reset();
    }
    QFile::remove(path);
    m_playing = false;
    m_target.Post(kEnded, 0, 0);
}

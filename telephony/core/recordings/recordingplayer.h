#pragma once

#include "event.h"
#include "messagetarget.h"
#include "soundstream.h"

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class CWaveFileReader;

// The playing time of a recording in whole seconds: data bytes x 8 / bits / rate / channels; none when
// the channels, the rate or the bits are 0.
std::optional<std::uint32_t> PlayingSeconds(qint64 dataSize, int channels, std::uint32_t sampleRate, int bitsPerSample);

// Plays a downloaded recording on a thread of its own and tells the window how it goes, by posted
// messages: kStarted (wParam the playing time in seconds, lParam the address of the stop event), kTick
// each second (wParam the seconds played), kEnded at the end. Setting the stop event stops the playing.
// The file is removed before kEnded is posted. The thread is joined before the next play and by the
// destructor (which stops it first).
class CRecordingPlayer {
public:
    static constexpr std::uint32_t kStarted = WM_USER + 300;
    static constexpr std::uint32_t kTick = WM_USER + 301;
    static constexpr std::uint32_t kEnded = WM_USER + 302;
    static constexpr std::chrono::milliseconds kTickInterval{1000};

    using StreamOpener = std::function<std::unique_ptr<SoundStream>(const WaveFormat&, QByteArray, Event&)>;

    // The stream opener is the audio output's (Sound::PlayStream) unless one is given.
    CRecordingPlayer(MessageTarget& target, Event& stop, StreamOpener opener = {});
    ~CRecordingPlayer();
    CRecordingPlayer(const CRecordingPlayer&) = delete;
    CRecordingPlayer& operator=(const CRecordingPlayer&) = delete;

    // Opens the file and starts playing it; false, with nothing started and the file left, when it is no
    // wave file or its format has 0 channels, rate or bits.
    bool Start(const QString& path);
    bool IsPlaying() const { return m_playing; }
    // Waits for the thread of the last play.
    void Join();

private:
    void Play(std::unique_ptr<CWaveFileReader> reader, QString path, std::uint32_t seconds);

    MessageTarget& m_target;
    Event& m_stop;
    StreamOpener m_opener;
    std::atomic<bool> m_playing{false};
    std::thread m_thread;
};

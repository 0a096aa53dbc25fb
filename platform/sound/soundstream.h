#pragma once

#include <QByteArray>

#include <cstdint>
#include <memory>

class Event;

// The format of linear samples that a stream plays: 8-bit unsigned or 16-bit signed.
struct WaveFormat {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;

    std::int64_t ByteRate() const { return std::int64_t{channels} * sampleRate * (bitsPerSample / 8); }
    bool IsPlayable() const { return channels > 0 && sampleRate > 0 && (bitsPerSample == 8 || bitsPerSample == 16); }
};

// Samples played once, from start to end, on a thread of the stream's own; `finished` is set when all of
// them have been played. Without an audio output the silent back end takes them at their byte rate, so
// the end comes when a device would have reached it. Stopping (and destroying) ends the playing at once
// without setting `finished`; both wait for the stream's thread.
class SoundStream {
public:
    virtual ~SoundStream() = default;
    virtual void Stop() = 0;
};

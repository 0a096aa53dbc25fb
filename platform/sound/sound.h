#pragma once

#include <QString>

#include <QByteArray>

#include <functional>
#include <memory>

class Event;
class SoundStream;
struct WaveFormat;

// Plays a short WAV file without waiting for it, as the suite's ring and alarm sounds are played: a sound
// still playing is cut off by the next. On a machine without an audio output the sound is silent.
class Sound {
public:
    // What plays a file; true when it started playing.
    using Player = std::function<bool(const QString& path)>;

    // Starts playing the file and returns at once; false when it cannot play (no audio output, a file
    // that is missing or not a WAV).
    static bool PlayAsync(const QString& path);
    // Starts playing the file over and over until Stop or the next sound; false as for PlayAsync.
    static bool PlayLoop(const QString& path);
    // Stops the sound playing, if any.
    static void Stop();

    // The audio output's player; the default when none was set. Programs that are tested without
    // speakers hand their parts a player of their own.
    static Player DefaultPlayer();

    // Whether this machine has an audio output at all.
    static bool HasAudioOutput();

    // Plays the samples (a recording, longer than a short sound) through the audio output, or the silent
    // back end when there is none; `finished` is set at their end. None for a format it cannot play.
    static std::unique_ptr<SoundStream> PlayStream(const WaveFormat& format, QByteArray samples, Event& finished);
};

#include "soundstream.h"

#include "event.h"
#include "sound.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>

#include <chrono>
#include <mutex>
#include <thread>

namespace {

// Takes the samples at the byte rate with no device: a wait for their playing time that Stop cuts.
class SilentStream : public SoundStream {
public:
    SilentStream(std::chrono::milliseconds duration, Event& finished)
        : m_thread([this, duration, &finished] {
              if (!m_stop.Wait(duration))
                  finished.Set();
          })
    {
    }
    ~SilentStream() override { Stop(); }

    void Stop() override
    {
        m_stop.Set();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    Event m_stop{Event::Reset::Manual};
    std::thread m_thread;
};

// The audio output: a sink that pulls the samples from a buffer, driven by an event loop on the stream's
// thread (the sink's notifications arrive in the thread that made it).
class DeviceStream : public SoundStream {
public:
    DeviceStream(const QAudioFormat& format, QByteArray samples, Event& finished)
        : m_thread([this, format, samples = std::move(samples), &finished]() mutable { Run(format, samples, finished); })
    {
    }
    ~DeviceStream() override { Stop(); }

    void Stop() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopped = true;
            if (m_loop)
                QMetaObject::invokeMethod(m_loop, &QEventLoop::quit, Qt::QueuedConnection);
        }
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    void Run(const QAudioFormat& format, QByteArray& samples, Event& finished)
    {
        QBuffer buffer(&samples);
        buffer.open(QIODevice::ReadOnly);
        QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
        sink.setVolume(1.0);  // both channels at full volume
        QEventLoop loop;
        bool played = false;
        QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
            if (state == QAudio::IdleState && buffer.atEnd())
                played = true;
            if (state == QAudio::IdleState || state == QAudio::StoppedState)
                loop.quit();
        });
        {
            std::lock_guard lock(m_mutex);
            if (m_stopped)
                return;
            m_loop = &loop;
        }
        sink.start(&buffer);
        if (sink.error() == QAudio::NoError)
            loop.exec();
        {
            std::lock_guard lock(m_mutex);
            m_loop = nullptr;
        }
        sink.stop();
        if (played)
            finished.Set();
    }

    std::mutex m_mutex;
    QEventLoop* m_loop = nullptr;
    bool m_stopped = false;
    std::thread m_thread;
};

}  // namespace

std::unique_ptr<SoundStream> Sound::PlayStream(const WaveFormat& format, QByteArray samples, Event& finished)
{
    if (!format.IsPlayable())
        return nullptr;
    if (!HasAudioOutput()) {
        const auto duration = std::chrono::milliseconds(static_cast<std::int64_t>(samples.size()) * 1000 / format.ByteRate());
        return std::make_unique<SilentStream>(duration, finished);
    }
    QAudioFormat audio;
    audio.setChannelCount(format.channels);
    audio.setSampleRate(format.sampleRate);
    audio.setSampleFormat(format.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return std::make_unique<DeviceStream>(audio, std::move(samples), finished);
}

#include "sound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QUrl>

namespace {

// One effect for the whole program, as one sound at a time is played; it lives as long as the
// application object.
QSoundEffect* SharedEffect()
{
    static QPointer<QSoundEffect> effect;
    if (!effect && QCoreApplication::instance())
        effect = new QSoundEffect(QCoreApplication::instance());
    return effect;
}

// The header that every file the player accepts begins with.
bool IsWaveFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8, 4) == "WAVE";
}

// Plays the file the number of times given (QSoundEffect::Infinite: until stopped).
bool Play(const QString& path, int loops)
{
    if (!IsWaveFile(path) || !Sound::HasAudioOutput())
        return false;
    QSoundEffect* effect = SharedEffect();
    if (!effect)
        return false;
    effect->stop();
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    effect->setLoopCount(loops);
    effect->play();
    return true;
}

}  // namespace

bool Sound::HasAudioOutput() { return !QMediaDevices::defaultAudioOutput().isNull(); }

bool Sound::PlayAsync(const QString& path) { return Play(path, 1); }

bool Sound::PlayLoop(const QString& path) { return Play(path, QSoundEffect::Infinite); }

void Sound::Stop()
{
    if (!QCoreApplication::instance())
        return;
    if (QSoundEffect* effect = SharedEffect())
        effect->stop();
}

Sound::Player Sound::DefaultPlayer() { return &Sound::PlayAsync; }

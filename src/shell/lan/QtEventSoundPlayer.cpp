// Event sounds through Qt Multimedia. Without an audio output, or when the file is missing or
// cannot be decoded, nothing is played and nothing is reported.
#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include "shell/lan/EventSoundPlayer.h"

namespace nimbus {

namespace {

// The longest a sound may keep the caller waiting, whatever the output does.
constexpr int kLongestWaitMs = 10000;
constexpr int kPauseAfterMs = 1000;

class QtEventSoundPlayer : public EventSoundPlayer {
public:
    void playEventSound(const std::string &file) override
    {
        const QString path = QString::fromLocal8Bit(file.c_str());
        if (!QFileInfo(path).isFile() || QMediaDevices::audioOutputs().isEmpty())
            return;
        QSoundEffect effect;
        QEventLoop loop;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
            if (effect.status() == QSoundEffect::Error)
                loop.quit();
        });
        QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
            if (!effect.isPlaying())
                loop.quit();
        });
        effect.setSource(QUrl::fromLocalFile(path));
        effect.play();
        limit.start(kLongestWaitMs);
        loop.exec();
        if (effect.status() == QSoundEffect::Error)
            return;
        QTimer::singleShot(kPauseAfterMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

} // namespace

std::unique_ptr<EventSoundPlayer> makeQtEventSoundPlayer()
{
    return std::make_unique<QtEventSoundPlayer>();
}

} // namespace nimbus

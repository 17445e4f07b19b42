// The audio device on Qt Multimedia, built as the module the game loads after
// its first frame.
#include "platform/qt/audio_device.h"

#include <QHash>
#include <QSoundEffect>
#include <QUrl>
#include <type_traits>

namespace zm {
namespace {

class QtAudioDevice : public AudioDevice {
public:
    ~QtAudioDevice() override { qDeleteAll(effects_); }

    void playAmbience(const QString& path) override {
        if (!ambience_)
            ambience_ = std::make_unique<QSoundEffect>();
        ambience_->setSource(QUrl::fromLocalFile(path));
        ambience_->play();
    }

    void stopAmbience() override {
        if (ambience_)
            ambience_->stop();
    }

    void playEffect(const QString& path) override {
        stopEffect();
        playing_ = effectFor(path);
        playing_->play();
    }

    void stopEffect() override {
        if (playing_)
            playing_->stop();
        playing_ = nullptr;
    }

private:
    // Effects are short: each is decoded once and kept for the next time.
    QSoundEffect* effectFor(const QString& path) {
        auto it = effects_.find(path);
        if (it != effects_.end())
            return *it;
        auto* effect = new QSoundEffect;
        effect->setSource(QUrl::fromLocalFile(path));
        effects_.insert(path, effect);
        return effect;
    }

    std::unique_ptr<QSoundEffect> ambience_;
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* playing_ = nullptr;
};

} // namespace
} // namespace zm

extern "C" Q_DECL_EXPORT zm::AudioDevice* zm_create_audio_device() {
    return new zm::QtAudioDevice;
}

static_assert(std::is_same_v<decltype(&zm_create_audio_device), zm::CreateAudioDevice>);

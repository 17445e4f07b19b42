#pragma once
// The audio device of the real game. Qt Multimedia, and the codecs and sound
// server libraries it stands on, live in a module of their own: the game loads
// it once its first frame is on screen, so that a start never waits for them.

#include <QString>
#include <memory>

namespace zm {

// What the sound of the game asks of the device. Every call is safe in any
// order; a file that can't be read plays nothing.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Plays the file as the ambience, in place of the one before.
    virtual void playAmbience(const QString& path) = 0;
    virtual void stopAmbience() = 0;
    // Plays the file as the effect, in place of the one before.
    virtual void playEffect(const QString& path) = 0;
    virtual void stopEffect() = 0;
};

// The module's file name, and the one function it exports: it returns a new
// device, which the caller owns.
inline constexpr char kAudioModuleName[] = "zibelou-malice-audio.so";
inline constexpr char kAudioModuleEntry[] = "zm_create_audio_device";
using CreateAudioDevice = AudioDevice* (*)();

// Where the module is looked for, in order: beside the executable (the build
// folder), then where the installed game keeps its modules.
QStringList audioModulePlaces(const QString& executableDir);

// Loads the module from the first of those places that holds it and creates
// the device. Null, with a warning saying why, when there is no module or it
// can't be loaded: the game then plays in silence.
std::unique_ptr<AudioDevice> loadAudioDevice(const QString& executableDir);

} // namespace zm

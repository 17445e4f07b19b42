// The sound of the real game, its audio device loaded after the first frame.
#include "platform/qt/audio_device.h"
#include "platform/qt/qt_platform.h"
#include "platform/wav_length.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zm;

namespace {

class StillClock : public Clock {
public:
    qint64 now = 1000;
    qint64 ticks() const override { return now; }
    void waitLettingEventsRun(int ms) override { now += ms; }
    void waitHoldingEvents(int ms) override { now += ms; }
    void discardHeldInput() override {}
};

// What reached the device, one line a call.
class RecordingDevice : public AudioDevice {
public:
    explicit RecordingDevice(QStringList& calls) : calls_(calls) {}
    void playAmbience(const QString& path) override {
        calls_ << QStringLiteral("ambience ") + name(path);
    }
    void stopAmbience() override { calls_ << QStringLiteral("stop ambience"); }
    void playEffect(const QString& path) override {
        calls_ << QStringLiteral("effect ") + name(path);
    }
    void stopEffect() override { calls_ << QStringLiteral("stop effect"); }

private:
    static QString name(const QString& path) { return QFileInfo(path).fileName(); }
    QStringList& calls_;
};

const QString kAmbience = QStringLiteral(ZM_DATAS_DIR "/1.amb");
const QString kEffect = QStringLiteral(ZM_DATAS_DIR "/1.vic");

} // namespace

// Sounds asked for before the device opens wait for it; at the opening, what
// would still be heard plays, and nothing else.
TEST(QtSound, WhatIsAskedBeforeTheDeviceOpensPlaysThenIfStillDue) {
    const qint64 length = wavFileLengthMs(kAmbience).value_or(0);
    ASSERT_GT(length, 100);
    struct Case {
        const char* what;
        std::function<void(QtSound&, StillClock&)> before;
        QStringList atOpening;
    };
    const std::vector<Case> cases = {
        {"an ambience, opened at once",
         [](QtSound& s, StillClock&) { s.playAmbience(kAmbience); },
         {QStringLiteral("ambience 1.amb")}},
        {"an ambience whose length has passed",
         [length](QtSound& s, StillClock& c) {
             s.playAmbience(kAmbience);
             c.now += length;
         },
         {}},
        {"an effect",
         [](QtSound& s, StillClock&) { s.playEffect(kEffect); },
         {QStringLiteral("effect 1.vic")}},
        {"an effect, then an ambience over it",
         [](QtSound& s, StillClock&) {
             s.playEffect(kEffect);
             s.playAmbience(kAmbience);
         },
         {QStringLiteral("ambience 1.amb"), QStringLiteral("effect 1.vic")}},
        {"an ambience cut by an effect",
         [](QtSound& s, StillClock&) {
             s.playAmbience(kAmbience);
             s.playEffect(kEffect);
         },
         {QStringLiteral("effect 1.vic")}},
        {"sounds stopped",
         [](QtSound& s, StillClock&) {
             s.playEffect(kEffect);
             s.playAmbience(kAmbience);
             s.stop();
         },
         {}},
        {"an ambience skipped to its end",
         [](QtSound& s, StillClock&) {
             s.playAmbience(kAmbience);
             s.next();
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StillClock clock;
        QStringList calls;
        int opened = 0;
        QtSound sound(clock, [&] {
            ++opened;
            return std::make_unique<RecordingDevice>(calls);
        });
        c.before(sound, clock);
        EXPECT_EQ(opened, 0);
        sound.open();
        sound.open();
        EXPECT_EQ(opened, 1);
        EXPECT_EQ(calls, c.atOpening);
    }
}

// Once open, each sound reaches the device as it is asked for; the ambience's
// end is reckoned from its length whether or not there is a device.
TEST(QtSound, OpenItPlaysAtOnceAndWithoutADeviceTheGameStillReckonsTheAmbience) {
    const qint64 length = wavFileLengthMs(kAmbience).value_or(0);
    for (const bool withDevice : {true, false}) {
        SCOPED_TRACE(withDevice ? "with a device" : "without one");
        StillClock clock;
        QStringList calls;
        QtSound sound(clock, [&]() -> std::unique_ptr<AudioDevice> {
            if (!withDevice)
                return nullptr;
            return std::make_unique<RecordingDevice>(calls);
        });
        sound.open();
        sound.playAmbience(kAmbience);
        EXPECT_TRUE(sound.ambiencePlaying());
        clock.now += length - 1;
        EXPECT_TRUE(sound.ambiencePlaying());
        clock.now += 1;
        EXPECT_FALSE(sound.ambiencePlaying());
        sound.playEffect(kEffect);
        if (withDevice)
            EXPECT_EQ(calls, QStringList(
                                 {QStringLiteral("stop ambience"), QStringLiteral("ambience 1.amb"),
                                  QStringLiteral("stop ambience"), QStringLiteral("stop effect"),
                                  QStringLiteral("effect 1.vic")}));
        else
            EXPECT_TRUE(calls.isEmpty());
    }
}

// The module is found beside the executable (the build folder), or where the
// installed game keeps it; without it the game goes on, silent.
TEST(AudioModule, IsLoadedFromBesideTheExecutableOrTheInstalledPlace) {
    const QString built = QStringLiteral(ZM_BUILD_DIR "/") + QString::fromLatin1(kAudioModuleName);
    ASSERT_TRUE(QFile::exists(built));
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("lib/zibelou-malice")));
    const QString bin = prefix.path() + QStringLiteral("/bin");

    EXPECT_EQ(loadAudioDevice(bin), nullptr);

    ASSERT_TRUE(QFile::copy(built, prefix.path() + QStringLiteral("/lib/zibelou-malice/") +
                                       QString::fromLatin1(kAudioModuleName)));
    EXPECT_NE(loadAudioDevice(bin), nullptr);
    EXPECT_NE(loadAudioDevice(QStringLiteral(ZM_BUILD_DIR)), nullptr);

    // A file of that name that is no module.
    QTemporaryDir other;
    QFile broken(other.path() + QStringLiteral("/") + QString::fromLatin1(kAudioModuleName));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a module");
    broken.close();
    EXPECT_EQ(loadAudioDevice(other.path()), nullptr);
}

#pragma once
// The platform of the tests: a virtual clock, timers that fire as virtual time
// passes, scripted random draws, recorded sounds, a recorded cursor and
// display, and clicks and key presses queued for a virtual time.
//
// Queued input and timer ticks are delivered only while the program lets
// events run: inside Clock::waitLettingEventsRun, or when the test advances
// the clock. A wait that holds events lets virtual time pass without them.

#include "platform/ambience_state.h"
#include "platform/platform.h"

#include <QHash>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zm::fake {

class FakePlatform;
class FakeTimer;

class FakeClock : public Clock {
public:
    explicit FakeClock(FakePlatform& platform) : platform_(platform) {}
    qint64 ticks() const override { return now_; }
    void waitLettingEventsRun(int ms) override;
    void waitHoldingEvents(int ms) override;
    void discardHeldInput() override;

private:
    friend class FakePlatform;
    FakePlatform& platform_;
    qint64 now_ = 0;
};

class FakeRandom : public Random {
public:
    double next() override;
    void seedFromClock() override { ++seeds; }
    // Scripts the next draws of next().
    void push(double r) { script_.push_back(r); }
    // Scripts the draw that makes between(a, b) give `value`.
    void pushInt(int value, int a, int b);
    // What next() gives once the script is used up.
    double whenUnscripted = 0.999;
    int seeds = 0;
    std::size_t scriptLeft() const { return script_.size(); }

private:
    std::deque<double> script_;
};

struct PlayedSound {
    enum class Kind { Ambience, Effect } kind;
    QString name; // the file name, without its folder
    qint64 at;
};

class FakeSound : public Sound {
public:
    explicit FakeSound(const FakeClock& clock) : clock_(clock) {}
    void playAmbience(const QString& path) override;
    void stop() override;
    void next() override;
    void close() override;
    bool ambiencePlaying() const override;
    void playEffect(const QString& path) override;

    // The file names asked for, in order (ambiences and effects).
    QStringList names() const;
    QStringList effectNames() const;
    QStringList ambienceNames() const;
    void clear() { played.clear(); }
    std::vector<PlayedSound> played;
    // Length of every ambience, unless set for its file name.
    qint64 ambienceLengthMs = 10000;
    QHash<QString, qint64> lengths;
    int closes = 0;

private:
    const FakeClock& clock_;
    AmbienceState state_;
};

class FakeCursor : public Cursor {
public:
    int showCursor(bool show) override { return counter += show ? 1 : -1; }
    void setPos(QPoint scenePos) override { position = scenePos; }
    QPoint pos() const override { return position; }
    void confine(QRect sceneRect) override { confinement = sceneRect; }
    void release() override { confinement.reset(); }
    bool shown() const { return counter >= 0; }

    int counter = 0;
    QPoint position;
    std::optional<QRect> confinement;
};

struct Redraw {
    qint64 at;
    const QWidget* source;
    QString widget; // object name
    int pointSize;
    QString text;
};

class FakeDisplay : public Display {
public:
    explicit FakeDisplay(FakePlatform& platform, const FakeClock& clock)
        : platform_(platform), clock_(clock) {}
    QSize screenSize() const override { return screen; }
    void changeResolution(int width, int height) override;
    void redrawNow(QWidget* widget) override;
    double sceneScale() const override { return scale; }
    // The first frame is shown as soon as events run.
    void afterFirstFrame(std::function<void()> action) override;

    QSize screen{1920, 1080};
    bool fullScreen = false;
    std::vector<QSize> resolutions;
    std::vector<Redraw> redraws;
    // Told of each redraw as it is recorded, while the game is still where it drew.
    std::function<void(const Redraw&)> onRedraw;
    // The tests draw the scene at its own size: nothing is drawn ahead.
    double scale = 1.0;

private:
    FakePlatform& platform_;
    const FakeClock& clock_;
};

class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;
    FakeClock& clock() override { return clock_; }
    FakeRandom& random() override { return random_; }
    FakeSound& sound() override { return sound_; }
    FakeCursor& cursor() override { return cursor_; }
    FakeDisplay& display() override { return display_; }
    std::unique_ptr<Timer> createTimer() override;

    qint64 now() const { return clock_.now_; }
    // Lets virtual time pass by `ms`, delivering what falls due meanwhile.
    void advance(int ms);
    void runUntil(qint64 time);
    // Queues an action (usually input) for a virtual time.
    void at(qint64 time, std::function<void()> action);
    void after(int ms, std::function<void()> action) { at(now() + ms, std::move(action)); }
    // Input queued for a time already past: it arrived while events were held.
    std::size_t dropOverdue();
    std::size_t dropped = 0;

    // Input delivered to a widget at once, as the window system would.
    static void press(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                      std::optional<QPoint> pos = {});
    static void release(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                        std::optional<QPoint> pos = {});
    // A press and a release of the button.
    static void click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                      std::optional<QPoint> pos = {});
    static void move(QWidget* widget, std::optional<QPoint> pos = {});
    static void key(QWidget* widget, int key, const QString& text = {});

private:
    friend class FakeTimer;
    struct Queued {
        qint64 at;
        quint64 order;
        std::function<void()> action;
    };
    bool deliverNext(qint64 until);
    FakeClock clock_;
    FakeRandom random_;
    FakeSound sound_;
    FakeCursor cursor_;
    FakeDisplay display_;
    std::vector<Queued> queue_;
    std::vector<FakeTimer*> timers_;
    quint64 order_ = 0;
};

} // namespace zm::fake

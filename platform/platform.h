#pragma once
// Everything the game takes from the machine it runs on: time, timers,
// randomness, sound, the mouse cursor and the display. Game code receives a
// Platform and never reaches the clock, the random generator, the audio
// device or the cursor by itself, so that tests can drive whole screens on a
// virtual clock with scripted draws and recorded sounds.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace zm {

// Milliseconds and the two kinds of wait the screens use.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic millisecond tick count.
    virtual qint64 ticks() const = 0;
    // Waits `ms` while clicks, key presses and timer ticks keep being handled.
    virtual void waitLettingEventsRun(int ms) = 0;
    // Waits `ms` while nothing else is handled: input stays queued until the
    // next wait that lets events run, timer ticks wait too. What was drawn
    // with Display::redrawNow before the wait stays on screen.
    virtual void waitHoldingEvents(int ms) = 0;
    // Drops the clicks and key presses that arrived while events were held
    // and still wait to be handled: they answered nothing the player saw.
    virtual void discardHeldInput() = 0;
};

// A repeating timer. A tick never starts while the previous tick of the same
// timer is still running (for instance inside one of its waits).
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int ms) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    virtual void setOnTick(std::function<void()> onTick) = 0;
};

class Random {
public:
    virtual ~Random() = default;
    // A number uniform in [0, 1).
    virtual double next() = 0;
    virtual void seedFromClock() = 0;
    // a + the integer part of (b - a + 1) * r.
    int between(int a, int b);
};

// The one sound device of the game: an ambience that plays once in the
// background, and short effects. A new sound cuts whatever is playing.
// Missing or unreadable files, and machines without audio, are silent.
class Sound {
public:
    virtual ~Sound() = default;
    // Opens and plays a file as the ambience.
    virtual void playAmbience(const QString& path) = 0;
    // Stops whatever plays; a stopped ambience counts as finished.
    virtual void stop() = 0;
    // Moves the ambience to its end: it counts as finished.
    virtual void next() = 0;
    // Closes the device: no ambience any more, which counts as finished too.
    virtual void close() = 0;
    // True while an ambience is open and its position differs from its length.
    virtual bool ambiencePlaying() const = 0;
    // Stops whatever plays, then plays the file in the background.
    virtual void playEffect(const QString& path) = 0;
};

// Positions are in scene pixels (the 800 x 600 scene, whatever the display).
class Cursor {
public:
    virtual ~Cursor() = default;
    // Raises or lowers the display counter; the cursor shows while it is >= 0.
    // Returns the new counter.
    virtual int showCursor(bool show) = 0;
    virtual void setPos(QPoint scenePos) = 0;
    virtual QPoint pos() const = 0;
    // Keeps the cursor inside the rectangle (both corners included).
    virtual void confine(QRect sceneRect) = 0;
    virtual void release() = 0;
};

class Display {
public:
    virtual ~Display() = default;
    // Size in pixels of the display the game runs on.
    virtual QSize screenSize() const = 0;
    // Gives the scene the whole display at the given size (the scene size) or
    // gives the display back (any other size, such as the one found at start).
    virtual void changeResolution(int width, int height) = 0;
    // Paints the widget on screen now, even inside a wait that holds events.
    virtual void redrawNow(QWidget* widget) = 0;
    // How many times the scene is enlarged once it fills the display.
    virtual double sceneScale() const = 0;
    // Runs `action` once the window has shown its first frame (at once, from
    // the event loop, when it has already): what the first screen does not
    // need waits for it.
    virtual void afterFirstFrame(std::function<void()> action) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual Clock& clock() = 0;
    virtual Random& random() = 0;
    virtual Sound& sound() = 0;
    virtual Cursor& cursor() = 0;
    virtual Display& display() = 0;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

} // namespace zm

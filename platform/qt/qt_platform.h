#pragma once
// The platform of the real game, on Qt: a full-screen view that scales the
// 800 x 600 scene to the display, the sound module, the system cursor.

#include "platform/ambience_state.h"
#include "platform/platform.h"
#include "platform/qt/audio_device.h"

#include <QElapsedTimer>
#include <QGraphicsView>
#include <functional>
#include <memory>
#include <random>
#include <vector>

class QGraphicsProxyWidget;

namespace zm {

// The window of the game: shows the scene scaled to fill it, aspect kept,
// black bars around. Mouse positions reach the scene in scene pixels.
class SceneView : public QGraphicsView {
    Q_OBJECT
public:
    SceneView();
    // The stage is drawn in the first frame and gets the input from then on.
    void setStage(QWidget* stage);
    QWidget* stage() const { return stage_; }
    // Called when the window system asks the window to close; returns whether
    // the window may close.
    std::function<bool()> onCloseRequest;
    // Runs `action` from the event loop once the first frame is on screen.
    void afterFirstFrame(std::function<void()> action);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void fitStage();
    // Puts the stage into the scene, where it gets the input.
    void embedStage();
    bool painted_ = false;
    std::vector<std::function<void()>> afterFirstFrame_;
    QWidget* stage_ = nullptr;
    QGraphicsProxyWidget* proxy_ = nullptr;
};

class QtClock : public Clock {
public:
    QtClock();
    qint64 ticks() const override;
    void waitLettingEventsRun(int ms) override;
    void waitHoldingEvents(int ms) override;
    void discardHeldInput() override;

private:
    QElapsedTimer elapsed_;
};

class QtRandom : public Random {
public:
    QtRandom();
    double next() override;
    void seedFromClock() override;

private:
    std::mt19937_64 engine_;
};

class QtSound : public Sound {
public:
    // `openDevice` is called once, by open(); it may give no device, and the
    // game then plays in silence, its reckoning of the ambience unchanged.
    QtSound(const Clock& clock, std::function<std::unique_ptr<AudioDevice>()> openDevice);
    ~QtSound() override;
    void playAmbience(const QString& path) override;
    void stop() override;
    void next() override;
    void close() override;
    bool ambiencePlaying() const override;
    void playEffect(const QString& path) override;
    // Opens the audio device. Until then a sound asked for is only noted
    // (the game's own reckoning of it starts at once), and plays from here.
    void open();

private:
    void stopAmbience();
    const Clock& clock_;
    std::function<std::unique_ptr<AudioDevice>()> openDevice_;
    bool open_ = false;
    std::unique_ptr<AudioDevice> device_;
    QString waitingAmbience_;
    QString waitingEffect_;
    AmbienceState state_;
};

class QtCursor : public QObject, public Cursor {
    Q_OBJECT
public:
    explicit QtCursor(SceneView& view);
    int showCursor(bool show) override;
    void setPos(QPoint scenePos) override;
    QPoint pos() const override;
    void confine(QRect sceneRect) override;
    void release() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SceneView& view_;
    int counter_ = 0;
    bool hidden_ = false;
    std::optional<QRect> confinement_;
};

class QtDisplay : public Display {
public:
    explicit QtDisplay(SceneView& view);
    QSize screenSize() const override;
    void changeResolution(int width, int height) override;
    void redrawNow(QWidget* widget) override;
    double sceneScale() const override;
    void afterFirstFrame(std::function<void()> action) override;

private:
    SceneView& view_;
};

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;
    Clock& clock() override { return clock_; }
    Random& random() override { return random_; }
    Sound& sound() override { return *sound_; }
    Cursor& cursor() override { return *cursor_; }
    Display& display() override { return *display_; }
    std::unique_ptr<Timer> createTimer() override;
    SceneView& view() { return view_; }

private:
    SceneView view_;
    QtClock clock_;
    QtRandom random_;
    std::unique_ptr<QtSound> sound_;
    std::unique_ptr<QtCursor> cursor_;
    std::unique_ptr<QtDisplay> display_;
};

} // namespace zm

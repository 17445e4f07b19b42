#include "platform/fake/fake_platform.h"

#include "platform/controls.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace zm::fake {

// --- time -------------------------------------------------------------------

void FakeClock::waitLettingEventsRun(int ms) {
    platform_.runUntil(now_ + std::max(ms, 0));
}

void FakeClock::waitHoldingEvents(int ms) {
    now_ += std::max(ms, 0);
}

void FakeClock::discardHeldInput() {
    platform_.dropOverdue();
}

class FakeTimer : public Timer {
public:
    explicit FakeTimer(FakePlatform& platform) : platform_(platform) {
        platform_.timers_.push_back(this);
    }
    ~FakeTimer() override { std::erase(platform_.timers_, this); }
    void setInterval(int ms) override { interval_ = std::max(ms, 1); }
    void start() override {
        active_ = true;
        due_ = platform_.now() + interval_;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    void setOnTick(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

    std::optional<qint64> due() const {
        return active_ && !inTick_ ? std::optional<qint64>(due_) : std::nullopt;
    }
    void fire() {
        due_ += interval_;
        if (due_ <= platform_.now())
            due_ = platform_.now() + interval_;
        if (!onTick_)
            return;
        inTick_ = true;
        onTick_();
        inTick_ = false;
        // A tick that outlived its interval does not fire for the time it missed.
        if (due_ <= platform_.now())
            due_ = platform_.now() + interval_;
    }

private:
    FakePlatform& platform_;
    int interval_ = 1000;
    qint64 due_ = 0;
    bool active_ = false;
    bool inTick_ = false;
    std::function<void()> onTick_;
};

FakePlatform::FakePlatform() : clock_(*this), sound_(clock_), display_(*this, clock_) {}

FakePlatform::~FakePlatform() = default;

std::unique_ptr<Timer> FakePlatform::createTimer() {
    return std::make_unique<FakeTimer>(*this);
}

std::size_t FakePlatform::dropOverdue() {
    const std::size_t n =
        std::erase_if(queue_, [this](const Queued& q) { return q.at <= clock_.now_; });
    dropped += n;
    return n;
}

void FakePlatform::at(qint64 time, std::function<void()> action) {
    queue_.push_back({time, order_++, std::move(action)});
}

bool FakePlatform::deliverNext(qint64 until) {
    auto input =
        std::min_element(queue_.begin(), queue_.end(), [](const Queued& a, const Queued& b) {
            return a.at != b.at ? a.at < b.at : a.order < b.order;
        });
    FakeTimer* timer = nullptr;
    qint64 timerDue = 0;
    for (FakeTimer* t : timers_) {
        if (auto due = t->due(); due && (!timer || *due < timerDue)) {
            timer = t;
            timerDue = *due;
        }
    }
    const bool inputDue = input != queue_.end() && input->at <= until;
    const bool timerIsDue = timer && timerDue <= until;
    if (inputDue && (!timerIsDue || input->at <= timerDue)) {
        clock_.now_ = std::max(clock_.now_, input->at);
        auto action = std::move(input->action);
        queue_.erase(input);
        action();
        return true;
    }
    if (timerIsDue) {
        clock_.now_ = std::max(clock_.now_, timerDue);
        timer->fire();
        return true;
    }
    return false;
}

void FakePlatform::runUntil(qint64 time) {
    QCoreApplication::processEvents();
    while (deliverNext(time))
        QCoreApplication::processEvents();
    clock_.now_ = std::max(clock_.now_, time);
}

void FakePlatform::advance(int ms) {
    runUntil(now() + std::max(ms, 0));
}

// --- input ------------------------------------------------------------------

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
               std::optional<QPoint> pos) {
    const QPointF local = pos.value_or(widget->rect().center());
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

void FakePlatform::press(QWidget* widget, Qt::MouseButton button, std::optional<QPoint> pos) {
    sendMouse(widget, QEvent::MouseButtonPress, button, pos);
}

void FakePlatform::release(QWidget* widget, Qt::MouseButton button, std::optional<QPoint> pos) {
    sendMouse(widget, QEvent::MouseButtonRelease, button, pos);
}

void FakePlatform::click(QWidget* widget, Qt::MouseButton button, std::optional<QPoint> pos) {
    press(widget, button, pos);
    release(widget, button, pos);
}

void FakePlatform::move(QWidget* widget, std::optional<QPoint> pos) {
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, pos);
}

void FakePlatform::key(QWidget* widget, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &up);
}

// --- randomness -------------------------------------------------------------

double FakeRandom::next() {
    if (script_.empty())
        return whenUnscripted;
    const double r = script_.front();
    script_.pop_front();
    return r;
}

void FakeRandom::pushInt(int value, int a, int b) {
    push((double(value - a) + 0.5) / double(b - a + 1));
}

// --- sound ------------------------------------------------------------------

void FakeSound::playAmbience(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    played.push_back({PlayedSound::Kind::Ambience, name, clock_.ticks()});
    state_.started(clock_.ticks(), lengths.value(name, ambienceLengthMs));
}

void FakeSound::stop() {
    state_.stopped();
}

void FakeSound::next() {
    state_.skippedToEnd();
}

void FakeSound::close() {
    ++closes;
    state_.closed();
}

bool FakeSound::ambiencePlaying() const {
    return state_.playing(clock_.ticks());
}

void FakeSound::playEffect(const QString& path) {
    stop();
    played.push_back({PlayedSound::Kind::Effect, QFileInfo(path).fileName(), clock_.ticks()});
}

QStringList FakeSound::names() const {
    QStringList out;
    for (const auto& p : played)
        out << p.name;
    return out;
}

QStringList FakeSound::effectNames() const {
    QStringList out;
    for (const auto& p : played)
        if (p.kind == PlayedSound::Kind::Effect)
            out << p.name;
    return out;
}

QStringList FakeSound::ambienceNames() const {
    QStringList out;
    for (const auto& p : played)
        if (p.kind == PlayedSound::Kind::Ambience)
            out << p.name;
    return out;
}

// --- display ----------------------------------------------------------------

void FakeDisplay::changeResolution(int width, int height) {
    resolutions.emplace_back(width, height);
    fullScreen = QSize(width, height) == QSize(800, 600);
}

void FakeDisplay::afterFirstFrame(std::function<void()> action) {
    platform_.after(0, std::move(action));
}

void FakeDisplay::redrawNow(QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    redraws.push_back({clock_.ticks(), widget, widget->objectName(), widget->font().pointSize(),
                       label ? label->text() : QString()});
    if (onRedraw)
        onRedraw(redraws.back());
}

} // namespace zm::fake

#include "platform/qt/qt_platform.h"

#include "platform/image.h"
#include "platform/wav_length.h"

#include <QApplication>
#include <QBackingStore>
#include <QBitmap>
#include <QCloseEvent>
#include <QDateTime>
#include <QEventLoop>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <thread>
#include <utility>

namespace zm {

constexpr QSize kSceneSize(800, 600);

// --- window -----------------------------------------------------------------

SceneView::SceneView() {
    setScene(new QGraphicsScene(this));
    scene()->setSceneRect(QRectF(QPointF(0, 0), QSizeF(kSceneSize)));
    setBackgroundBrush(Qt::black);
    // The view paints every pixel itself (black bars, then the scene): the
    // window does not fill them first.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    setWindowTitle(QStringLiteral("Zibelou Malice"));
    resize(kSceneSize);
}

void SceneView::setStage(QWidget* stage) {
    stage_ = stage;
    stage->resize(kSceneSize);
    fitStage();
    if (painted_)
        embedStage();
}

void SceneView::embedStage() {
    if (proxy_ || !stage_)
        return;
    // The scene's item makes the stage a hidden window of the window system,
    // with round trips to it: once the first frame is on screen.
    proxy_ = scene()->addWidget(stage_);
    // Keys reach the scene's widgets only through the item that has the focus.
    proxy_->setFocus();
}

void SceneView::drawForeground(QPainter* painter, const QRectF& rect) {
    QGraphicsView::drawForeground(painter, rect);
    // The first frame: the stage drawn as its item will draw it.
    if (!stage_ || proxy_)
        return;
    const QRect expose = rect.toAlignedRect() & stage_->rect();
    if (!expose.isEmpty())
        stage_->render(painter, expose.topLeft(), expose);
}

void SceneView::fitStage() {
    // The scene fills the display, aspect kept, centred between black bars.
    // (fitInView would leave a margin of a few pixels all round, and every
    // picture would be resampled even at the scene's own size.)
    const QSize view = viewport()->size();
    const double scale = std::min(double(view.width()) / kSceneSize.width(),
                                  double(view.height()) / kSceneSize.height());
    setTransform(QTransform::fromScale(scale, scale));
    centerOn(scene()->sceneRect().center());
}

void SceneView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    fitStage();
}

void SceneView::paintEvent(QPaintEvent* event) {
    // The window's memory, written whole by the first paint, is given at once.
    if (QBackingStore* store = painted_ ? nullptr : viewport()->backingStore();
        store && store->paintDevice() && store->paintDevice()->devType() == QInternal::Image)
        occuperMemoire(*static_cast<const QImage*>(store->paintDevice()));
    QGraphicsView::paintEvent(event);
    if (painted_)
        return;
    painted_ = true;
    // Queued: the frame reaches the window system when the paint returns.
    QMetaObject::invokeMethod(
        this,
        [this] {
            embedStage();
            const auto actions = std::move(afterFirstFrame_);
            afterFirstFrame_.clear();
            for (const auto& action : actions)
                action();
        },
        Qt::QueuedConnection);
}

void SceneView::afterFirstFrame(std::function<void()> action) {
    if (painted_)
        QMetaObject::invokeMethod(this, std::move(action), Qt::QueuedConnection);
    else
        afterFirstFrame_.push_back(std::move(action));
}

void SceneView::closeEvent(QCloseEvent* event) {
    if (onCloseRequest && !onCloseRequest())
        event->ignore();
    else
        event->accept();
}

// --- time -------------------------------------------------------------------

QtClock::QtClock() {
    elapsed_.start();
}

qint64 QtClock::ticks() const {
    return elapsed_.elapsed();
}

void QtClock::waitLettingEventsRun(int ms) {
    // A nested event loop sleeps in the window system until the next event or
    // the deadline: waiting costs no processor time.
    QEventLoop loop;
    QTimer::singleShot(std::max(ms, 0), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void QtClock::waitHoldingEvents(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(ms, 0)));
}

namespace {

// Swallows clicks, key presses and wheel turns; lets everything else through.
class InputSwallower : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::GraphicsSceneMousePress:
        case QEvent::GraphicsSceneMouseRelease:
        case QEvent::GraphicsSceneMouseDoubleClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void QtClock::discardHeldInput() {
    // What the window system has queued meanwhile is read and delivered now,
    // input excepted.
    InputSwallower swallower;
    qApp->installEventFilter(&swallower);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(&swallower);
}

namespace {

class QtTimer : public Timer {
public:
    QtTimer() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void setInterval(int ms) override { timer_.setInterval(ms); }
    void start() override { timer_.start(); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }
    void setOnTick(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

private:
    void tick() {
        if (inTick_ || !onTick_)
            return;
        inTick_ = true;
        onTick_();
        inTick_ = false;
    }
    QTimer timer_;
    std::function<void()> onTick_;
    bool inTick_ = false;
};

} // namespace

// --- randomness -------------------------------------------------------------

QtRandom::QtRandom() {
    seedFromClock();
}

double QtRandom::next() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

void QtRandom::seedFromClock() {
    engine_.seed(quint64(QDateTime::currentMSecsSinceEpoch()) ^
                 quint64(std::chrono::steady_clock::now().time_since_epoch().count()));
}

// --- sound ------------------------------------------------------------------

QtSound::QtSound(const Clock& clock, std::function<std::unique_ptr<AudioDevice>()> openDevice)
    : clock_(clock), openDevice_(std::move(openDevice)) {}

QtSound::~QtSound() = default;

void QtSound::open() {
    if (open_)
        return;
    open_ = true;
    device_ = openDevice_();
    if (device_ && !waitingAmbience_.isEmpty() && state_.playing(clock_.ticks()))
        device_->playAmbience(waitingAmbience_);
    waitingAmbience_.clear();
    if (device_ && !waitingEffect_.isEmpty())
        device_->playEffect(waitingEffect_);
    waitingEffect_.clear();
}

void QtSound::stopAmbience() {
    waitingAmbience_.clear();
    if (device_)
        device_->stopAmbience();
}

void QtSound::playAmbience(const QString& path) {
    close();
    // The end of the ambience is computed from its length: audio back ends
    // report it late, or never when the machine has no audio device.
    state_.started(clock_.ticks(), wavFileLengthMs(path).value_or(0));
    if (!open_)
        waitingAmbience_ = path;
    else if (device_)
        device_->playAmbience(path);
}

void QtSound::stop() {
    stopAmbience();
    state_.stopped();
    waitingEffect_.clear();
    if (device_)
        device_->stopEffect();
}

void QtSound::next() {
    stopAmbience();
    state_.skippedToEnd();
}

void QtSound::close() {
    stopAmbience();
    state_.closed();
}

bool QtSound::ambiencePlaying() const {
    return state_.playing(clock_.ticks());
}

void QtSound::playEffect(const QString& path) {
    stop();
    if (!open_)
        waitingEffect_ = path;
    else if (device_)
        device_->playEffect(path);
}

// --- cursor -----------------------------------------------------------------

QtCursor::QtCursor(SceneView& view) : view_(view) {
    qApp->installEventFilter(this);
}

int QtCursor::showCursor(bool show) {
    counter_ += show ? 1 : -1;
    const bool hide = counter_ < 0;
    if (hide && !hidden_) {
        // Made from an empty bitmap: the system's blank cursor is looked for
        // in the cursor theme's files first, which the start would wait for.
        QBitmap vide(1, 1);
        vide.clear();
        QApplication::setOverrideCursor(QCursor(vide, vide));
    } else if (!hide && hidden_)
        QApplication::restoreOverrideCursor();
    hidden_ = hide;
    return counter_;
}

void QtCursor::setPos(QPoint scenePos) {
    // The display pixel under the middle of the scene pixel.
    const QPointF middle = view_.viewportTransform().map(QPointF(scenePos) + QPointF(0.5, 0.5));
    QCursor::setPos(view_.viewport()->mapToGlobal(
        QPoint(int(std::floor(middle.x())), int(std::floor(middle.y())))));
}

QPoint QtCursor::pos() const {
    // The scene pixel under the middle of the display pixel.
    const QPoint pixel = view_.viewport()->mapFromGlobal(QCursor::pos());
    const QPointF p = view_.viewportTransform().inverted().map(QPointF(pixel) + QPointF(0.5, 0.5));
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

void QtCursor::confine(QRect sceneRect) {
    confinement_ = sceneRect;
    const QPoint p = pos();
    if (!sceneRect.contains(p))
        setPos(QPoint(std::clamp(p.x(), sceneRect.left(), sceneRect.right()),
                      std::clamp(p.y(), sceneRect.top(), sceneRect.bottom())));
}

void QtCursor::release() {
    confinement_.reset();
}

bool QtCursor::eventFilter(QObject* watched, QEvent* event) {
    // The window system cannot confine the pointer for us everywhere: a move
    // that leaves the rectangle puts the pointer back on its edge, and
    // reaches nothing outside it.
    if (confinement_ && event->type() == QEvent::MouseMove) {
        const QPoint p = pos();
        const QRect r = *confinement_;
        if (!r.contains(p)) {
            setPos(QPoint(std::clamp(p.x(), r.left(), r.right()),
                          std::clamp(p.y(), r.top(), r.bottom())));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- display ----------------------------------------------------------------

QtDisplay::QtDisplay(SceneView& view) : view_(view) {}

QSize QtDisplay::screenSize() const {
    const QScreen* screen = view_.screen() ? view_.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : kSceneSize;
}

void QtDisplay::changeResolution(int width, int height) {
    if (QSize(width, height) == kSceneSize) {
        // Without a window manager a full-screen request alone leaves a small
        // window: give the window the screen's geometry first.
        if (const QScreen* screen = view_.screen())
            view_.setGeometry(screen->geometry());
        view_.showFullScreen();
        // Without a window manager nobody gives the window the keyboard.
        view_.activateWindow();
        view_.raise();
    } else {
        view_.showNormal();
    }
}

void QtDisplay::redrawNow(QWidget* widget) {
    QWidget* stage = view_.stage();
    if (!widget || !stage)
        return;
    const QRect inStage(widget->mapTo(stage, QPoint(0, 0)), widget->size());
    const QRect inView = view_.mapFromScene(QRectF(inStage)).boundingRect().adjusted(-2, -2, 2, 2);
    view_.viewport()->repaint(inView);
}

double QtDisplay::sceneScale() const {
    // The window covers the whole display, without a frame: as fitStage.
    const QSize screen = screenSize();
    return std::min(double(screen.width()) / kSceneSize.width(),
                    double(screen.height()) / kSceneSize.height());
}

void QtDisplay::afterFirstFrame(std::function<void()> action) {
    view_.afterFirstFrame(std::move(action));
}

// --- platform ---------------------------------------------------------------

QtPlatform::QtPlatform()
    : sound_(new QtSound(clock_,
                         [] { return loadAudioDevice(QCoreApplication::applicationDirPath()); })),
      cursor_(new QtCursor(view_)), display_(new QtDisplay(view_)) {
    // Loading the sound module and opening the audio device take a while: the
    // first frame comes first.
    view_.afterFirstFrame([this] { sound_->open(); });
}

QtPlatform::~QtPlatform() = default;

std::unique_ptr<Timer> QtPlatform::createTimer() {
    return std::make_unique<QtTimer>();
}

} // namespace zm

#include "platform/qt/rapport_demarrage.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zm {
namespace {

void imprimer(const char* quoi) {
    std::fprintf(stderr, "%s %lld\n", quoi,
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

// Processor time used so far, in ms: by the calling thread, or by the whole
// process (threads that have ended included).
double processeur(clockid_t horloge) {
    timespec t{};
    clock_gettime(horloge, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

class Rapport : public QObject {
public:
    explicit Rapport(QWidget& peint) : peint_(peint) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!fenetre_ && event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
                fenetre_ = true;
                imprimer("first-window-epoch-ms");
            }
        }
        if (watched == &peint_ && event->type() == QEvent::Paint) {
            qApp->removeEventFilter(this);
            // Once the paint has gone through to the window system.
            QMetaObject::invokeMethod(
                this,
                [] {
                    imprimer("first-frame-epoch-ms");
                    // Called on the thread that paints, the program's own.
                    std::fprintf(stderr, "first-frame-cpu-ms main-thread %.1f process %.1f\n",
                                 processeur(CLOCK_THREAD_CPUTIME_ID),
                                 processeur(CLOCK_PROCESS_CPUTIME_ID));
                    std::fflush(stderr);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& peint_;
    bool fenetre_ = false;
};

} // namespace

void rapporterDemarrage(QWidget& peint) {
    if (qEnvironmentVariable("ZM_BENCH") != QStringLiteral("demarrage"))
        return;
    qApp->installEventFilter(new Rapport(peint));
}

} // namespace zm

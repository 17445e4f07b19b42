#include "platform/qt/rapport_demarrage.h"

#include <QApplication>
#include <QDateTime>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace zm {
namespace {

void imprimer(const char* quoi) {
    std::fprintf(stderr, "%s %lld\n", quoi,
                 static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
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

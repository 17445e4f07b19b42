// Times the ticker of the reading exercises on the real clock and window:
// a whole text at both speeds, each step measured from one window to the
// next, against the 125 ms and 50 ms it should take.
#include "platform/controls.h"
#include "platform/qt/qt_platform.h"
#include "reading/defilement_texte.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zm::QtClock clock;
    QWidget window;
    window.resize(800, 120);
    zm::Label label(&window, QStringLiteral("texte_defilant"));
    label.setGeometry(40, 30, 720, 60);
    label.setAlignment(Qt::AlignCenter);
    QFont mono(QStringLiteral("DejaVu Sans Mono"), 18, QFont::Bold);
    mono.setStyleHint(QFont::Monospace);
    label.setFont(mono);
    window.show();
    const QString text = QStringLiteral(
        "Ce matin, Léa est partie à la plage avec son grand-père. Ils ont ramassé des "
        "coquillages, construit un château de sable et regardé les bateaux rentrer au port. "
        "Le soir, Léa a raconté sa journée à sa maman.");
    for (int delai : {75, 0}) {
        std::vector<qint64> steps;
        QElapsedTimer timer;
        timer.start();
        qint64 last = 0;
        zm::defiler_texte(clock, label, text, delai, [&](int ms) {
            clock.waitLettingEventsRun(ms);
            const qint64 now = timer.nsecsElapsed();
            steps.push_back(now - last);
            last = now;
            return true;
        });
        const double expected = double(zm::nombreDePas(text)) * (50 + delai);
        const double total = double(timer.nsecsElapsed()) / 1e6;
        std::sort(steps.begin(), steps.end());
        std::printf("ticker at %d ms a step: %d steps in %.0f ms (expected %.0f, %+.2f %%), "
                    "step median %.2f ms, slowest %.2f ms\n",
                    50 + delai, zm::nombreDePas(text), total, expected,
                    100.0 * (total - expected) / expected, double(steps[steps.size() / 2]) / 1e6,
                    double(steps.back()) / 1e6);
    }
    return 0;
}

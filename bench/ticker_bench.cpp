// Times the timed effects on the real clock and window, against what they
// should take: the ticker of the reading exercises (a whole text at both
// speeds, each step measured from one window to the next), a blink series
// holding events and one letting them run, and the score animation.
#include "platform/controls.h"
#include "platform/qt/qt_platform.h"
#include "reading/defilement_texte.h"
#include "shell/routines.h"
#include "shell/screen.h"
#include "shell/stage.h"

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

    // A screen of the game on its real platform.
    struct Essai : zm::Screen {
        Essai(zm::Routines& r, QWidget* stage) : Screen(QStringLiteral("essai"), r, stage) {
            addScoreLabel();
        }
    };
    zm::QtPlatform platform;
    zm::Stage stage;
    zm::Routines routines(platform, stage, QString());
    Essai essai(routines, &stage);
    platform.view().setStage(&stage);
    platform.view().show();
    stage.showScreen(&essai);
    auto mesurer = [&](const char* what, double expected, const std::function<void()>& effect) {
        QElapsedTimer timer;
        timer.start();
        effect();
        const double took = double(timer.nsecsElapsed()) / 1e6;
        std::printf("%s: %.1f ms (expected %.0f, %+.2f %%)\n", what, took, expected,
                    100.0 * (took - expected) / expected);
    };
    zm::Label* score = essai.scoreLabel();
    for (int k = 0; k < 3; ++k) {
        mesurer("score animation", 240, [&] { routines.afficher_score(essai); });
        mesurer("blink series, 5 x (50 + 50) ms holding events", 500, [&] {
            essai.clignoter({.labels = {score}, .allume = Qt::yellow, .eteint = Qt::blue});
        });
        mesurer("blink series, 3 x (100 + 100) ms letting events run", 600, [&] {
            essai.clignoter({.labels = {score},
                             .allume = Qt::red,
                             .eteint = Qt::blue,
                             .fois = 3,
                             .msAllume = 100,
                             .msEteint = 100,
                             .attente = zm::Clignotement::Attente::Laisser});
        });
    }
    return 0;
}

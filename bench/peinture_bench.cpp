// Times the painting of a start-screen-like scene filling the display: a
// background and fourteen characters cut from their sheets, in the game's
// view. Each case is run with the pictures' drawings (sharp when enlarged)
// and with the bitmaps alone: the first frame (drawings rendered), a whole
// frame repainted (median of 21), and a character changing pictures as when
// the mouse passes over it (median of 51), with the renderings each made.
//
// Usage: zm-bench-peinture DATAS_DIR   (window: the whole screen)
#include "platform/controls.h"
#include "platform/qt/qt_platform.h"
#include "shell/divers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Resting and active frames of the characters of the first sheet.
const QPoint kRepos[] = {{3, 4},     {3, 132},   {3, 260},   {3, 388}, {283, 4},
                         {283, 132}, {283, 260}, {283, 388}, {561, 4}, {561, 260}};
const QPoint kActifs[] = {{142, 4},   {142, 132}, {142, 260}, {142, 388}, {422, 4},
                          {422, 132}, {422, 260}, {422, 388}, {561, 132}, {561, 388}};
const QPoint kPlaces[14] = {{641, 460}, {6, 467},   {663, 176}, {490, 460}, {321, 256},
                            {153, 466}, {322, 464}, {558, 315}, {466, 140}, {236, 126},
                            {22, 54},   {11, 237},  {432, 6},   {168, 327}};

void mesurer(const QString& datas, bool dessins) {
    zm::Dessin::viderCache();
    auto garder = [dessins](const zm::Image& i) { return dessins ? i : zm::Image(i.bitmap()); };
    zm::Divers divers(datas);
    zm::SceneView view;
    auto* stage = new QWidget;
    auto* fond = new zm::Label(stage, QStringLiteral("fond"));
    fond->setPicture(garder(zm::chargerImage(datas + QStringLiteral("/101"))));
    zm::Label* anim[14];
    zm::Image repos[14], actif[14];
    for (int k = 0; k < 14; ++k) {
        repos[k] = garder(zm::Divers::decouper(divers.dessins(), kRepos[k % 10], {135, 123}));
        actif[k] = garder(zm::Divers::decouper(divers.dessins(), kActifs[k % 10], {135, 123}));
        anim[k] = new zm::Label(stage);
        anim[k]->move(kPlaces[k]);
        anim[k]->setPicture(repos[k]);
    }
    view.setStage(stage);
    view.setGeometry(view.screen()->geometry());
    view.showFullScreen();
    QApplication::processEvents();

    // The window is on screen: now the first frame of fresh pictures, as a
    // screen shown for the first time.
    zm::Dessin::viderCache();
    fond->setPicture(fond->picture());
    for (int k = 0; k < 14; ++k)
        anim[k]->setPicture(repos[k]);
    QElapsedTimer t;
    const int r0 = zm::Dessin::rendusEffectues();
    t.start();
    view.viewport()->repaint();
    const double premiere = t.nsecsElapsed() / 1e6;
    const int r1 = zm::Dessin::rendusEffectues();

    std::vector<double> images;
    for (int i = 0; i < 21; ++i) {
        t.restart();
        view.viewport()->repaint();
        images.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(images.begin(), images.end());
    const double entiere = images[images.size() / 2];

    // A character alternates between its frames; the first of each is drawn
    // once, then every change comes from the cache.
    const QRect zone = view.mapFromScene(QRectF(anim[4]->geometry())).boundingRect();
    std::vector<double> changements;
    for (int i = 0; i < 51; ++i) {
        t.restart();
        anim[4]->setPicture(i % 2 ? repos[4] : actif[4]);
        view.viewport()->repaint(zone.adjusted(-2, -2, 2, 2));
        changements.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(changements.begin(), changements.end());
    const double changement = changements[changements.size() / 2];
    const int r2 = zm::Dessin::rendusEffectues();

    std::printf("%-8s %4dx%-4d first frame %7.1f ms (%2d renderings)  whole frame %6.2f ms  "
                "character change %5.2f ms  (renderings after the first frame: %d)\n",
                dessins ? "drawings" : "bitmaps", view.width(), view.height(), premiere, r1 - r0,
                entiere, changement, r2 - r1);
}

} // namespace

// The time to read and render one drawing at the size it takes on screen.
void mesurerRendu(const QString& datas, const QString& nom, QSize pixels) {
    zm::Dessin::viderCache();
    const zm::Image image = zm::chargerImage(datas + QStringLiteral("/") + nom);
    QElapsedTimer t;
    t.start();
    const bool fait = !image.rendu(pixels).isNull();
    std::printf("  %-8s read and rendered at %4dx%-4d in %6.1f ms%s\n", qPrintable(nom),
                pixels.width(), pixels.height(), t.nsecsElapsed() / 1e6, fait ? "" : " (failed)");
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: zm-bench-peinture DATAS_DIR\n");
        return 2;
    }
    const QString datas = QString::fromLocal8Bit(argv[1]);
    mesurer(datas, false);
    mesurer(datas, true);
    const QSize ecran = QGuiApplication::primaryScreen()->geometry().size();
    const double echelle = std::min(ecran.width() / 800.0, ecran.height() / 600.0);
    for (const char* nom : {"116", "101", "bouton"}) {
        const QSize taille = zm::chargerImage(datas + QStringLiteral("/") + nom).size();
        mesurerRendu(datas, QString::fromLatin1(nom), (QSizeF(taille) * echelle).toSize());
    }
    return 0;
}

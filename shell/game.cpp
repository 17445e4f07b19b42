#include "shell/game.h"

#include "shell/screen.h"

#include <QApplication>
#include <QImageReader>
#include <QKeyEvent>

namespace zm {

namespace {
// Stand-in for the hub until its screens exist: the background and the first
// ambience; Escape quits.
class Accueil : public Screen {
public:
    using Screen::Screen;
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape)
            QApplication::quit();
    }
};

QPixmap loadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return QPixmap::fromImage(reader.read());
}
} // namespace

Game::Game(Platform& platform, const QString& datasDir)
    : platform_(platform), routines_(platform, stage_, datasDir) {
    depart_ = new Accueil(QStringLiteral("depart"), routines_, &stage_);
    depart_->setBackground(loadPicture(routines_.datas(QStringLiteral("101"))));
    depart_->setFocusPolicy(Qt::StrongFocus);
}

Game::~Game() = default;

void Game::start() {
    const QSize screen = platform_.display().screenSize();
    routines_.largeur_initiale = float(screen.width());
    routines_.hauteur_initiale = float(screen.height());
    routines_.changer_resolution(800, 600);
    stage_.showScreen(depart_);
    depart_->setFocus();
    routines_.jouer_ambiance();
}

bool Game::quitRequested() {
    return true;
}

} // namespace zm

// The reference of the start-up measure: a bare Qt window shown full screen
// the way the game shows its own, reporting as the game does.
#include "platform/qt/rapport_demarrage.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget fenetre;
    zm::rapporterDemarrage(fenetre);
    fenetre.setGeometry(fenetre.screen()->geometry());
    fenetre.showFullScreen();
    return QApplication::exec();
}

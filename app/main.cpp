// Zibelou Malice: a French reading game for children.
#include "platform/qt/qt_platform.h"
#include "shell/game.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Andika"), 11));
    zm::QtPlatform platform;
    zm::Game game(platform, QApplication::applicationDirPath() + QStringLiteral("/datas"));
    platform.view().setStage(&game.stage());
    platform.view().onCloseRequest = [&game] { return game.quitRequested(); };
    game.start();
    return QApplication::exec();
}

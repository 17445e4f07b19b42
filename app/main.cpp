// Zibelou Malice: a French reading game for children.
#include "app/epreuves.h"
#include "platform/image.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/rapport_demarrage.h"
#include "shell/emplacements.h"
#include "shell/game.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFont>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

// A session that ends, or a TERM signal, closes the window as the window
// system would: the game's quit sequence saves the players first.
void closeWindowOnTerminationSignals(QWidget& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const auto got = ::read(signalPipe[0], &byte, 1);
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    // The fonts' configuration is read while the application connects to the
    // display: the first text of the roster would wait for it.
    std::thread polices([] { FcInit(); });
    QApplication app(argc, argv);
    // The first label's text starts the accessibility bridge, which waits for
    // the session's message bus (and, without one, for an attempt to start
    // it): the connection is opened meanwhile.
    std::thread([] { QDBusConnection::sessionBus(); }).detach();
    polices.join();
    // The launcher installed with the game: desktops match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zibeloumalice.zibeloumalice"));
    QApplication::setFont(QFont(QStringLiteral("Andika"), 11));
    zm::QtPlatform platform;
    const QString datas = zm::dossierDatas(QApplication::applicationDirPath());
    zm::Dessin::garderRendusDans(zm::dossierRendusDuSysteme());
    zm::Game game(platform, datas, zm::fabriquerEpreuve, zm::fichiersJoueursDuSysteme(datas));
    platform.view().setStage(&game.stage());
    platform.view().onCloseRequest = [&game] { return game.quitRequested(); };
    // Queued: a quit asked before the event loop runs (a signal during the
    // start-up) is carried out as soon as it runs.
    game.onEnded = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    closeWindowOnTerminationSignals(platform.view());
    zm::rapporterDemarrage(*platform.view().viewport());
    game.start();
    if (game.ended())
        return 0;
    return QApplication::exec();
}

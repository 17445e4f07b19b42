// The reference of the start-up measure: a bare Qt window shown full screen
// the way the game shows its own, reporting when it was first painted.
#include <QApplication>
#include <QDateTime>
#include <QScreen>
#include <QWidget>
#include <cstdio>

namespace {

class Fenetre : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (peinte_)
            return;
        peinte_ = true;
        QMetaObject::invokeMethod(
            this,
            [] {
                std::fprintf(stderr, "first-frame-epoch-ms %lld\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            },
            Qt::QueuedConnection);
    }

private:
    bool peinte_ = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Fenetre fenetre;
    fenetre.setGeometry(fenetre.screen()->geometry());
    fenetre.showFullScreen();
    return QApplication::exec();
}

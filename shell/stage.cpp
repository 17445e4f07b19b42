#include "shell/stage.h"

#include "shell/screen.h"

#include <algorithm>

namespace zm {

Stage::Stage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("scene"));
    setFixedSize(800, 600);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
}

void Stage::terminer() {
    termine_ = true;
    shown_.clear();
    for (QObject* child : children())
        if (auto* screen = qobject_cast<Screen*>(child)) {
            screen->finirVisite();
            screen->hide();
        }
}

void Stage::showScreen(Screen* screen) {
    if (termine_)
        return;
    std::erase(shown_, screen);
    shown_.push_back(screen);
    screen->preparerAffichage();
    screen->show();
    screen->raise();
    screen->activate();
}

void Stage::hideScreen(Screen* screen) {
    const bool wasActive = active() == screen;
    std::erase(shown_, screen);
    screen->finirVisite();
    screen->hide();
    if (wasActive && active() && !termine_)
        active()->activate();
}

} // namespace zm

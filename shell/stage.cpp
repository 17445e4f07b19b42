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

void Stage::showScreen(Screen* screen) {
    std::erase(shown_, screen);
    shown_.push_back(screen);
    screen->show();
    screen->raise();
    screen->activate();
}

void Stage::hideScreen(Screen* screen) {
    const bool wasActive = active() == screen;
    std::erase(shown_, screen);
    screen->hide();
    if (wasActive && active())
        active()->activate();
}

} // namespace zm

#include "shell/screen.h"

namespace zm {

Screen::Screen(const QString& name, Routines& routines, QWidget* stage)
    : QWidget(stage), routines(routines), fond(new Backdrop(this)) {
    setObjectName(name);
    setGeometry(0, 0, 800, 600);
    setMouseTracking(true);
    hide();
}

Label* Screen::addLabel(const QString& name, QRect geometry, const QString& caption) {
    auto* label = new Label(this, name);
    label->setGeometry(geometry);
    label->setCaption(caption);
    return label;
}

} // namespace zm

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

void Screen::addScoreLabel() {
    label_score =
        addLabel(QStringLiteral("label_score"), QRect(680, 8, 110, 62), QStringLiteral("Score"));
    label_score->setAlignment(Qt::AlignCenter);
    label_score->setPointSize(18);
    label_score->setTextColour(QColor(0, 0, 128));
    // Two lines of 18 points fit the panel only set closer than the font's own.
    label_score->setLineHeight(78);
}

} // namespace zm

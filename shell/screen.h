#pragma once
// A screen of the game: an 800 x 600 page with its background picture, its
// controls and its own variables. Screens are created once, then only shown
// and hidden, so their state survives between visits.

#include "platform/controls.h"

#include <QWidget>

namespace zm {

class Routines;

class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(const QString& name, Routines& routines, QWidget* stage);

    // Runs each time the screen becomes the active one: when it is shown, and
    // when a screen shown over it is hidden again.
    virtual void activate() {}

    void setBackground(const QPixmap& picture) { fond->setPicture(picture); }
    Backdrop* background() const { return fond; }
    // The label that shows the score on this screen; null where there is none.
    Label* scoreLabel() const { return label_score; }

protected:
    // A label placed on this screen.
    Label* addLabel(const QString& name, QRect geometry, const QString& caption = {});
    // The score label, top right, as every screen shows it.
    void addScoreLabel();

    Routines& routines;
    Backdrop* fond;
    Label* label_score = nullptr;
};

} // namespace zm

#pragma once
// A screen of the game: an 800 x 600 page with its background picture, its
// controls and its own variables. Screens are created once, then only shown
// and hidden, so their state survives between visits.
//
// Every timed effect of a screen (pauses, blinking, tickers, animations) waits
// through `attendre` or `pause`. A visit ends when the screen is left, by any
// path (its back label, a click that leaves, the game ending): from then on
// every wait of that visit answers false at once, and the caller stops where
// it is, touching nothing more.

#include "platform/controls.h"
#include "shell/couleurs.h"

#include <QWidget>
#include <functional>
#include <vector>

namespace zm {

class Routines;

// A series of flashes: each flash sets the "on" colour, waits, sets the "off"
// colour and waits again, every change drawn at once.
struct Clignotement {
    enum class Couleur { Texte, Fond };
    enum class Attente { Retenir, Laisser }; // hold events, or let them run
    std::vector<Label*> labels = {};
    QColor allume = {}, eteint = {};
    // The "off" colour of each label, where they differ (else `eteint`).
    std::vector<QColor> eteints = {};
    int fois = 5;
    int msAllume = 50, msEteint = 50;
    Attente attente = Attente::Retenir;
    Couleur couleur = Couleur::Texte;
    // At the start and at the end of flash k (from 0).
    std::function<void(int k)> avant = {}, apres = {};
};

class Screen : public QWidget {
    Q_OBJECT
public:
    Screen(const QString& name, Routines& routines, QWidget* stage);

    // Runs each time the screen becomes the active one: when it is shown, and
    // when a screen shown over it is hidden again.
    virtual void activate() {}

    void setBackground(const Image& picture) { fond->setPicture(picture); }
    // The background picture of this file, read when the screen is first
    // shown: a screen never visited costs neither time nor memory.
    void setBackgroundFile(const QString& path);
    // Gives back the memory of the background picture and of its drawing at
    // the display's size: for a screen that is not shown again.
    void oublierFond();
    // Reads what the screen needs before it is shown for the first time.
    void preparerAffichage();
    // Starts reading and drawing, on other threads, the pictures the screen
    // shows when it is first shown, the scene enlarged `echelle` times.
    void preparerEnAvance(double echelle);
    Backdrop* background() const { return fond; }
    // The label that shows the score on this screen; null where there is none.
    Label* scoreLabel() const { return label_score; }

    // The visit in progress ends: the screen was left, or the game ended.
    void finirVisite() {
        ++visite_;
        visiteTerminee();
    }
    // Whether the screen is being played: shown on top, its visit not ended.
    bool enJeu() const;
    // Whether a wait of this screen is in progress.
    bool attenteEnCours() const { return attentes_ > 0; }

    // Waits `ms` while clicks, keys and timers keep being handled. False when
    // the visit ended meanwhile (or had already ended).
    bool attendre(int ms);
    // Waits `ms` holding every other event; what changed on the screen (or
    // on the one control `aDessiner`) is drawn first. False when the visit
    // has ended.
    bool pause(int ms, QWidget* aDessiner = nullptr);
    // Runs the flashes; false, stopping at once, when the visit ended.
    bool clignoter(const Clignotement& c);

protected:
    // What the screen tidies when a visit ends, whichever way it was left.
    virtual void visiteTerminee() {}
    // A label placed on this screen.
    Label* addLabel(const QString& name, QRect geometry, const QString& caption = {});
    // The score label, top right, as every screen shows it.
    void addScoreLabel();
    // A framed card to click: a word, an answer, a window.
    Label* addCarte(const QString& name, QRect geometry, int points = 18);
    Routines& routines;
    Backdrop* fond;
    Label* label_score = nullptr;

private:
    bool attente(int ms, bool retenir);
    QString fondAcharger_;
    quint64 visite_ = 0;
    int attentes_ = 0;
};

} // namespace zm

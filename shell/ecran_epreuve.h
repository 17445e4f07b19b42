#pragma once
// The frame every exercise screen is built on: the help image `aide`, the back
// label (`retour` or `sortie`), the score label, the comment label, the
// activation that starts afresh from the start screen or goes on where it
// was after the help sheet, and the judging of an answer.

#include "shell/screen.h"

#include <functional>

namespace zm {

struct DescriptionEpreuve {
    QString nom;
    QString fond;         // background picture of the data folder
    QString titre;        // title of its help section; empty: no help image
    QString premier, fin; // markers of its help section
    bool sortie = false;  // its back label is `sortie` rather than `retour`
    bool commentaire = true;
};

// The fourteen exercises in the order of the start screen's characters.
const std::array<DescriptionEpreuve, 14>& descriptionsEpreuves();

// What an answer earns when right, and costs when wrong.
struct Bareme {
    int gain = 2;
    int perte = 1;
    // The score label is animated after a wrong answer even when the score,
    // already at 0, could not go lower.
    bool animerSansPerte = false;
};

class EcranEpreuve : public Screen {
    Q_OBJECT
public:
    EcranEpreuve(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);
    // The one activation of every exercise: a fresh visit from the start
    // screen runs nouvelleVisite(), a return from the help sheet runs
    // repriseApresAide(); then the screen takes over the display and shows
    // the pointer, and a fresh visit goes on with demarrer().
    void activate() final;
    void setAidePicture(const Image& picture);
    // The button picture of the resource screen, for screens that draw
    // their buttons with it.
    void setBouton(const Image& picture);
    const DescriptionEpreuve& description() const { return description_; }

    Label* aide = nullptr;
    Label* retour = nullptr; // `retour` or `sortie`
    Label* commentaire = nullptr;

    // A caption on a button picture: the picture `image` and, over it, the
    // label the player clicks. They hide and show together.
    struct Bouton {
        Label* image = nullptr;
        Label* label = nullptr;
        void montrer(bool visible) const;
    };

protected:
    // What the screen does on a fresh start from the start screen, before it
    // takes over the display. By default: the score label.
    virtual void nouvelleVisite();
    // What the screen does when the help sheet over it is closed.
    virtual void repriseApresAide() {}
    // What a fresh visit does once the screen has the display (an opening
    // animation, a first draw). Nothing by default.
    virtual void demarrer() {}
    // The continue action of a click on the comment, the score or the background.
    virtual void continuer() {}
    // A click on the comment; on most screens the continue action.
    virtual void clicCommentaire() { continuer(); }
    // Whether the help image opens the help sheet now (never during a wait).
    virtual bool aideDisponible() const { return true; }

    // Judges an answer: the next praise or reproach goes to `montrer` (none
    // is taken where there is no `montrer`), the
    // victory or defeat sound plays, `avantScore` runs (a blink of the
    // answer), then the score moves: + gain when right; when wrong - perte,
    // never below 0, and the score label is animated only when it changed.
    void juger(bool juste, const Bareme& bareme,
               const std::function<void(const QString& message)>& montrer,
               const std::function<void()>& avantScore = {});

    Bouton addBouton(const QString& image, const QString& label, QRect geometry,
                     const QString& caption, int points = 14);
    const Image& bouton() const { return bouton_; }
    // The back label and its button picture.
    void montrerRetour(bool visible) { retourBouton_.montrer(visible); }
    void revenirAuDepart();

private:
    void ouvrirAide();
    DescriptionEpreuve description_;
    Image bouton_;
    std::vector<Label*> imagesBoutons_;
    Bouton retourBouton_;
};

// Makes the screen of an exercise from its description. The game asks it for
// every exercise; where it gives nothing, the bare frame stands in.
using FabriqueEpreuve =
    std::function<EcranEpreuve*(const DescriptionEpreuve&, Routines&, QWidget* stage)>;

} // namespace zm

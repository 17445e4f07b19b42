#pragma once
// The frame every exercise screen is built on: the help image `aide`, the back
// label (`retour` or `sortie`), the score label, the comment label, and the
// activation that starts afresh from the start screen or goes on where it
// was after the help sheet.

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

class EcranEpreuve : public Screen {
    Q_OBJECT
public:
    EcranEpreuve(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);
    void activate() override;
    void setAidePicture(const QPixmap& picture);
    // The button picture of the resource screen, for screens that draw
    // their buttons with it.
    void setBouton(const QPixmap& picture) { bouton_ = picture; }
    const DescriptionEpreuve& description() const { return description_; }

    Label* aide = nullptr;
    Label* retour = nullptr; // `retour` or `sortie`
    Label* commentaire = nullptr;

protected:
    // What the screen does on a fresh start from the start screen.
    virtual void nouvelleVisite();
    // What the screen does before going back to the start screen.
    virtual void avantRetour() {}
    // The continue action of a click on the comment, the score or the background.
    virtual void continuer() {}
    // A click on the comment; on most screens the continue action.
    virtual void clicCommentaire() { continuer(); }
    // Whether the help image opens the help sheet now.
    virtual bool aideDisponible() const { return true; }

    const QPixmap& bouton() const { return bouton_; }

private:
    void ouvrirAide();
    void revenirAuDepart();
    DescriptionEpreuve description_;
    QPixmap bouton_;
};

// Makes the screen of an exercise from its description. The game asks it for
// every exercise; where it gives nothing, the bare frame stands in.
using FabriqueEpreuve =
    std::function<EcranEpreuve*(const DescriptionEpreuve&, Routines&, QWidget* stage)>;

} // namespace zm

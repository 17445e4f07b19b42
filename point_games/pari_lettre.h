#pragma once
// "PARIONS SUR L'ALPHABET": the computer draws a hidden letter and shows a
// reference letter; the player stakes points and bets whether the hidden one
// comes before, is the same as, or comes after the reference in the alphabet.
// A right bet wins twice the stake, a wrong one loses it.

#include "shell/ecran_epreuve.h"

#include <array>

namespace zm {

class Mise;

class PariLettre : public EcranEpreuve {
    Q_OBJECT
public:
    PariLettre(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);
    void activate() override;

    enum Etat { Pari = 0, Verdict = 1, Fin = 2, Preparation = 3 };

    Label* lettre;
    std::array<Label*, 3> reponse{};
    Mise* mise;
    int etat = Preparation;
    int lettre_tiree = 'A', lettre_reference = 'A', resultat = 1;

protected:
    void continuer() override;
    void avantRetour() override;

private:
    void nouveau_tour();
    // The bets and the letter back to question marks, in blue.
    void remettreInconnus();
    void juger(int i);
    void fin();
    void montrer_reponse(int i);
    void clicReponse(int i);
    void tirer();
    void faireClignoter(Label* label, const QColor& a, const QColor& b, int ms, bool son);
    // A wait of the animations: events are held, the screen is redrawn.
    void pause(int ms);
    void redessiner(Label* label);
    int lettreAuHasard();
};

} // namespace zm

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

    enum Etat { Pari = 0, Verdict = 1, Fin = 2, Preparation = 3 };

    Label* lettre;
    std::array<Label*, 3> reponse{};
    Mise* mise;
    int etat = Preparation;
    int lettre_tiree = 'A', lettre_reference = 'A', resultat = 1;

protected:
    void nouvelleVisite() override;
    void demarrer() override;
    void continuer() override;
    void visiteTerminee() override;

private:
    // The turn's draw and question; false when the screen was left meanwhile.
    bool nouveau_tour();
    // The bets and the letter back to question marks, in blue.
    void remettreInconnus();
    void parier(int i);
    void fin();
    bool montrer_reponse(int i);
    void clicReponse(int i);
    bool tirer();
    int lettreAuHasard();
};

} // namespace zm

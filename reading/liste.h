#pragma once
// "LE MOT COMMUN": nine words flash one after the other, 750 ms each; then
// three words are offered, of which exactly one was among the nine. The right
// one earns 2 points, a wrong one costs 1. A click then starts the next turn,
// which opens with a countdown from 15 to 0.

#include "shell/ecran_epreuve.h"

#include <array>

namespace zm {

class Liste : public EcranEpreuve {
    Q_OBJECT
public:
    Liste(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    static const QString kCache, kCommencer, kQuestion;
    // "premier" to "huitième", then "dernier".
    static const std::array<QString, 9> ordinaux;
    // The highest first word of a turn in liste_mots.
    static constexpr int kDepartMax = 129;

    Label* melange;
    std::array<Label*, 3> reponse{};
    Label* clic;

    // 0 until the verdict of the turn; 1 once it is shown.
    int etat = 0;
    // 1 from the click that starts a turn until its verdict.
    int en_cours = 0;
    // The candidates are shown and wait for a click.
    bool choix_ouvert = false;
    int depart_liste = 0;
    std::array<QString, 10> mots_liste; // slots 0 to 8
    QString proposition_1, proposition_2, proposition_3;
    QString bonne_reponse;
    int place_reponse = 0;

protected:
    void nouvelleVisite() override { initialiser_ecran(); }
    void continuer() override;
    void visiteTerminee() override;

private:
    void choisir_mots();
    // The nine words flash; false when the screen was left meanwhile.
    bool defiler_mots();
    bool lancer_tour();
    void juger_reponse(int i);
    void initialiser_ecran();
    void centrerSouris();
};

} // namespace zm

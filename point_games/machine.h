#pragma once
// "LA LOTERIE INFERNALE": a slot machine played with words. Five different
// words are shown; the player stakes points and spins: each of the five
// windows then shows one of the five words, drawn at random. The largest
// group of windows showing the same word decides: five different words lose
// twice the stake, two alike lose the stake, three, four or five alike win
// 4, 7 or 10 times the stake. Playing needs at least 20 points.

#include "shell/ecran_epreuve.h"

#include <array>

namespace zm {

class Mise;

class Machine : public EcranEpreuve {
    Q_OBJECT
public:
    Machine(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    // The texts of `label_melanger`, which tell the phase of the game.
    static const QString kMelanger, kAutreSerie, kInsuffisant;

    // The size of the largest group of equal words among `fenetres` (1 to
    // 5), and the word of that group whose first window comes first.
    struct Groupe {
        int taille = 0;
        QString mot;
    };
    static Groupe plusGrandGroupe(const std::array<QString, 5>& fenetres);

    std::array<Label*, 5> mot_machine{};
    Label* label_melanger;
    Label* image_melanger;
    Label* fenetre_mise;
    Mise* mise;

    // 1: a series is drawn and not yet played (the stake may change); 0 otherwise.
    int etat = 0;
    std::array<QString, 10> mots_machine;

protected:
    void nouvelleVisite() override;
    void demarrer() override;
    void clicCommentaire() override {}

private:
    void nouvelle_serie();
    // The eleven draws; false when the screen was left meanwhile.
    bool tourner();
    // Five flashes holding events; false when the screen was left meanwhile.
    bool refus();
    void clicMelanger();
    void jouer();
    void autre_serie();
    void juger_serie();
};

} // namespace zm

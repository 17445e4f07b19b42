#pragma once
// "LE BONNETEAU DES MOTS": three words are shown in three cells, shuffled
// before the player's eyes and hidden; the player stakes points and must find
// each word, in the order announced, with four tries in all. All three found
// wins twice the stake; running out of tries loses it.

#include "shell/ecran_epreuve.h"

#include <QStringList>
#include <array>

namespace zm {

class Mise;
class Random;

class Bonneteau : public EcranEpreuve {
    Q_OBJECT
public:
    Bonneteau(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    // A random order of the three cells: a permutation of 0, 1, 2.
    static std::array<int, 3> tirer_ordre(Random& random);

    std::array<Label*, 3> bonnet{};
    Label* mot_a_chercher;
    Label* fin_bonneteau;
    Mise* mise;

    // 0: the words are hidden and no cell was clicked yet (the stake may change).
    int etat = 1;
    std::array<QString, 3> mots_bonneteau;
    std::array<int, 3> ordre_mots{0, 1, 2};
    int mots_trouves = 0;
    int essais = 4;
    // 0 while playing, one more for each word found; 10: the game is over.
    int etape = 0;
    bool melangeEnCours() const { return melange_; }

    static const QString kCache, kAuRevoir;

protected:
    void nouvelleVisite() override;
    void demarrer() override;
    void continuer() override;
    void clicCommentaire() override {}

private:
    void tirer_mots();
    void annoncer();
    bool melanger_mots();
    bool melanger();
    void nouvelle_partie();
    bool refus();
    void jouerCase(int i);
    void gagner();
    void perdre();
    void montrerMots();
    void clicMot();

    bool melange_ = false;
};

} // namespace zm

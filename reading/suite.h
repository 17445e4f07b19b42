#pragma once
// "LES SERIES DEMONIAQUES": ten words are shown; the game names a secret
// series one new word at a time and the player clicks the whole series back
// in order, one word more each time, up to twenty. A completed series of n
// words earns n - 1 points; a wrong click ends the game, costs as many points
// as the series would have earned (1 in the first series) and shows the word
// that was expected.

#include "shell/ecran_epreuve.h"

#include <array>

namespace zm {

class Suite : public EcranEpreuve {
    Q_OBJECT
public:
    Suite(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    static const QString kCache;
    // "premier" to "vingtième"; the last place stays empty.
    static const std::array<QString, 21> ordinaux;
    // The longest series: its last word completed is the record.
    static constexpr int kRecord = 20;

    std::array<Label*, 10> mot_memoire{};
    // 0: clicks on the words count; 1: they are ignored (before a game
    // starts and after it ends).
    int etat_jeu = 1;
    // 1: the next click on the comment, the score or the background starts
    // a new game.
    qint16 attente_clic = 0;
    // Place in the series of the newest word named: the series has
    // rang_nouveau + 1 words.
    int rang_nouveau = 0;
    // Place in the series of the word to click next.
    int rang_attendu = 0;
    std::array<QString, 21> serie;

protected:
    void nouvelleVisite() override { nouvelle_partie(); }
    void continuer() override { clic_commentaire(); }

private:
    void nouvelle_partie();
    void clic_commentaire();
    void tirer_mots();
    void montrer_mot();
    // Blinks the word that was to be clicked; false when the screen was left.
    bool signaler_mot();
    void clic_mot(int i);
    void bonClic();
    void mauvaisClic();
    void centrerSouris();
};

} // namespace zm

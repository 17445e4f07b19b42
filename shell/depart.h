#pragma once
// The start screen: fourteen characters, each opening its exercise, the score,
// the line of text at the bottom, the ambience between random animations,
// and the door that ends the game.

#include "shell/screen.h"

#include <array>
#include <functional>
#include <memory>

namespace zm {

class Divers;
class Timer;

class Depart : public Screen {
    Q_OBJECT
public:
    Depart(Routines& routines, const Divers& divers, QWidget* stage);
    ~Depart() override;

    void activate() override;
    // The exercise screen each character opens.
    std::function<Screen*(int k)> epreuve;
    enum class Quitter { SiEnregistre, QuoiQuIlArrive };
    // The quit sequence. When the players could not be saved, the game stays
    // open and says so, unless asked to end whatever happens (a second right
    // click on the door, the window closed, a signal): false when it stays.
    bool quitter_jeu(Quitter quand = Quitter::SiEnregistre);
    Timer& timer() { return *Timer_; }

    std::array<Label*, 14> anim{};
    Label* quitter;
    Label* nom_epreuve;
    std::array<QString, 14> textes_epreuves;
    std::array<qint16, 14> personnage_actif{};
    qint16 porte_ouverte = 0;

    static const QString kInvitation;
    static const QString kSauvegardeEchouee;

protected:
    void visiteTerminee() override;

private:
    bool sauvegardeEchouee_ = false;
    Image imageRepos(int k) const;
    Image imageActive(int k) const;
    Image imagePorte(int i) const;
    void dessiner_personnages();
    void remettre_personnages();
    void survolFond();
    void survolPersonnage(int i);
    void clicPersonnage(int i);
    void survolScore();
    void survolPorte();
    void appuiPorte(Qt::MouseButton button);
    void animerPorte(std::initializer_list<int> frames);
    void tic();
    // Puts the character the timer brought to life back to rest.
    void finirAnimation();
    // The life of that character is over: back to rest, then the ambience.
    void finVie();

    const Divers& divers_;
    std::unique_ptr<Timer> Timer_;
    // The door's waits let events run, and no animation may start inside
    // another: while the door moves, presses on the door and the score and
    // clicks on the characters are ignored (it is short). A character brought
    // to life by the timer lives on a timer of its own, with no wait, and
    // gives way to the child: a press on the door or the score ends its
    // animation at once, a click on a character ends it and opens its
    // exercise. The timer skips its ticks while either runs.
    // While the door is open the pointer cannot leave it: no move or click
    // reaches the characters, the score or the background then.
    std::unique_ptr<Timer> vie_;
    bool porteEnMouvement_ = false;
    int personnageAnime_ = -1;
};

} // namespace zm

#pragma once
// The whole game: the scene, the shared services and every screen.

#include "shell/demande_prenom.h"
#include "shell/ecran_epreuve.h"
#include "shell/routines.h"
#include "shell/stage.h"

#include <memory>
#include <optional>

namespace zm {

class Divers;
class FeuilleAide;

class Game {
public:
    // The players are kept in datas/4.bin unless `joueurs` names other files.
    Game(Platform& platform, const QString& datasDir, const FabriqueEpreuve& fabrique = {},
         const std::optional<FichiersJoueurs>& joueurs = std::nullopt);
    ~Game();
    Stage& stage() { return stage_; }
    Routines& routines() { return routines_; }
    DemandePrenom& roster() { return *demande_prenom_; }
    const Ecrans& ecrans() const { return ecrans_; }
    // The start screen, made the first time it is asked for (at the latest
    // once the roster is on screen).
    Depart* depart();
    // The help sheet, made the first time an exercise asks for it.
    FeuilleAide* feuilleAide();
    // The exercise screen of character k, made the first time it is asked for.
    EcranEpreuve* epreuve(int k);
    // Shows the roster, which starts the game up.
    void start();
    // The window system asks the game to end (a window closed, the session
    // ending): the quit sequence of the door runs. Returns whether the game
    // may end.
    bool quitRequested();
    bool ended() const { return ended_; }
    // Set when the game has ended through its quit sequence.
    std::function<void()> onEnded;

private:
    void finir();
    Platform& platform_;
    Stage stage_;
    Routines routines_;
    std::unique_ptr<Divers> divers_;
    Ecrans ecrans_;
    FabriqueEpreuve fabrique_;
    std::array<EcranEpreuve*, 14> epreuves_{};
    Depart* depart_ = nullptr;
    FeuilleAide* feuille_aide_ = nullptr;
    DemandePrenom* demande_prenom_ = nullptr;
    // Tells what runs after the game is gone that it is.
    std::shared_ptr<bool> vivant_ = std::make_shared<bool>(true);
    bool started_ = false;
    bool ended_ = false;
};

} // namespace zm

#include "shell/game.h"

#include "shell/depart.h"
#include "shell/divers.h"
#include "shell/ecran_epreuve.h"
#include "shell/feuille_aide.h"

namespace zm {

Game::Game(Platform& platform, const QString& datasDir, const FabriqueEpreuve& fabrique)
    : platform_(platform), routines_(platform, stage_, datasDir),
      divers_(std::make_unique<Divers>(datasDir)) {
    ecrans_.depart = new Depart(routines_, *divers_, &stage_);
    ecrans_.feuille_aide = new FeuilleAide(routines_, &stage_);
    const auto& descriptions = descriptionsEpreuves();
    for (std::size_t k = 0; k < descriptions.size(); ++k) {
        EcranEpreuve* screen = fabrique ? fabrique(descriptions[k], routines_, &stage_) : nullptr;
        ecrans_.epreuves[k] =
            screen ? screen : new EcranEpreuve(descriptions[k], routines_, &stage_);
        ecrans_.depart->epreuves[k] = ecrans_.epreuves[k];
    }
    routines_.depart = {ecrans_.depart, ecrans_.depart->scoreLabel(), &ecrans_.depart->timer()};
    routines_.feuille_aide = ecrans_.feuille_aide;
    routines_.terminer = [this] { finir(); };
    demande_prenom_ = new DemandePrenom(routines_, *divers_, ecrans_, &stage_);
}

Game::~Game() = default;

void Game::finir() {
    if (ended_)
        return;
    ended_ = true;
    stage_.terminer();
    if (onEnded)
        onEnded();
}

void Game::start() {
    if (started_)
        return;
    started_ = true;
    stage_.showScreen(demande_prenom_);
    demande_prenom_->demarrer();
}

bool Game::quitRequested() {
    if (ended_)
        return true;
    // Before a player is chosen there is nothing new to save.
    if (stage_.active() == demande_prenom_ || ecrans_.depart->isHidden()) {
        // The roster hides the pointer while it starts up: it goes back to
        // the desktop shown and free all the same.
        routines_.platform().cursor().release();
        routines_.montrer_souris();
        routines_.changer_resolution(routines_.largeur_initiale, routines_.hauteur_initiale);
        finir();
        return true;
    }
    // The window closed or a signal: what can be saved is, and the game ends.
    return ecrans_.depart->quitter_jeu(Depart::Quitter::QuoiQuIlArrive);
}

} // namespace zm

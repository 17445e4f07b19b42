#include "shell/game.h"

#include "shell/depart.h"
#include "shell/divers.h"
#include "shell/ecran_epreuve.h"
#include "shell/feuille_aide.h"

namespace zm {

Game::Game(Platform& platform, const QString& datasDir, const FabriqueEpreuve& fabrique,
           const std::optional<FichiersJoueurs>& joueurs)
    : platform_(platform), routines_(platform, stage_, datasDir),
      divers_(std::make_unique<Divers>(datasDir, platform.display().sceneScale())) {
    if (joueurs)
        routines_.fichiers_joueurs = *joueurs;
    fabrique_ = fabrique;
    ecrans_.epreuve = [this](int k) { return epreuve(k); };
    ecrans_.depart = [this] { return depart(); };
    routines_.feuille_aide = [this] { return feuilleAide(); };
    routines_.terminer = [this] { finir(); };
    demande_prenom_ = new DemandePrenom(routines_, *divers_, ecrans_, &stage_);
}

Game::~Game() = default;

Depart* Game::depart() {
    if (!depart_) {
        depart_ = new Depart(routines_, *divers_, &stage_);
        depart_->epreuve = ecrans_.epreuve;
        depart_->setBackgroundFile(routines_.datas(QStringLiteral("101")));
        routines_.depart = {depart_, depart_->scoreLabel(), &depart_->timer()};
    }
    return depart_;
}

FeuilleAide* Game::feuilleAide() {
    if (!feuille_aide_) {
        feuille_aide_ = new FeuilleAide(routines_, &stage_);
        feuille_aide_->setBackgroundFile(routines_.datas(QStringLiteral("106")));
    }
    return feuille_aide_;
}

EcranEpreuve* Game::epreuve(int k) {
    const auto& descriptions = descriptionsEpreuves();
    if (k < 0 || k >= int(descriptions.size()))
        return nullptr;
    EcranEpreuve*& screen = epreuves_[std::size_t(k)];
    if (!screen) {
        // Made on first use: a start-up builds only what the roster shows.
        const DescriptionEpreuve& d = descriptions[std::size_t(k)];
        screen = fabrique_ ? fabrique_(d, routines_, &stage_) : nullptr;
        if (!screen)
            screen = new EcranEpreuve(d, routines_, &stage_);
        screen->setBackgroundFile(routines_.datas(d.fond));
        screen->setAidePicture(divers_->aide());
        screen->setBouton(divers_->bouton());
    }
    return screen;
}

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
    // The start screen is made while the roster waits, once on screen, and
    // its pictures drawn meanwhile on other threads.
    std::weak_ptr<bool> vivant = vivant_;
    platform_.display().afterFirstFrame([this, vivant] {
        if (!vivant.expired() && !ended_)
            depart()->preparerEnAvance(platform_.display().sceneScale());
    });
    demande_prenom_->demarrer();
}

bool Game::quitRequested() {
    if (ended_)
        return true;
    // Before a player is chosen there is nothing new to save.
    if (stage_.active() == demande_prenom_ || !depart_ || depart_->isHidden()) {
        // The roster hides the pointer while it starts up: it goes back to
        // the desktop shown and free all the same.
        routines_.platform().cursor().release();
        routines_.montrer_souris();
        routines_.changer_resolution(routines_.largeur_initiale, routines_.hauteur_initiale);
        finir();
        return true;
    }
    // The window closed or a signal: what can be saved is, and the game ends.
    return depart_->quitter_jeu(Depart::Quitter::QuoiQuIlArrive);
}

} // namespace zm

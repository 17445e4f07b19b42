#pragma once
// The player roster, first screen of the game. Showing it starts the whole
// game up (display, pictures, saved players); then the child chooses a saved
// player, creates one on the on-screen keyboard, or deletes one, and "Jouer"
// goes on to the start screen.

#include "shell/save_file.h"
#include "shell/screen.h"

#include <array>
#include <functional>
#include <vector>

class QListWidget;
class QPushButton;

namespace zm {

class Depart;
class Divers;
class EcranEpreuve;

// The screens the roster leads to.
struct Ecrans {
    // The start screen, made the first time it is asked for.
    std::function<Depart*()> depart;
    // The exercise screen of a character (in the order of the characters),
    // made the first time it is asked for.
    std::function<EcranEpreuve*(int k)> epreuve;
};

class DemandePrenom : public Screen {
    Q_OBJECT
public:
    DemandePrenom(Routines& routines, const Divers& divers, const Ecrans& ecrans, QWidget* stage);

    // The start-up sequence, run once when the screen is first shown.
    void demarrer();
    // The first name as "Jouer" makes it: no outer blanks, single inner
    // blanks, capitals at the start of each part, "Inconnu" when empty.
    static QString normaliserPrenom(const QString& typed);
    // What the roster says of a damaged save file; empty when it was not.
    static QString messageFichierAbime(const ResultatLecture& lu);

    // Controls, named as in the game's design.
    std::array<Label*, 13> reponse{};
    QWidget* alphabet;
    std::array<QPushButton*, 26> lettre{};
    QPushButton* espace;
    Label* infos;
    Label* effacer;
    Label* label_effacer;
    QListWidget* liste_prenoms;
    Label* infos2;
    Label* nouveau_joueur;
    Label* image_nouveau_joueur;
    Label* label_supprimer_joueur;
    Label* image_supprimer_joueur;
    Label* fin_mot;
    Label* image_fin_mot;
    Label* avertissement;
    QWidget* inutile;
    int nombre_lettres = 0;

    void taperLettre(int i);
    void taperEspace();
    void effacerNom();
    void choisirJoueur();
    void nouveauJoueur();
    void supprimerJoueur();
    void jouer();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Label* bouton(const QString& name, const QString& imageName, QRect geometry,
                  const QString& caption, Label** image);
    void charger_images();
    void effacer_progression();
    void afficher_prenom(const QString& name);
    void montrerNom(const QString& name);
    void montrerInconnu();
    void viderNom();
    void placer(int n);
    void ajusterListe(int decalage);
    void montrerClavier(bool visible);
    void rafraichirScore();
    void ecrireDansPrenom(QChar c);

    const Divers& divers_;
    // The pictures under the buttons' captions.
    std::vector<Label*> imagesBoutons_;
    Ecrans ecrans_;
    // Clicks that come before the start-up has finished are not for the roster yet.
    bool pret_ = false;
    bool fini_ = false;
};

} // namespace zm

#pragma once
// What every screen shares: the current player's score and progress, the
// praise and reproach messages, the rotating sound numbers, and the
// procedures that take over the display for a screen, go back to the start
// screen, animate the score and play sounds. One object, handed to every
// screen, so that each test starts from a clean one.

#include "platform/platform.h"
#include "shell/emplacements.h"
#include "shell/routines_text.h"
#include "shell/save_file.h"

#include <QFile>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <span>

namespace zm {

class Label;
class Screen;
class Stage;

// What the shared procedures need of the start screen.
struct StartScreenLink {
    Screen* screen = nullptr;
    Label* label_score = nullptr;
    Timer* timer = nullptr;
};

// What the shared procedures need of the help sheet.
class HelpSheetLink {
public:
    virtual ~HelpSheetLink() = default;
    virtual void afficher_aide(const QString& titre, const QString& premier,
                               const QString& fin) = 0;
};

class Routines {
public:
    Routines(Platform& platform, Stage& stage, QString datasDir);

    Platform& platform() { return platform_; }
    Stage& stage() { return stage_; }
    // The path of a file of the data folder.
    QString datas(const QString& name) const;

    // --- shared variables ---------------------------------------------------
    qint32 score = 0;
    QString prenom;
    std::array<QString, 15> messages_reponse;
    qint16 indice_message = 0;
    QString texte_message, texte_question, texte_reponse, texte_article;
    int retour_aide = 0;
    int progression_trous = 0, progression_defilement = 0, progression_lecture2 = 0,
        progression_femelles = 0, progression_animaux = 0, progression_verbes = 0,
        progression_synonymes = 0, progression_pluriels = 0;
    qint16 progression_syllabes = 0;
    int numero_ambiance = 0, numero_bruitage = 0, numero_victoire = 0;
    qint16 numero_defaite = 0;
    float largeur_initiale = 0, hauteur_initiale = 0;
    // The roster: joueur_courant, nombre_joueurs, joueurs_sauvegardes and the slots.
    TableJoueurs joueurs;
    // File number 1: the text a reading exercise keeps open between events.
    std::unique_ptr<QFile> fichier1;

    // --- links to the screens the procedures reach --------------------------
    StartScreenLink depart;
    // Made the first time it is asked for.
    std::function<HelpSheetLink*()> feuille_aide;
    // Closes every screen: the program ends.
    std::function<void()> terminer;

    // --- procedures ---------------------------------------------------------
    void cacher_souris();
    void montrer_souris();
    void afficher_score(Screen& screen);
    void changer_resolution(double width, double height);
    void preparer_ecran(Screen& screen);
    void retour_depart(Screen& screen);
    void afficher_aide(const QString& titre, const QString& premier, const QString& fin);
    void placer_cases(int n, std::span<QWidget* const> cases);
    void jouer_ambiance();
    void jouer_bruitage();
    void jouer_son(const QString& name);
    void jouer_victoire();
    void jouer_defaite();

    // Adds points to the score (or takes them with a negative count), kept
    // within what the save file can hold.
    void ajouter_points(qint64 points);
    // Takes points away, never leaving the score below 0.
    void perdre_points(qint64 points);
    // "Score", a line break and the score: the text of every score label.
    QString texteScore() const;
    // The message after an answer (entry indice_message, + 7 when wrong); the
    // index then moves on and wraps from 7 to 0.
    QString messageReponse(bool juste);
    void preparer_messages();

    // The current player's live values into its slot of the roster table, and
    // back.
    void rangerJoueurCourant();
    // The current player's values into the table, then every player into
    // the save file. False, with the reason, when the file could not be
    // written.
    bool sauver_joueurs(QString* erreur);
    // Where the players are read and saved: datas/4.bin unless the game was
    // given other places.
    FichiersJoueurs fichiers_joueurs;
    void chargerJoueur(int slot);
    void effacerProgressions();

private:
    void jouerFichier(const QString& name);
    Platform& platform_;
    Stage& stage_;
    QString datasDir_;
};

// A position in a list of `count` rows: positions past the end, or negative
// ones from an edited save file, start the list again at 0.
int positionDansListe(qint64 progression, int count);

} // namespace zm

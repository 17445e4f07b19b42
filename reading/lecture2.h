#pragma once
// The erasing text: a text of datas/3.bin is shown, then vanishes word by
// word (each word turns red, then takes the colour of the box); its
// questions follow one by one, answered VRAI / FAUX or typed, each judged at
// once with its explanation; a summary gives the verdict and the points: 1
// per right answer at normal speed, 2 when fast; wrong answers cost nothing.

#include "platform/boite_texte.h"
#include "reading/fichier_lecture2.h"
#include "shell/ecran_epreuve.h"

#include <array>
#include <memory>

class QLineEdit;
class QRadioButton;

namespace zm {

class Timer;

class Lecture2 : public EcranEpreuve {
    Q_OBJECT
public:
    Lecture2(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);
    ~Lecture2() override;

    static const QString kIntroduction, kCommencer, kAutreTexte, kSuite;
    static constexpr int kDelaiNormal = 200, kDelaiRapide = 75;

    BoiteTexte* boite_texte;
    Label* effacement;
    Label* image_effacement;
    std::array<QRadioButton*, 2> celerite{};
    std::array<Label*, 2> oui_non{};   // 0: "VRAI", 1: "FAUX"
    std::array<Label*, 2> image_oui{}; // their button pictures
    QLineEdit* reponse;
    QWidget* invisible;
    Timer& effacer() { return *effacer_; }

    int delai_effacement = kDelaiNormal;
    int position_effacement = 1; // from 1, as the box's characters are counted
    int attente_suite = 0;
    int nb_questions = 0;
    QString titre_texte, texte_lu;
    std::array<qint16, kQuestionsMax> genre_question{};
    std::array<QString, kQuestionsMax> enonce, reponse_attendue, explication;
    int numero_question = 0;
    int nb_justes = 0, nb_fausses = 0;
    int debut_question = 0, fin_question = 0;

    // The verdict and the points line of a summary.
    static QString verdict(int nb_questions, int nb_justes, int nb_fausses, const QString& prenom);
    static QString lignePoints(int nb_justes, bool rapide, const QString& prenom);

    // Where the screen stands: what a click or a key may do.
    enum class Etape { Introduction, Lecture, Question, Suite, Bilan, Panne };
    Etape etape() const { return etape_; }
    // Why the texts cannot be read; empty while all is well.
    const QString& panne() const { return panne_; }

    void juger_reponse_tapee();

protected:
    void nouvelleVisite() override;
    void continuer() override { question_suivante(); }
    void visiteTerminee() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choisir_celerite(int i);
    void presenter();
    void commencer_lecture();
    bool ouvrirFichier();
    bool lire_texte();
    void effacer_mot();
    void montrer_question();
    void juger_vrai_faux(int i);
    void question_suivante();
    void bilan();
    void confiner_pointeur();
    void montrerReponses(bool visible);
    void montrerPanne();
    void ajouterEnCouleur(const QString& texte, const QColor& couleur);

    std::unique_ptr<Timer> effacer_;
    Etape etape_ = Etape::Introduction;
    bool motEnCours_ = false;
    bool pointeurDansBoite_ = false;
    // The place in the file of the record after the one read: what the
    // player's progress becomes once the text is done.
    int texteSuivant_ = 0;
    QString panne_;
};

} // namespace zm

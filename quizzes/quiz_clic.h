#pragma once
// The quizzes answered by a click: a phrase or a word from a built-in list,
// a few answer cards, one click to choose, the verdict at once (the right card
// blinks, the score moves) and a continue click for the next question. The
// screens differ in their list, their wording, their colours and the pace of
// the blink, given by the settings and the small hooks below.

#include "shell/ecran_epreuve.h"

#include <QStringList>
#include <variant>
#include <vector>

namespace zm {

class QuizClic : public EcranEpreuve {
    Q_OBJECT
public:
    // 0: waiting for a choice; 1: a card was just chosen and is being judged;
    // 2: the verdict is shown and a click goes on to the next question.
    enum Etat { Attente = 0, Choisi = 1, Verdict = 2 };

    // The player's place in the list: one of the progression_* of Routines.
    using Progression = std::variant<int Routines::*, qint16 Routines::*>;

    struct Reglage {
        QString liste; // the built-in list of the questions
        Progression progression;
        QString enonce; // object name of the phrase or word label
        QString carte;  // object names of the cards: carte(0), carte(1)...
        int cartes = 4;
        Bareme bareme;
        // The blink of the right card: yellow, then blue, `fois` times.
        int fois = 5, msJaune = 50, msBleu = 50;
    };

    QuizClic(const DescriptionEpreuve& description, Routines& routines, QWidget* stage,
             const Reglage& reglage);

    // The phrase or the word asked.
    Label* enonce;
    std::vector<Label*> cartes;
    int etat = Attente;
    // The card clicked, and the card that holds the right answer.
    int choix = 0;
    int place_reponse = 0;
    // 1 while a verdict is being given: no step starts meanwhile.
    int occupe = 0;

    const QStringList& liste() const { return liste_; }
    // Puts other rows in play (a test's own rows, for instance).
    void setListe(const QStringList& rows) { liste_ = rows; }

    int progression() const;
    void setProgression(int position);

protected:
    void nouvelleVisite() override;
    void continuer() override;
    void visiteTerminee() override { occupe = 0; }

    // Sets up the question at the player's place in the list.
    virtual void nouvelle_question() = 0;
    // A continue click after a verdict; by default the next question.
    virtual void questionSuivante() { nouvelle_question(); }
    // What a click on card i shows before it is judged: by default the cards
    // in black, the chosen one in blue, and the phrase completed with it.
    virtual void montrerChoix(int i);
    // The phrase as completed by a card's text.
    virtual QString enonceAvec(const QString& texte) const { return texte; }
    // The colours a verdict sets before its message.
    virtual void preparerVerdict(bool juste) = 0;
    // The comment of the verdict, built around the praise or reproach.
    virtual QString texteVerdict(bool juste, const QString& message) const = 0;
    // Whether the blink comes before the score moves.
    virtual bool clignoterAvantScore(bool juste) const {
        Q_UNUSED(juste);
        return false;
    }
    // What stays shown with the verdict, once the blink is over.
    virtual void apresVerdict() {}

    // The row at the player's place; past the end the list starts again.
    QString ligneCourante();
    // Judges the chosen card, or goes on after a verdict.
    void etape_suivante();

private:
    void cliquerCarte(int i);
    void verdict();
    Reglage reglage_;
    QStringList liste_;
};

} // namespace zm

#pragma once
// "LE PIEGE DES SYNONYMES": a word and four candidates in capitals; the player
// clicks the one that means the same or evokes the same idea.

#include "quizzes/quiz_clic.h"

namespace zm {

class Synonymes : public QuizClic {
    Q_OBJECT
public:
    Synonymes(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    static const QString kConsigne;

    Label* const mot_propose = enonce;
    const std::vector<Label*>& reponse = cartes;
    // "Un clic pour continuer...", shown only with a verdict.
    Label* label_aide;

protected:
    void nouvelleVisite() override;
    void nouvelle_question() override;
    void questionSuivante() override;
    // A candidate is judged as it is clicked.
    void montrerChoix(int) override {}
    void preparerVerdict(bool juste) override;
    QString texteVerdict(bool juste, const QString& message) const override;
    void apresVerdict() override { label_aide->show(); }

private:
    // The word, its colours and the instruction, as a new word is asked.
    void preparerMot();
};

} // namespace zm

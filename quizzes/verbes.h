#pragma once
// "MANIPULONS LES VERBES": the infinitive of the verb in capitals in a
// sentence, typed.

#include "quizzes/quiz_saisie.h"

namespace zm {

class Verbes : public QuizSaisie {
    Q_OBJECT
public:
    Verbes(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    Label* phrase;
    // The words of each tense code, 0 to 4.
    static QString motsDuTemps(int code);

protected:
    void nouvelle_partie() override;
    void question_suivante() override;
    // The answer is shown back in capitals, and judged without regard to case.
    QString answerShown(const QString& typed) const override;
    bool isRight(const QString& answer) const override;
    void showCorrection(bool right, const QString& message) override;
    void beforeJudging() override;
    // Leaving by `sortie` empties the box first.
    void visiteTerminee() override;

private:
    void charger_question();
};

} // namespace zm

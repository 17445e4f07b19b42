#pragma once
// "FEMININS ET PLURIELS": the one word of an expression that changes in the
// plural or the feminine, typed.

#include "quizzes/quiz_saisie.h"

namespace zm {

class Pluriels : public QuizSaisie {
    Q_OBJECT
public:
    Pluriels(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    Label* singulier;
    Label* article;
    // 1: the plural is asked; anything else: the feminine.
    int type_question = 0;

protected:
    void nouvelle_partie() override;
    void question_suivante() override;
    void showCorrection(bool right, const QString& message) override;
    // The cursor is not shown again after the judging on this screen.
    void afterJudging() override {}

private:
    void charger_question();
    void montrerQuestion(const QString& feminin);
};

} // namespace zm

#pragma once
// "LES ANIMAUX EN FAMILLE": the female or the young of an animal, typed.

#include "quizzes/quiz_saisie.h"

namespace zm {

class Femelles : public QuizSaisie {
    Q_OBJECT
public:
    Femelles(const DescriptionEpreuve& description, Routines& routines, QWidget* stage);

    Label* article;
    // 1: the female is asked; 2: the young.
    qint16 type_question = 0;

protected:
    void nouvelle_partie() override;
    void question_suivante() override;
    void showCorrection(bool right, const QString& message) override;

private:
    void charger_question();
    QString texteQuestion() const;
};

} // namespace zm

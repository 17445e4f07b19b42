#pragma once
// The typed-answer quizzes: a question from a built-in list, an answer typed
// in a box, Enter to judge it and Enter again to go on. A right answer earns
// 2 points, a wrong one costs 1 while the score is at least 1. The screens
// differ in their wording and colours, given by the small hooks below.

#include "shell/ecran_epreuve.h"

#include <QStringList>

class QLineEdit;

namespace zm {

class QuizSaisie : public EcranEpreuve {
    Q_OBJECT
public:
    static const QString kConsigne;

    QuizSaisie(const DescriptionEpreuve& description, Routines& routines, QWidget* stage,
               const QString& liste, int Routines::*progression);

    Label* question;
    QLineEdit* reponse;
    Label* solution;
    // 0: waiting for an answer; 1: the correction is shown, Enter goes on.
    int etat_reponse = 0;
    const QStringList& liste() const { return liste_; }

    // Enter in the answer box.
    void verifier_reponse();

protected:
    void nouvelleVisite() override { nouvelle_partie(); }
    virtual void nouvelle_partie() = 0;
    virtual void question_suivante() = 0;
    // The answer as the box shows it once judged (trimmed, lower case).
    virtual QString answerShown(const QString& typed) const;
    virtual bool isRight(const QString& answer) const;
    // Writes the correction and colours it.
    virtual void showCorrection(bool right, const QString& message) = 0;
    virtual void beforeJudging() {}
    virtual void afterJudging();

    int& progression() { return routines.*progression_; }
    // The current row of the list; past the end the list starts again.
    QString ligneCourante();
    // Splits a row "type,question,answer,article" into the shared fields;
    // returns the type.
    int lireQuestion(const QString& row);
    // The box emptied, unlocked, in black, with the keyboard focus.
    void viderReponse();
    void setAnswerColours(const QColor& text, const QColor& background = {});

private:
    QStringList liste_;
    int Routines::*progression_;
};

} // namespace zm

#include "quizzes/quiz_saisie.h"

#include "shell/listes.h"
#include "shell/routines.h"
#include "shell/saisie.h"

#include <QLineEdit>

namespace zm {

const QString QuizSaisie::kConsigne = QStringLiteral(
    "Entrez votre réponse dans le cadre ci-dessus puis appuyez sur la touche Entrée.");

QuizSaisie::QuizSaisie(const DescriptionEpreuve& description, Routines& routines, QWidget* stage,
                       const QString& liste, int Routines::*progression)
    : EcranEpreuve(description, routines, stage), liste_(listeIntegree(liste)),
      progression_(progression) {
    question = addLabel(QStringLiteral("question"), {});
    question->setAlignment(Qt::AlignCenter);
    question->setWordWrap(true);
    question->setBold(true);

    reponse = boiteReponse(this, {}, 20, 40, [this] { verifier_reponse(); });
    setAnswerColours(kNoir, Qt::white);

    solution = addLabel(QStringLiteral("solution"), {}, kConsigne);
    solution->setAlignment(Qt::AlignCenter);
    solution->setWordWrap(true);
    solution->setPointSize(14);
    solution->setBold(true);
}

QString QuizSaisie::ligneCourante() {
    return ligneCirculaire(liste_, progression());
}

int QuizSaisie::lireQuestion(const QString& row) {
    // The type is the one character before the first comma; the article is
    // all that follows the third field.
    const qsizetype p1 = row.indexOf(QChar(u','), 2);
    const qsizetype p2 = p1 < 0 ? -1 : row.indexOf(QChar(u','), p1 + 1);
    routines.texte_question = row.mid(2, p1 < 0 ? -1 : p1 - 2);
    routines.texte_reponse = p1 < 0 ? QString() : row.mid(p1 + 1, p2 < 0 ? -1 : p2 - p1 - 1);
    routines.texte_article = p2 < 0 ? QString() : row.mid(p2 + 1);
    return row.left(1).toInt();
}

void QuizSaisie::viderReponse() {
    reponse->clear();
    reponse->setReadOnly(false);
    setAnswerColours(kNoir);
    reponse->setFocus();
}

void QuizSaisie::setAnswerColours(const QColor& text, const QColor& background) {
    QPalette p = reponse->palette();
    p.setColor(QPalette::Text, text);
    if (background.isValid())
        p.setColor(QPalette::Base, background);
    reponse->setPalette(p);
}

QString QuizSaisie::answerShown(const QString& typed) const {
    return typed.trimmed().toLower();
}

bool QuizSaisie::isRight(const QString& answer) const {
    return memeReponse(answer, routines.texte_reponse);
}

void QuizSaisie::afterJudging() {
    routines.montrer_souris();
}

void QuizSaisie::verifier_reponse() {
    if (reponse->text().trimmed().isEmpty()) {
        reponse->setFocus();
        reponse->clear();
        return;
    }
    if (etat_reponse == 1) {
        question_suivante();
        return;
    }
    // The next visit starts from the following row, whatever the outcome.
    progression() += 1;
    etat_reponse = 1;
    beforeJudging();
    reponse->setText(answerShown(reponse->text()));
    reponse->end(false);
    reponse->setReadOnly(true);
    const bool right = isRight(reponse->text());
    juger(right, {.gain = 2, .perte = 1},
          [&](const QString& message) { showCorrection(right, message); });
    afterJudging();
}

} // namespace zm

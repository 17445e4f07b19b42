#include "quizzes/pluriels.h"

#include "shell/routines.h"

#include <QLineEdit>

namespace zm {
namespace {

const QString kPluriel =
    QStringLiteral("Connaissez-vous le PLURIEL de ce mot ou de cette expression ?");
// A fresh start asks for the feminine in these words, a next question in
// the second ones, with their hyphen and accent.
const QString kFemininAuDebut =
    QStringLiteral("Connaissez vous le FEMININ de ce mot ou de cette expression ?");
const QString kFemininEnsuite =
    QStringLiteral("Connaissez-vous le FÉMININ de ce mot ou de cette expression ?");

} // namespace

Pluriels::Pluriels(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : QuizSaisie(description, routines, stage, QStringLiteral("quizzes/liste_pluriels.txt"),
                 &Routines::progression_pluriels) {
    question->setGeometry(90, 82, 620, 72);
    question->setPointSize(16);
    question->setCaption(kFemininAuDebut);
    singulier =
        addLabel(QStringLiteral("singulier"), QRect(60, 160, 680, 60), QStringLiteral("LANDAU"));
    singulier->setAlignment(Qt::AlignCenter);
    singulier->setPointSize(26);
    singulier->setBold(true);
    singulier->setTextColour(QColor(0, 0, 128));
    article =
        addLabel(QStringLiteral("article"), QRect(60, 245, 270, 50), QStringLiteral("une bonne"));
    article->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    article->setIndent(12);
    article->setPointSize(20);
    article->setBold(true);
    reponse->setGeometry(340, 245, 330, 50);
    solution->setGeometry(60, 320, 680, 150);
}

void Pluriels::charger_question() {
    type_question = lireQuestion(ligneCourante());
    setAnswerColours(kNoir, type_question == 1 ? kCyan : kJaune);
}

void Pluriels::montrerQuestion(const QString& feminin) {
    question->setCaption(type_question == 1 ? kPluriel : feminin);
    singulier->setCaption(routines.texte_question.toUpper());
    article->setCaption(routines.texte_article);
}

void Pluriels::nouvelle_partie() {
    solution->setCaption(kConsigne);
    viderReponse();
    solution->setTextColour(kNoir);
    question->setTextColour(kNoir);
    etat_reponse = 0;
    routines.montrer_souris();
    charger_question();
    montrerQuestion(kFemininAuDebut);
    label_score->setCaption(routines.texteScore());
}

void Pluriels::question_suivante() {
    etat_reponse = 0;
    charger_question();
    montrerQuestion(kFemininEnsuite);
    viderReponse();
    solution->setTextColour(kNoir);
    question->setTextColour(kNoir);
    solution->setCaption(kConsigne);
}

void Pluriels::showCorrection(bool right, const QString& message) {
    solution->setCaption(message + QStringLiteral("\r") + routines.texte_question.toUpper() +
                         QStringLiteral(" --> ") + routines.texte_article.toUpper() +
                         QStringLiteral(" ") + routines.texte_reponse.toUpper() +
                         QStringLiteral("\rAppuyez sur ENTREE pour continuer..."));
    const QColor couleur = right ? kBleu : kRouge;
    setAnswerColours(couleur);
    solution->setTextColour(couleur);
}

} // namespace zm

#include "quizzes/femelles.h"

#include "shell/routines.h"

#include <QLineEdit>

namespace zm {

Femelles::Femelles(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : QuizSaisie(description, routines, stage, QStringLiteral("quizzes/liste_femelles.txt"),
                 &Routines::progression_femelles) {
    question->setGeometry(60, 110, 680, 80);
    question->setPointSize(20);
    question->setCaption(QStringLiteral("Quelle est la FEMELLE du sanglier ?"));
    article = addLabel(QStringLiteral("article"), QRect(150, 230, 150, 50));
    article->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    article->setIndent(12);
    article->setPointSize(20);
    article->setBold(true);
    article->setBackgroundColour(Qt::white);
    reponse->setGeometry(310, 230, 330, 50);
    solution->setGeometry(60, 310, 680, 150);
}

void Femelles::charger_question() {
    type_question = qint16(lireQuestion(ligneCourante()));
}

QString Femelles::texteQuestion() const {
    return type_question == 1 ? QStringLiteral("Quelle est la FEMELLE ") + routines.texte_question +
                                    QStringLiteral(" ?")
                              : QStringLiteral("Comment s'appelle le PETIT ") +
                                    routines.texte_question + QStringLiteral(" ?");
}

void Femelles::nouvelle_partie() {
    solution->setTextColour(kNoir);
    etat_reponse = 0;
    article->setTextColour(kNoir);
    viderReponse();
    solution->setCaption(kConsigne);
    charger_question();
    // The colours of the boxes stay as the last question left them.
    question->setCaption(texteQuestion());
    article->setCaption(routines.texte_article);
    label_score->setCaption(routines.texteScore());
}

void Femelles::question_suivante() {
    etat_reponse = 0;
    charger_question();
    viderReponse();
    solution->setTextColour(kNoir);
    article->setTextColour(kNoir);
    solution->setCaption(kConsigne);
    const QColor fond = type_question == 1 ? kCyan : kJaune;
    question->setCaption(texteQuestion());
    setAnswerColours(kNoir, fond);
    article->setBackgroundColour(fond);
    article->setCaption(routines.texte_article);
}

void Femelles::showCorrection(bool right, const QString& message) {
    // "l'" is joined to the answer; any other article is followed by a blank.
    const QString separateur =
        routines.texte_article.compare(QStringLiteral("l'"), Qt::CaseInsensitive) == 0
            ? QString()
            : QStringLiteral(" ");
    routines.texte_message =
        (type_question == 1 ? QStringLiteral("La FEMELLE ") : QStringLiteral("Le PETIT ")) +
        routines.texte_question + (right ? QStringLiteral(" est bien ") : QStringLiteral(" est ")) +
        routines.texte_article + separateur + routines.texte_reponse.toUpper() +
        QStringLiteral(" !");
    solution->setCaption(message + QStringLiteral("\r") + routines.texte_message +
                         QStringLiteral("\rAppuyez sur la touche ENTREE pour continuer..."));
    const QColor couleur = right ? kBleu : kRouge;
    setAnswerColours(couleur);
    solution->setTextColour(couleur);
    article->setTextColour(couleur);
}

} // namespace zm

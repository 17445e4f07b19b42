#include "quizzes/verbes.h"

#include "shell/routines.h"
#include "shell/saisie.h"

#include <QLineEdit>

namespace zm {

Verbes::Verbes(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : QuizSaisie(description, routines, stage, QStringLiteral("quizzes/liste_verbes.txt"),
                 &Routines::progression_verbes) {
    question->setGeometry(80, 50, 580, 72);
    question->setPointSize(15);
    question->setCaption(
        QStringLiteral("Inscrivez l'infinitif du verbe conjugué dans la phrase suivante"));
    phrase = addLabel(QStringLiteral("phrase"), QRect(50, 138, 700, 100),
                      QStringLiteral("J'ai bien appris ma leçon."));
    phrase->setAlignment(Qt::AlignCenter);
    phrase->setWordWrap(true);
    phrase->setPointSize(20);
    phrase->setBold(true);
    phrase->setTextColour(QColor(0, 0, 128));
    reponse->setGeometry(210, 265, 380, 50);
    solution->setGeometry(50, 345, 700, 120);
}

QString Verbes::motsDuTemps(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("au passé simple");
    case 1:
        return QStringLiteral("à l'imparfait");
    case 2:
        return QStringLiteral("au futur simple");
    case 3:
        return QStringLiteral("au présent");
    case 4:
        return QStringLiteral("au passé composé");
    default:
        return {};
    }
}

void Verbes::charger_question() {
    const QString row = ligneCourante();
    const QStringList fields = row.split(QChar(u','));
    auto field = [&](int i) { return i < fields.size() ? fields[i] : QString(); };
    routines.texte_question = field(0);
    routines.texte_reponse = field(1);
    routines.texte_article = field(2);
    bool known = false;
    const int code = field(3).trimmed().toInt(&known);
    solution->setCaption(QStringLiteral("Le verbe est ") + motsDuTemps(known ? code : -1) +
                         QStringLiteral(".\rEntrez votre réponse dans le cadre ci-dessus puis "
                                        "appuyez sur Entrée."));
    question->setCaption(QStringLiteral("Quel est l'infinitif de ") +
                         routines.texte_reponse.toUpper() +
                         QStringLiteral(" dans la phrase suivante ?"));
    phrase->setCaption(routines.texte_question);
    routines.jouer_bruitage();
}

void Verbes::nouvelle_partie() {
    label_score->setCaption(routines.texteScore());
    solution->setTextColour(kNoir);
    etat_reponse = 0;
    viderReponse();
    charger_question();
}

void Verbes::question_suivante() {
    etat_reponse = 0;
    charger_question();
    const int c = routines.platform().random().between(0, 2);
    setAnswerColours(kNoir, c == 0 ? kCyan : c == 1 ? kJaune : kVert);
    viderReponse();
    solution->setTextColour(kNoir);
}

QString Verbes::answerShown(const QString& typed) const {
    return typed.trimmed().toUpper();
}

bool Verbes::isRight(const QString& answer) const {
    return memeReponse(answer, routines.texte_article);
}

void Verbes::beforeJudging() {
    routines.cacher_souris();
}

void Verbes::showCorrection(bool right, const QString& message) {
    solution->setCaption(message + QStringLiteral("\r") + routines.texte_reponse.toUpper() +
                         QStringLiteral("   -->   ") + routines.texte_article.toUpper() +
                         QStringLiteral("\rAppuyez sur la touche ENTREE pour continuer..."));
    const QColor couleur = right ? kBleu : kRouge;
    setAnswerColours(couleur);
    solution->setTextColour(couleur);
}

void Verbes::visiteTerminee() {
    reponse->clear();
}

} // namespace zm

#include "quizzes/synonymes.h"

#include "shell/routines.h"

namespace zm {

const QString Synonymes::kConsigne =
    QStringLiteral("Cliquez sur le synonyme du mot proposé ou sur le mot évoquant la même idée.");

Synonymes::Synonymes(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : QuizClic(description, routines, stage,
               {.liste = QStringLiteral("quizzes/liste_synonymes.txt"),
                .progression = &Routines::progression_synonymes,
                .enonce = QStringLiteral("mot_propose"),
                .carte = QStringLiteral("reponse"),
                .cartes = 4,
                .bareme = {.gain = 2, .perte = 1},
                .fois = 5,
                .msJaune = 100,
                .msBleu = 100}) {
    mot_propose->setGeometry(130, 88, 540, 64);
    mot_propose->setPointSize(28);
    for (int i = 0; i < 4; ++i)
        reponse[std::size_t(i)]->setGeometry(250, 166 + 58 * i, 300, 48);
    // Yellow reads on a dark plate only.
    label_aide = addLabel(QStringLiteral("label_aide"), QRect(235, 410, 330, 34),
                          QStringLiteral("Un clic pour continuer..."));
    label_aide->setAlignment(Qt::AlignCenter);
    label_aide->setPointSize(14);
    label_aide->setBold(true);
    label_aide->setColours(kJaune, QColor(0, 0, 128));
    label_aide->setCursor(Qt::PointingHandCursor);
    label_aide->hide();
    connect(label_aide, &Label::clicked, this, [this] { continuer(); });
    commentaire->setGeometry(34, 456, 632, 92);
    commentaire->setPointSize(14);
}

void Synonymes::preparerMot() {
    etat = Attente;
    label_aide->hide();
    for (Label* carte : reponse)
        carte->setTextColour(kNoir);
    commentaire->setTextColour(kBleu);
    commentaire->setCaption(kConsigne);
}

void Synonymes::nouvelleVisite() {
    QuizClic::nouvelleVisite();
    preparerMot();
    nouvelle_question();
}

void Synonymes::questionSuivante() {
    preparerMot();
    nouvelle_question();
}

void Synonymes::nouvelle_question() {
    // The word, the four candidates, then the index of the right one as the
    // row's last character.
    const QString ligne = ligneCourante();
    const QStringList champs = ligne.split(QChar(u','));
    place_reponse = ligne.isEmpty() ? 0 : std::clamp(ligne.right(1).toInt(), 0, 3);
    routines.jouer_bruitage();
    mot_propose->setCaption(champs.value(0).toUpper());
    for (int k = 0; k < 4; ++k)
        reponse[std::size_t(k)]->setCaption(champs.value(k + 1).toUpper());
}

void Synonymes::preparerVerdict(bool juste) {
    commentaire->setTextColour(juste ? kBleu : kRouge);
    reponse[std::size_t(choix)]->setTextColour(kRouge);
}

QString Synonymes::texteVerdict(bool, const QString& message) const {
    return message + QStringLiteral("  ") + mot_propose->caption() + QStringLiteral(" --> ") +
           reponse[std::size_t(place_reponse)]->caption();
}

} // namespace zm

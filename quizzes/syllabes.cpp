#include "quizzes/syllabes.h"

#include "shell/routines.h"

#include <algorithm>

namespace zm {

const QString Syllabes::kConsigne =
    QStringLiteral("Quelle syllabe choisir\rpour compléter ce mot ?");

const std::array<std::array<const char*, 3>, 4> Syllabes::kGroupes = {{
    {"f", "ff", "ph"},
    {"c", "qu", "k"},
    {"et", "ai", "é"},
    {"eau", "o", "au"},
}};

Syllabes::Syllabes(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : QuizClic(description, routines, stage,
               {.liste = QStringLiteral("quizzes/liste_syllabes.txt"),
                .progression = &Routines::progression_syllabes,
                .enonce = QStringLiteral("label_mot"),
                .carte = QStringLiteral("syl"),
                .cartes = 3,
                .bareme = {.gain = 1, .perte = 1},
                .fois = 4,
                .msJaune = 75,
                .msBleu = 100}) {
    label_mot->setGeometry(60, 100, 680, 96);
    label_mot->setPointSize(26);
    label_mot->setFrameShape(QFrame::Box);
    for (int i = 0; i < 3; ++i)
        syl[std::size_t(i)]->setGeometry(175 + 170 * i, 236, 130, 84);
    for (Label* carte : syl)
        carte->setPointSize(32);
    commentaire->setGeometry(34, 412, 632, 136);
    commentaire->setPointSize(15);
    std::vector<Label*> labels = syl;
    labels.push_back(label_mot);
    labels.push_back(commentaire);
    for (Label* label : labels) {
        label->setBackgroundColour(kCyan);
        // Letters are told apart here: "ff" and "fi" drawn as one sign would
        // hide the very letters asked. A spacing, however small, keeps the
        // letters apart.
        QFont police = label->font();
        police.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
        label->setFont(police);
    }
}

void Syllabes::montrerConsigne() {
    commentaire->setCaption(kConsigne);
    commentaire->setTextColour(kNoir);
}

void Syllabes::nouvelleVisite() {
    QuizClic::nouvelleVisite();
    for (Label* carte : syl)
        carte->setTextColour(kNoir);
    label_mot->setTextColour(kNoir);
    montrerConsigne();
    nouvelle_question();
}

void Syllabes::questionSuivante() {
    // The next phrase comes on a new colour: cyan, yellow or green.
    const QColor couleurs[3] = {kCyan, kJaune, kVert};
    const QColor fond = couleurs[routines.platform().random().between(0, 2)];
    for (Label* carte : syl) {
        carte->setBackgroundColour(fond);
        carte->setTextColour(kNoir);
    }
    label_mot->setBackgroundColour(fond);
    commentaire->setBackgroundColour(fond);
    montrerConsigne();
    nouvelle_question();
}

void Syllabes::nouvelle_question() {
    // "group,phrase with --,complete phrase,index of the right letter group"
    const QString ligne = ligneCourante();
    groupe = ligne.section(QChar(u','), 0, 0);
    const qsizetype p1 = ligne.indexOf(QChar(u','), 2);
    const qsizetype p2 = p1 < 0 ? -1 : ligne.indexOf(QChar(u','), p1 + 1);
    routines.texte_question = ligne.mid(2, p1 < 0 ? -1 : p1 - 2);
    routines.texte_reponse = p1 < 0 ? QString() : ligne.mid(p1 + 1, p2 < 0 ? -1 : p2 - p1 - 1);
    place_reponse = p2 < 0 ? 0 : std::clamp(ligne.mid(p2 + 1).toInt(), 0, 2);
    routines.texte_message = routines.texte_question;
    label_mot->setCaption(QStringLiteral(" ") + routines.texte_question + QStringLiteral(" "));
    bool nombre = false;
    const int g = groupe.toInt(&nombre);
    // Any other group number leaves the letter groups as they were.
    if (nombre && g >= 1 && g <= 4)
        for (std::size_t i = 0; i < 3; ++i)
            syl[i]->setCaption(QString::fromUtf8(kGroupes[std::size_t(g - 1)][i]));
    etat = Attente;
}

QString Syllabes::enonceAvec(const QString& lettres) const {
    const QString& phrase = routines.texte_message;
    const qsizetype p = phrase.indexOf(QStringLiteral("--"));
    const QString complete = p < 0 ? phrase : phrase.left(p) + lettres + phrase.mid(p + 2);
    return QStringLiteral(" ") + complete + QStringLiteral(" ");
}

void Syllabes::preparerVerdict(bool juste) {
    if (juste)
        return;
    commentaire->setTextColour(kRouge);
    syl[std::size_t(choix)]->setTextColour(kRouge);
}

QString Syllabes::texteVerdict(bool juste, const QString& message) const {
    const QString phrase = routines.texte_reponse.toUpper() + QStringLiteral(" !");
    return (juste ? phrase + QStringLiteral("\r") + message
                  : message + QStringLiteral("\r") + phrase) +
           QStringLiteral("\rUn clic pour continuer...");
}

} // namespace zm

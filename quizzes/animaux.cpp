#include "quizzes/animaux.h"

#include "shell/listes.h"
#include "shell/routines.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace zm {
namespace {

const QString kTirets = QStringLiteral("---");

// The saying with `nom` in place of its dashes (no blank is added, so that
// "L'---" reads "L'araignée").
QString completer(const QString& expression, const QString& nom) {
    const qsizetype p = expression.indexOf(kTirets);
    if (p < 0)
        return expression;
    return expression.left(p) + nom + expression.mid(p + kTirets.size());
}

// French sets a blank before "!", "?", ":" and ";": the sign stays on the
// line of the word before it.
QString insecable(QString texte) {
    static const QRegularExpression blanc(QStringLiteral(" (?=[!?:;])"));
    return texte.replace(blanc, QString(QChar(0xA0)));
}

} // namespace

const QString Animaux::kConsigne =
    QStringLiteral("Quel est le nom d'animal qui complète cette expression ?");

Animaux::Animaux(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : QuizClic(description, routines, stage,
               {.liste = QStringLiteral("quizzes/liste_animaux.txt"),
                .progression = &Routines::progression_animaux,
                .enonce = QStringLiteral("phrase"),
                .carte = QStringLiteral("reponse"),
                .cartes = 4,
                .bareme = {.gain = 2, .perte = 1},
                .fois = 5,
                .msJaune = 50,
                .msBleu = 50}),
      noms_(listeIntegree(QStringLiteral("quizzes/noms_animaux.txt"))) {
    phrase->setGeometry(80, 96, 640, 120);
    phrase->setPointSize(22);
    phrase->setCaption(QStringLiteral("J'ai bien appris ma leçon."));
    for (int i = 0; i < 4; ++i) {
        reponse[std::size_t(i)]->setGeometry(130 + 280 * (i % 2), 236 + 76 * (i / 2), 260, 58);
        reponse[std::size_t(i)]->setCaption(QStringLiteral("éléphant"));
    }
    commentaire->setGeometry(34, 400, 632, 148);
    commentaire->setPointSize(14);
    commentaire->setCaption(kConsigne);
}

void Animaux::nouvelleVisite() {
    QuizClic::nouvelleVisite();
    nouvelle_question();
}

void Animaux::choisir_expression() {
    const QString ligne = ligneCourante();
    const qsizetype virgule = ligne.indexOf(QChar(u','));
    routines.texte_question = virgule < 0 ? ligne : ligne.left(virgule);
    routines.texte_reponse = virgule < 0 ? QString() : ligne.mid(virgule + 1);
}

QString Animaux::nomTire() {
    if (noms_.isEmpty())
        return {};
    const double r = routines.platform().random().next();
    const auto k = std::lround(double(noms_.size() - 1) * r);
    return noms_[std::clamp<qsizetype>(k, 0, noms_.size() - 1)];
}

bool Animaux::nomLibre(const QString& nom) const {
    if (nom == routines.texte_reponse)
        return false;
    for (const Label* carte : reponse)
        if (carte->caption() == nom)
            return false;
    return true;
}

void Animaux::nouvelle_question() {
    commentaire->setCaption(QStringLiteral("\n") + kConsigne);
    for (Label* carte : reponse) {
        carte->clear();
        carte->setTextColour(kNoir);
    }
    etat = Attente;
    commentaire->setTextColour(kBleu);
    phrase->setTextColour(kBleu);
    choisir_expression();
    phrase->setCaption(insecable(routines.texte_question));

    Random& random = routines.platform().random();
    random.seedFromClock();
    place_reponse = random.between(0, 3);
    reponse[std::size_t(place_reponse)]->setCaption(routines.texte_reponse);
    for (int i = 0; i < 4; ++i) {
        if (i == place_reponse)
            continue;
        // Drawn again until the name is new; a list too short to give one
        // (never the built-in one) takes the first free name in its order.
        QString nom = nomTire();
        for (int essai = 1; !nomLibre(nom) && essai < 1000; ++essai)
            nom = nomTire();
        for (qsizetype k = 0; !nomLibre(nom) && k < noms_.size(); ++k)
            nom = noms_[k];
        reponse[std::size_t(i)]->setCaption(nomLibre(nom) ? nom : QString());
    }
}

QString Animaux::enonceAvec(const QString& nom) const {
    return insecable(completer(routines.texte_question, nom));
}

void Animaux::preparerVerdict(bool juste) {
    routines.texte_message = completer(routines.texte_question, routines.texte_reponse);
    if (juste)
        return;
    phrase->setTextColour(kRouge);
    commentaire->setTextColour(kRouge);
    reponse[std::size_t(choix)]->setTextColour(kRouge);
}

QString Animaux::texteVerdict(bool, const QString& message) const {
    return message + QStringLiteral("\n") + insecable(routines.texte_message.toUpper()) +
           QStringLiteral("\nUn clic pour continuer...");
}

} // namespace zm

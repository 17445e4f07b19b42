#include "reading/suite.h"

#include "shell/liste_mots.h"
#include "shell/routines.h"

#include <algorithm>

namespace zm {
namespace {

// The words stand in two columns of five: word 2r on the left of row r,
// word 2r + 1 on its right.
QRect placeMot(int i) {
    constexpr int kLargeur = 250, kHauteur = 46, kEcart = 24;
    const int gauche = i % 2 == 0 ? 400 - kEcart / 2 - kLargeur : 400 + kEcart / 2;
    return QRect(gauche, 92 + 58 * (i / 2), kLargeur, kHauteur);
}

// First word of the series drawn from liste_mots.
constexpr int kPremierMotMax = 133;

} // namespace

const QString Suite::kCache = QStringLiteral("? ? ?");

const std::array<QString, 21> Suite::ordinaux = {
    QStringLiteral("premier"),      QStringLiteral("deuxième"),     QStringLiteral("troisième"),
    QStringLiteral("quatrième"),    QStringLiteral("cinquième"),    QStringLiteral("sixième"),
    QStringLiteral("septième"),     QStringLiteral("huitième"),     QStringLiteral("neuvième"),
    QStringLiteral("dixième"),      QStringLiteral("onzième"),      QStringLiteral("douzième"),
    QStringLiteral("treizième"),    QStringLiteral("quatorzième"),  QStringLiteral("quinzième"),
    QStringLiteral("seizième"),     QStringLiteral("dix-septième"), QStringLiteral("dix-huitième"),
    QStringLiteral("dix-neuvième"), QStringLiteral("vingtième"),    QString()};

Suite::Suite(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage) {
    for (int i = 0; i < 10; ++i) {
        mot_memoire[std::size_t(i)] =
            addCarte(QStringLiteral("mot_memoire(%1)").arg(i), placeMot(i), 18);
        mot_memoire[std::size_t(i)]->setCaption(kCache);
        connect(mot_memoire[std::size_t(i)], &Label::clicked, this, [this, i] { clic_mot(i); });
    }
    // Four lines: the praise, the word named, a blank line and the next
    // word to click. The panel covers the background's comment band.
    commentaire->setGeometry(34, 398, 632, 150);
    commentaire->setPointSize(14);
    commentaire->setBold(true);
    commentaire->setBackgroundColour(QColor(255, 255, 255));
    commentaire->setCaption(QStringLiteral("commentaire"));
}

void Suite::nouvelle_partie() {
    commentaire->setTextColour(kNoir);
    commentaire->setCaption(
        QStringLiteral("Retenez bien l'ordre des mots que je vais vous proposer.\n\nUn clic pour "
                       "commencer..."));
    EcranEpreuve::nouvelleVisite();
    attente_clic = 1;
    rang_nouveau = 0;
    rang_attendu = 0;
    for (Label* mot : mot_memoire) {
        mot->setCaption(kCache);
        mot->setTextColour(kNoir);
    }
    etat_jeu = 1;
}

void Suite::clic_commentaire() {
    routines.jouer_bruitage();
    if (attente_clic != 1)
        return;
    attente_clic = 0;
    if (rang_nouveau == 0 && rang_attendu == 0) {
        tirer_mots();
        commentaire->clear();
    }
    etat_jeu = 0;
    montrer_mot();
}

void Suite::tirer_mots() {
    Random& random = routines.platform().random();
    random.seedFromClock();
    const int b = random.between(0, kPremierMotMax);
    for (int i = 0; i < 10; ++i) {
        Label* mot = mot_memoire[std::size_t(i)];
        mot->setCaption(liste_mots().value(b + i));
        mot->setTextColour(kNoir);
    }
    // A word may come back in the series, even twice in a row.
    for (QString& mot : serie) {
        random.seedFromClock();
        mot = mot_memoire[std::size_t(std::clamp(random.between(0, 9), 0, 9))]->caption();
    }
    etat_jeu = 0;
}

void Suite::montrer_mot() {
    for (Label* mot : mot_memoire)
        mot->setTextColour(kNoir);
    commentaire->setTextColour(kNoir);
    commentaire->setCaption(
        commentaire->caption() + ordinaux[std::size_t(rang_nouveau)].toUpper() +
        QStringLiteral(" mot de la liste : ") + serie[std::size_t(rang_nouveau)].toUpper() +
        QStringLiteral("\n\nCliquez sur le ") + ordinaux[std::size_t(rang_attendu)].toUpper() +
        QStringLiteral(" mot qui a été proposé..."));
}

bool Suite::signaler_mot() {
    const QString& attendu = serie[std::size_t(rang_attendu)];
    // When the word is shown twice, the first of them blinks.
    const auto mot = std::find_if(mot_memoire.begin(), mot_memoire.end(),
                                  [&](Label* m) { return m->caption() == attendu; });
    if (mot == mot_memoire.end())
        return enJeu();
    return clignoter({.labels = {*mot},
                      .allume = kJaune,
                      .eteint = kBleu,
                      .fois = 5,
                      .msAllume = 50,
                      .msEteint = 50,
                      .attente = Clignotement::Attente::Retenir});
}

void Suite::clic_mot(int i) {
    if (etat_jeu != 0)
        return;
    routines.jouer_bruitage();
    if (mot_memoire[std::size_t(i)]->caption() == serie[std::size_t(rang_attendu)])
        bonClic();
    else
        mauvaisClic();
}

void Suite::bonClic() {
    if (!signaler_mot())
        return;
    commentaire->setTextColour(kBleu);
    if (rang_attendu == rang_nouveau) {
        // The whole series was clicked back: it earns one point a word but
        // the last one, which was named.
        if (rang_nouveau > 0) {
            routines.ajouter_points(rang_nouveau);
            routines.jouer_victoire();
            routines.afficher_score(*this);
        }
        rang_nouveau += 1;
        rang_attendu = 0;
        centrerSouris();
    } else {
        rang_attendu += 1;
    }
    commentaire->setCaption(routines.messageReponse(true) + QStringLiteral(" "));
    if (rang_nouveau >= kRecord) {
        etat_jeu = 1;
        rang_nouveau = 0;
        rang_attendu = 0;
        attente_clic = 1;
        commentaire->setCaption(QStringLiteral("Félicitations ") + routines.prenom +
                                QStringLiteral(" !\nVous avez atteint le record absolu de vingt "
                                               "mots !\nUn clic pour recommencer une partie..."));
        return;
    }
    montrer_mot();
}

void Suite::mauvaisClic() {
    routines.jouer_defaite();
    commentaire->setTextColour(kRouge);
    etat_jeu = 1;
    // The reproach does not move the messages on.
    const int indice = std::clamp<int>(routines.indice_message, 0, 6);
    commentaire->setCaption(
        routines.messages_reponse[std::size_t(indice + 7)] + QStringLiteral("\rLe ") +
        ordinaux[std::size_t(rang_attendu)].toUpper() + QStringLiteral(" mot était ") +
        serie[std::size_t(rang_attendu)].toUpper() +
        QStringLiteral(" !\nUn clic pour recommencer une partie..."));
    // As many points as the series would have earned; 1 in the first one.
    const qint32 avant = routines.score;
    routines.perdre_points(std::max(1, rang_nouveau));
    if (routines.score != avant)
        routines.afficher_score(*this);
    centrerSouris();
    if (!signaler_mot())
        return;
    rang_nouveau = 0;
    rang_attendu = 0;
    attente_clic = 1;
}

void Suite::centrerSouris() {
    routines.platform().cursor().setPos(QPoint(width() / 2, height() / 2));
}

} // namespace zm

#include "reading/liste.h"

#include "shell/liste_mots.h"
#include "shell/routines.h"

namespace zm {
namespace {} // namespace

const QString Liste::kCache = QStringLiteral("? ? ?");
const QString Liste::kCommencer = QStringLiteral("COMMENCER");
const QString Liste::kQuestion = QStringLiteral("Quel est ce mot ?");

const std::array<QString, 9> Liste::ordinaux = {
    QStringLiteral("premier"),   QStringLiteral("deuxième"),  QStringLiteral("troisième"),
    QStringLiteral("quatrième"), QStringLiteral("cinquième"), QStringLiteral("sixième"),
    QStringLiteral("septième"),  QStringLiteral("huitième"),  QStringLiteral("dernier")};

Liste::Liste(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage) {
    melange = addCarte(QStringLiteral("melange"), QRect(150, 100, 500, 96), 32);
    melange->setCaption(kCommencer);
    connect(melange, &Label::clicked, this, [this] { lancer_tour(); });
    for (int i = 0; i < 3; ++i) {
        Label* r =
            addCarte(QStringLiteral("reponse(%1)").arg(i), QRect(75 + 225 * i, 240, 200, 70), 18);
        r->setCaption(QStringLiteral("réponses"));
        connect(r, &Label::clicked, this, [this, i] { juger_reponse(i); });
        reponse[std::size_t(i)] = r;
    }
    clic = addLabel(QStringLiteral("clic"), QRect(250, 340, 300, 40),
                    QStringLiteral("Un clic SVP..."));
    clic->setAlignment(Qt::AlignCenter);
    clic->setPointSize(16);
    clic->setBold(true);
    clic->setTextColour(QColor(0, 0, 128));
    clic->setCursor(Qt::PointingHandCursor);
    clic->hide();
    connect(clic, &Label::clicked, this, [this] { continuer(); });

    // Two lines in the background's comment band: the verdict and the word
    // it was.
    commentaire->setGeometry(40, 497, 620, 50);
    commentaire->setPointSize(12);
    commentaire->setBold(true);
    commentaire->setLineHeight(90);
    commentaire->setCaption(QStringLiteral("Retenez bien les mots qui vont défiler !"));
}

void Liste::choisir_mots() {
    Random& random = routines.platform().random();
    random.seedFromClock();
    depart_liste = random.between(0, kDepartMax);
    const QStringList& mots = liste_mots();
    for (int slot = 0; slot < 9; ++slot)
        mots_liste[std::size_t(slot)] = mots.value(depart_liste + slot);
    random.seedFromClock();
    const int r = random.between(0, 2);
    const QString leurre1 = mots.value(depart_liste + 10);
    const QString leurre2 = mots.value(depart_liste + 11);
    const QString& mot = mots_liste[std::size_t(std::clamp(random.between(0, 8), 0, 8))];
    switch (r) {
    case 0:
        proposition_1 = leurre1, proposition_2 = leurre2, proposition_3 = mot;
        break;
    case 1:
        proposition_1 = mot, proposition_2 = leurre1, proposition_3 = leurre2;
        break;
    default:
        proposition_1 = leurre2, proposition_2 = mot, proposition_3 = leurre1;
        break;
    }
    bonne_reponse = mot;
}

bool Liste::defiler_mots() {
    routines.cacher_souris();
    for (int slot = 0; slot < 9; ++slot) {
        const QString& mot = mots_liste[std::size_t(slot)];
        routines.jouer_bruitage();
        melange->setCaption(mot);
        commentaire->setCaption(QStringLiteral("Retenez bien le ") + ordinaux[std::size_t(slot)] +
                                QStringLiteral(" mot sur neuf --> ") + mot.toUpper() +
                                QStringLiteral("."));
        if (!attendre(750))
            return false;
    }
    commentaire->setCaption(
        QStringLiteral("Cliquez sur le seul mot qui faisait partie des neuf qui ont défilé."));
    centrerSouris();
    routines.montrer_souris();
    return true;
}

bool Liste::lancer_tour() {
    if (en_cours != 0)
        return true;
    en_cours = 1;
    commentaire->setTextColour(kBleu);
    melange->show();
    if (melange->caption() == kCommencer) {
        // The first turn: its words were chosen when the screen opened.
        if (!defiler_mots())
            return false;
    } else {
        routines.jouer_bruitage();
        etat = 0;
        routines.cacher_souris();
        for (Label* r : reponse) {
            r->setCaption(kCache);
            r->setTextColour(kNoir);
        }
        choisir_mots();
        clic->hide();
        commentaire->setCaption(QStringLiteral("Le compte à rebours est commencé ! Attention à "
                                               "la surchauffe de vos neurones !!!"));
        for (int n = 15; n >= 0; --n) {
            melange->setCaption(QStringLiteral(" ") + QString::number(n));
            if (!attendre(150))
                return false;
        }
        if (!defiler_mots())
            return false;
    }
    reponse[0]->setCaption(proposition_1);
    reponse[1]->setCaption(proposition_2);
    reponse[2]->setCaption(proposition_3);
    melange->setCaption(kQuestion);
    choix_ouvert = true;
    return true;
}

void Liste::juger_reponse(int i) {
    if (etat == 1) {
        // A click on a candidate after the verdict starts the next turn.
        if (lancer_tour())
            centrerSouris();
        return;
    }
    // Only the candidates on offer are judged: while the words flash, during
    // the countdown and before COMMENCER they read "? ? ?" and a click on
    // them does nothing.
    if (!choix_ouvert)
        return;
    choix_ouvert = false;
    routines.cacher_souris();
    etat = 1;
    for (int j = 0; j < 3; ++j) {
        if (reponse[std::size_t(j)]->caption() == bonne_reponse) {
            reponse[std::size_t(j)]->setTextColour(kBleu);
            place_reponse = j;
        }
    }
    const bool juste = reponse[std::size_t(i)]->caption() == bonne_reponse;
    melange->setCaption(juste ? QStringLiteral("gagné !").toUpper() : QStringLiteral("PERDU !"));
    juger(juste, {.gain = 2, .perte = 1}, [&](const QString& message) {
        if (juste) {
            commentaire->setCaption(message + QStringLiteral("\n Il s'agissait bien du mot ") +
                                    bonne_reponse.toUpper() + QStringLiteral(" !"));
        } else {
            commentaire->setTextColour(kRouge);
            commentaire->setCaption(message + QStringLiteral("\n Il s'agissait du mot ") +
                                    bonne_reponse.toUpper() + QStringLiteral(" !"));
            reponse[std::size_t(i)]->setTextColour(kRouge);
        }
    });
    if (!clignoter({.labels = {reponse[std::size_t(place_reponse)]},
                    .allume = kJaune,
                    .eteint = kBleu,
                    .fois = 8,
                    .msAllume = 50,
                    .msEteint = 50,
                    .attente = Clignotement::Attente::Retenir}))
        return;
    // Clicks made while the verdict was being drawn (the second click of a
    // double click) would start the next turn before the verdict was seen.
    routines.platform().clock().discardHeldInput();
    if (!enJeu())
        return;
    clic->show();
    routines.montrer_souris();
    en_cours = 0;
    centrerSouris();
}

void Liste::continuer() {
    if (etat == 1 && melange->caption() != kCommencer)
        lancer_tour();
}

void Liste::initialiser_ecran() {
    for (Label* r : reponse)
        r->setCaption(kCache);
    melange->setCaption(kCommencer);
    melange->show();
    commentaire->setTextColour(kBleu);
    etat = 0;
    clic->hide();
    en_cours = 0;
    choix_ouvert = false;
    EcranEpreuve::nouvelleVisite();
    choisir_mots();
    commentaire->setCaption(
        QStringLiteral("Cliquez sur COMMENCER et retenez bien les neuf mots qui vont défiler !"));
}

void Liste::visiteTerminee() {
    for (Label* r : reponse)
        r->setTextColour(kNoir);
}

void Liste::centrerSouris() {
    routines.platform().cursor().setPos(QPoint(width() / 2, height() / 2));
}

} // namespace zm

#include "point_games/bonneteau.h"

#include "point_games/mise.h"
#include "shell/images.h"
#include "shell/liste_mots.h"
#include "shell/routines.h"

#include <algorithm>
#include <optional>

namespace zm {
namespace {} // namespace

const QString Bonneteau::kCache = QStringLiteral("? ? ?");
const QString Bonneteau::kAuRevoir = QStringLiteral("AU REVOIR !");

Bonneteau::Bonneteau(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage) {
    mot_a_chercher = addLabel(QStringLiteral("mot_a_chercher"), QRect(170, 100, 460, 52));
    mot_a_chercher->setAlignment(Qt::AlignCenter);
    mot_a_chercher->setPointSize(26);
    mot_a_chercher->setBold(true);
    connect(mot_a_chercher, &Label::clicked, this, &Bonneteau::clicMot);
    for (int i = 0; i < 3; ++i) {
        bonnet[i] =
            addCarte(QStringLiteral("bonnet(%1)").arg(i), QRect(75 + 225 * i, 162, 200, 80));
        connect(bonnet[i], &Label::clicked, this, [this, i] { jouerCase(i); });
    }
    commentaire->setGeometry(50, 255, 700, 130);
    commentaire->setPointSize(14);
    commentaire->setBold(true);
    fin_bonneteau = addLabel(QStringLiteral("fin_bonneteau"), QRect(60, 385, 160, 120));
    fin_bonneteau->setPicture(imageIntegree(QStringLiteral("point_games/fin_bonneteau")));

    mise = new Mise(*this, routines, QPoint(240, 405),
                    {[this] { return etat == 0; }, &Mise::plafondScore, 10, Mise::Gains::Paire});
    connect(mise->gains, &Label::clicked, this, [this] { continuer(); });
}

void Bonneteau::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    montrerRetour(true);
    fin_bonneteau->show();
    commentaire->setTextColour(kNoir);
    mot_a_chercher->setTextColour(kNoir);
    mots_trouves = 0;
    essais = 4;
    etape = 0;
    etat = 1;
    for (Label* cell : bonnet) {
        cell->setTextColour(kBleu);
        cell->clear();
    }
    mot_a_chercher->clear();
}

void Bonneteau::demarrer() {
    routines.cacher_souris();
    if (routines.score <= 9) {
        if (!refus())
            return;
    } else {
        tirer_mots();
        annoncer();
        mise->reinitialiser();
        montrerMots();
        if (!melanger_mots())
            return;
        mise->activer();
        routines.montrer_souris();
    }
    routines.preparer_ecran(*this);
}

void Bonneteau::tirer_mots() {
    const int debut = routines.platform().random().between(0, 141);
    for (int i = 0; i < 3; ++i)
        mots_bonneteau[i] = liste_mots().value(debut + i);
}

void Bonneteau::annoncer() {
    commentaire->setCaption(
        QStringLiteral("Je viens de choisir au sort ces trois mots dans mon encyclopédie.\nJe "
                       "vais à présent les mélanger rapidement puis les cacher.\nPlacez votre "
                       "mise puis retrouvez-les !"));
}

void Bonneteau::montrerMots() {
    for (int i = 0; i < 3; ++i) {
        bonnet[i]->setTextColour(kBleu);
        bonnet[i]->setCaption(mots_bonneteau[i].toUpper());
    }
}

std::array<int, 3> Bonneteau::tirer_ordre(Random& random) {
    std::array<int, 3> ordre{100, 100, 100};
    auto libre = [&](int r) { return std::find(ordre.begin(), ordre.end(), r) == ordre.end(); };
    for (std::size_t i = 0; i < 3; ++i) {
        int r = random.between(0, 2);
        for (int essai = 0; !libre(r) && essai < 200; ++essai)
            r = random.between(0, 2);
        // A generator stuck on taken cells must not hang the game: the first
        // free cell is taken then.
        for (int c = 0; !libre(r); ++c)
            r = c;
        ordre[i] = r;
    }
    return ordre;
}

bool Bonneteau::melanger_mots() {
    melange_ = true;
    const bool fini = melanger();
    melange_ = false;
    return fini;
}

bool Bonneteau::melanger() {
    Random& random = routines.platform().random();
    std::optional<PoliceProvisoire> fixe(std::in_place, *mot_a_chercher, policeFixe(26));
    const QString bande = QString(13, u' ') + QStringLiteral("ATTENTION ...") + QString(12, u' ');
    for (int i = 0; i < 27; ++i) {
        mot_a_chercher->setCaption(bande.mid(i, 12));
        if (!attendre(100))
            return false;
    }
    for (int j = 0; j <= 10; ++j) {
        routines.jouer_bruitage();
        mot_a_chercher->setCaption(QString::number(10 - j));
        ordre_mots = tirer_ordre(random);
        for (int i = 0; i < 3; ++i)
            bonnet[i]->setCaption(mots_bonneteau[std::size_t(ordre_mots[i])].toUpper());
        if (!attendre(150))
            return false;
    }
    fixe.reset();
    // Unseen shuffles: only the last one decides where the words lie.
    for (int k = 0; k < 51; ++k) {
        ordre_mots = tirer_ordre(random);
        for (int i = 0; i < 3; ++i) {
            bonnet[i]->hide();
            bonnet[i]->setCaption(mots_bonneteau[std::size_t(ordre_mots[i])].toUpper());
        }
    }
    for (int i = 0; i < 3; ++i) {
        mots_bonneteau[i] = bonnet[i]->caption();
        bonnet[i]->show();
        bonnet[i]->setCaption(kCache);
    }
    mot_a_chercher->setCaption(QStringLiteral("BANZAI !"));
    if (!clignoter({.labels = {mot_a_chercher},
                    .allume = kRouge,
                    .eteint = kBleu,
                    .fois = 3,
                    .msAllume = 100,
                    .msEteint = 100,
                    .attente = Clignotement::Attente::Laisser}))
        return false;
    const QString premier = mots_bonneteau[std::size_t(ordre_mots[0])];
    commentaire->setCaption(QStringLiteral("A vous de retrouver les mots à présent !\nNous "
                                           "allons commencer par le mot ") +
                            premier + QStringLiteral(". Où est-il ?\nEssais disponibles : ") +
                            QString::number(essais));
    mot_a_chercher->setCaption(premier);
    routines.montrer_souris();
    etat = 0;
    return true;
}

void Bonneteau::nouvelle_partie() {
    routines.cacher_souris();
    mot_a_chercher->setTextColour(kNoir);
    mots_trouves = 0;
    essais = 4;
    etape = 0;
    mise->reinitialiser();
    tirer_mots();
    annoncer();
    montrerMots();
    if (!melanger_mots())
        return;
    mise->activer();
    routines.montrer_souris();
}

bool Bonneteau::refus() {
    routines.jouer_defaite();
    etape = 1;
    routines.cacher_souris();
    commentaire->setCaption(
        QStringLiteral("GRAND JEU DU MONNETEAU\nLa mise MINIMALE est de 10 points et ... vous "
                       "ne les avez PAS !!!\nAllez d'abord gagner des points aux autres jeux. A "
                       "tout à l'heure !"));
    mise->refuser(QStringLiteral("---"),
                  QStringLiteral("Vous ne pouvez pas miser la somme nécessaire !"), false);
    if (!clignoter({.labels = {commentaire},
                    .allume = kRouge,
                    .eteint = kBleu,
                    .fois = 4,
                    .msAllume = 200,
                    .msEteint = 200,
                    .attente = Clignotement::Attente::Laisser,
                    .apres = [this](int k) {
                        (k < 3 ? bonnet[std::size_t(k)] : mot_a_chercher)->setCaption(kAuRevoir);
                    }}))
        return false;
    commentaire->setTextColour(kNoir);
    routines.montrer_souris();
    return true;
}

void Bonneteau::jouerCase(int i) {
    // While the words are being shuffled only `retour` answers.
    if (melange_)
        return;
    if (bonnet[i]->caption() == kAuRevoir || routines.score < 10) {
        revenirAuDepart();
        return;
    }
    if (etape == 10) {
        continuer();
        return;
    }
    if (bonnet[i]->caption() != kCache)
        return;
    montrerRetour(false);
    fin_bonneteau->hide();
    etat = 1;
    routines.jouer_bruitage();
    essais -= 1;
    const QString cherche = mots_bonneteau[std::size_t(ordre_mots[std::size_t(mots_trouves)])];
    const QString essaisRestants =
        QStringLiteral("\nEssais disponibles : ") + QString::number(essais);
    if (i != ordre_mots[std::size_t(mots_trouves)]) {
        commentaire->setCaption(QStringLiteral("Désolé ! ") + cherche +
                                QStringLiteral(" ne se trouve pas ici !\nLa chance n'est pas au "
                                               "rendez-vous on dirait !") +
                                essaisRestants);
    } else {
        bonnet[i]->setCaption(cherche);
        if (mots_trouves < 2)
            mots_trouves += 1;
        const QString suivant = mots_bonneteau[std::size_t(ordre_mots[std::size_t(mots_trouves)])];
        commentaire->setCaption(QStringLiteral("Vous venez de trouver la place de ") + cherche +
                                QStringLiteral(" !\nNous allons continuer par le mot ") + suivant +
                                QStringLiteral(". Où est-il ?") + essaisRestants);
        mot_a_chercher->setCaption(suivant);
        etape += 1;
    }
    // The third word found on the last try wins: the win is decided first.
    if (etape == 3)
        gagner();
    else if (essais == 0)
        perdre();
    routines.montrer_souris();
}

void Bonneteau::gagner() {
    routines.jouer_victoire();
    commentaire->setCaption(routines.messageReponse(true) +
                            QStringLiteral("\nVous aviez regardé sous les cases ? Allez, "
                                           "avouez-le !\nVous venez de gagner ") +
                            QString::number(2 * mise->mise) +
                            QStringLiteral(" points ! Un clic SVP..."));
    mot_a_chercher->setTextColour(kMagenta);
    mot_a_chercher->setCaption(QStringLiteral("gagné !").toUpper());
    routines.ajouter_points(2 * mise->mise);
    routines.afficher_score(*this);
    routines.cacher_souris();
    montrerRetour(true);
    fin_bonneteau->show();
    etape = 10;
}

void Bonneteau::perdre() {
    routines.jouer_defaite();
    commentaire->setCaption(
        QStringLiteral("Il ne vous reste plus aucune tentative !\nJe vous donne donc la "
                       "solution !\nNaturellement vous perdez votre mise de ") +
        QString::number(mise->mise) + QStringLiteral(" points ! Un clic SVP..."));
    mot_a_chercher->setTextColour(kRouge);
    mot_a_chercher->setCaption(QStringLiteral("PERDU !"));
    for (int i = 0; i < 3; ++i) {
        if (bonnet[i]->caption() == kCache) {
            bonnet[i]->setTextColour(kRouge);
            bonnet[i]->setCaption(mots_bonneteau[std::size_t(i)]);
        }
    }
    routines.perdre_points(mise->mise);
    routines.afficher_score(*this);
    routines.cacher_souris();
    if (routines.score <= 9) {
        // The player cannot afford the smallest stake any more: the arrows
        // are disabled as when the screen opens with too few points.
        mise->refuser(QStringLiteral("---"),
                      QStringLiteral("Vous ne pouvez plus miser la somme nécessaire !"), false);
        mot_a_chercher->setCaption(kAuRevoir);
    }
    etape = 10;
    montrerRetour(true);
    fin_bonneteau->show();
}

void Bonneteau::continuer() {
    if (melange_)
        return;
    if (routines.score < 10) {
        revenirAuDepart();
    } else if (etape == 10) {
        etape = 0;
        nouvelle_partie();
    }
}

void Bonneteau::clicMot() {
    if (melange_)
        return;
    if (mot_a_chercher->caption() == kAuRevoir)
        revenirAuDepart();
    else
        continuer();
}

} // namespace zm

#include "point_games/machine.h"

#include "point_games/mise.h"
#include "shell/liste_mots.h"
#include "shell/routines.h"

namespace zm {
namespace {

// What each size of the largest group brings, from 1 (five different words)
// to 5 (five equal words).
struct Verdict {
    const char* premier;
    const char* second;
    int fois;
    const char* fin;
    bool gagne;
};
const Verdict kVerdicts[5] = {
    {"5 mots différents ! Quelle catastrophe !", "Vous perdez 2 fois votre mise :", 2, " pièces.",
     false},
    {"Seulement 2 mots identiques ! Zut !", "Vous perdez votre mise :", 1, " pièces !", false},
    {"3 mots identiques ! Bravo !", "Vous remportez 4 fois votre mise :", 4, " pièces !", true},
    {"4 mots identiques ! Super !", "Vous remportez 7 fois votre mise :", 7, " pièces !", true},
    {"La totale : 5 mots identiques ! Sensationnel !", "Vous remportez 10 fois votre mise :", 10,
     " pièces !", true},
};

} // namespace

const QString Machine::kMelanger = QStringLiteral("Mélanger et Jouer");
const QString Machine::kAutreSerie = QStringLiteral("Une autre série ?");
const QString Machine::kInsuffisant = QStringLiteral("Score insuffisant pour jouer");

Machine::Machine(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage) {
    for (int i = 0; i < 5; ++i) {
        mot_machine[i] = addCarte(QStringLiteral("mot_machine(%1)").arg(i),
                                  QRect(92 + 124 * i, 92, 118, 84), 14);
        // "Score insuffisant !" takes two lines; a word keeps to one.
        mot_machine[i]->setWordWrap(true);
        // The windows only show: nothing happens when they are clicked.
        mot_machine[i]->setCursor(Qt::ArrowCursor);
    }

    const Bouton b = addBouton(QStringLiteral("image_melanger"), QStringLiteral("label_melanger"),
                               QRect(210, 192, 380, 50), kMelanger);
    image_melanger = b.image;
    label_melanger = b.label;
    connect(label_melanger, &Label::clicked, this, &Machine::clicMelanger);

    // The bottom window, which holds the stake and the payout table.
    fenetre_mise = addLabel(QStringLiteral("fenetre_mise"), QRect(95, 258, 610, 232));
    fenetre_mise->setFrameShape(QFrame::Box);
    fenetre_mise->setLineWidth(2);
    fenetre_mise->setBackgroundColour(kFondCarte);

    mise = new Mise(*this, routines, QPoint(0, 0),
                    {[this] { return etat == 1; }, &Mise::plafondMoitie, 20, Mise::Gains::Tableau});
    // The largest stake has nine digits: the stake label is wider than on the
    // other games.
    mise->moins->setGeometry(244, 273, 48, 48);
    mise->label_mise->setGeometry(298, 270, 204, 54);
    mise->plus->setGeometry(508, 273, 48, 48);
    mise->gains->setGeometry(110, 330, 580, 152);
    // The payout table lines its arrows up with spaces: every character as
    // wide as the next.
    mise->gains->setFont(policeFixe(10));
    mise->gains->setLineHeight(135);

    // Two lines in the band at the foot of the screen.
    commentaire->setPointSize(11);
    commentaire->setBold(true);
    commentaire->setLineHeight(85);
}

void Machine::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    mise->gains->setTextColour(kBleu);
    commentaire->setTextColour(kBleu);
    label_melanger->setCaption(kMelanger);
    etat = 0;
    if (routines.score >= 20) {
        mise->reinitialiser();
        nouvelle_serie();
        return;
    }
    // The refusal follows a short pause: nothing of the last visit is left
    // on show meanwhile.
    mise->mise = 10;
    mise->label_mise->setCaption(QStringLiteral("10"));
    mise->gains->clear();
    commentaire->clear();
    for (Label* fenetre : mot_machine) {
        fenetre->setTextColour(kNoir);
        fenetre->clear();
    }
}

void Machine::demarrer() {
    if (routines.score >= 20)
        return;
    if (!attendre(300))
        return;
    refus();
}

void Machine::nouvelle_serie() {
    const int debut = routines.platform().random().between(0, 138);
    for (int i = 0; i < 5; ++i) {
        mot_machine[i]->setTextColour(kNoir);
        mots_machine[i] = liste_mots().value(debut + i);
        mot_machine[i]->setCaption(mots_machine[i]);
    }
    commentaire->setCaption(QStringLiteral("Placez votre mise grâce aux flèches de la fenêtre du "
                                           "bas puis appuyez sur le bouton Mélanger et Jouer"));
    etat = 1;
}

void Machine::clicMelanger() {
    const QString phase = label_melanger->caption();
    // "Mélanger et Jouer" also shows during the pause before a refusal,
    // when no series is drawn.
    if (phase == kMelanger && etat == 1)
        jouer();
    else if (phase == kAutreSerie)
        autre_serie();
}

void Machine::jouer() {
    label_melanger->setCaption(QStringLiteral("C'est parti ") + routines.prenom +
                               QStringLiteral(" !"));
    // A spin left before its end is over: nothing is paid or lost.
    if (!tourner())
        return;
    label_melanger->setCaption(kAutreSerie);
    juger_serie();
}

bool Machine::tourner() {
    etat = 0;
    Random& random = routines.platform().random();
    for (int tirage = 0; tirage < 11; ++tirage) {
        routines.jouer_bruitage();
        for (Label* fenetre : mot_machine)
            fenetre->setCaption(mots_machine[std::size_t(random.between(0, 4))]);
        if (!attendre(200))
            return false;
    }
    return true;
}

Machine::Groupe Machine::plusGrandGroupe(const std::array<QString, 5>& fenetres) {
    Groupe groupe;
    for (const QString& mot : fenetres) {
        int compte = 0;
        for (const QString& autre : fenetres) {
            if (autre != mot)
                continue;
            compte += 1;
            if (compte > groupe.taille) {
                groupe.taille = compte;
                groupe.mot = mot;
            }
        }
    }
    return groupe;
}

void Machine::juger_serie() {
    std::array<QString, 5> fenetres;
    for (std::size_t i = 0; i < 5; ++i)
        fenetres[i] = mot_machine[i]->caption();
    const Groupe groupe = plusGrandGroupe(fenetres);
    routines.texte_message = groupe.mot;
    for (Label* fenetre : mot_machine)
        if (fenetre->caption() == groupe.mot)
            fenetre->setTextColour(groupe.taille >= 3 ? kBleu : kRouge);

    const Verdict& verdict = kVerdicts[std::clamp(groupe.taille, 1, 5) - 1];
    const qint64 montant = verdict.fois * mise->mise;
    commentaire->setCaption(QString::fromUtf8(verdict.premier) + u'\n' +
                            QString::fromUtf8(verdict.second) + u' ' + QString::number(montant) +
                            QString::fromUtf8(verdict.fin));
    // The score stays within what it can hold, and never goes below 0.
    if (verdict.gagne) {
        routines.jouer_victoire();
        routines.ajouter_points(montant);
    } else {
        routines.jouer_defaite();
        routines.perdre_points(montant);
    }
    routines.afficher_score(*this);
}

void Machine::autre_serie() {
    routines.jouer_bruitage();
    for (Label* fenetre : mot_machine)
        fenetre->setTextColour(kNoir);
    if (routines.score >= 20) {
        label_melanger->setCaption(kMelanger);
        nouvelle_serie();
        mise->reinitialiser();
    } else {
        refus();
    }
}

bool Machine::refus() {
    etat = 0;
    mise->label_mise->setCaption(QStringLiteral("--"));
    commentaire->setCaption(QStringLiteral("Vous avez moins de 20 pièces !\nAllez auparavant en "
                                           "gagner aux autres jeux puis revenez me voir !"));
    routines.jouer_defaite();
    label_melanger->setCaption(kInsuffisant);
    for (Label* fenetre : mot_machine)
        fenetre->setCaption(QStringLiteral("Score insuffisant !"));
    mise->gains->setCaption(QStringLiteral("\nVous êtes vraiment trop optimiste ") +
                            routines.prenom +
                            QStringLiteral(" !\nVous pensez que je ne surveille pas votre score "
                                           "?\nIL FAUT AU MINIMUM 20 PIECES POUR JOUER !"));
    // Each flash lights `gains` and the windows in yellow, then puts `gains`
    // back in blue and the windows in red.
    Clignotement c{.allume = kJaune, .fois = 5, .msAllume = 100, .msEteint = 100};
    c.labels.push_back(mise->gains);
    c.eteints.push_back(kBleu);
    for (Label* fenetre : mot_machine) {
        c.labels.push_back(fenetre);
        c.eteints.push_back(kRouge);
    }
    if (!clignoter(c))
        return false;
    mise->gains->setTextColour(kRouge);
    commentaire->setTextColour(kRouge);
    return true;
}

} // namespace zm

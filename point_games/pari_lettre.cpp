#include "point_games/pari_lettre.h"

#include "point_games/mise.h"
#include "shell/routines.h"
#include "shell/stage.h"

namespace zm {
namespace {

// The bet that was right flashes blue and magenta.
Clignotement clignotementPari(Label* label) {
    return {.labels = {label},
            .allume = kBleu,
            .eteint = kMagenta,
            .fois = 6,
            .msAllume = 100,
            .msEteint = 100};
}
const QString kInconnu = QStringLiteral("? ? ?");
const char* const kParis[3] = {"plus petite", "identique", "plus grande"};

} // namespace

PariLettre::PariLettre(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage) {
    commentaire->setGeometry(90, 100, 620, 70);
    commentaire->setPointSize(18);
    commentaire->setBold(true);
    for (int i = 0; i < 3; ++i) {
        reponse[i] =
            addCarte(QStringLiteral("reponse(%1)").arg(i), QRect(110 + 200 * i, 190, 180, 60));
        reponse[i]->setCaption(kInconnu);
        connect(reponse[i], &Label::clicked, this, [this, i] { clicReponse(i); });
    }
    lettre =
        addLabel(QStringLiteral("lettre"), QRect(90, 275, 620, 70), QStringLiteral("? ? ? ? ?"));
    lettre->setAlignment(Qt::AlignCenter);
    lettre->setPointSize(24);
    lettre->setBold(true);
    connect(lettre, &Label::clicked, this, [this] { continuer(); });

    mise = new Mise(*this, routines, QPoint(150, 395),
                    {[this] { return etat == Pari; }, &Mise::plafondScore, 10, Mise::Gains::Paire});
    connect(mise->gains, &Label::clicked, this, [this] { continuer(); });
}

int PariLettre::lettreAuHasard() {
    return 'A' + routines.platform().random().between(0, 25);
}

void PariLettre::remettreInconnus() {
    for (Label* r : reponse) {
        r->setTextColour(kBleu);
        r->setCaption(kInconnu);
    }
    lettre->setCaption(QStringLiteral("? ? ? ? ?"));
    commentaire->setTextColour(kBleu);
    lettre->setTextColour(kBleu);
}

void PariLettre::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    // Clicks that slip in before the first turn find no turn to play.
    etat = Preparation;
}

void PariLettre::demarrer() {
    if (!attendre(20))
        return;
    remettreInconnus();
    etat = Pari;
    label_score->setCaption(routines.texteScore());
    if (routines.score <= 9) {
        routines.jouer_son(QStringLiteral("13.def"));
        fin();
    } else {
        mise->reinitialiser();
        if (!nouveau_tour())
            return;
        mise->activer();
    }
    if (enJeu())
        routines.preparer_ecran(*this);
}

bool PariLettre::nouveau_tour() {
    etat = Preparation;
    routines.preparer_ecran(*this);
    mise->reinitialiser();
    routines.jouer_son(QStringLiteral("12.def"));
    mise->activer();
    routines.cacher_souris();
    remettreInconnus();
    if (!tirer())
        return false;

    commentaire->setCaption(QStringLiteral("Placez votre mise et dites-moi si cette lettre est"));
    lettre_reference = lettreAuHasard();
    if (!montrer_reponse(0))
        return false;
    for (int i = 0; i < 3; ++i) {
        reponse[i]->setCaption(QString::fromUtf8(kParis[i]));
        if (!montrer_reponse(i))
            return false;
    }
    lettre->setCaption(QStringLiteral("que la lettre ") + QChar(lettre_reference));
    if (!clignoter({.labels = {lettre},
                    .allume = kRouge,
                    .eteint = kBleu,
                    .fois = 6,
                    .avant = [this](int) { routines.jouer_bruitage(); }}))
        return false;
    resultat = lettre_tiree < lettre_reference ? 0 : lettre_tiree == lettre_reference ? 1 : 2;
    // A bet is placed only by a click made while the bet is on offer: the
    // clicks made during the draw, while nothing could be seen, are dropped.
    routines.platform().clock().discardHeldInput();
    if (!enJeu())
        return false;
    etat = Pari;
    routines.preparer_ecran(*this);
    routines.montrer_souris();
    return true;
}

bool PariLettre::tirer() {
    // The ticker, then 21 letters flashing, before the hidden letter is drawn.
    {
        PoliceProvisoire fixe(*commentaire, policeFixe(18));
        const QString bande = QString(31, u' ') +
                              QStringLiteral("PATIENCE...  Je tire une lettre au sort...") +
                              QString(22, u' ');
        for (int i = 0; i < 73; ++i) {
            commentaire->setCaption(bande.mid(i, 23));
            if (!pause(50, commentaire))
                return false;
        }
    }
    PoliceProvisoire grande(*commentaire, policeFixe(28));
    for (int k = 0; k < 21; ++k) {
        commentaire->setCaption(QString(QChar(lettreAuHasard())));
        routines.jouer_bruitage();
        if (!pause(50, commentaire))
            return false;
    }
    lettre_tiree = lettreAuHasard();
    return true;
}

bool PariLettre::montrer_reponse(int) {
    // The whole screen, the answer included, is drawn before the pause.
    return pause(250);
}

void PariLettre::clicReponse(int i) {
    if (etat == Verdict)
        continuer();
    else if (etat == Pari)
        parier(i);
}

void PariLettre::parier(int i) {
    etat = Verdict;
    routines.cacher_souris();
    const char* const liens[3] = {" plus petit que ", " identique à ", " plus grand que "};
    lettre->setCaption(QChar(lettre_tiree) + QString::fromUtf8(liens[resultat]) +
                       QChar(lettre_reference));
    const bool gagne = i == resultat;
    const QString tirage =
        QStringLiteral(" J'ai tiré au sort le ") + QChar(lettre_tiree) + QStringLiteral(" !");
    if (!gagne) {
        commentaire->setTextColour(kRouge);
        lettre->setTextColour(kRouge);
        commentaire->setCaption(routines.messageReponse(false) + tirage);
        reponse[i]->setTextColour(kRouge);
        routines.jouer_defaite();
        clignoter(clignotementPari(reponse[resultat]));
        routines.perdre_points(mise->mise);
        routines.afficher_score(*this);
    } else {
        lettre->setTextColour(kMagenta);
        routines.ajouter_points(2 * mise->mise);
        routines.afficher_score(*this);
        commentaire->setCaption(routines.messageReponse(true) + tirage);
        routines.jouer_victoire();
        clignoter(clignotementPari(reponse[i]));
    }
    mise->gains->setCaption(QStringLiteral("Un clic pour continuer..."));
    routines.montrer_souris();
}

void PariLettre::fin() {
    etat = Fin;
    routines.cacher_souris();
    commentaire->setCaption(QStringLiteral("La mise MINIMALE est de 10 points..."));
    mise->refuser(QStringLiteral("---"),
                  QStringLiteral("Vous ne pouvez pas miser la somme nécessaire !"), true);
    const bool fini =
        clignoter({.labels = {commentaire},
                   .allume = kRouge,
                   .eteint = kBleu,
                   .fois = 4,
                   .msAllume = 200,
                   .msEteint = 200,
                   .avant = [this](int) { routines.jouer_bruitage(); },
                   .apres =
                       [this](int k) {
                           if (k < 3)
                               reponse[std::size_t(k)]->setCaption(QStringLiteral("Dommage..."));
                           else
                               lettre->setCaption(QStringLiteral("AU REVOIR !"));
                       }});
    if (fini)
        routines.montrer_souris();
}

void PariLettre::continuer() {
    if (etat != Verdict)
        return;
    if (routines.score <= 9) {
        fin();
    } else {
        nouveau_tour();
    }
}

void PariLettre::visiteTerminee() {
    commentaire->clear();
}

} // namespace zm

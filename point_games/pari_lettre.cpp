#include "point_games/pari_lettre.h"

#include "point_games/mise.h"
#include "shell/routines.h"
#include "shell/stage.h"

namespace zm {
namespace {

const QColor kBleu(0, 0, 255), kRouge(255, 0, 0), kMagenta(255, 0, 255);
const QString kInconnu = QStringLiteral("? ? ?");
const char* const kParis[3] = {"plus petite", "identique", "plus grande"};

} // namespace

PariLettre::PariLettre(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage) {
    commentaire->setGeometry(90, 100, 620, 70);
    commentaire->setPointSize(18);
    commentaire->setBold(true);
    for (int i = 0; i < 3; ++i) {
        reponse[i] = addLabel(QStringLiteral("reponse(%1)").arg(i),
                              QRect(110 + 200 * i, 190, 180, 60), kInconnu);
        reponse[i]->setAlignment(Qt::AlignCenter);
        reponse[i]->setPointSize(18);
        reponse[i]->setBold(true);
        reponse[i]->setFrameShape(QFrame::Box);
        reponse[i]->setLineWidth(2);
        reponse[i]->setBackgroundColour(QColor(255, 252, 235));
        reponse[i]->setCursor(Qt::PointingHandCursor);
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

void PariLettre::redessiner(Label* label) {
    routines.platform().display().redrawNow(label);
}

void PariLettre::pause(int ms) {
    // Events wait, and the screen would show nothing new meanwhile: what has
    // changed is drawn first.
    routines.platform().display().redrawNow(this);
    routines.platform().clock().waitHoldingEvents(ms);
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

void PariLettre::activate() {
    if (routines.retour_aide != 0) {
        routines.retour_aide = 0;
        routines.preparer_ecran(*this);
        return;
    }
    routines.preparer_ecran(*this);
    // Clicks that slip in during this pause find no turn to play.
    etat = Preparation;
    routines.platform().clock().waitLettingEventsRun(20);
    // Left in that pause: nothing more to set up on a screen no longer shown.
    if (routines.stage().active() != this)
        return;
    remettreInconnus();
    etat = Pari;
    label_score->setCaption(routines.texteScore());
    if (routines.score <= 9) {
        routines.jouer_son(QStringLiteral("13.def"));
        fin();
    } else {
        mise->reinitialiser();
        nouveau_tour();
        mise->activer();
    }
    routines.preparer_ecran(*this);
}

void PariLettre::nouveau_tour() {
    etat = Preparation;
    routines.preparer_ecran(*this);
    mise->reinitialiser();
    routines.jouer_son(QStringLiteral("12.def"));
    mise->activer();
    routines.cacher_souris();
    remettreInconnus();
    tirer();

    commentaire->setCaption(QStringLiteral("Placez votre mise et dites-moi si cette lettre est"));
    lettre_reference = lettreAuHasard();
    montrer_reponse(0);
    for (int i = 0; i < 3; ++i) {
        reponse[i]->setCaption(QString::fromUtf8(kParis[i]));
        montrer_reponse(i);
    }
    lettre->setCaption(QStringLiteral("que la lettre ") + QChar(lettre_reference));
    for (int k = 0; k < 6; ++k) {
        lettre->setTextColour(kRouge);
        redessiner(lettre);
        routines.jouer_bruitage();
        pause(50);
        lettre->setTextColour(kBleu);
        redessiner(lettre);
        pause(50);
    }
    resultat = lettre_tiree < lettre_reference ? 0 : lettre_tiree == lettre_reference ? 1 : 2;
    etat = Pari;
    routines.preparer_ecran(*this);
    routines.montrer_souris();
}

void PariLettre::tirer() {
    // The ticker, then 21 letters flashing, before the hidden letter is drawn.
    const QFont normale = commentaire->font();
    commentaire->setFont(policeFixe(18));
    const QString bande = QString(31, u' ') +
                          QStringLiteral("PATIENCE...  Je tire une lettre au sort...") +
                          QString(22, u' ');
    for (int i = 0; i < 73; ++i) {
        commentaire->setCaption(bande.mid(i, 23));
        redessiner(commentaire);
        pause(50);
    }
    commentaire->setFont(policeFixe(28));
    for (int k = 0; k < 21; ++k) {
        commentaire->setCaption(QString(QChar(lettreAuHasard())));
        redessiner(commentaire);
        routines.jouer_bruitage();
        pause(50);
    }
    commentaire->setFont(normale);
    lettre_tiree = lettreAuHasard();
}

void PariLettre::montrer_reponse(int i) {
    redessiner(reponse[i]);
    pause(250);
}

void PariLettre::clicReponse(int i) {
    if (etat == Verdict)
        continuer();
    else if (etat == Pari)
        juger(i);
}

void PariLettre::faireClignoter(Label* label, const QColor& a, const QColor& b, int ms, bool son) {
    for (int k = 0; k < 6; ++k) {
        label->setTextColour(a);
        redessiner(label);
        if (son)
            routines.jouer_bruitage();
        pause(ms);
        label->setTextColour(b);
        redessiner(label);
        pause(ms);
    }
}

void PariLettre::juger(int i) {
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
        faireClignoter(reponse[resultat], kBleu, kMagenta, 100, false);
        routines.perdre_points(mise->mise);
        routines.afficher_score(*this);
    } else {
        lettre->setTextColour(kMagenta);
        routines.ajouter_points(2 * mise->mise);
        routines.afficher_score(*this);
        commentaire->setCaption(routines.messageReponse(true) + tirage);
        routines.jouer_victoire();
        faireClignoter(reponse[i], kBleu, kMagenta, 100, false);
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
    for (int k = 0; k < 4; ++k) {
        routines.jouer_bruitage();
        commentaire->setTextColour(kRouge);
        redessiner(commentaire);
        pause(200);
        commentaire->setTextColour(kBleu);
        redessiner(commentaire);
        pause(200);
        if (k < 3)
            reponse[k]->setCaption(QStringLiteral("Dommage..."));
        else
            lettre->setCaption(QStringLiteral("AU REVOIR !"));
    }
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

void PariLettre::avantRetour() {
    commentaire->clear();
}

} // namespace zm

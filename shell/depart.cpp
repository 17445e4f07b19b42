#include "shell/depart.h"

#include "shell/divers.h"
#include "shell/routines.h"
#include "shell/stage.h"

namespace zm {
namespace {

constexpr QSize kPersonnage(135, 123);
constexpr QSize kPorte(38, 47);
constexpr QPoint kPositionPorte(728, 352);

// Ten corners of six digits each: x on three digits, y on three digits.
QPoint coin(const char* digits, int k) {
    const QString s = QString::fromLatin1(digits);
    return QPoint(s.mid(6 * k, 3).toInt(), s.mid(6 * k + 3, 3).toInt());
}
const char* const kCoinsRepos = "003004003132003260003388283004283132283260283388561004561260";
const char* const kCoinsActifs = "142004142132142260142388422004422132422260422388561132561388";

const QPoint kPositions[14] = {{641, 460}, {6, 467},   {663, 176}, {490, 460}, {321, 256},
                               {153, 466}, {322, 464}, {558, 315}, {466, 140}, {236, 126},
                               {22, 54},   {11, 237},  {432, 6},   {168, 327}};

const char* const kTextes[14] = {
    "Venez dépenser vos points dans le Bonneteau des Mots !",
    "Vous aimez les animaux ? Venez retrouver vos amis dans les expressions françaises !",
    "Trouvez la femelle ou le petit de l'animal cité.",
    "Retrouvez les mots manquants dans le texte qui va rapidement défiler à l'écran !",
    "L'ordinateur va vous proposer un mot. Saurez-vous découvrir son synonyme parmi ceux "
    "inscrits ?",
    "Lisez rapidement un court texte et répondez ensuite aux questions posées.",
    "Un texte va s'effacer progressivement. Aurez-vous eu le temps de le lire et de le "
    "comprendre ?",
    "Envie de dépenser vos points ? L'ordinateur tire au hasard des mots dans une liste. "
    "Combien seront identiques ?",
    "Vous souviendrez-vous des mots qui vont défiler devant vous ?",
    "Venez faire fructifier vos points en devinant la hauteur d'une lettre tirée au sort par "
    "l'ordinateur par rapport à une lettre de référence.",
    "Je vous défie de trouver le féminin ou le pluriel des mots proposés !",
    "Avez-vous assez de mémoire pour retenir, dans l'ordre, les mots proposés ?",
    "Quelle est la bonne syllabe pour compléter un mot ?",
    "Retrouvez l'infinitif du verbe utilisé dans la phrase proposée."};

} // namespace

const QString Depart::kSauvegardeEchouee = QStringLiteral(
    "La partie n'a pas pu être enregistrée. Clic droit : quitter quand même. Clic gauche : "
    "continuer à jouer.");

const QString Depart::kInvitation = QStringLiteral(
    "Choisissez l'un des quatorze personnages à l'écran et répondez à son défi en cliquant sur "
    "lui !");

Depart::Depart(Routines& routines, const Divers& divers, QWidget* stage)
    : Screen(QStringLiteral("depart"), routines, stage), divers_(divers),
      Timer_(routines.platform().createTimer()), vie_(routines.platform().createTimer()) {
    for (int k = 0; k < 14; ++k) {
        anim[k] = addLabel(QStringLiteral("anim(%1)").arg(k), QRect(kPositions[k], kPersonnage));
        connect(anim[k], &Label::moved, this, [this, k] { survolPersonnage(k); });
        connect(anim[k], &Label::clicked, this, [this, k] { clicPersonnage(k); });
        textes_epreuves[k] = QString::fromUtf8(kTextes[k]);
    }
    quitter = addLabel(QStringLiteral("quitter"), QRect(kPositionPorte, kPorte));
    connect(quitter, &Label::moved, this, &Depart::survolPorte);
    connect(quitter, &Label::pressed, this, [this](Qt::MouseButton b) { appuiPorte(b); });

    addScoreLabel();
    connect(label_score, &Label::clicked, this, [this] {
        if (porteEnMouvement_ || porte_ouverte != 0)
            return;
        finirAnimation();
        this->routines.afficher_score(*this);
    });
    connect(label_score, &Label::moved, this, &Depart::survolScore);

    nom_epreuve = addLabel(QStringLiteral("nom_epreuve"), QRect(10, 562, 780, 38),
                           QStringLiteral("Choisissez l'un des 14 personnages à l'écran et "
                                          "répondez à son défi en cliquant sur lui !"));
    nom_epreuve->setAlignment(Qt::AlignCenter);
    nom_epreuve->setWordWrap(true);
    nom_epreuve->setBold(true);
    nom_epreuve->setTextColour(QColor(0, 0, 128));
    // A text too long for one line is set a point smaller on two, and the
    // band grows upwards as much as it needs.
    nom_epreuve->shrinkToFit(10);
    nom_epreuve->growUpwardsToFit();
    connect(nom_epreuve, &Label::moved, this, &Depart::survolFond);
    connect(fond, &Label::moved, this, &Depart::survolFond);

    Timer_->setInterval(1000);
    Timer_->setOnTick([this] { tic(); });
    vie_->setOnTick([this] { finVie(); });

    // What the screen does when it is loaded.
    quitter->setPicture(imagePorte(0));
    dessiner_personnages();
}

Depart::~Depart() = default;

Image Depart::imageRepos(int k) const {
    return k < 10 ? Divers::decouper(divers_.dessins(), coin(kCoinsRepos, k), kPersonnage)
                  : Divers::decouper(divers_.dessins2(), coin(kCoinsRepos, k - 10), kPersonnage);
}

Image Depart::imageActive(int k) const {
    return k < 10 ? Divers::decouper(divers_.dessins(), coin(kCoinsActifs, k), kPersonnage)
                  : Divers::decouper(divers_.dessins2(), coin(kCoinsActifs, k - 10), kPersonnage);
}

Image Depart::imagePorte(int i) const {
    return Divers::decouper(divers_.dessins3(), QPoint(41 * i + 1, 1), kPorte);
}

void Depart::activate() {
    routines.platform().sound().next();
    Timer_->start();
    label_score->setCaption(routines.texteScore());
}

void Depart::dessiner_personnages() {
    for (int k = 0; k < 14; ++k)
        anim[k]->setPicture(imageRepos(k));
}

void Depart::remettre_personnages() {
    for (int k = 0; k < 14; ++k) {
        if (personnage_actif[k] == 1) {
            personnage_actif[k] = 0;
            anim[k]->setPicture(imageRepos(k));
        }
    }
}

void Depart::survolFond() {
    if (porte_ouverte != 0)
        return;
    nom_epreuve->setCaption(kInvitation);
    remettre_personnages();
}

void Depart::survolPersonnage(int i) {
    if (porte_ouverte != 0)
        return;
    remettre_personnages();
    if (personnage_actif[i] == 0) {
        nom_epreuve->setCaption(textes_epreuves[i]);
        personnage_actif[i] = 1;
        anim[i]->setPicture(imageActive(i));
    }
}

void Depart::clicPersonnage(int i) {
    if (porte_ouverte != 0 || porteEnMouvement_)
        return;
    Screen* ecran = epreuve ? epreuve(i) : nullptr;
    if (!ecran)
        return;
    vie_->stop();
    finirAnimation();
    routines.cacher_souris();
    survolFond();
    routines.retour_aide = 0;
    routines.stage().showScreen(ecran);
}

void Depart::survolScore() {
    if (porte_ouverte != 0)
        return;
    const qint32 score = routines.score;
    nom_epreuve->setCaption(QStringLiteral("Ben oui ") + routines.prenom +
                            QStringLiteral("... votre score est de") + QStringLiteral(" ") +
                            QString::number(score) +
                            (score < 2 ? QStringLiteral(" point !") : QStringLiteral(" points !")));
}

void Depart::survolPorte() {
    remettre_personnages();
    if (porte_ouverte == 0)
        nom_epreuve->setCaption(QStringLiteral("Cliquez sur la porte pour quitter le jeu ") +
                                routines.prenom + QStringLiteral("."));
}

void Depart::animerPorte(std::initializer_list<int> frames) {
    porteEnMouvement_ = true;
    for (int i : frames) {
        quitter->setPicture(imagePorte(i));
        if (!attendre(130))
            break;
    }
    porteEnMouvement_ = false;
}

void Depart::appuiPorte(Qt::MouseButton button) {
    if (porteEnMouvement_)
        return;
    finirAnimation();
    Cursor& cursor = routines.platform().cursor();
    if (porte_ouverte == 0) {
        routines.jouer_son(QStringLiteral("36.ats"));
        porte_ouverte = 1;
        // From client (728, 352) to client (765, 398): the cursor cannot leave the door.
        cursor.confine(QRect(QPoint(728, 352), QPoint(764, 397)));
        animerPorte({0, 1, 2, 3});
        nom_epreuve->setCaption(QStringLiteral("Un clic droit pour Quitter Zibelou Malice, un "
                                               "clic gauche pour continuer à jouer."));
        return;
    }
    routines.jouer_son(QStringLiteral("36.ats"));
    if (button == Qt::RightButton) {
        // After a save that failed and was said, a right click quits anyway.
        quitter_jeu(sauvegardeEchouee_ ? Quitter::QuoiQuIlArrive : Quitter::SiEnregistre);
    } else if (button == Qt::LeftButton) {
        cursor.release();
        porte_ouverte = 0;
        sauvegardeEchouee_ = false;
        animerPorte({3, 2, 1, 0});
    }
}

bool Depart::quitter_jeu(Quitter quand) {
    routines.platform().sound().close();
    Timer_->stop();
    QString erreur;
    if (!routines.sauver_joueurs(&erreur) && quand == Quitter::SiEnregistre) {
        // Nothing is lost yet: the players are still in memory and the old
        // file is whole. The door stays open with the warning, which nothing
        // else replaces while it is open; a right click quits all the same,
        // a left click goes on playing.
        sauvegardeEchouee_ = true;
        Timer_->start();
        nom_epreuve->setCaption(kSauvegardeEchouee);
        return false;
    }
    // The pointer is given back to the desktop, whatever screen held it.
    routines.platform().cursor().release();
    routines.montrer_souris();
    routines.changer_resolution(routines.largeur_initiale, routines.hauteur_initiale);
    if (routines.terminer)
        routines.terminer();
    return true;
}

void Depart::finirAnimation() {
    if (personnageAnime_ < 0)
        return;
    personnage_actif[std::size_t(personnageAnime_)] = 1;
    personnageAnime_ = -1;
    remettre_personnages();
}

void Depart::visiteTerminee() {
    vie_->stop();
    finirAnimation();
}

void Depart::finVie() {
    vie_->stop();
    finirAnimation();
    // The quit sequence may have run meanwhile: it stopped the timer, and
    // no ambience may start over it.
    if (enJeu() && Timer_->isActive())
        routines.jouer_ambiance();
}

void Depart::tic() {
    Platform& platform = routines.platform();
    platform.random().seedFromClock();
    const int r = platform.random().between(0, 49);
    if (platform.sound().ambiencePlaying() || porteEnMouvement_ || personnageAnime_ >= 0 ||
        vie_->isActive())
        return;
    if (r <= 13) {
        anim[r]->setPicture(imageActive(r));
        personnageAnime_ = r;
        vie_->setInterval(r <= 9 ? 800 : 700);
        vie_->start();
    } else if (r == 14) {
        routines.afficher_score(*this);
        routines.jouer_ambiance();
    }
}

} // namespace zm

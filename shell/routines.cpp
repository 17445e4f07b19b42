#include "shell/routines.h"

#include "platform/controls.h"
#include "shell/screen.h"
#include "shell/stage.h"

#include <algorithm>
#include <cmath>

namespace zm {
namespace {

// Moves a rotating sound number on, from 1 to `last` and round again.
template <typename T> T suivant(T& numero, int last) {
    numero = T(numero + 1 > last ? 1 : numero + 1);
    return numero;
}

constexpr QPoint kCentreEcran(400, 300);

} // namespace

Routines::Routines(Platform& platform, Stage& stage, QString datasDir)
    : platform_(platform), stage_(stage), datasDir_(std::move(datasDir)) {
    fichiers_joueurs.lecture = fichiers_joueurs.sauvegarde = datas(QStringLiteral("4.bin"));
}

QString Routines::datas(const QString& name) const {
    return datasDir_ + QStringLiteral("/") + name;
}

void Routines::cacher_souris() {
    while (platform_.cursor().showCursor(false) >= 0) {
    }
}

void Routines::montrer_souris() {
    while (platform_.cursor().showCursor(true) < 0) {
    }
}

QString Routines::texteScore() const {
    return QStringLiteral("Score\r") + QString::number(score);
}

void Routines::afficher_score(Screen& screen) {
    Label* label = screen.scoreLabel();
    if (!label)
        return;
    // The label shrinks and grows back, 20 ms a step, holding every other
    // event: the caller finds the label updated when this returns.
    auto step = [&](int points) {
        platform_.clock().waitHoldingEvents(20);
        label->setPointSize(points);
        platform_.display().redrawNow(label);
    };
    for (int points = 18; points >= 8; points -= 2)
        step(points);
    label->setCaption(texteScore());
    for (int points = 8; points <= 18; points += 2)
        step(points);
}

void Routines::changer_resolution(double width, double height) {
    platform_.display().changeResolution(int(std::lround(width)), int(std::lround(height)));
}

void Routines::preparer_ecran(Screen& screen) {
    if (depart.label_score)
        depart.label_score->hide();
    platform_.sound().close();
    if (depart.timer)
        depart.timer->stop();
    platform_.cursor().setPos(
        QPoint(int(std::lround(screen.width() / 2.0)), int(std::lround(screen.height() / 2.0))));
    platform_.cursor().confine(QRect(QPoint(0, 0), screen.size()));
    jouer_bruitage();
}

void Routines::retour_depart(Screen& screen) {
    fichier1.reset();
    platform_.cursor().release();
    jouer_bruitage();
    stage_.hideScreen(&screen);
    platform_.cursor().setPos(QPoint(400, 400));
    platform_.sound().close();
    if (depart.timer)
        depart.timer->start();
    if (depart.label_score)
        depart.label_score->show();
    // The start screen is played with the pointer, whatever the exercise
    // had done with it when it was left.
    montrer_souris();
}

void Routines::afficher_aide(const QString& titre, const QString& premier, const QString& fin) {
    if (HelpSheetLink* sheet = feuille_aide ? feuille_aide() : nullptr)
        sheet->afficher_aide(titre, premier, fin);
}

void Routines::placer_cases(int n, std::span<QWidget* const> cases) {
    for (int i = 0; i < n && i < int(cases.size()); ++i)
        cases[i]->move(bordGaucheCase(n, i), cases[i]->y());
}

void Routines::jouer_ambiance() {
    suivant(numero_ambiance, 19);
    platform_.sound().close();
    platform_.sound().playAmbience(
        datas(QString::number(numero_ambiance) + QStringLiteral(".amb")));
}

void Routines::jouerFichier(const QString& name) {
    platform_.sound().playEffect(datas(name));
}

void Routines::jouer_bruitage() {
    jouerFichier(QString::number(suivant(numero_bruitage, 50)));
}

void Routines::jouer_son(const QString& name) {
    jouerFichier(name);
}

void Routines::jouer_victoire() {
    jouerFichier(QString::number(suivant(numero_victoire, 21)) + QStringLiteral(".vic"));
}

void Routines::jouer_defaite() {
    jouerFichier(QString::number(suivant(numero_defaite, 19)) + QStringLiteral(".def"));
}

void Routines::ajouter_points(qint64 points) {
    score = clampScore(qint64(score) + points);
}

void Routines::perdre_points(qint64 points) {
    score = clampScore(std::max<qint64>(0, qint64(score) - points));
}

QString Routines::messageReponse(bool juste) {
    const int indice = std::clamp<int>(indice_message, 0, 6);
    const QString message = messages_reponse[std::size_t(juste ? indice : indice + 7)];
    indice_message = qint16(indice + 1 >= 7 ? 0 : indice + 1);
    return message;
}

void Routines::preparer_messages() {
    const QString& p = prenom;
    messages_reponse = {QStringLiteral("Bravo ") + p + QStringLiteral(" !"),
                        QStringLiteral("C'est juste ") + p + QStringLiteral(" !"),
                        QStringLiteral("Félicitations ") + p + QStringLiteral(" !"),
                        QStringLiteral("Super ") + p + QStringLiteral(" !"),
                        QStringLiteral("C'est bien ça !"),
                        QStringLiteral("Chapeau ") + p + QStringLiteral(" !"),
                        QStringLiteral("Pas mal du tout !"),
                        QStringLiteral("Pas du tout ") + p + QStringLiteral(" !"),
                        QStringLiteral("Ah non ! Pas question !"),
                        QStringLiteral("Ce n'est pas ça du tout !"),
                        QStringLiteral("C'est tout faux !"),
                        QStringLiteral("A côté de la plaque !"),
                        QStringLiteral("Fallait chercher plus longtemps !"),
                        QStringLiteral("Vous êtes vraiment sûr ?"),
                        QString()};
}

void Routines::rangerJoueurCourant() {
    Joueur& j = joueurs.slots[std::size_t(std::clamp<int>(joueurs.joueur_courant, 0, kMaxJoueurs))];
    auto p16 = [](int v) { return qint16(std::clamp(v, -32768, 32767)); };
    j.progression = {
        p16(progression_trous),     p16(progression_defilement), p16(progression_lecture2),
        p16(progression_femelles),  p16(progression_animaux),    p16(progression_verbes),
        p16(progression_synonymes), p16(progression_pluriels),   progression_syllabes};
    j.prenom = prenom;
    j.score = score;
}

bool Routines::sauver_joueurs(QString* erreur) {
    rangerJoueurCourant();
    joueurs.indice_message = indice_message;
    if (!creerDossierDe(fichiers_joueurs.sauvegarde)) {
        if (erreur)
            *erreur = QStringLiteral("dossier impossible à créer");
        return false;
    }
    return zm::sauver_joueurs(fichiers_joueurs.sauvegarde, joueurs, erreur);
}

void Routines::chargerJoueur(int slot) {
    const Joueur& j = joueurs.slots[std::size_t(std::clamp(slot, 0, kMaxJoueurs))];
    score = j.score;
    progression_trous = j.progression[kTrous];
    progression_defilement = j.progression[kDefilement];
    progression_lecture2 = j.progression[kLecture2];
    progression_femelles = j.progression[kFemelles];
    progression_animaux = j.progression[kAnimaux];
    progression_verbes = j.progression[kVerbes];
    progression_synonymes = j.progression[kSynonymes];
    progression_pluriels = j.progression[kPluriels];
    progression_syllabes = j.progression[kSyllabes];
}

void Routines::effacerProgressions() {
    progression_trous = progression_defilement = progression_lecture2 = 0;
    progression_femelles = progression_animaux = progression_verbes = 0;
    progression_synonymes = progression_pluriels = 0;
    progression_syllabes = 0;
}

int positionDansListe(qint64 progression, int count) {
    return (progression >= 0 && progression < count) ? int(progression) : 0;
}

} // namespace zm

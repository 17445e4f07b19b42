#include "shell/demande_prenom.h"

#include "shell/depart.h"
#include "shell/divers.h"
#include "shell/ecran_epreuve.h"
#include "shell/routines.h"
#include "shell/stage.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace zm {
namespace {

constexpr int kLigneListe = 17;
constexpr QPoint kCoinListe(300, 230);
const QString kInconnu = QStringLiteral("INCONNU");
const QString kFond = QStringLiteral("116");

// The rows of the player list, each kLigneListe pixels high.
class LigneListe : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kLigneListe};
    }
};

QString blancs(int n) {
    return QString(n, QChar(u' '));
}

} // namespace

DemandePrenom::DemandePrenom(Routines& routines, const Divers& divers, const Ecrans& ecrans,
                             QWidget* stage)
    : Screen(QStringLiteral("demande_prenom"), routines, stage), divers_(divers), ecrans_(ecrans) {
    // The first frame waits for this picture: it is drawn at the display's
    // size (or read) on other threads while the screen is made, and the
    // drawing kept for the next start.
    const bool garder = true;
    preparerImage(routines.datas(kFond), QPoint(0, 0), routines.platform().display().sceneScale(),
                  garder);
    for (int k = 0; k < 13; ++k) {
        Label* tile =
            addLabel(QStringLiteral("reponse(%1)").arg(k), QRect(85 + 47 * k, 150, 42, 50));
        tile->setAlignment(Qt::AlignCenter);
        tile->setPointSize(22);
        tile->setBold(true);
        tile->setFrameShape(QFrame::Box);
        tile->setLineWidth(2);
        tile->setColours(QColor(0, 0, 128), QColor(255, 255, 240));
        tile->hide();
        reponse[k] = tile;
    }

    infos = addLabel(QStringLiteral("infos"), QRect(100, 232, 600, 30),
                     QStringLiteral("Entrez votre prénom en cliquant sur les lettres ci-dessous"));
    infos->setAlignment(Qt::AlignCenter);
    infos->setPointSize(13);
    infos->setBold(true);
    infos->setTextColour(QColor(0, 0, 128));

    alphabet = new QWidget(this);
    alphabet->setObjectName(QStringLiteral("alphabet"));
    alphabet->setGeometry(224, 272, 13 * 27, 2 * 27);
    for (int i = 0; i < 26; ++i) {
        auto* key = new QPushButton(QString(QChar(u'A' + i)), alphabet);
        key->setObjectName(QStringLiteral("lettre(%1)").arg(i));
        key->setGeometry((i % 13) * 27, (i / 13) * 27, 25, 25);
        key->setFocusPolicy(Qt::NoFocus);
        QFont f = key->font();
        f.setBold(true);
        key->setFont(f);
        connect(key, &QPushButton::clicked, this, [this, i] { taperLettre(i); });
        lettre[i] = key;
    }
    alphabet->hide();

    espace = new QPushButton(QStringLiteral("Cliquez ici pour insérer un espace"), this);
    espace->setObjectName(QStringLiteral("espace"));
    espace->setGeometry(224, 330, 13 * 27 - 2, 25);
    espace->setFocusPolicy(Qt::NoFocus);
    connect(espace, &QPushButton::clicked, this, &DemandePrenom::taperEspace);
    espace->hide();

    label_effacer = bouton(QStringLiteral("label_effacer"), QStringLiteral("effacer"),
                           QRect(340, 372, 120, 36), QStringLiteral("Effacer"), &effacer);
    connect(label_effacer, &Label::clicked, this, &DemandePrenom::effacerNom);

    liste_prenoms = new QListWidget(this);
    liste_prenoms->setObjectName(QStringLiteral("liste_prenoms"));
    liste_prenoms->setGeometry(QRect(kCoinListe, QSize(200, kLigneListe + 18)));
    liste_prenoms->setFocusPolicy(Qt::NoFocus);
    liste_prenoms->setUniformItemSizes(true);
    liste_prenoms->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    liste_prenoms->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Set directly rather than by a style sheet, whose engine would start
    // for this alone.
    QFont police = liste_prenoms->font();
    police.setPointSize(11);
    liste_prenoms->setFont(police);
    liste_prenoms->setItemDelegate(new LigneListe(liste_prenoms));
    connect(liste_prenoms, &QListWidget::itemPressed, this, [this] { choisirJoueur(); });
    liste_prenoms->hide();

    // A plain label: a text box, even read-only, would start the keyboard's
    // input method, which takes longer than the rest of the roster.
    infos2 = addLabel(QStringLiteral("infos2"), QRect(kCoinListe.x(), kCoinListe.y() + 18, 200, 17),
                      QStringLiteral("Choisissez un joueur dans la liste"));
    infos2->setAlignment(Qt::AlignCenter);
    infos2->setPointSize(9);
    infos2->setColours(QColor(0x00, 0x00, 0x80), QColor(0xff, 0xff, 0xe0));
    infos2->hide();

    nouveau_joueur =
        bouton(QStringLiteral("nouveau_joueur"), QStringLiteral("image_nouveau_joueur"),
               QRect(560, 436, 180, 44), QStringLiteral("NOUVEAU JOUEUR"), &image_nouveau_joueur);
    connect(nouveau_joueur, &Label::clicked, this, &DemandePrenom::nouveauJoueur);
    nouveau_joueur->hide();
    image_nouveau_joueur->hide();

    label_supprimer_joueur = bouton(
        QStringLiteral("label_supprimer_joueur"), QStringLiteral("image_supprimer_joueur"),
        QRect(560, 486, 180, 44), QStringLiteral("Effacer ce joueur"), &image_supprimer_joueur);
    connect(label_supprimer_joueur, &Label::clicked, this, &DemandePrenom::supprimerJoueur);

    // "Jouer" stands under the point where the start-up leaves the cursor.
    fin_mot = bouton(QStringLiteral("fin_mot"), QStringLiteral("image_fin_mot"),
                     QRect(650, 535, 140, 44), QStringLiteral("Jouer"), &image_fin_mot);
    fin_mot->setPointSize(16);
    connect(fin_mot, &Label::clicked, this, &DemandePrenom::jouer);

    addScoreLabel();

    avertissement = addLabel(QStringLiteral("avertissement"), QRect(40, 84, 720, 52));
    avertissement->setAlignment(Qt::AlignCenter);
    avertissement->setWordWrap(true);
    avertissement->setColours(QColor(160, 0, 0), QColor(255, 255, 240, 230));
    avertissement->hide();

    inutile = new QWidget(this);
    inutile->setObjectName(QStringLiteral("inutile"));
    inutile->setGeometry(0, 0, 1, 1);
    inutile->setFocusPolicy(Qt::StrongFocus);
}

Label* DemandePrenom::bouton(const QString& name, const QString& imageName, QRect geometry,
                             const QString& caption, Label** image) {
    // Its picture is put on when the screen starts (charger_images).
    *image = addLabel(imageName, geometry);
    imagesBoutons_.push_back(*image);
    Label* label = addLabel(name, geometry, caption);
    label->setAlignment(Qt::AlignCenter);
    label->setPointSize(13);
    label->setBold(true);
    label->setTextColour(QColor(0, 0, 96));
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

// --- start-up ---------------------------------------------------------------

QString DemandePrenom::messageFichierAbime(const ResultatLecture& lu) {
    if (lu.issue != LectureJoueurs::Endommage && lu.issue != LectureJoueurs::Recupere)
        return {};
    QString message =
        QStringLiteral("Le fichier des joueurs était abîmé. ") +
        (lu.misDeCote.isEmpty() ? QStringLiteral("Il n'a pas pu être mis de côté.")
                                : QStringLiteral("Il a été gardé de côté sous le nom « ") +
                                      QFileInfo(lu.misDeCote).fileName() + QStringLiteral(" »."));
    if (lu.issue == LectureJoueurs::Endommage)
        return message + QStringLiteral(" Entrez votre prénom pour commencer.");
    // A name from a damaged file is shown as the tiles would show it.
    auto nom = [](const JoueurIllisible& j) {
        const QString prenom = j.prenom.simplified().left(13);
        return prenom.isEmpty() ? QStringLiteral("le joueur n° ") + QString::number(j.rang)
                                : prenom;
    };
    const auto& perdus = lu.illisibles;
    if (perdus.isEmpty())
        return message + QStringLiteral(" Tous les joueurs ont été retrouvés.");
    // Two names leave no room for the rest of the sentence.
    if (perdus.size() == 2)
        return message + QStringLiteral(" Impossible de retrouver ") + nom(perdus[0]) +
               QStringLiteral(" et ") + nom(perdus[1]) + QStringLiteral(".");
    const QString qui = perdus.size() == 1
                            ? nom(perdus[0])
                            : QString::number(perdus.size()) + QStringLiteral(" joueurs");
    return message + QStringLiteral(" Impossible de retrouver ") + qui +
           QStringLiteral(" ; les autres joueurs sont là.");
}

void DemandePrenom::demarrer() {
    routines.cacher_souris();
    charger_images();
    const QSize screen = routines.platform().display().screenSize();
    routines.largeur_initiale = float(screen.width());
    routines.hauteur_initiale = float(screen.height());
    routines.changer_resolution(800, 600);
    effacer_progression();
    effacer->hide();
    label_effacer->hide();
    infos->hide();

    TableJoueurs& t = routines.joueurs;
    const ResultatLecture lu = lire_joueurs(routines.fichiers_joueurs.lecture, t);
    routines.indice_message = t.indice_message;
    if (lu.issue == LectureJoueurs::Joueurs || lu.issue == LectureJoueurs::Recupere) {
        for (int i = 0; i < t.nombre_joueurs; ++i)
            liste_prenoms->addItem(blancs(5) + t.slots[i].prenom);
        t.joueur_courant = qint16(t.nombre_joueurs - 1);
        routines.chargerJoueur(t.joueur_courant);
        routines.prenom = t.slots[t.joueur_courant].prenom;
        ajusterListe(17);
        const bool plusieurs = t.nombre_joueurs > 1;
        liste_prenoms->setVisible(plusieurs);
        infos2->setVisible(plusieurs);
        if (plusieurs)
            liste_prenoms->setCurrentRow(t.nombre_joueurs - 1);
        const bool place = t.nombre_joueurs < kMaxJoueurs;
        nouveau_joueur->setVisible(place);
        image_nouveau_joueur->setVisible(place);
    } else {
        label_supprimer_joueur->hide();
        image_supprimer_joueur->hide();
        nouveau_joueur->hide();
        image_nouveau_joueur->hide();
        label_score->hide();
        liste_prenoms->hide();
        infos2->hide();
        t.nombre_joueurs = 1;
        t.joueur_courant = 0;
        routines.score = 0;
        routines.prenom = kInconnu;
        t.joueurs_sauvegardes = 1;
        montrerClavier(true);
    }
    const QString message = messageFichierAbime(lu);
    if (!message.isEmpty()) {
        avertissement->setCaption(message);
        avertissement->show();
    }
    rafraichirScore();
    afficher_prenom(routines.prenom);
    pret_ = false;
    // The buttons shown are drawn for the display on other threads, as the
    // background is, while the window first shows.
    preparerEnAvance(routines.platform().display().sceneScale());
    // The game may end during this wait (the window closed, a signal).
    if (!attendre(500))
        return;
    pret_ = true;
    routines.platform().cursor().setPos(QPoint(740, 557));
    routines.montrer_souris();
    inutile->setFocus();
}

void DemandePrenom::charger_images() {
    // The other screens get their pictures when they are first shown; the
    // ambience that has always greeted the roster starts here.
    routines.jouer_ambiance();
    for (Label* image : imagesBoutons_)
        image->setPicture(divers_.bouton().scaled(image->size()));
    // The roster is on screen from the start: what was started for its
    // picture when the screen was made (its drawing for the display, or its
    // bitmap) is taken when it is first painted.
    setBackground(chargerImage(routines.datas(kFond)));
}

void DemandePrenom::effacer_progression() {
    routines.effacerProgressions();
    Joueur& j = routines.joueurs.slots[std::size_t(routines.joueurs.joueur_courant)];
    j.progression.fill(0);
    routines.score = 0;
    routines.prenom = blancs(30);
    nombre_lettres = 0;
}

// --- the name on the tiles --------------------------------------------------

void DemandePrenom::placer(int n) {
    std::array<QWidget*, 13> cases;
    std::copy(reponse.begin(), reponse.end(), cases.begin());
    routines.placer_cases(n, cases);
}

void DemandePrenom::afficher_prenom(const QString& name) {
    placer(int(name.size()));
    // The roster has 13 tiles: a longer name from an edited file shows its start.
    for (int k = 0; k < std::min<int>(int(name.size()), 13); ++k) {
        reponse[k]->setCaption(QString(name[k]));
        reponse[k]->setVisible(name[k].unicode() > u' ');
    }
}

void DemandePrenom::montrerNom(const QString& name) {
    for (int k = 1; k < 13; ++k)
        reponse[k]->hide();
    afficher_prenom(name);
}

void DemandePrenom::montrerInconnu() {
    placer(7);
    for (int k = 0; k < 7; ++k) {
        reponse[k]->setCaption(QString(kInconnu[k]));
        reponse[k]->show();
    }
}

void DemandePrenom::rafraichirScore() {
    label_score->setCaption(routines.texteScore());
}

void DemandePrenom::montrerClavier(bool visible) {
    alphabet->setVisible(visible);
    espace->setVisible(visible);
    infos->setVisible(visible);
}

void DemandePrenom::ajusterListe(int decalage) {
    const int hauteur = kLigneListe * routines.joueurs.nombre_joueurs + 18;
    liste_prenoms->resize(liste_prenoms->width(), hauteur);
    infos2->move(infos2->x(), liste_prenoms->y() + hauteur - decalage);
}

// --- typing -----------------------------------------------------------------

void DemandePrenom::ecrireDansPrenom(QChar c) {
    if (label_effacer->isHidden()) {
        effacer->show();
        label_effacer->show();
    }
    if (nombre_lettres == 0) {
        routines.prenom = blancs(13);
        for (int k = 1; k < 13; ++k)
            reponse[k]->hide();
    }
    if (nombre_lettres >= 13)
        return;
    if (routines.prenom.size() < nombre_lettres + 1)
        routines.prenom = routines.prenom.leftJustified(nombre_lettres + 1);
    routines.prenom[nombre_lettres] = c;
    Label* tile = reponse[std::size_t(nombre_lettres)];
    tile->setCaption(QString(c));
    placer(nombre_lettres + 1);
    tile->setVisible(c != QChar(u' '));
    ++nombre_lettres;
}

void DemandePrenom::taperLettre(int i) {
    if (!pret_ || fini_)
        return;
    routines.jouer_bruitage();
    inutile->setFocus();
    ecrireDansPrenom(QChar(u'A' + i));
}

void DemandePrenom::taperEspace() {
    if (!pret_ || fini_)
        return;
    inutile->setFocus();
    routines.jouer_bruitage();
    ecrireDansPrenom(QChar(u' '));
}

void DemandePrenom::keyPressEvent(QKeyEvent* event) {
    // At a real keyboard, a letter (its accent dropped) or the space bar does
    // what clicking that key of the on-screen keyboard does.
    const QString text = event->text().normalized(QString::NormalizationForm_D);
    if (alphabet->isVisibleTo(this) && !text.isEmpty()) {
        const QChar c = text[0].toUpper();
        if (c >= QChar(u'A') && c <= QChar(u'Z')) {
            lettre[c.unicode() - u'A']->click();
            return;
        }
        if (c == QChar(u' ')) {
            espace->click();
            return;
        }
    }
    Screen::keyPressEvent(event);
}

void DemandePrenom::effacerNom() {
    if (pret_ && !fini_)
        viderNom();
}

void DemandePrenom::viderNom() {
    routines.jouer_son(QStringLiteral("3.ats"));
    effacer->hide();
    label_effacer->hide();
    nombre_lettres = 0;
    routines.prenom = kInconnu;
    for (Label* tile : reponse)
        tile->hide();
    montrerInconnu();
    routines.prenom = blancs(13);
}

// --- the players ------------------------------------------------------------

void DemandePrenom::choisirJoueur() {
    const int row = liste_prenoms->currentRow();
    if (!pret_ || fini_ || row < 0)
        return;
    routines.jouer_bruitage();
    routines.prenom = liste_prenoms->item(row)->text().trimmed();
    routines.joueurs.joueur_courant = qint16(row);
    montrerNom(routines.prenom);
    routines.chargerJoueur(row);
    rafraichirScore();
}

void DemandePrenom::nouveauJoueur() {
    TableJoueurs& t = routines.joueurs;
    if (!pret_ || fini_ || t.nombre_joueurs >= kMaxJoueurs)
        return;
    routines.platform().cursor().release();
    liste_prenoms->hide();
    infos2->hide();
    routines.jouer_bruitage();
    t.nombre_joueurs += 1;
    t.joueur_courant = qint16(t.nombre_joueurs - 1);
    montrerClavier(true);
    nouveau_joueur->hide();
    image_nouveau_joueur->hide();
    label_supprimer_joueur->hide();
    image_supprimer_joueur->hide();
    avertissement->hide();
    routines.score = 0;
    label_score->hide();
    t.slots[std::size_t(t.joueur_courant)].score = 0;
    effacer_progression();
    for (Label* tile : reponse) {
        tile->setCaption(QString());
        tile->hide();
    }
    montrerInconnu();
    inutile->setFocus();
}

void DemandePrenom::supprimerJoueur() {
    TableJoueurs& t = routines.joueurs;
    if (!pret_ || fini_)
        return;
    routines.jouer_son(QStringLiteral("3.ats"));
    delete liste_prenoms->takeItem(t.joueur_courant);
    t.nombre_joueurs -= 1;
    if (t.nombre_joueurs < 1) {
        liste_prenoms->hide();
        infos2->hide();
        image_supprimer_joueur->hide();
        label_supprimer_joueur->hide();
        viderNom();
        label_score->hide();
        routines.score = 0;
        t.joueur_courant = 0;
        effacer_progression();
        montrerClavier(true);
        inutile->setFocus();
        nouveau_joueur->hide();
        image_nouveau_joueur->hide();
        t.nombre_joueurs = 1;
        return;
    }
    if (t.nombre_joueurs == 1) {
        liste_prenoms->hide();
        infos2->hide();
    }
    for (int i = t.joueur_courant; i < t.nombre_joueurs; ++i)
        t.slots[std::size_t(i)] = t.slots[std::size_t(i + 1)];
    ajusterListe(18);
    liste_prenoms->setCurrentRow(0);
    routines.prenom = liste_prenoms->item(0)->text().trimmed();
    routines.score = t.slots[0].score;
    rafraichirScore();
    t.joueur_courant = 0;
    montrerNom(routines.prenom);
    routines.chargerJoueur(0);
    const bool place = t.nombre_joueurs >= 1 && t.nombre_joueurs < kMaxJoueurs;
    nouveau_joueur->setVisible(place);
    image_nouveau_joueur->setVisible(place);
}

QString DemandePrenom::normaliserPrenom(const QString& typed) {
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Inconnu");
    QString name = trimmed.toLower();
    for (qsizetype i = 0; i < name.size(); ++i)
        if (i == 0 || name[i - 1] == QChar(u' '))
            name[i] = name[i].toUpper();
    return name.simplified();
}

void DemandePrenom::jouer() {
    if (!pret_ || fini_)
        return;
    fini_ = true;
    routines.jouer_son(QStringLiteral("6.ats"));
    routines.prenom = normaliserPrenom(routines.prenom);
    routines.joueurs.slots[std::size_t(routines.joueurs.joueur_courant)].prenom = routines.prenom;
    Depart* depart = ecrans_.depart();
    routines.stage().showScreen(depart);
    routines.stage().hideScreen(this);
    // The roster is not shown again in this run.
    oublierFond();
    routines.preparer_messages();
    routines.platform().cursor().setPos(QPoint(400, 400));
    depart->timer().start();
}

} // namespace zm

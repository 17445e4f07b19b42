#include "reading/lecture2.h"

#include "shell/entree_liste.h"
#include "shell/routines.h"
#include "shell/saisie.h"

#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

namespace zm {

const QString Lecture2::kIntroduction =
    QStringLiteral("Bienvenue dans le monde de la Lecture Rapide !\n\n"
                   "Un texte va s'afficher à l'écran. Lisez-le rapidement car il va s'effacer "
                   "mot à mot au bout de quelques secondes !\n"
                   "Vous devrez ensuite répondre à plusieurs questions afin de vérifier si vous "
                   "avez correctement assimilé ce texte.\n"
                   "Vous gagnerez (ou perdrez) des points selon votre degré de réussite. Ils vous "
                   "serviront à miser dans les autres jeux.\n\n"
                   "Choisissez ci-dessous la vitesse d'effacement désirée. Vos gains de points "
                   "éventuels seront doublés en vitesse rapide.\n\n"
                   "Appuyez sur le bouton COMMENCER et... bon courage !");
const QString Lecture2::kCommencer = QStringLiteral("COMMENCER");
const QString Lecture2::kAutreTexte = QStringLiteral("Un autre texte ?");
const QString Lecture2::kSuite =
    QStringLiteral("\n\nAppuyez sur ENTREE (ou cliquez) pour continuer...");

namespace {

// The box fills the middle of the room; the answer means stand in its
// lower part, inside the area the pointer is kept in.
constexpr QRect kBoite(76, 94, 648, 382);

} // namespace

Lecture2::Lecture2(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranEpreuve(description, routines, stage), effacer_(routines.platform().createTimer()) {
    boite_texte = new BoiteTexte(this, QStringLiteral("boite_texte"));
    boite_texte->setGeometry(kBoite);
    boite_texte->setCouleurFond(kFondCarte);
    QFont police = boite_texte->font();
    police.setPointSize(12);
    boite_texte->setFont(police);

    const char* const reponses[2] = {"VRAI", "FAUX"};
    for (int i = 0; i < 2; ++i) {
        const Bouton b = addBouton(
            QStringLiteral("image_oui(%1)").arg(i), QStringLiteral("oui_non(%1)").arg(i),
            QRect(i == 0 ? 190 : 430, 414, 180, 48), QString::fromLatin1(reponses[i]), 16);
        image_oui[std::size_t(i)] = b.image;
        oui_non[std::size_t(i)] = b.label;
        connect(b.label, &Label::clicked, this, [this, i] { juger_vrai_faux(i); });
    }

    reponse =
        boiteReponse(this, QRect(250, 412, 300, 50), 18, 40, [this] { juger_reponse_tapee(); });

    const char* const libelles[2] = {"Effacement normal", "Effacement rapide"};
    for (int i = 0; i < 2; ++i) {
        QRadioButton* option = new QRadioButton(QString::fromUtf8(libelles[i]), this);
        option->setObjectName(QStringLiteral("celerite(%1)").arg(i));
        option->setGeometry(56 + 206 * i, 507, 200, 30);
        QFont f = option->font();
        f.setPointSize(12);
        f.setBold(true);
        option->setFont(f);
        connect(option, &QRadioButton::pressed, this, [this, i] { choisir_celerite(i); });
        celerite[std::size_t(i)] = option;
    }

    const Bouton b = addBouton(QStringLiteral("image_effacement"), QStringLiteral("effacement"),
                               QRect(478, 498, 180, 46), kCommencer);
    image_effacement = b.image;
    effacement = b.label;
    connect(effacement, &Label::clicked, this, &Lecture2::commencer_lecture);

    // Takes the keyboard focus, so that Enter reaches the screen.
    invisible = new QWidget(this);
    invisible->setObjectName(QStringLiteral("invisible"));
    invisible->setGeometry(0, 0, 1, 1);
    invisible->setFocusPolicy(Qt::StrongFocus);

    effacer_->setInterval(7);
    effacer_->setOnTick([this] { effacer_mot(); });
    montrerReponses(false);
    reponse->hide();
}

Lecture2::~Lecture2() = default;

void Lecture2::montrerReponses(bool visible) {
    for (std::size_t i = 0; i < 2; ++i) {
        image_oui[i]->setVisible(visible);
        oui_non[i]->setVisible(visible);
    }
}

void Lecture2::choisir_celerite(int i) {
    if (etape_ != Etape::Introduction)
        return;
    routines.jouer_bruitage();
    delai_effacement = i == 0 ? kDelaiNormal : kDelaiRapide;
    celerite[std::size_t(i)]->setChecked(true);
    invisible->setFocus();
}

// --- a visit -----------------------------------------------------------------

void Lecture2::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    effacer_->stop();
    motEnCours_ = false;
    pointeurDansBoite_ = false;
    panne_.clear();
    celerite[0]->setChecked(true);
    delai_effacement = kDelaiNormal;
    invisible->setFocus();
    attente_suite = 0;
    if (!ouvrirFichier()) {
        montrerPanne();
        return;
    }
    presenter();
}

void Lecture2::visiteTerminee() {
    // Nothing goes on erasing on a hidden screen, and the pointer is free.
    effacer_->stop();
    if (pointeurDansBoite_)
        routines.platform().cursor().release();
    pointeurDansBoite_ = false;
}

bool Lecture2::ouvrirFichier() {
    auto file = ouvrirDonnees(routines.datas(QStringLiteral("3.bin")));
    if (!file) {
        panne_ = QStringLiteral("le fichier 3.bin est introuvable");
        return false;
    }
    routines.fichier1 = std::move(file);
    QFile& f = *routines.fichier1;
    // The texts already done are passed; a place past the last one (the
    // file changed, or the player finished the last text) starts again.
    int& progression = routines.progression_lecture2;
    progression = std::max(progression, 0);
    for (int k = 0; k < progression; ++k) {
        if (!lireTexteSuivant(f)) {
            progression = 0;
            break;
        }
    }
    if (progression == 0 || f.atEnd()) {
        f.seek(0);
        progression = 0;
    }
    texteSuivant_ = progression;
    return true;
}

bool Lecture2::lire_texte() {
    QFile* f = routines.fichier1.get();
    if (!f) {
        panne_ = QStringLiteral("le fichier 3.bin n'est pas ouvert");
        return false;
    }
    QString defaut;
    std::optional<TexteAEffacer> lu = lireTexteSuivant(*f, &defaut);
    if (!lu && f->size() > 0) {
        // Nothing playable after the place reached: the texts start again.
        f->seek(0);
        texteSuivant_ = 0;
        lu = lireTexteSuivant(*f, &defaut);
    }
    if (!lu) {
        panne_ = defaut.isEmpty()
                     ? QStringLiteral("le fichier 3.bin est vide")
                     : QStringLiteral("aucun texte lisible dans le fichier 3.bin : ") + defaut;
        return false;
    }
    nb_questions = int(lu->questions.size());
    titre_texte = lu->titre;
    texte_lu = lu->texte;
    for (std::size_t j = 0; j < kQuestionsMax; ++j) {
        const QuestionTexte q = j < lu->questions.size() ? lu->questions[j] : QuestionTexte{};
        genre_question[j] = q.genre;
        enonce[j] = q.enonce;
        reponse_attendue[j] = q.reponse_attendue;
        explication[j] = q.explication;
    }
    texteSuivant_ += 1;
    if (f->atEnd()) {
        f->seek(0);
        texteSuivant_ = 0;
    }
    nb_justes = 0;
    nb_fausses = 0;
    position_effacement = 1;
    numero_question = 0;
    return true;
}

void Lecture2::montrerPanne() {
    etape_ = Etape::Panne;
    effacer_->stop();
    for (QRadioButton* option : celerite)
        option->hide();
    effacement->hide();
    image_effacement->hide();
    montrerReponses(false);
    reponse->hide();
    boite_texte->aligner(0, boite_texte->longueur(), Alignement::Centre);
    boite_texte->remplacerTexte(QStringLiteral("\nLes textes de cet exercice sont illisibles (") +
                                panne_ + QStringLiteral(").\n\nRevenez au menu avec Retour."));
    boite_texte->colorer(0, boite_texte->longueur(), kRouge);
    boite_texte->mettreEnGras(0, boite_texte->longueur(), true);
}

// --- the introduction and the text --------------------------------------------

void Lecture2::presenter() {
    for (QRadioButton* option : celerite)
        option->show();
    celerite[0]->setChecked(true);
    effacement->setCaption(kCommencer);
    reponse->hide();
    montrerReponses(false);
    // The record of the next text is read now, so that a damaged file is
    // said before COMMENCER is offered.
    if (!lire_texte()) {
        montrerPanne();
        return;
    }
    etape_ = Etape::Introduction;
    boite_texte->remplacerTexte(kIntroduction);
    boite_texte->aligner(0, boite_texte->longueur(), Alignement::Centre);
    boite_texte->colorer(0, boite_texte->longueur(), kNoir);
    boite_texte->mettreEnGras(0, boite_texte->longueur(), true);
    effacement->show();
    image_effacement->show();
}

void Lecture2::commencer_lecture() {
    if (etape_ == Etape::Bilan) {
        presenter();
        return;
    }
    if (etape_ != Etape::Introduction)
        return;
    etape_ = Etape::Lecture;
    delai_effacement = celerite[0]->isChecked() ? kDelaiNormal : kDelaiRapide;
    for (QRadioButton* option : celerite)
        option->hide();
    // Nothing else to click until the summary.
    effacement->hide();
    image_effacement->hide();
    confiner_pointeur();
    routines.cacher_souris();
    boite_texte->remplacerTexte(QString());
    boite_texte->aligner(0, 0, Alignement::Centre);
    nb_justes = 0;
    nb_fausses = 0;
    position_effacement = 1;
    numero_question = 0;
    boite_texte->remplacerTexte(titre_texte + QStringLiteral("\n\n"));
    const qsizetype L = boite_texte->longueur();
    boite_texte->mettreEnGras(0, L, true);
    boite_texte->ajouter(texte_lu);
    boite_texte->aligner(L + 1, boite_texte->longueur(), Alignement::Gauche);
    if (!attendre(1500))
        return;
    effacer_->start();
}

void Lecture2::effacer_mot() {
    // One word at a time: a tick that comes while a word waits does nothing.
    if (etape_ != Etape::Lecture || motEnCours_)
        return;
    motEnCours_ = true;
    const QString texte = boite_texte->texte();
    const qsizetype debut = position_effacement - 1;
    // A word ends at the next blank or line feed.
    qsizetype e = debut;
    while (e < texte.size() && texte[e] != u' ' && texte[e] != u'\n')
        ++e;
    if (e < texte.size()) {
        boite_texte->colorer(debut, e - debut, kRouge);
        if (!attendre(50 + delai_effacement)) {
            motEnCours_ = false;
            return;
        }
        boite_texte->colorer(debut, e - debut, boite_texte->couleurFond());
        routines.jouer_son(QStringLiteral("100"));
        // The blanks and line feeds after the word are passed: the next
        // step starts on a word.
        while (e < texte.size() && (texte[e] == u' ' || texte[e] == u'\n'))
            ++e;
        position_effacement = int(e) + 1;
    } else {
        // The last word: erased at once, and the questions begin.
        const qsizetype reste = texte.size() - debut;
        boite_texte->colorer(debut, reste, kRouge);
        boite_texte->blanchir(debut, reste);
        boite_texte->colorer(debut, reste, boite_texte->couleurFond());
        effacer_->stop();
        montrer_question();
    }
    motEnCours_ = false;
}

// --- the questions -------------------------------------------------------------

void Lecture2::montrer_question() {
    const std::size_t n = std::size_t(numero_question);
    attente_suite = 0;
    etape_ = Etape::Question;
    boite_texte->remplacerTexte(QString());
    boite_texte->aligner(0, 0, Alignement::Centre);
    const QString entete = QStringLiteral("\nAvez-vous eu le temps de bien comprendre ce texte ?\n"
                                          "Voici ") +
                           QString::number(nb_questions) +
                           QStringLiteral(" questions pour en juger : QUESTION N° ") +
                           QString::number(numero_question + 1) + QStringLiteral("\n\n");
    boite_texte->remplacerTexte(entete);
    debut_question = int(entete.size());
    boite_texte->colorer(0, debut_question, kNoir);
    boite_texte->mettreEnGras(0, debut_question, true);
    boite_texte->ajouter(enonce[n]);
    boite_texte->ajouter(genre_question[n] == 1 ? QStringLiteral("\nAppuyez ensuite sur ENTREE.\n")
                                                : QStringLiteral("\n\n"));
    fin_question = int(boite_texte->longueur());
    boite_texte->colorer(debut_question, fin_question - debut_question, kBleu);
    if (genre_question[n] == 1) {
        reponse->clear();
        reponse->show();
        reponse->setFocus();
        routines.cacher_souris();
    } else if (genre_question[n] == 0) {
        routines.montrer_souris();
        oui_non[0]->setCaption(QStringLiteral("VRAI"));
        oui_non[1]->setCaption(QStringLiteral("FAUX"));
        montrerReponses(true);
    }
}

void Lecture2::ajouterEnCouleur(const QString& texte, const QColor& couleur) {
    const qsizetype debut = boite_texte->longueur();
    boite_texte->ajouter(texte);
    boite_texte->colorer(debut, boite_texte->longueur() - debut, couleur);
}

void Lecture2::juger_vrai_faux(int i) {
    const std::size_t n = std::size_t(numero_question);
    if (etape_ != Etape::Question || attente_suite != 0 || genre_question[n] != 0)
        return;
    montrerReponses(false);
    const bool juste = i == reponse_attendue[n].trimmed().toInt();
    const QString dit = oui_non[std::size_t(i)]->caption();
    // Judged with the shared step: its sound, no message, no points yet.
    juger(juste, {.gain = 0, .perte = 0}, {});
    if (juste) {
        boite_texte->ajouter(QStringLiteral("\nVous avez dit ") + dit +
                             QStringLiteral(" ? Bonne réponse ! \n") + explication[n] + kSuite);
        nb_justes += 1;
    } else {
        boite_texte->ajouter(QStringLiteral("\nVous maintenez que c'est ") + dit +
                             QStringLiteral(" ? Erreur ") + routines.prenom +
                             QStringLiteral(" ! \n") + explication[n] + kSuite);
        nb_fausses += 1;
    }
    boite_texte->colorer(fin_question, boite_texte->longueur() - fin_question,
                         juste ? kBleu : kRouge);
    numero_question += 1;
    attente_suite = 1;
    etape_ = Etape::Suite;
    confiner_pointeur();
}

void Lecture2::juger_reponse_tapee() {
    const std::size_t n = std::size_t(numero_question);
    if (etape_ != Etape::Question || attente_suite != 0 || genre_question[n] != 1 ||
        reponse->isHidden())
        return;
    const QString tape = reponse->text().trimmed();
    if (tape.isEmpty()) {
        reponse->clear();
        return;
    }
    reponse->hide();
    reponse->setText(tape.toUpper());
    invisible->setFocus();
    const bool juste = memeReponse(tape, reponse_attendue[n]);
    juger(juste, {.gain = 0, .perte = 0}, {});
    if (juste) {
        ajouterEnCouleur(QStringLiteral("\n") + reponse->text() +
                             QStringLiteral(" ? Bonne réponse ! \n") + explication[n] + kSuite,
                         kBleu);
        nb_justes += 1;
    } else {
        ajouterEnCouleur(QStringLiteral("\n") + reponse->text() +
                             QStringLiteral(" ? Ce n'est pas la bonne réponse ! \n") +
                             explication[n] + kSuite,
                         kRouge);
        nb_fausses += 1;
    }
    numero_question += 1;
    attente_suite = 1;
    etape_ = Etape::Suite;
    routines.montrer_souris();
    confiner_pointeur();
}

void Lecture2::question_suivante() {
    if (etape_ != Etape::Suite || attente_suite != 1)
        return;
    reponse->hide();
    if (numero_question < nb_questions)
        montrer_question();
    else
        bilan();
}

void Lecture2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        question_suivante();
        event->accept();
        return;
    }
    EcranEpreuve::keyPressEvent(event);
}

// --- the summary -----------------------------------------------------------------

QString Lecture2::verdict(int nb_questions, int nb_justes, int nb_fausses, const QString& prenom) {
    const int h = nb_questions / 2;
    QString v;
    // Each check that holds replaces what an earlier one said.
    if (nb_fausses > h)
        v = QStringLiteral("Ce bilan n'est pas très positif... Entraînez-vous à lire plus "
                           "régulièrement et surtout, à bien mémoriser le sens des mots les plus "
                           "importants du texte lu.");
    if (nb_fausses <= h)
        v = QStringLiteral("Ce n'est pas mal ") + prenom +
            QStringLiteral(". Encore un peu de persévérance et les résultats s'amélioreront "
                           "rapidement !");
    if (nb_justes == h)
        v = QStringLiteral("Des résultats assez équilibrés on dirait... Les grandes lignes du "
                           "texte semblent comprises mais il reste encore du travail à faire. "
                           "Continuez ") +
            prenom + QStringLiteral(" !");
    if (nb_justes == nb_questions)
        v = QStringLiteral("Excellent ! Vous n'avez fait aucune erreur ! Vous êtes le Maître de la "
                           "Lecture !");
    if (nb_justes == 0)
        v = QStringLiteral("Catastrophe ! Il va falloir penser à s'entraîner sérieusement ! "
                           "Courage ") +
            prenom + QStringLiteral(" !");
    return v;
}

QString Lecture2::lignePoints(int nb_justes, bool rapide, const QString& prenom) {
    if (nb_justes == 0)
        return QStringLiteral("Vous ne gagnez AUCUN point ! Un effort voyons ") + prenom +
               QStringLiteral(" !");
    if (nb_justes == 1)
        return rapide ? QStringLiteral("Vous ne gagnez que deux points. Vous ferez sûrement mieux "
                                       "pour le prochain texte !")
                      : QStringLiteral("Vous ne gagnez qu'un point. Vous ferez sûrement mieux pour "
                                       "le prochain texte !");
    return QStringLiteral("Vous gagnez ") + QString::number(rapide ? 2 * nb_justes : nb_justes) +
           QStringLiteral(" points. Agréable non ?");
}

void Lecture2::bilan() {
    etape_ = Etape::Bilan;
    attente_suite = 0;
    const bool rapide = delai_effacement != kDelaiNormal;
    QString texte = QStringLiteral("BILAN POUR CE TEXTE\n\n");
    texte += rapide ? QStringLiteral("Vous aviez choisi une vitesse d'effacement rapide.")
                    : QStringLiteral("Vous aviez choisi une vitesse d'effacement normale.");
    texte += QStringLiteral("\nNombre de questions posées --> ") + QString::number(nb_questions) +
             QStringLiteral("\n\nNombre de réponses justes --> ") + QString::number(nb_justes) +
             QStringLiteral("\n\nNombre de réponses fausses --> ") + QString::number(nb_fausses);
    boite_texte->aligner(0, boite_texte->longueur(), Alignement::Centre);
    boite_texte->remplacerTexte(texte);
    boite_texte->mettreEnGras(0, QStringLiteral("BILAN POUR CE TEXTE").size(), true);
    ajouterEnCouleur(QStringLiteral("\n\n") +
                         verdict(nb_questions, nb_justes, nb_fausses, routines.prenom),
                     kBleu);
    const qsizetype points = boite_texte->longueur() + 2;
    ajouterEnCouleur(QStringLiteral("\n\n") + lignePoints(nb_justes, rapide, routines.prenom),
                     nb_justes > 0 ? kBleu : kRouge);
    boite_texte->mettreEnGras(points, boite_texte->longueur() - points, true);
    effacement->setCaption(kAutreTexte);
    effacement->show();
    image_effacement->show();
    routines.progression_lecture2 = texteSuivant_;
    routines.ajouter_points(rapide ? 2 * nb_justes : nb_justes);
    routines.afficher_score(*this);
    if (!enJeu())
        return;
    // The pointer leaves the box: the whole screen is its own again.
    routines.preparer_ecran(*this);
    pointeurDansBoite_ = false;
}

void Lecture2::confiner_pointeur() {
    Cursor& cursor = routines.platform().cursor();
    cursor.setPos(boite_texte->geometry().center());
    cursor.confine(boite_texte->geometry());
    pointeurDansBoite_ = true;
}

} // namespace zm

#include "reading/defilement.h"

#include "shell/routines.h"

#include <QFile>
#include <QRadioButton>

namespace zm {

const std::array<QString, 4> Defilement::kOrdinaux = {
    QStringLiteral("première"), QStringLiteral("deuxième"), QStringLiteral("troisième"),
    QStringLiteral("quatrième")};

Defilement::Defilement(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranDefilant(description, routines, stage, QStringLiteral("fin_defilement")) {
    const char* const libelles[2] = {"FAUX", "VRAI"};
    for (int i : {1, 0}) {
        const QRect place(i == 1 ? 200 : 420, 320, 180, 44);
        image_oui[i] = addLabel(QStringLiteral("image_oui(%1)").arg(i), place);
        oui_non[i] =
            addLabel(QStringLiteral("oui_non(%1)").arg(i), place, QString::fromLatin1(libelles[i]));
        oui_non[i]->setAlignment(Qt::AlignCenter);
        oui_non[i]->setPointSize(16);
        oui_non[i]->setBold(true);
        oui_non[i]->setTextColour(QColor(0, 0, 128));
        oui_non[i]->setCursor(Qt::PointingHandCursor);
        connect(oui_non[i], &Label::clicked, this, [this, i] { juger_affirmation(i); });
    }
    montrerReponses(false);
    connect(commencer, &Label::clicked, this, &Defilement::commencer_texte);
}

void Defilement::montrerReponses(bool visible) {
    for (int i = 0; i < 2; ++i) {
        image_oui[i]->setVisible(visible);
        oui_non[i]->setVisible(visible);
    }
}

void Defilement::activate() {
    initialiser_ecran();
    routines.preparer_ecran(*this);
}

void Defilement::montrerConsigne() {
    commentaire->setCaption(
        QStringLiteral("Un texte va défiler dans le cadre ci-dessus. Lisez-le et donnez ensuite "
                       "votre avis sur les 4 affirmations qui suivront.\rAppuyez sur COMMENCER "
                       "lorsque vous êtes prêt(e)."));
}

void Defilement::initialiser_ecran() {
    label_score->setCaption(routines.texteScore());
    if (routines.retour_aide != 0) {
        routines.retour_aide = 0;
        return;
    }
    invisible->show();
    invisible->setFocus();
    commencer->show();
    ima->show();
    suite->hide();
    for (Label* image : image_oui)
        image->setPicture(bouton());
    montrerReponses(false);
    montrerVitesses(true);
    vitesse[0]->setChecked(true);
    routines.montrer_souris();
    delai_vitesse = 75;
    attente_clic = 0;
    numero_question = 0;
    ima->setPicture(bouton());
    texte_defilant->setTextColour(kBleu);
    commentaire->setTextColour(kBleu);
    texte_defilant->setCaption(kAttente);
    montrerConsigne();
    fin->show();
    retour->show();
    panne_.clear();
    if (!ouvrirFichier() || !lire_texte())
        montrerPanne(QStringLiteral("Les textes de cet exercice sont illisibles (") + panne_ +
                     QStringLiteral("). Revenez au menu avec Retour."));
}

bool Defilement::ouvrirFichier() {
    auto file = std::make_unique<QFile>(routines.datas(QStringLiteral("2.bin")));
    if (!file->open(QIODevice::ReadOnly)) {
        panne_ = QStringLiteral("le fichier 2.bin est introuvable");
        return false;
    }
    routines.fichier1 = std::move(file);
    QFile& f = *routines.fichier1;
    // Skip the texts already read; a skip that reaches the end, or a damaged
    // record, starts the texts again.
    int& progression = routines.progression_defilement;
    for (int k = 0; k < progression; ++k) {
        if (f.atEnd() || !lireTexte(f)) {
            f.seek(0);
            progression = 0;
            break;
        }
    }
    if (f.atEnd()) {
        f.seek(0);
        progression = 0;
    }
    return true;
}

bool Defilement::lire_texte() {
    QFile* f = routines.fichier1.get();
    if (!f) {
        panne_ = QStringLiteral("le fichier 2.bin n'est pas ouvert");
        return false;
    }
    // Two tries: where the file goes on but its next record cannot be read,
    // the texts start again from the first one.
    for (int essai = 0; essai < 2; ++essai) {
        const bool auDebut = f->pos() == 0;
        QString defaut;
        if (std::optional<TexteLu> lu = lireTexte(*f, &defaut)) {
            texte_lu = *lu;
            if (f->atEnd()) {
                f->seek(0);
                routines.progression_defilement = 0;
            }
            return true;
        }
        if (auDebut) {
            panne_ = QStringLiteral("2.bin : ") + defaut;
            return false;
        }
        f->seek(0);
        routines.progression_defilement = 0;
    }
    return false;
}

void Defilement::montrer_affirmation() {
    const std::size_t n = std::size_t(numero_question);
    suite->hide();
    texte_defilant->setTextColour(kBleu);
    texte_defilant->setCaption(texte_lu.affirmations[n].affirmation);
    commentaire->setTextColour(kBleu);
    attente_clic = 0;
    commentaire->setCaption(QStringLiteral("Voici la ") + kOrdinaux[n] +
                            QStringLiteral(" affirmation sur quatre.\rEst-ce Vrai ou Faux ?"));
    montrerReponses(true);
}

void Defilement::commencer_texte() {
    if (!panne_.isEmpty() || defilementEnCours())
        return;
    invisible->hide();
    montrerVitesses(false);
    fin->hide();
    retour->hide();
    routines.jouer_ambiance();
    routines.cacher_souris();
    commentaire->setCaption(QStringLiteral("\rLisez attentivement ce texte..."));
    commencer->hide();
    ima->hide();
    if (!defiler(texte_lu.texte))
        return;
    routines.jouer_ambiance();
    routines.montrer_souris();
    montrer_affirmation();
}

void Defilement::juger_affirmation(int i) {
    if (numero_question > 3 || attente_clic != 0)
        return;
    montrerReponses(false);
    const Affirmation& a = texte_lu.affirmations[std::size_t(numero_question)];
    routines.texte_message = a.verite != 0 ? QStringLiteral("VRAIE") : QStringLiteral("FAUSSE");
    texte_defilant->setCaption(a.correction);
    const QString fin = QStringLiteral(" L'affirmation : \r'") + a.affirmation +
                        QStringLiteral("'\rest ") + routines.texte_message + QStringLiteral(" !!!");
    if (i != a.verite) {
        routines.jouer_defaite();
        commentaire->setTextColour(kRouge);
        texte_defilant->setTextColour(kRouge);
        commentaire->setCaption(routines.messageReponse(false) + fin);
        if (routines.score > 0)
            routines.ajouter_points(-1);
    } else {
        commentaire->setCaption(routines.messageReponse(true) + fin);
        routines.jouer_victoire();
        routines.ajouter_points(pointsParBonneReponse());
    }
    routines.afficher_score(*this);
    numero_question += 1;
    if (numero_question < 4) {
        suite->setCaption(QStringLiteral("Un clic pour continuer..."));
        suite->show();
        attente_clic = 1;
    } else {
        suite->setCaption(QStringLiteral("Un clic pour le texte suivant..."));
        suite->show();
    }
}

void Defilement::clic_suite() {
    if (attente_clic == 1 && numero_question < 4) {
        montrer_affirmation();
        return;
    }
    if (numero_question != 4)
        return;
    if (!lire_texte()) {
        montrerPanne(QStringLiteral("Les textes de cet exercice sont illisibles (") + panne_ +
                     QStringLiteral("). Revenez au menu avec Retour."));
        fin->show();
        retour->show();
        return;
    }
    suite->hide();
    commencer->show();
    ima->show();
    numero_question = 0;
    montrerConsigne();
    montrerVitesses(true);
    invisible->show();
    vitesse[delai_vitesse != 0 ? 0 : 1]->setChecked(true);
    invisible->setFocus();
    texte_defilant->setTextColour(kBleu);
    texte_defilant->setCaption(kAttente);
    commentaire->setTextColour(kBleu);
    fin->show();
    retour->show();
    routines.progression_defilement += 1;
}

} // namespace zm

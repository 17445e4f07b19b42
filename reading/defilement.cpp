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
        const Bouton b = addBouton(
            QStringLiteral("image_oui(%1)").arg(i), QStringLiteral("oui_non(%1)").arg(i),
            QRect(i == 1 ? 200 : 420, 320, 180, 44), QString::fromLatin1(libelles[i]), 16);
        image_oui[i] = b.image;
        oui_non[i] = b.label;
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

void Defilement::montrerConsigne() {
    commentaire->setCaption(
        QStringLiteral("Un texte va défiler dans le cadre ci-dessus. Lisez-le et donnez ensuite "
                       "votre avis sur les 4 affirmations qui suivront.\rAppuyez sur COMMENCER "
                       "lorsque vous êtes prêt(e)."));
}

void Defilement::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    invisible->show();
    invisible->setFocus();
    commencer->show();
    ima->show();
    suite->hide();
    montrerReponses(false);
    montrerVitesses(true);
    vitesse[0]->setChecked(true);
    routines.montrer_souris();
    delai_vitesse = 75;
    attente_clic = 0;
    numero_question = 0;
    texte_defilant->setTextColour(kBleu);
    commentaire->setTextColour(kBleu);
    texte_defilant->setCaption(kAttente);
    montrerConsigne();
    fin->show();
    montrerRetour(true);
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
    montrerRetour(false);
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
    const bool juste = i == a.verite;
    if (!juste) {
        commentaire->setTextColour(kRouge);
        texte_defilant->setTextColour(kRouge);
    }
    juger(juste, {.gain = pointsParBonneReponse(), .perte = 1, .animerSansPerte = true},
          [&](const QString& message) { commentaire->setCaption(message + fin); });
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
        montrerRetour(true);
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
    montrerRetour(true);
    routines.progression_defilement += 1;
}

} // namespace zm

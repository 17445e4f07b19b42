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
        montrerPanne(panne_ + QStringLiteral(" Revenez au menu avec Retour."));
}

bool Defilement::ouvrirFichier() {
    auto file = ouvrirDonnees(routines.datas(QStringLiteral("2.bin")));
    if (!file) {
        panne_ = QStringLiteral("Les textes de cet exercice sont introuvables : le fichier 2.bin "
                                "du dossier datas manque ou ne peut pas être lu.");
        return false;
    }
    routines.fichier1 = std::move(file);
    QFile& f = *routines.fichier1;
    // The texts already read are passed over, good or damaged alike: the
    // place in the file is the player's. A place past the last text starts
    // the texts again.
    int& progression = routines.progression_defilement;
    if (progression < 0)
        progression = 0;
    for (int k = 0; k < progression; ++k) {
        if (f.atEnd()) {
            f.seek(0);
            progression = 0;
            break;
        }
        lireTexte(f);
    }
    return true;
}

bool Defilement::lire_texte() {
    QFile* f = routines.fichier1.get();
    if (!f)
        return false;
    // The text at the player's place; a damaged text is passed over, and the
    // place moves on with it. Once every text has been tried, in at most two
    // passes over the file, the exercise says it cannot go on.
    int& progression = routines.progression_defilement;
    bool recommence = false;
    while (true) {
        if (f->atEnd()) {
            if (recommence)
                break;
            recommence = true;
            f->seek(0);
            progression = 0;
        }
        if (std::optional<TexteLu> lu = lireTexte(*f)) {
            texte_lu = *lu;
            return true;
        }
        progression += 1;
    }
    panne_ = QStringLiteral("Les textes de cet exercice sont abîmés : aucun ne peut être lu.");
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
    // This text is done: the place moves on to the next one.
    routines.progression_defilement += 1;
    if (!lire_texte()) {
        montrerPanne(panne_ + QStringLiteral(" Revenez au menu avec Retour."));
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
}

} // namespace zm

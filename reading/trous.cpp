#include "reading/trous.h"

#include "shell/listes.h"
#include "shell/routines.h"
#include "shell/saisie.h"

#include <QLineEdit>
#include <QRadioButton>

namespace zm {

const QStringList& Trous::liste_trous() {
    static const QStringList rows = listeIntegree(QStringLiteral("reading/liste_trous.txt"));
    return rows;
}

Trous::Trous(const DescriptionEpreuve& description, Routines& routines, QWidget* stage)
    : EcranDefilant(description, routines, stage, QStringLiteral("fin_trous")) {
    commentaire->setGeometry(40, 160, 720, 140);
    reponse = boiteReponse(this, QRect(250, 320, 300, 48), 18, 30, [this] { verifier_mot(); });
    reponse->hide();
    connect(commencer, &Label::clicked, this, &Trous::commencer_texte);
}

void Trous::repriseApresAide() {
    // Keys go where they went before the help sheet.
    if (!reponse->isHidden())
        reponse->setFocus();
    else
        invisible->setFocus();
}

void Trous::montrerConsigne() {
    commentaire->setCaption(
        QStringLiteral("Un texte va défiler dans le cadre ci-dessus. Lisez-le et retrouvez "
                       "ensuite les 4 mots manquants.\rAppuyez sur COMMENCER lorsque vous êtes "
                       "prêt(e)."));
}

void Trous::nouvelleVisite() {
    EcranEpreuve::nouvelleVisite();
    invisible->setFocus();
    reponse->hide();
    nb_trouves = 0;
    reponse->clear();
    commencer->setCaption(QStringLiteral("COMMENCER"));
    commencer->show();
    ima->show();
    suite->hide();
    montrerVitesses(true);
    vitesse[0]->setChecked(true);
    delai_vitesse = 75;
    texte_defilant->setTextColour(kBleu);
    commentaire->setTextColour(kBleu);
    texte_defilant->setCaption(kAttente);
    montrerConsigne();
    fin->show();
    montrerRetour(true);
    choisir_texte();
}

void Trous::choisir_texte() {
    int& progression = routines.progression_trous;
    // Texts stand on even rows; an odd place from an edited file goes back
    // to its text.
    progression -= progression % 2;
    texte_lu = ligneCirculaire(liste_trous(), progression);
    const QStringList mots = liste_trous().value(progression + 1).split(u',');
    for (std::size_t i = 0; i < 4; ++i) {
        // The fourth word is all that follows the third comma.
        mots_manquants[i] = i < 3 ? mots.value(qsizetype(i)) : mots.mid(3).join(u',');
    }
}

void Trous::commencer_texte() {
    if (defilementEnCours())
        return;
    texte_defilant->setTextColour(kBleu);
    commentaire->setTextColour(kBleu);
    if (commencer->caption() == QLatin1String("COMMENCER")) {
        montrerVitesses(false);
        fin->hide();
        montrerRetour(false);
        routines.cacher_souris();
        commentaire->setCaption(QStringLiteral("\rLisez attentivement ce texte..."));
        commencer->hide();
        ima->hide();
        routines.jouer_ambiance();
        if (!defiler(texte_lu))
            return;
        routines.jouer_ambiance();
        preparer_mots();
    } else {
        routines.jouer_bruitage();
        commencer->setCaption(QStringLiteral("COMMENCER"));
        montrerVitesses(true);
        fin->show();
        montrerRetour(true);
        texte_defilant->setCaption(kAttente);
        montrerConsigne();
        choisir_texte();
    }
}

void Trous::preparer_mots() {
    texte_defilant->setTextColour(kBleu);
    essais = 5;
    texte_defilant->setCaption(QStringLiteral("Vous avez 5 essais pour trouver les 4 mots."));
    commentaire->setTextColour(kBleu);
    const int c = routines.platform().random().between(0, 2);
    QPalette p = reponse->palette();
    p.setColor(QPalette::Base, c == 0   ? QColor(0, 255, 255)
                               : c == 1 ? QColor(255, 255, 0)
                                        : QColor(0, 255, 0));
    reponse->setPalette(p);
    reponse->show();
    reponse->setFocus();
    faire_trous();
    suite->setCaption(QStringLiteral("Appuyez sur Entrée pour valider..."));
    suite->show();
}

QString Trous::trouerTexte(const QString& texte, const std::array<QString, 4>& mots,
                           std::array<qsizetype, 4>& places) {
    QString troue = texte;
    for (std::size_t i = 0; i < 4; ++i) {
        // The first place where the word stands, even inside a longer word,
        // in the text as the words before have left it.
        places[i] = mots[i].isEmpty() ? -1 : troue.indexOf(mots[i]);
        if (places[i] >= 0)
            troue.replace(places[i], mots[i].size(), QString(mots[i].size(), u'~'));
    }
    return troue;
}

void Trous::faire_trous() {
    texte_a_trous = trouerTexte(texte_lu, mots_manquants, place_mot);
    commentaire->setCaption(texte_a_trous);
    nb_trouves = 0;
}

bool Trous::motEncoreCache(int i) const {
    const qsizetype at = place_mot[std::size_t(i)];
    return at >= 0 && at < texte_a_trous.size() && texte_a_trous[at] == u'~';
}

void Trous::ecrireMot(int i) {
    const qsizetype at = place_mot[std::size_t(i)];
    if (at >= 0)
        texte_a_trous.replace(at, mots_manquants[std::size_t(i)].size(),
                              mots_manquants[std::size_t(i)].toUpper());
}

QString Trous::compte() const {
    const int restants = 4 - nb_trouves;
    return QStringLiteral(" Encore ") + QString::number(essais) +
           (essais < 2 ? QStringLiteral(" essai") : QStringLiteral(" essais")) +
           QStringLiteral(" pour ") + QString::number(restants) +
           (nb_trouves < 3 ? QStringLiteral(" mots") : QStringLiteral(" mot")) +
           QStringLiteral(" !");
}

void Trous::verifier_mot() {
    const QString tape = reponse->text().trimmed().toLower();
    if (tape.isEmpty() || reponse->isHidden() || essais <= 0 || nb_trouves >= 4) {
        reponse->clear();
        return;
    }
    reponse->setText(tape);
    reponse->end(false);
    essais -= 1;
    // Only a word still missing counts: one found already is not found twice.
    int trouve = -1;
    for (int i = 0; i < 4 && trouve < 0; ++i)
        if (memeReponse(tape, mots_manquants[std::size_t(i)]) && motEncoreCache(i))
            trouve = i;
    // No praise or reproach here: the text with its holes says it all.
    juger(trouve >= 0, {.gain = pointsParBonneReponse(), .perte = 1}, {});
    if (trouve >= 0) {
        texte_defilant->setTextColour(kBleu);
        commentaire->setTextColour(kBleu);
        ecrireMot(trouve);
        commentaire->setCaption(texte_a_trous);
        nb_trouves += 1;
        if (nb_trouves < 4 && essais > 0)
            texte_defilant->setCaption(tape.toUpper() + QStringLiteral(" !") + compte());
        if (nb_trouves == 4) {
            texte_defilant->setCaption(QStringLiteral("Vous avez tout trouvé ! Bravo !"));
            routines.jouer_victoire();
            suite->hide();
            routines.progression_trous += 2;
            texteFini();
            reponse->clear();
            return;
        }
    } else {
        texte_defilant->setTextColour(kRouge);
        commentaire->setTextColour(kRouge);
        if (essais > 0)
            texte_defilant->setCaption(tape.toUpper() + QStringLiteral(" ?") + compte());
    }
    if (essais == 0) {
        texte_defilant->setTextColour(kRouge);
        commentaire->setTextColour(kRouge);
        suite->hide();
        routines.jouer_defaite();
        texte_defilant->setCaption(
            QStringLiteral("Il ne vous reste plus d'essais ! Voici la solution !"));
        routines.progression_trous += 2;
        for (int i = 0; i < 4; ++i)
            if (motEncoreCache(i))
                ecrireMot(i);
        commentaire->setCaption(texte_a_trous);
        texteFini();
    }
    reponse->clear();
}

void Trous::texteFini() {
    reponse->hide();
    ima->show();
    commencer->setCaption(QStringLiteral("CONTINUER"));
    commencer->show();
    fin->show();
    montrerRetour(true);
    routines.montrer_souris();
}

} // namespace zm

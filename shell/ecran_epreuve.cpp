#include "shell/ecran_epreuve.h"

#include "shell/routines.h"

namespace zm {

const std::array<DescriptionEpreuve, 14>& descriptionsEpreuves() {
    auto d = [](const char* nom, const char* fond, const char* titre, int section, bool sortie,
                bool commentaire) {
        DescriptionEpreuve e;
        e.nom = QString::fromLatin1(nom);
        e.fond = QString::fromLatin1(fond);
        e.titre = QString::fromUtf8(titre);
        if (section > 0) {
            e.premier = QString::number(section);
            e.fin = QString::number(section + 1);
        }
        e.sortie = sortie;
        e.commentaire = commentaire;
        return e;
    };
    static const std::array<DescriptionEpreuve, 14> table = {
        d("bonneteau", "103", "LE BONNETEAU DES MOTS", 9, false, true),
        d("animaux", "102", "LA FARANDOLE DES ANIMAUX", 1, false, true),
        d("femelles", "105", "LES ANIMAUX EN FAMILLE", 3, false, false),
        d("trous", "104", "LES MOTS VOLES", 12, false, true),
        d("synonymes", "114", "LE PIEGE DES SYNONYMES", 2, false, true),
        d("defilement", "104", "LA COURSE A LA LECTURE", 11, false, true),
        d("lecture2", "107", "", 0, false, false),
        d("machine", "109", "LA LOTERIE INFERNALE", 10, false, true),
        d("liste", "108", "LE MOT COMMUN", 7, false, true),
        d("pari_lettre", "110", "PARIONS SUR L'ALPHABET", 5, false, true),
        d("pluriels", "111", "FEMININS ET PLURIELS", 3, true, false),
        d("suite", "112", "LES SERIES DEMONIAQUES", 8, false, true),
        d("syllabes", "113", "LA SYLLABE MYSTERIEUSE", 6, true, true),
        d("verbes", "115", "MANIPULONS LES VERBES", 4, true, false),
    };
    return table;
}

EcranEpreuve::EcranEpreuve(const DescriptionEpreuve& description, Routines& routines,
                           QWidget* stage)
    : Screen(description.nom, routines, stage), description_(description) {
    if (!description_.titre.isEmpty()) {
        aide = addLabel(QStringLiteral("aide"), QRect(10, 10, 64, 64));
        aide->setCursor(Qt::PointingHandCursor);
        aide->setToolTip(QStringLiteral("Aide"));
        connect(aide, &Label::clicked, this, &EcranEpreuve::ouvrirAide);
    }
    // The back label reads "Retour" on every screen, whatever its name.
    retourBouton_ =
        addBouton(QStringLiteral("image_retour"),
                  description_.sortie ? QStringLiteral("sortie") : QStringLiteral("retour"),
                  QRect(680, 552, 110, 38), QStringLiteral("Retour"));
    retour = retourBouton_.label;
    connect(retour, &Label::clicked, this, &EcranEpreuve::revenirAuDepart);

    addScoreLabel();
    connect(label_score, &Label::clicked, this, [this] { continuer(); });

    if (description_.commentaire) {
        commentaire = addLabel(QStringLiteral("commentaire"), QRect(40, 500, 620, 44));
        commentaire->setAlignment(Qt::AlignCenter);
        commentaire->setWordWrap(true);
        connect(commentaire, &Label::clicked, this, [this] { clicCommentaire(); });
    }
    connect(fond, &Label::clicked, this, [this] { continuer(); });
}

void EcranEpreuve::setBouton(const Image& picture) {
    bouton_ = picture;
    for (Label* image : imagesBoutons_)
        image->setPicture(picture.scaled(image->size()));
}

void EcranEpreuve::Bouton::montrer(bool visible) const {
    image->setVisible(visible);
    label->setVisible(visible);
}

EcranEpreuve::Bouton EcranEpreuve::addBouton(const QString& image, const QString& label,
                                             QRect geometry, const QString& caption, int points) {
    Bouton b{addLabel(image, geometry), addLabel(label, geometry, caption)};
    b.label->setAlignment(Qt::AlignCenter);
    b.label->setPointSize(points);
    b.label->setBold(true);
    b.label->setTextColour(QColor(0, 0, 128));
    b.label->setCursor(Qt::PointingHandCursor);
    imagesBoutons_.push_back(b.image);
    return b;
}

void EcranEpreuve::setAidePicture(const Image& picture) {
    if (aide)
        aide->setPicture(picture);
}

void EcranEpreuve::activate() {
    const bool reprise = routines.retour_aide != 0;
    routines.retour_aide = 0;
    if (reprise)
        repriseApresAide();
    else
        nouvelleVisite();
    if (!enJeu())
        return;
    routines.preparer_ecran(*this);
    routines.montrer_souris();
    if (!reprise)
        demarrer();
}

void EcranEpreuve::juger(bool juste, const Bareme& bareme,
                         const std::function<void(const QString&)>& montrer,
                         const std::function<void()>& avantScore) {
    if (montrer)
        montrer(routines.messageReponse(juste));
    if (juste)
        routines.jouer_victoire();
    else
        routines.jouer_defaite();
    if (avantScore)
        avantScore();
    const qint32 avant = routines.score;
    if (juste)
        routines.ajouter_points(bareme.gain);
    else
        routines.perdre_points(bareme.perte);
    // Left meanwhile (the game ending during a blink): the points stand, and
    // nothing more is drawn.
    if (enJeu() && (routines.score != avant || (!juste && bareme.animerSansPerte)))
        routines.afficher_score(*this);
}

void EcranEpreuve::nouvelleVisite() {
    label_score->setCaption(routines.texteScore());
}

void EcranEpreuve::ouvrirAide() {
    if (attenteEnCours() || !aideDisponible())
        return;
    routines.afficher_aide(description_.titre, description_.premier, description_.fin);
}

void EcranEpreuve::revenirAuDepart() {
    routines.retour_depart(*this);
}

} // namespace zm

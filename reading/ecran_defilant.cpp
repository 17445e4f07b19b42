#include "reading/ecran_defilant.h"

#include "reading/defilement_texte.h"
#include "shell/images.h"
#include "shell/routines.h"
#include "shell/stage.h"

#include <QFrame>
#include <QRadioButton>

namespace zm {

const QString EcranDefilant::kAttente = QStringLiteral("? ? ? < - - - - - - > ? ? ?");

EcranDefilant::EcranDefilant(const DescriptionEpreuve& description, Routines& routines,
                             QWidget* stage, const QString& embleme)
    : EcranEpreuve(description, routines, stage) {
    texte_defilant = addLabel(QStringLiteral("texte_defilant"), QRect(40, 88, 720, 60),
                              QStringLiteral("texte défilant"));
    texte_defilant->setAlignment(Qt::AlignCenter);
    texte_defilant->setWordWrap(true);
    texte_defilant->setFont(policeFixe(18));
    texte_defilant->setBackgroundColour(kFondCarte);
    texte_defilant->setFrameShape(QFrame::Box);
    texte_defilant->setLineWidth(2);
    connect(texte_defilant, &Label::clicked, this, [this] { continuer(); });

    commentaire->setGeometry(40, 160, 720, 130);
    commentaire->setPointSize(14);
    commentaire->setBold(true);
    commentaire->setCaption(QStringLiteral("Un texte va défiler"));

    defil = new QFrame(this);
    defil->setObjectName(QStringLiteral("defil"));
    defil->setFrameShape(QFrame::Box);
    defil->setGeometry(290, 300, 220, 72);
    const char* const libelles[2] = {"Défilement normal", "Défilement rapide"};
    for (int i = 0; i < 2; ++i) {
        vitesse[i] = new QRadioButton(QString::fromUtf8(libelles[i]), this);
        vitesse[i]->setObjectName(QStringLiteral("vitesse(%1)").arg(i));
        vitesse[i]->setGeometry(305, 306 + 31 * i, 195, 28);
        QFont f = vitesse[i]->font();
        f.setPointSize(12);
        f.setBold(true);
        vitesse[i]->setFont(f);
        connect(vitesse[i], &QRadioButton::pressed, this, [this, i] { choisir_vitesse(i); });
    }
    vitesse[0]->setChecked(true);

    const Bouton b = addBouton(QStringLiteral("ima"), QStringLiteral("commencer"),
                               QRect(310, 392, 180, 44), QStringLiteral("COMMENCER"));
    ima = b.image;
    commencer = b.label;

    suite = addLabel(QStringLiteral("suite"), QRect(150, 450, 500, 32),
                     QStringLiteral("Un clic pour le texte suivant..."));
    suite->setAlignment(Qt::AlignCenter);
    suite->setPointSize(13);
    suite->setBold(true);
    suite->setTextColour(QColor(0, 0, 128));
    connect(suite, &Label::clicked, this, [this] { continuer(); });

    fin = addLabel(embleme, QRect(40, 320, 160, 120));
    fin->setPicture(imageIntegree(QStringLiteral("reading/") + embleme));

    // Takes the keyboard focus, so that no key reaches another control.
    invisible = new QWidget(this);
    invisible->setObjectName(QStringLiteral("invisible"));
    invisible->setGeometry(0, 0, 1, 1);
    invisible->setFocusPolicy(Qt::StrongFocus);
}

void EcranDefilant::choisir_vitesse(int i) {
    delai_vitesse = i == 0 ? 75 : 0;
    vitesse[std::size_t(i)]->setChecked(true);
    invisible->setFocus();
    routines.jouer_bruitage();
}

void EcranDefilant::montrerVitesses(bool visible) {
    for (QRadioButton* v : vitesse)
        v->setVisible(visible);
    defil->setVisible(visible);
}

bool EcranDefilant::defiler(const QString& texte) {
    defile_ = true;
    const bool fini = defiler_texte(routines.platform().clock(), *texte_defilant, texte,
                                    delai_vitesse, [this](int ms) { return attendre(ms); });
    defile_ = false;
    return fini;
}

void EcranDefilant::montrerPanne(const QString& message) {
    commentaire->setTextColour(kRouge);
    commentaire->setCaption(message);
    texte_defilant->setCaption(kAttente);
    commencer->hide();
    ima->hide();
    montrerVitesses(false);
    suite->hide();
}

} // namespace zm

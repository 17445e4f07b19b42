#include "shell/feuille_aide.h"

#include "shell/listes.h"
#include "shell/stage.h"

namespace zm {

QStringList lignesAide() {
    return listeIntegree(QStringLiteral("help/liste_aide.txt"));
}

FeuilleAide::FeuilleAide(Routines& routines, QWidget* stage)
    : Screen(QStringLiteral("feuille_aide"), routines, stage), liste_aide_(lignesAide()) {
    texte = addLabel(QStringLiteral("texte"), QRect(40, 40, 494, 286),
                     QStringLiteral("TITRE DU JEU + AIDE"));
    texte->setPointSize(12);
    texte->setBold(true);
    texte->setWordWrap(true);
    texte->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    texte->setTextColour(Qt::black);
    // Andika's lines are tall: set them closer so every section fits its box.
    texte->setLineHeight(72);
    connect(texte, &Label::clicked, this, &FeuilleAide::fermer);
    connect(fond, &Label::clicked, this, &FeuilleAide::fermer);
}

QString FeuilleAide::texteSection(const QStringList& rows, const QString& titre,
                                  const QString& premier, const QString& fin) {
    QString text = titre + QStringLiteral("\n\n");
    qsizetype index = 0;
    QString current;
    // Rows are compared exactly. A marker that is missing from the texts
    // ends the search at the last row instead of reading past it.
    while (current != premier && index < rows.size())
        current = rows[index++];
    if (current == premier) {
        while (current != fin && index < rows.size()) {
            current = rows[index++];
            if (current != fin)
                text += current + QStringLiteral("\r\n");
        }
    }
    return text + QStringLiteral("\n") + QStringLiteral("Un clic pour retourner au jeu...");
}

void FeuilleAide::afficher_aide(const QString& titre, const QString& premier, const QString& fin) {
    routines.jouer_bruitage();
    routines.retour_aide = 1;
    texte->setCaption(texteSection(liste_aide_, titre, premier, fin));
    routines.stage().showScreen(this);
    routines.preparer_ecran(*this);
    // A click closes the sheet: the pointer must show, even when the
    // exercise had hidden it.
    routines.montrer_souris();
}

void FeuilleAide::fermer() {
    routines.jouer_bruitage();
    routines.platform().cursor().release();
    routines.stage().hideScreen(this);
}

} // namespace zm

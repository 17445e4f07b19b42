#pragma once
// The help sheet: one screen for every exercise, showing the section of the
// help texts that the calling exercise asks for. A click closes it, and the
// exercise underneath goes on where it was.

#include "shell/routines.h"
#include "shell/screen.h"

#include <QStringList>

namespace zm {

// The help texts built into the game: a row holding only a number from "1" to
// "13" opens a section, the rows after it are its paragraphs.
QStringList lignesAide();

class FeuilleAide : public Screen, public HelpSheetLink {
    Q_OBJECT
public:
    FeuilleAide(Routines& routines, QWidget* stage);
    void afficher_aide(const QString& titre, const QString& premier, const QString& fin) override;
    // The text of a section as the sheet shows it.
    static QString texteSection(const QStringList& rows, const QString& titre,
                                const QString& premier, const QString& fin);

    Label* texte;

private:
    void fermer();
    QStringList liste_aide_;
};

} // namespace zm

#pragma once
// The rich text box on screen: a read-only text view whose characters are
// coloured, set in bold, blanked and aligned through TexteRiche. It takes no
// focus and no clicks: a click on it reaches the screen underneath.

#include "platform/texte_riche.h"

#include <QTextEdit>

namespace zm {

class BoiteTexte : public QTextEdit, public TexteRiche {
    Q_OBJECT
public:
    BoiteTexte(QWidget* parent, const QString& name);

    QString texte() const override;
    void remplacerTexte(const QString& texte) override;
    void ajouter(const QString& texte) override;
    void colorer(qsizetype debut, qsizetype longueur, const QColor& couleur) override;
    void mettreEnGras(qsizetype debut, qsizetype longueur, bool gras) override;
    void blanchir(qsizetype debut, qsizetype longueur) override;
    void aligner(qsizetype debut, qsizetype longueur, Alignement alignement) override;
    QColor couleurFond() const override;
    QColor couleur(qsizetype i) const override;
    bool gras(qsizetype i) const override;
    Alignement alignement(qsizetype i) const override;

    void setCouleurFond(const QColor& fond);
    // Height of the whole text laid out at the box's width, and the height
    // the box shows of it.
    int hauteurTexte() const;
    int hauteurVisible() const;

private:
    // A cursor selecting the range, clamped to the text.
    QTextCursor selection(qsizetype debut, qsizetype longueur) const;
    QTextCharFormat formatDe(qsizetype i) const;
};

} // namespace zm

#pragma once
// A text whose characters carry a colour and a weight and whose paragraphs
// are aligned left or centred: what the rich text box of the erasing-text
// exercise shows. Positions count characters from 0 in texte(), a line feed
// (10) being the one character that ends a paragraph. Ranges that pass the
// end of the text stop at it.
//
// TexteRiche is what game code uses; BoiteTexte (platform/boite_texte.h) is
// the box on screen, ModeleTexteRiche the same behaviour in plain memory.

#include <QColor>
#include <QString>
#include <vector>

namespace zm {

enum class Alignement { Gauche, Centre };

class TexteRiche {
public:
    virtual ~TexteRiche() = default;

    virtual QString texte() const = 0;
    qsizetype longueur() const { return texte().size(); }
    // The whole text replaced: black, regular, every paragraph aligned as
    // the first paragraph was.
    virtual void remplacerTexte(const QString& texte) = 0;
    // Added at the end: black, regular; the paragraphs it opens are aligned
    // as the last one was.
    virtual void ajouter(const QString& texte) = 0;
    virtual void colorer(qsizetype debut, qsizetype longueur, const QColor& couleur) = 0;
    virtual void mettreEnGras(qsizetype debut, qsizetype longueur, bool gras) = 0;
    // Each character of the range but line feeds becomes a blank that keeps
    // its colour and weight.
    virtual void blanchir(qsizetype debut, qsizetype longueur) = 0;
    // Aligns every paragraph that holds a position from `debut` to
    // `debut + longueur` (a position stands before the character of that
    // index; the one after a line feed belongs to the next paragraph).
    virtual void aligner(qsizetype debut, qsizetype longueur, Alignement alignement) = 0;
    // The colour behind the text: a character of this colour cannot be seen.
    virtual QColor couleurFond() const = 0;

    // What character i looks like (i a character other than a line feed),
    // and how its paragraph is aligned.
    virtual QColor couleur(qsizetype i) const = 0;
    virtual bool gras(qsizetype i) const = 0;
    virtual Alignement alignement(qsizetype i) const = 0;
};

class ModeleTexteRiche : public TexteRiche {
public:
    explicit ModeleTexteRiche(const QColor& fond = Qt::white) : fond_(fond) {}

    QString texte() const override { return texte_; }
    void remplacerTexte(const QString& texte) override;
    void ajouter(const QString& texte) override;
    void colorer(qsizetype debut, qsizetype longueur, const QColor& couleur) override;
    void mettreEnGras(qsizetype debut, qsizetype longueur, bool gras) override;
    void blanchir(qsizetype debut, qsizetype longueur) override;
    void aligner(qsizetype debut, qsizetype longueur, Alignement alignement) override;
    QColor couleurFond() const override { return fond_; }
    QColor couleur(qsizetype i) const override;
    bool gras(qsizetype i) const override;
    Alignement alignement(qsizetype i) const override;

private:
    struct Format {
        QColor couleur = Qt::black;
        bool gras = false;
    };
    // The paragraph of a position.
    qsizetype paragraphe(qsizetype position) const;
    QString texte_;
    std::vector<Format> formats_;
    std::vector<Alignement> paragraphes_{Alignement::Gauche};
    QColor fond_;
};

} // namespace zm

#include "platform/boite_texte.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>

namespace zm {
namespace {

QTextCharFormat formatOrdinaire() {
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    return format;
}

Qt::Alignment versQt(Alignement alignement) {
    return alignement == Alignement::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

// Line feeds become the paragraph breaks of the document.
void inserer(QTextCursor& cursor, const QString& texte) {
    const QStringList paragraphes = texte.split(u'\n');
    for (qsizetype k = 0; k < paragraphes.size(); ++k) {
        if (k > 0)
            cursor.insertBlock(cursor.blockFormat(), formatOrdinaire());
        cursor.insertText(paragraphes[k], formatOrdinaire());
    }
}

} // namespace

BoiteTexte::BoiteTexte(QWidget* parent, const QString& name) : QTextEdit(parent) {
    setObjectName(name);
    setReadOnly(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

QString BoiteTexte::texte() const {
    return document()->toPlainText();
}

void BoiteTexte::remplacerTexte(const QString& texte) {
    const QTextBlockFormat premier = document()->firstBlock().blockFormat();
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(premier);
    cursor.setBlockCharFormat(formatOrdinaire());
    inserer(cursor, texte);
}

void BoiteTexte::ajouter(const QString& texte) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    inserer(cursor, texte);
}

QTextCursor BoiteTexte::selection(qsizetype debut, qsizetype longueur) const {
    const qsizetype taille = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(int(std::clamp<qsizetype>(debut, 0, taille)));
    cursor.setPosition(int(std::clamp<qsizetype>(debut + longueur, 0, taille)),
                       QTextCursor::KeepAnchor);
    return cursor;
}

void BoiteTexte::colorer(qsizetype debut, qsizetype longueur, const QColor& couleur) {
    QTextCharFormat format;
    format.setForeground(couleur);
    selection(debut, longueur).mergeCharFormat(format);
}

void BoiteTexte::mettreEnGras(qsizetype debut, qsizetype longueur, bool gras) {
    QTextCharFormat format;
    format.setFontWeight(gras ? QFont::Bold : QFont::Normal);
    selection(debut, longueur).mergeCharFormat(format);
}

void BoiteTexte::blanchir(qsizetype debut, qsizetype longueur) {
    const QString texte = this->texte();
    const qsizetype fin = std::min(debut + longueur, texte.size());
    for (qsizetype i = std::max<qsizetype>(debut, 0); i < fin; ++i) {
        if (texte[i] == u'\n' || texte[i] == u' ')
            continue;
        // Each blank takes the place, and the format, of its character.
        QTextCursor cursor = selection(i, 1);
        const QTextCharFormat format = formatDe(i);
        cursor.insertText(QStringLiteral(" "), format);
    }
}

void BoiteTexte::aligner(qsizetype debut, qsizetype longueur, Alignement alignement) {
    QTextBlockFormat format;
    format.setAlignment(versQt(alignement));
    selection(debut, longueur).mergeBlockFormat(format);
}

QColor BoiteTexte::couleurFond() const {
    return palette().color(QPalette::Base);
}

void BoiteTexte::setCouleurFond(const QColor& fond) {
    QPalette p = palette();
    p.setColor(QPalette::Base, fond);
    setPalette(p);
}

QTextCharFormat BoiteTexte::formatDe(qsizetype i) const {
    const QTextBlock block = document()->findBlock(int(i));
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.contains(int(i)))
            return fragment.charFormat();
    }
    return formatOrdinaire();
}

QColor BoiteTexte::couleur(qsizetype i) const {
    return formatDe(i).foreground().color();
}

bool BoiteTexte::gras(qsizetype i) const {
    return formatDe(i).fontWeight() >= QFont::Bold;
}

Alignement BoiteTexte::alignement(qsizetype i) const {
    const QTextBlock block =
        document()->findBlock(int(std::clamp<qsizetype>(i, 0, document()->characterCount() - 1)));
    return block.blockFormat().alignment() & Qt::AlignHCenter ? Alignement::Centre
                                                              : Alignement::Gauche;
}

int BoiteTexte::hauteurTexte() const {
    // Laid out on a copy: a hidden box has not laid its text out yet.
    std::unique_ptr<QTextDocument> copie(document()->clone());
    copie->setDefaultFont(font());
    copie->setTextWidth(contentsRect().width());
    return int(std::ceil(copie->size().height()));
}

int BoiteTexte::hauteurVisible() const {
    return contentsRect().height();
}

} // namespace zm

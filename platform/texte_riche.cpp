#include "platform/texte_riche.h"

#include <algorithm>

namespace zm {

qsizetype ModeleTexteRiche::paragraphe(qsizetype position) const {
    position = std::clamp<qsizetype>(position, 0, texte_.size());
    return std::count(texte_.cbegin(), texte_.cbegin() + position, QChar(u'\n'));
}

void ModeleTexteRiche::remplacerTexte(const QString& texte) {
    const Alignement premier = paragraphes_.front();
    texte_ = texte;
    formats_.assign(std::size_t(texte.size()), Format{});
    paragraphes_.assign(std::size_t(texte.count(u'\n') + 1), premier);
}

void ModeleTexteRiche::ajouter(const QString& texte) {
    const Alignement dernier = paragraphes_.back();
    texte_ += texte;
    formats_.resize(std::size_t(texte_.size()), Format{});
    paragraphes_.resize(paragraphes_.size() + std::size_t(texte.count(u'\n')), dernier);
}

void ModeleTexteRiche::colorer(qsizetype debut, qsizetype longueur, const QColor& couleur) {
    const qsizetype fin = std::min(debut + longueur, texte_.size());
    for (qsizetype i = std::max<qsizetype>(debut, 0); i < fin; ++i)
        formats_[std::size_t(i)].couleur = couleur;
}

void ModeleTexteRiche::mettreEnGras(qsizetype debut, qsizetype longueur, bool gras) {
    const qsizetype fin = std::min(debut + longueur, texte_.size());
    for (qsizetype i = std::max<qsizetype>(debut, 0); i < fin; ++i)
        formats_[std::size_t(i)].gras = gras;
}

void ModeleTexteRiche::blanchir(qsizetype debut, qsizetype longueur) {
    const qsizetype fin = std::min(debut + longueur, texte_.size());
    for (qsizetype i = std::max<qsizetype>(debut, 0); i < fin; ++i)
        if (texte_[i] != u'\n')
            texte_[i] = u' ';
}

void ModeleTexteRiche::aligner(qsizetype debut, qsizetype longueur, Alignement alignement) {
    const qsizetype premier = paragraphe(debut), dernier = paragraphe(debut + longueur);
    for (qsizetype k = premier; k <= dernier; ++k)
        paragraphes_[std::size_t(k)] = alignement;
}

QColor ModeleTexteRiche::couleur(qsizetype i) const {
    return i >= 0 && i < texte_.size() ? formats_[std::size_t(i)].couleur : QColor(Qt::black);
}

bool ModeleTexteRiche::gras(qsizetype i) const {
    return i >= 0 && i < texte_.size() && formats_[std::size_t(i)].gras;
}

Alignement ModeleTexteRiche::alignement(qsizetype i) const {
    return paragraphes_[std::size_t(paragraphe(i))];
}

} // namespace zm

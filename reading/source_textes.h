#pragma once
// The readable source of the true-or-false texts, as written in the content
// folder: records of five lines separated by a blank line, a text, then four
// statements "VRAI|statement|correction" or "FAUX|statement|correction".

#include "reading/fichier_textes.h"

#include <QStringList>
#include <vector>

namespace zm {

struct SourceTextes {
    std::vector<TexteLu> textes;
    // One line per fault, naming the record: empty when the source is sound.
    QStringList erreurs;
};

SourceTextes lireSourceTextes(const QString& source);

// The characters of a text that the data file cannot hold: those without a
// Windows-1252 code, those whose raised code would pass 255, and those that
// would break the record's layout.
QString caracteresNonStockables(const QString& text, bool champ);

} // namespace zm

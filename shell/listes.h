#pragma once
// The lists built into the game (help texts, word lists): UTF-8 files of the
// content folder, one row per line, compiled in as resources.

#include <QStringList>

namespace zm {

// The rows of the built-in list at this path below the content folder
// ("quizzes/liste_femelles.txt"); empty when there is no such list.
QStringList listeIntegree(const QString& path);

// Row `position` of a list, wrapping to row 0 past the end (and for a
// negative position): the lists of the exercises start again at the top.
// `position` is set to the row actually read. An empty list gives "".
QString ligneCirculaire(const QStringList& rows, int& position);

} // namespace zm

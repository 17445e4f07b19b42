#pragma once
// The word list shared by the word games and the memory exercises: common
// French words, one a row, built into the game.

#include <QStringList>

namespace zm {

const QStringList& liste_mots();

} // namespace zm

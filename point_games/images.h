#pragma once
// The pictures of the point games, drawn from the SVG built into the game.

#include <QPixmap>

namespace zm {

// The picture at its own size; a null picture when there is none.
QPixmap imagePointGames(const QString& name);

} // namespace zm

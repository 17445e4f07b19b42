#pragma once
// The small pictures built into the game beside the screens that use them
// (arrows, emblems), drawn from their SVG.

#include <QPixmap>

namespace zm {

// The picture at its own size, from "<path>.svg" below the content folder
// ("point_games/plus"); a null picture when there is none.
QPixmap imageIntegree(const QString& path);

} // namespace zm

#pragma once
// The small pictures built into the game beside the screens that use them
// (arrows, emblems), drawn from their SVG.

#include "platform/image.h"

namespace zm {

// The picture at its own size, from "<path>.svg" below the content folder
// ("point_games/plus"), with its drawing; a null picture when there is none.
Image imageIntegree(const QString& path);

} // namespace zm

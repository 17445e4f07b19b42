#pragma once
// The colours of the game's design, by their names.

#include <QColor>

namespace zm {

inline const QColor kNoir{0, 0, 0};
inline const QColor kBleu{0, 0, 255};
inline const QColor kRouge{255, 0, 0};
inline const QColor kJaune{255, 255, 0};
inline const QColor kCyan{0, 255, 255};
inline const QColor kVert{0, 255, 0};
inline const QColor kMagenta{255, 0, 255};
// The paper of the cards and text boxes.
inline const QColor kFondCarte{255, 252, 235};

} // namespace zm

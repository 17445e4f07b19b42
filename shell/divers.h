#pragma once
// The pictures the screens share, held once: the character and door sheets of
// the start screen, the button picture and the help image.

#include "platform/image.h"

#include <QString>

namespace zm {

// Reads a picture of the data folder whatever its format (the files have no
// extension); a missing or unreadable file gives a null picture. Its drawing
// comes with it where the folder has one: "vectoriel/<name>.svg" beside the
// file, or the file itself when it is an SVG drawing.
Image chargerImage(const QString& path);

class Divers {
public:
    explicit Divers(const QString& datasDir);
    Image dessins, dessins2, dessins3, bouton, aide;
    // The rectangle of a sheet at the corner, of the size.
    static Image decouper(const Image& sheet, QPoint corner, QSize size);
};

} // namespace zm

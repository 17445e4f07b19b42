#pragma once
// The pictures the screens share, held once: the character and door sheets of
// the start screen, the button picture and the help image, each read the
// first time it is asked for.

#include "platform/image.h"

#include <QString>
#include <optional>

namespace zm {

// Reads a picture of the data folder whatever its format (the files have no
// extension); a missing or unreadable file gives a null picture. Its drawing
// comes with it where the folder has one: "vectoriel/<name>.svg" beside the
// file, or the file itself when it is an SVG drawing. The bitmap of a PNG
// picture with its drawing beside is read only when it is first asked for:
// its size comes from the file's header (a file damaged past its header then
// gives an empty bitmap, and the drawing on a large display).
Image chargerImage(const QString& path);
// Starts, on other threads, what the next chargerImage of that picture will
// show for a label at `place` in the scene shown `echelle` times larger: the
// picture's drawing at the display's resolution, where it has one and the
// scene is enlarged, or else reading the bitmap. The first screen's picture is
// ready when the window first shows; its drawing, kept (`garder`), is read
// back at the next start rather than drawn again.
void preparerImage(const QString& path, QPoint place, double echelle, bool garder = false);

class Divers {
public:
    // Starts reading the button picture, which the roster shows first, when
    // its bitmap is to be drawn: the scene shown `echelle` times larger, with
    // the picture's drawing beside, the drawing is drawn instead.
    Divers(const QString& datasDir, double echelle);
    const Image& bouton() const;
    const Image& aide() const;
    // The sheets of the start screen's characters and door: the roster,
    // shown first, does without them.
    const Image& dessins() const;
    const Image& dessins2() const;
    const Image& dessins3() const;
    // The rectangle of a sheet at the corner, of the size.
    static Image decouper(const Image& sheet, QPoint corner, QSize size);

private:
    const Image& planche(std::optional<Image>& sheet, const char* name) const;
    QString datasDir_;
    mutable std::optional<Image> bouton_, aide_, dessins_, dessins2_, dessins3_;
};

} // namespace zm

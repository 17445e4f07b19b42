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
// file, or the file itself when it is an SVG drawing.
Image chargerImage(const QString& path);
// Starts reading that picture on another thread for the next chargerImage,
// and, when the scene is shown `echelle` times larger, drawing it at the
// display's resolution for a label at `place` in the scene: the first
// screen's picture is ready when the window first shows.
void preparerImage(const QString& path, QPoint place, double echelle);

class Divers {
public:
    // Starts reading the button picture, which the roster shows first.
    explicit Divers(const QString& datasDir);
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

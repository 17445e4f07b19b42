#pragma once
// The pictures the screens share, held once: the character and door sheets of
// the start screen, the button picture and the help image.

#include <QPixmap>
#include <QString>

namespace zm {

// Reads a picture of the data folder whatever its format (the files have no
// extension); a missing or unreadable file gives a null picture.
QPixmap chargerImage(const QString& path);

class Divers {
public:
    explicit Divers(const QString& datasDir);
    QPixmap dessins, dessins2, dessins3, bouton, aide;
    // The rectangle of a sheet at the corner, of the size.
    static QPixmap decouper(const QPixmap& sheet, QPoint corner, QSize size);
};

} // namespace zm

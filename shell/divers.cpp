#include "shell/divers.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace zm {

namespace {

QString dessinAcote(const QString& path) {
    const QFileInfo file(path);
    return file.dir().filePath(QStringLiteral("vectoriel/") + file.fileName() +
                               QStringLiteral(".svg"));
}

// Whether a label draws the picture from its bitmap, the scene shown
// `echelle` times larger: enlarged, a picture with its drawing shows the
// drawing instead.
bool bitmapDessine(const QString& path, double echelle) {
    return echelle <= kAgrandissementNet || !QFileInfo(dessinAcote(path)).isFile();
}

} // namespace

Image chargerImage(const QString& path) {
    const QString drawing = dessinAcote(path);
    // Only looked at here; read the first time the picture is enlarged.
    const bool avecDessin = QFileInfo(drawing).isFile();
    // With its drawing beside, a picture's bitmap is read only if it is
    // drawn: enlarged on a large display, the drawing is shown instead.
    if (avecDessin) {
        if (Image image = Image::aLire(path, drawing); !image.isNull())
            return image;
    }
    QByteArray format;
    const QPixmap bitmap = QPixmap::fromImage(lireImage(path, &format));
    if (bitmap.isNull())
        return {};
    if (format == "svg")
        return Image(bitmap, std::make_shared<Dessin>(path, bitmap.size()));
    if (avecDessin)
        return Image(bitmap, std::make_shared<Dessin>(drawing, bitmap.size()));
    return Image(bitmap);
}

void preparerImage(const QString& path, QPoint place, double echelle, bool garder) {
    if (bitmapDessine(path, echelle)) {
        lireEnAvance(path);
        return;
    }
    const QString drawing = dessinAcote(path);
    // The picture's size from its header, without decoding it.
    QSize taille = taillePng(path);
    if (taille.isEmpty())
        taille = lecteurImage(path)->size();
    if (!taille.isEmpty())
        Dessin::preparer(drawing, taille, QRectF(QPointF(0, 0), QSizeF(taille)),
                         pixelsAffiches(QRect(place, taille), echelle), garder);
}

Divers::Divers(const QString& datasDir, double echelle) : datasDir_(datasDir) {
    if (const QString bouton = datasDir + QStringLiteral("/bouton"); bitmapDessine(bouton, echelle))
        lireEnAvance(bouton);
}

const Image& Divers::planche(std::optional<Image>& sheet, const char* name) const {
    if (!sheet)
        sheet = chargerImage(datasDir_ + QStringLiteral("/") + QString::fromLatin1(name));
    return *sheet;
}

const Image& Divers::bouton() const {
    return planche(bouton_, "bouton");
}

const Image& Divers::aide() const {
    return planche(aide_, "aide");
}

const Image& Divers::dessins() const {
    return planche(dessins_, "dessins");
}

const Image& Divers::dessins2() const {
    return planche(dessins2_, "dessins2");
}

const Image& Divers::dessins3() const {
    return planche(dessins3_, "dessins3");
}

Image Divers::decouper(const Image& sheet, QPoint corner, QSize size) {
    if (sheet.isNull())
        return {};
    return sheet.copy(QRect(corner, size));
}

} // namespace zm

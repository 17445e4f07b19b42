#include "shell/divers.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace zm {

Image chargerImage(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const bool svg = reader.format() == "svg";
    const QPixmap bitmap = QPixmap::fromImage(reader.read());
    if (bitmap.isNull())
        return {};
    if (svg)
        return Image(bitmap, std::make_shared<Dessin>(path, bitmap.size()));
    const QFileInfo file(path);
    const QString drawing = file.dir().filePath(QStringLiteral("vectoriel/") + file.fileName() +
                                                QStringLiteral(".svg"));
    // Only looked at here; read the first time the picture is enlarged.
    if (QFileInfo(drawing).isFile())
        return Image(bitmap, std::make_shared<Dessin>(drawing, bitmap.size()));
    return Image(bitmap);
}

Divers::Divers(const QString& datasDir) {
    auto load = [&](const char* name) {
        return chargerImage(datasDir + QStringLiteral("/") + QString::fromLatin1(name));
    };
    dessins = load("dessins");
    dessins2 = load("dessins2");
    dessins3 = load("dessins3");
    bouton = load("bouton");
    aide = load("aide");
}

Image Divers::decouper(const Image& sheet, QPoint corner, QSize size) {
    if (sheet.isNull())
        return {};
    return sheet.copy(QRect(corner, size));
}

} // namespace zm

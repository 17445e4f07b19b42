#include "shell/divers.h"

#include <QImageReader>

namespace zm {

QPixmap chargerImage(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return QPixmap::fromImage(reader.read());
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

QPixmap Divers::decouper(const QPixmap& sheet, QPoint corner, QSize size) {
    if (sheet.isNull())
        return {};
    return sheet.copy(QRect(corner, size));
}

} // namespace zm

#include "shell/images.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zm {

Image imageIntegree(const QString& path) {
    const QString file = QStringLiteral(":/content/") + path + QStringLiteral(".svg");
    QSvgRenderer svg(file);
    if (!svg.isValid())
        return {};
    QPixmap picture(svg.defaultSize());
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    return Image(picture, std::make_shared<Dessin>(file, picture.size()));
}

} // namespace zm

#include "shell/images.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zm {

QPixmap imageIntegree(const QString& path) {
    QSvgRenderer svg(QStringLiteral(":/content/") + path + QStringLiteral(".svg"));
    if (!svg.isValid())
        return {};
    QPixmap picture(svg.defaultSize());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return picture;
}

} // namespace zm

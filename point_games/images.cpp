#include "point_games/images.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zm {

QPixmap imagePointGames(const QString& name) {
    QSvgRenderer svg(QStringLiteral(":/content/point_games/") + name + QStringLiteral(".svg"));
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

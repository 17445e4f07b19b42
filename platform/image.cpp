#include "platform/image.h"

#include <QCache>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace zm {
namespace {

// The renderings already made, shared by every label: the characters of the
// start screen change pictures all the time, and a screen shown again finds
// its background drawn. Bounded in kilobytes: at 3840 x 2160 a background
// alone takes 32 MB.
constexpr int kCacheKo = 64 * 1024;

QCache<QString, QPixmap>& cache() {
    static QCache<QString, QPixmap> rendus(kCacheKo);
    return rendus;
}

int nombreRendus = 0;

QString cle(const QString& chemin, const QRectF& zone, QSize pixels) {
    return QStringLiteral("%1|%2,%3,%4,%5|%6x%7")
        .arg(chemin)
        .arg(zone.x(), 0, 'f', 3)
        .arg(zone.y(), 0, 'f', 3)
        .arg(zone.width(), 0, 'f', 3)
        .arg(zone.height(), 0, 'f', 3)
        .arg(pixels.width())
        .arg(pixels.height());
}

} // namespace

Dessin::Dessin(QString chemin, QSize taille) : chemin_(std::move(chemin)), taille_(taille) {}

Dessin::~Dessin() = default;

QSvgRenderer* Dessin::lire() const {
    if (!lu_) {
        lu_ = true;
        auto svg = std::make_unique<QSvgRenderer>(chemin_);
        // A drawing of another size than its bitmap is not that bitmap's.
        if (svg->isValid() && svg->defaultSize() == taille_)
            svg_ = std::move(svg);
    }
    return svg_.get();
}

QPixmap Dessin::rendu(const QRectF& zone, QSize pixels) const {
    if (pixels.isEmpty() || zone.isEmpty())
        return {};
    const QString k = cle(chemin_, zone, pixels);
    if (const QPixmap* deja = cache().object(k))
        return *deja;
    QSvgRenderer* svg = lire();
    if (!svg)
        return {};
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(pixels.width() / zone.width(), pixels.height() / zone.height());
        painter.translate(-zone.topLeft());
        painter.setClipRect(zone);
        // The whole drawing laid out as its bitmap was: the zone falls on
        // the picture.
        svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(taille_)));
    }
    ++nombreRendus;
    QPixmap picture = QPixmap::fromImage(std::move(image));
    const qint64 ko = qint64(pixels.width()) * pixels.height() * 4 / 1024 + 1;
    if (ko <= kCacheKo)
        cache().insert(k, new QPixmap(picture), int(ko));
    return picture;
}

int Dessin::rendusEffectues() {
    return nombreRendus;
}

void Dessin::viderCache() {
    cache().clear();
}

Image::Image(const QPixmap& bitmap, std::shared_ptr<const Dessin> dessin, QRectF zone)
    : bitmap_(bitmap), dessin_(std::move(dessin)), zone_(zone) {
    if (dessin_ && zone_.isEmpty())
        zone_ = QRectF(QPointF(0, 0), QSizeF(dessin_->taille()));
}

Image Image::copy(const QRect& rect) const {
    const QPixmap cut = bitmap_.copy(rect);
    // The bitmap keeps what lies inside it; so does the zone.
    const QRect inside = rect.isEmpty() ? bitmap_.rect() : rect & bitmap_.rect();
    if (!dessin_ || inside.isEmpty() || bitmap_.isNull())
        return Image(cut);
    const double sx = zone_.width() / bitmap_.width();
    const double sy = zone_.height() / bitmap_.height();
    return Image(cut, dessin_,
                 QRectF(zone_.x() + inside.x() * sx, zone_.y() + inside.y() * sy,
                        inside.width() * sx, inside.height() * sy));
}

Image Image::scaled(QSize size) const {
    if (bitmap_.isNull())
        return *this;
    Image out(*this);
    out.bitmap_ = bitmap_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return out;
}

QPixmap Image::rendu(QSize pixels) const {
    return dessin_ ? dessin_->rendu(zone_, pixels) : QPixmap();
}

} // namespace zm

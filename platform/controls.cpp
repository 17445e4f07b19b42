#include "platform/controls.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

namespace zm {

QFont policeFixe(int points) {
    QFont font(QStringLiteral("DejaVu Sans Mono"), points, QFont::Bold);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QString normaliseLineBreaks(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QChar(u'\r'), QChar(u'\n'));
    return out;
}

Label::Label(QWidget* parent, const QString& name) : QLabel(parent) {
    setObjectName(name);
    setMouseTracking(true);
    setTextFormat(Qt::PlainText);
}

void Label::setCaption(const QString& text) {
    caption_ = text;
    QLabel::setText(normaliseLineBreaks(text));
    fit();
}

void Label::setPointSize(int points) {
    points_ = points;
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    fit();
}

void Label::shrinkToFit(int minimumPoints) {
    if (points_ == 0)
        points_ = pointSize();
    minimumPoints_ = minimumPoints;
    fit();
}

void Label::growUpwardsToFit() {
    base_ = geometry();
    fit();
}

bool Label::fitsInside() const {
    if (!wordWrap()) {
        const QFontMetrics metrics(font());
        for (const QString& line : text().split(u'\n'))
            if (metrics.horizontalAdvance(line) > contentsRect().width())
                return false;
    }
    return textHeight() <= height();
}

void Label::fit() {
    if (fitting_ || !pixmap().isNull())
        return;
    fitting_ = true;
    // A growing label shrinks its font to fit where it stands when short.
    if (base_)
        setGeometry(*base_);
    if (minimumPoints_ > 0) {
        QFont f = font();
        int points = points_;
        f.setPointSize(points);
        setFont(f);
        while (points > minimumPoints_ && !fitsInside()) {
            f.setPointSize(--points);
            setFont(f);
        }
    }
    if (base_) {
        const int height = std::max(base_->height(), textHeight());
        setGeometry(base_->left(), base_->bottom() + 1 - height, base_->width(), height);
    }
    fitting_ = false;
}

void Label::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

int Label::pointSize() const {
    return font().pointSize();
}

void Label::setBold(bool bold) {
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    fit();
}

void Label::setLineHeight(int percent) {
    lineHeight_ = percent;
    update();
    fit();
}

void Label::layOut(QTextDocument& doc) const {
    doc.setDefaultFont(font());
    doc.setDocumentMargin(0);
    doc.setTextWidth(width());
    QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    doc.setDefaultTextOption(option);
    doc.setPlainText(text());
    QTextCursor all(&doc);
    all.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setLineHeight(lineHeight_, QTextBlockFormat::ProportionalHeight);
    all.mergeBlockFormat(format);
}

int Label::textHeight() const {
    if (lineHeight_ == 100)
        return heightForWidth(width()) > 0 ? heightForWidth(width()) : sizeHint().height();
    QTextDocument doc;
    layOut(doc);
    return int(std::ceil(doc.size().height()));
}

QRect Label::placeImage() const {
    const QRect cr = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (hasScaledContents())
        return cr;
    return style()->itemPixmapRect(cr, QStyle::visualAlignment(layoutDirection(), alignment()),
                                   pixmap());
}

void Label::preparerDessin(double echelle) const {
    if (!image_.dessin() || echelle <= kAgrandissementNet)
        return;
    // The stage is at the top of the scene: its coordinates are the scene's.
    const QRect place = placeImage().translated(mapTo(window(), QPoint(0, 0)));
    image_.preparer(pixelsAffiches(place, echelle));
}

bool Label::dessinerNet() {
    const QPixmap shown = pixmap();
    // The drawing belongs to the picture shown, not to one set since by
    // QLabel::setPixmap.
    if (!image_.dessin() || shown.isNull() || shown.cacheKey() != bitmapPose_)
        return false;
    QPainter painter(this);
    // The view enlarges the whole scene: the painter maps the label to the
    // display through a scale (and a translation) only.
    const QTransform t = painter.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() <= kAgrandissementNet ||
        t.m22() <= kAgrandissementNet) {
        painter.end();
        return false;
    }
    const QRect cible = placeImage();
    // The picture's place on the display, on whole pixels.
    const QRectF surEcran = t.mapRect(QRectF(cible));
    const QPoint coin(qRound(surEcran.left()), qRound(surEcran.top()));
    const QSize pixels(qRound(surEcran.right()) - coin.x(), qRound(surEcran.bottom()) - coin.y());
    if (rendu_.size() != pixels)
        rendu_ = image_.rendu(pixels);
    if (rendu_.isNull()) {
        painter.end();
        return false;
    }
    drawFrame(&painter);
    // One pixel of the rendering on one pixel of the display: no filtering.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(t.inverted().mapRect(QRectF(coin, pixels)), rendu_, QRectF(rendu_.rect()));
    return true;
}

void Label::hideEvent(QHideEvent* event) {
    // A hidden label holds no rendering; the shared cache may still keep it.
    rendu_ = QPixmap();
    QLabel::hideEvent(event);
}

void Label::paintEvent(QPaintEvent* event) {
    if (fond_.isValid() && fond_.alpha() > 0) {
        QPainter painter(this);
        painter.fillRect(rect(), fond_);
    }
    if (dessinerNet())
        return;
    // The bitmap is to be drawn: one not read yet is read (or waited for)
    // now; an empty one leaves the label empty.
    if (provisoire_ && pixmap().cacheKey() == bitmapPose_) {
        if (image_.bitmap().isNull())
            return;
        provisoire_ = false;
        setPixmap(image_.bitmap());
        bitmapPose_ = pixmap().cacheKey();
    }
    if (lineHeight_ == 100 || !pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QTextDocument doc;
    layOut(doc);
    QPainter painter(this);
    if (alignment() & Qt::AlignVCenter)
        painter.translate(0, (height() - doc.size().height()) / 2);
    else if (alignment() & Qt::AlignBottom)
        painter.translate(0, height() - doc.size().height());
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    doc.documentLayout()->draw(&painter, context);
}

void Label::setColours(const QColor& text, const QColor& background) {
    setTextColour(text);
    setBackgroundColour(background);
}

void Label::setTextColour(const QColor& text) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
}

void Label::setBackgroundColour(const QColor& background) {
    // Painted by the label itself (paintEvent), not filled by Qt: a widget Qt
    // fills opaque is left out of what is under it, by its rectangle on
    // whole pixels of the stage. Enlarged by a fraction, its edges fall
    // inside pixels of the display, which nothing under it then draws: they
    // kept the previous screen's pixels under the edge of the label.
    fond_ = background;
    update();
}

void Label::setPicture(const Image& picture) {
    // A picture takes the place of the text.
    if (!picture.isNull())
        caption_.clear();
    image_ = picture;
    rendu_ = QPixmap();
    // A bitmap not read yet is not read now, nor an empty one shown: until
    // the bitmap is drawn, the label holds one of the picture's size whose
    // pixels are never set nor drawn. Enlarged, it draws the drawing.
    provisoire_ = !picture.isNull() && (!picture.bitmapEnMain() || picture.bitmap().isNull());
    setPixmap(provisoire_ ? QPixmap(picture.size()) : picture.bitmap());
    bitmapPose_ = pixmap().cacheKey();
    if (!picture.isNull())
        resize(picture.size());
}

void Label::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        leftPressed_ = true;
    Q_EMIT pressed(event->button(), event->position().toPoint());
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && leftPressed_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        leftPressed_ = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    Q_EMIT moved(event->position().toPoint());
    event->accept();
}

Backdrop::Backdrop(QWidget* parent) : Label(parent, QStringLiteral("fond")) {
    setGeometry(0, 0, 800, 600);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace zm

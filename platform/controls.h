#pragma once
// The windowing controls the screens are made of. A Label is both a text label
// and an image (a picture in a label); it reports mouse presses with their
// button, clicks (a left press and release over it), and mouse moves over it.

#include "platform/image.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <optional>

class QTextDocument;

namespace zm {

class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent, const QString& name = {});

    // Shows a text composed with carriage returns (13), line feeds (10) or
    // both: each of them breaks the line where it stands.
    void setCaption(const QString& text);
    QString caption() const { return caption_; }
    // The caption is the one text of a label: these set it too, so that what
    // is shown and what the game reads back never differ.
    void setText(const QString& text) { setCaption(text); }
    void clear() { setCaption(QString()); }
    void setPointSize(int points);
    int pointSize() const;
    void setColours(const QColor& text, const QColor& background);
    void setTextColour(const QColor& text);
    void setBackgroundColour(const QColor& background);
    // Transparent unless set.
    QColor backgroundColour() const { return fond_; }
    // An image control: the picture at its own size. Where the picture has
    // its drawing, the label enlarged on a large display draws it sharp.
    void setPicture(const Image& picture);
    const Image& picture() const { return image_; }
    // Starts drawing the picture, on another thread, at the size the label
    // will draw it in its window once the scene is enlarged `echelle` times.
    void preparerDessin(double echelle) const;
    void setBold(bool bold);
    // Line height in percent of the font's own (100: as the font says). The
    // child-friendly font has tall lines; long help texts are set tighter.
    void setLineHeight(int percent);
    // Height of the caption laid out at the label's width and line height.
    int textHeight() const;

    // Long captions keep within the label: the font shrinks point by point
    // from the size set with setPointSize, down to `minimumPoints` at most,
    // until the caption fits inside the frame (each line within the width
    // when the label does not wrap, the whole text within the height).
    void shrinkToFit(int minimumPoints);
    // A caption taller than the label makes it grow upwards: the bottom edge
    // stays where it is, the present height is the smallest it takes.
    void growUpwardsToFit();

Q_SIGNALS:
    void pressed(Qt::MouseButton button, QPoint pos);
    void clicked();
    void moved(QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void layOut(QTextDocument& doc) const;

private:
    // Applies shrinkToFit and growUpwardsToFit to the present caption.
    void fit();
    bool fitsInside() const;
    // Draws the picture from its drawing when the label is enlarged; false
    // when the bitmap is to be drawn instead.
    bool dessinerNet();
    // Where the picture is drawn in the label.
    QRect placeImage() const;
    QString caption_;
    // The picture given by setPicture (its drawing), and its rendering at
    // the size last painted.
    Image image_;
    QPixmap rendu_;
    // The bitmap setPicture gave the QLabel, and whether it stands in for
    // the picture's own.
    qint64 bitmapPose_ = 0;
    bool provisoire_ = false;
    QColor fond_ = Qt::transparent;
    int lineHeight_ = 100;
    bool leftPressed_ = false;
    // The size asked for with setPointSize; the font may be smaller.
    int points_ = 0;
    int minimumPoints_ = 0;
    std::optional<QRect> base_; // where a growing label stands when its caption is short
    bool fitting_ = false;
};

// The screen's own background: reports presses, clicks and moves like a Label.
class Backdrop : public Label {
    Q_OBJECT
public:
    explicit Backdrop(QWidget* parent);
};

// Gives a label another font until the end of the scope, however the scope
// is left.
class PoliceProvisoire {
public:
    PoliceProvisoire(Label& label, const QFont& font) : label_(label), avant_(label.font()) {
        label_.setFont(font);
    }
    ~PoliceProvisoire() { label_.setFont(avant_); }
    PoliceProvisoire(const PoliceProvisoire&) = delete;
    PoliceProvisoire& operator=(const PoliceProvisoire&) = delete;

private:
    Label& label_;
    QFont avant_;
};

// Line breaks as the screens compose them, turned into the ones Qt draws.
QString normaliseLineBreaks(const QString& text);

// The bold fixed-pitch font of the tickers: every character as wide as the
// next, so that text moving one character a step moves evenly.
QFont policeFixe(int points);

} // namespace zm

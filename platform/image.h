#pragma once
// A picture of the game and, where the game has it, the vector drawing it was
// made from. The scene is laid out at 800 x 600 and enlarged to fill the
// display: a label enlarged this way draws its picture again from the drawing
// at the display's own resolution, sharp, instead of stretching the bitmap.
// Without a drawing (or one that cannot be read) the bitmap is drawn as it is.

#include <QImage>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <memory>

class QImageReader;
class QSvgRenderer;

namespace zm {

// An SVG drawing whose default size matches a bitmap of the game. It is read
// on first use only: at the scene's own size nothing opens it.
class Dessin {
public:
    // `chemin`: the SVG file (or resource); `taille`: the size of the bitmap
    // made from the whole drawing, in which zones are given.
    Dessin(QString chemin, QSize taille);
    ~Dessin();
    Dessin(const Dessin&) = delete;
    Dessin& operator=(const Dessin&) = delete;

    const QString& chemin() const { return chemin_; }
    QSize taille() const { return taille_; }
    // The zone (in pixels of the bitmap) drawn into a picture of `pixels`;
    // null when the file is missing, unreadable, or of another size than the
    // bitmap (then it is not the drawing of that bitmap). Renderings are kept
    // in a cache of bounded size shared by all drawings.
    QPixmap rendu(const QRectF& zone, QSize pixels) const;

    // How many renderings were made since the start (the cache spares the
    // others): painting stays fast only if this does not grow frame by frame.
    static int rendusEffectues();
    // Empties the cache of renderings, and drops those started ahead that
    // nothing took.
    static void viderCache();
    // Drops the cached renderings of this drawing, and those started ahead.
    void oublierRendus() const;

    // Starts drawing the zone of the drawing `chemin` (of default size
    // `taille`) at `pixels` on another thread: the first rendu() asking for
    // exactly that takes it, waiting for the end if need be. A rendering
    // asked for at another size is made as usual; one never asked for is
    // dropped at the end.
    //
    // A rendering to be kept (`garder`) is also written to the folder set
    // with garderRendusDans, and read back from there by the next run that
    // asks for the same: the first screen's background is then not drawn
    // again at each start. One file a rendering (a drawing, a zone, a size);
    // the folder keeps the kRendusGardes last used, the others are removed
    // when a new one is kept.
    static void preparer(const QString& chemin, QSize taille, const QRectF& zone, QSize pixels,
                         bool garder = false);
    // The folder of the renderings kept between runs; empty (the default):
    // none is kept.
    static void garderRendusDans(const QString& dossier);
    // How many renderings the folder keeps: the first screen's background at
    // the sizes of the displays a child plays on (a laptop and its monitor)
    // and from the places the game is run from (a new version installed
    // elsewhere), with room to spare.
    static constexpr int kRendusGardes = 8;
    // How many renderings started ahead are still waiting to be asked for.
    static int preparationsEnAttente();

private:
    QSvgRenderer* lire() const;
    QString chemin_;
    QSize taille_;
    mutable std::unique_ptr<QSvgRenderer> svg_;
    mutable bool lu_ = false;
};

// A reader for a picture file whatever its format. The game's pictures are
// PNG files without an extension: told so from the file's signature, the
// reader does not ask every image plugin to look at the file's content. Any
// other file is recognised from its content. (Qt loads every image plugin
// all the same, the first time a reader is made in the program.)
std::unique_ptr<QImageReader> lecteurImage(const QString& path);

// The largest width or height taillePng accepts: 16 times the scene's width.
constexpr quint32 kCotePngMax = 12800;
// The size a PNG file's header gives, read without a QImageReader (whose
// first use loads every image plugin: a few milliseconds of the game's
// thread while it makes the roster). Empty when the file is not a PNG, or
// gives no size or an unlikely one.
QSize taillePng(const QString& path);

// Reads a picture file whatever its format (the files have no extension);
// `format` receives the format found. What lireEnAvance started is taken, and
// waited for if not done.
QImage lireImage(const QString& path, QByteArray* format = nullptr);
// Starts reading the file on another thread, for the next lireImage(path):
// the game reads the picture of its first screen while it makes its window.
void lireEnAvance(const QString& path);
// Whether a reading of the file started ahead is waiting to be taken.
bool lectureEnAttente(const QString& path);

// Below this enlargement a picture is drawn from its bitmap.
constexpr double kAgrandissementNet = 1.01;

// The size on the display of a picture at `place` in the scene, the scene
// enlarged `echelle` times (the view puts the scene on whole pixels): the
// size at which an enlarged label draws it.
QSize pixelsAffiches(const QRect& place, double echelle);

// Gives back to the system the memory pictures let go of, which the
// allocator would otherwise keep for later.
void rendreMemoire();

// Has the system give the picture's memory at once, rather than page by page
// as it is first written: one call instead of a fault a page, which a large
// picture drawn or read for the first frame would otherwise wait for. Does
// nothing where the system can't.
void occuperMemoire(const QImage& image);

class Image {
public:
    Image() = default;
    // A bitmap alone.
    Image(const QPixmap& bitmap) : bitmap_(bitmap) {} // NOLINT: a bitmap is an Image
    // A bitmap and the zone of the drawing it shows (the whole drawing when
    // the zone is empty).
    Image(const QPixmap& bitmap, std::shared_ptr<const Dessin> dessin, QRectF zone = {});
    // The picture of the PNG file `path` and its drawing `dessin`, made
    // without reading its pixels: its size comes from the file's header, its
    // bitmap from the file the first time the bitmap is asked for (taken
    // from the reading started ahead, if any). A label enlarged on a large
    // display draws the drawing and never asks. Null when the file is not a
    // PNG or its header gives no size.
    static Image aLire(const QString& path, const QString& dessin);

    // The bitmap; one not read yet is read, or waited for.
    const QPixmap& bitmap() const;
    // Whether the bitmap is in hand (asking for it neither reads nor waits).
    bool bitmapEnMain() const;
    const std::shared_ptr<const Dessin>& dessin() const { return dessin_; }
    QRectF zone() const { return zone_; }
    bool isNull() const { return size().isEmpty(); }
    QSize size() const { return lecture_ ? taille_ : bitmap_.size(); }

    // The rectangle of this picture (a figure cut from a sheet), with the
    // matching zone of its drawing.
    Image copy(const QRect& rect) const;
    // This picture at another size (smooth bitmap), same drawing. A bitmap
    // not read yet is read and scaled the first time it is asked for.
    Image scaled(QSize size) const;
    // The picture drawn from its drawing at `pixels`; null without a drawing
    // that can be read.
    QPixmap rendu(QSize pixels) const;
    // Starts that drawing on another thread, for the next rendu(pixels).
    void preparer(QSize pixels) const;

private:
    struct Lecture;
    QPixmap bitmap_;
    // Where the bitmap comes from, shared by the copies of a picture made
    // before it was read; and the size the file's header gives.
    std::shared_ptr<Lecture> lecture_;
    QSize taille_;
    std::shared_ptr<const Dessin> dessin_;
    QRectF zone_;
};

} // namespace zm

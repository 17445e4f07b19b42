#include "platform/image.h"

#include <QCache>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QThreadPool>
#include <QtEndian>
#include <future>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Runs `travail` on the shared pool of threads (as many as the machine has
// cores); its result comes through the future.
template <typename Travail>
auto enArrierePlan(Travail travail) -> std::future<decltype(travail())> {
    using Resultat = decltype(travail());
    auto promesse = std::make_shared<std::promise<Resultat>>();
    auto resultat = promesse->get_future();
    QThreadPool::globalInstance()->start([promesse, travail = std::move(travail)]() mutable {
        try {
            promesse->set_value(travail());
        } catch (...) {
            promesse->set_exception(std::current_exception());
        }
    });
    return resultat;
}

// A new picture whose memory is given at once; its pixels are not set.
QImage nouvelleImage(QSize taille, QImage::Format format) {
    QImage image(taille, format);
    occuperMemoire(image);
    return image;
}

struct Lu {
    QImage image;
    QByteArray format;
};

Lu decoder(const QString& path) {
    const auto lecteur = lecteurImage(path);
    QImageReader& reader = *lecteur;
    Lu lu;
    lu.format = reader.format();
    // Read into memory given at once (the reader keeps a picture of the size
    // and format it reads).
    lu.image = nouvelleImage(reader.size(), reader.imageFormat());
    if (!reader.read(&lu.image))
        lu.image = QImage();
    return lu;
}

// The readings started ahead and the renderings started ahead, by file and
// by rendering; only the game's thread touches these maps.
std::map<QString, std::future<Lu>>& lectures() {
    static std::map<QString, std::future<Lu>> enCours;
    return enCours;
}

std::map<QString, std::future<QImage>>& preparations() {
    static std::map<QString, std::future<QImage>> enCours;
    return enCours;
}

QString clePreparation(const QString& chemin, QSize taille, const QRectF& zone, QSize pixels) {
    return cle(chemin, zone, pixels) +
           QStringLiteral("|%1x%2").arg(taille.width()).arg(taille.height());
}

// What was started ahead under `cle`, waited for and taken out of `enCours`;
// nothing when nothing was started.
template <typename Resultat>
std::optional<Resultat> prendre(std::map<QString, std::future<Resultat>>& enCours,
                                const QString& cle) {
    const auto it = enCours.find(cle);
    if (it == enCours.end())
        return std::nullopt;
    Resultat resultat = it->second.get();
    enCours.erase(it);
    return resultat;
}

// The drawing laid out as its bitmap was (`taille`), its zone on the picture.
QImage dessiner(QSvgRenderer& svg, QSize taille, const QRectF& zone, QSize pixels) {
    QImage image = nouvelleImage(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(pixels.width() / zone.width(), pixels.height() / zone.height());
    painter.translate(-zone.topLeft());
    painter.setClipRect(zone);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(taille)));
    painter.end();
    // An opaque rendering (a background) is copied onto the window, not
    // blended: the same pixels, told to have no transparency.
    if (image.isNull())
        return image;
    for (int y = 0; y < image.height(); ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        if (!std::all_of(ligne, ligne + image.width(), [](QRgb p) { return qAlpha(p) == 255; }))
            return image;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

// A drawing of another size than its bitmap is not that bitmap's.
bool estLeDessin(const QSvgRenderer& svg, QSize taille) {
    return svg.isValid() && svg.defaultSize() == taille;
}

constexpr char kSignaturePng[] = "\x89PNG\r\n\x1a\n";

bool signaturePng(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(8) == kSignaturePng;
}

} // namespace

QSize taillePng(const QString& path) {
    // The signature, then the header's chunk: its length (13), its name,
    // the width and the height, both big-endian.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray debut = file.read(24);
    if (debut.size() != 24 || !debut.startsWith(kSignaturePng) ||
        debut.mid(8, 8) != QByteArray("\0\0\0\x0dIHDR", 8))
        return {};
    const quint32 largeur = qFromBigEndian<quint32>(debut.constData() + 16);
    const quint32 hauteur = qFromBigEndian<quint32>(debut.constData() + 20);
    if (largeur == 0 || hauteur == 0 || largeur > kCotePngMax || hauteur > kCotePngMax)
        return {};
    return QSize(int(largeur), int(hauteur));
}

std::unique_ptr<QImageReader> lecteurImage(const QString& path) {
    auto reader = std::make_unique<QImageReader>(path);
    if (signaturePng(path))
        reader->setFormat("png");
    else
        reader->setDecideFormatFromContent(true);
    return reader;
}

QImage lireImage(const QString& path, QByteArray* format) {
    std::optional<Lu> lu = prendre(lectures(), path);
    if (!lu)
        lu = decoder(path);
    if (format)
        *format = lu->format;
    return lu->image;
}

void lireEnAvance(const QString& path) {
    auto& enCours = lectures();
    if (enCours.count(path) == 0)
        enCours.emplace(path, enArrierePlan([path] { return decoder(path); }));
}

bool lectureEnAttente(const QString& path) {
    return lectures().count(path) > 0;
}

namespace {

QString& dossierGarde() {
    static QString dossier;
    return dossier;
}

// A rendering kept on disk: one line saying what it is the rendering of and
// in which pixel format, padded with spaces to a multiple of 16 bytes, then
// its pixels, line after line. The pixels are used in place, mapped from the
// file: read into memory of its own, a background at 1280 x 1024 would be
// 5 MB that the system zeroes and then copies.
struct Garde {
    QString fichier;
    // The line up to the format: the drawing (its path, its size and time in
    // the file system, so that a new drawing is drawn anew), the zone and
    // the size in pixels.
    QByteArray entete;
};

constexpr qint64 kAlignementPixels = 16;
const QString kSuffixeGarde = QStringLiteral(".rendu");

Garde garde(const QString& dossier, const QString& chemin, QSize taille, const QRectF& zone,
            QSize pixels) {
    const QFileInfo svg(chemin);
    const QString k = cle(svg.absoluteFilePath(), zone, pixels);
    const QByteArray nom =
        QCryptographicHash::hash(k.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return {dossier + QStringLiteral("/") + QString::fromLatin1(nom) + kSuffixeGarde,
            QStringLiteral("zibelou-malice rendu 2|%1|%2x%3|%4|%5|")
                .arg(k)
                .arg(taille.width())
                .arg(taille.height())
                .arg(svg.size())
                .arg(svg.lastModified().toMSecsSinceEpoch())
                .toUtf8()};
}

struct Carte {
    void* debut;
    std::size_t longueur;
};

void demapper(void* info) {
    auto* carte = static_cast<Carte*>(info);
    ::munmap(carte->debut, carte->longueur);
    delete carte;
}

// The rendering kept under `g`, if it is the one asked for and whole.
std::optional<QImage> relire(const Garde& g, QSize pixels) {
    QFile f(g.fichier);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray ligne = f.readLine(4096);
    if (!ligne.startsWith(g.entete) || !ligne.endsWith('\n'))
        return std::nullopt;
    bool nombre = false;
    const int format = ligne.mid(g.entete.size()).trimmed().toInt(&nombre);
    if (!nombre ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied))
        return std::nullopt;
    const qint64 debut = f.pos();
    const qint64 ligneOctets = qint64(pixels.width()) * 4;
    if (debut % kAlignementPixels != 0 || f.size() - debut != ligneOctets * pixels.height())
        return std::nullopt;
    // Private: the picture never writes to the file, whatever is done with
    // it. The file is only ever replaced whole (conserver), which leaves this
    // mapping with the former one.
    const auto longueur = std::size_t(f.size());
    void* carte = ::mmap(nullptr, longueur, PROT_READ | PROT_WRITE, MAP_PRIVATE, f.handle(), 0);
    if (carte == MAP_FAILED)
        return std::nullopt;
#ifdef MADV_POPULATE_READ
    // The pages are put in place here rather than one by one as the first
    // frame draws them.
    ::madvise(carte, longueur, MADV_POPULATE_READ);
#endif
    // Used: its time in the file system says so, for elaguer.
    ::futimens(f.handle(), nullptr);
    auto* info = new Carte{carte, longueur};
    QImage image(static_cast<uchar*>(carte) + debut, pixels.width(), pixels.height(), ligneOctets,
                 QImage::Format(format), demapper, info);
    // (A picture that could not be made does not call its clean-up.)
    if (image.isNull()) {
        demapper(info);
        return std::nullopt;
    }
    return image;
}

// Written whole or not at all: a run stopped half-way leaves the former file.
void conserver(const Garde& g, const QImage& image) {
    if (!QDir().mkpath(QFileInfo(g.fichier).path()))
        return;
    QSaveFile f(g.fichier);
    if (!f.open(QIODevice::WriteOnly))
        return;
    QByteArray ligne = g.entete + QByteArray::number(int(image.format()));
    ligne.append(QByteArray(kAlignementPixels - 1 - ligne.size() % kAlignementPixels, ' '));
    f.write(ligne + '\n');
    // A 32-bit picture's lines follow each other without a gap.
    f.write(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    f.commit();
}

// Keeps the kRendusGardes renderings last used (written, or read back) and
// removes the others: each size of display, and each place the game was run
// from, has renderings of its own, which would otherwise stay for ever.
// A run that still shows one removed keeps its pixels (see relire).
void elaguer(const QString& dossier) {
    const QFileInfoList gardes =
        QDir(dossier).entryInfoList({QStringLiteral("*") + kSuffixeGarde}, QDir::Files, QDir::Time);
    for (qsizetype i = Dessin::kRendusGardes; i < gardes.size(); ++i)
        QFile::remove(gardes[i].absoluteFilePath());
}

// The rendering, read back from the folder `dossier` where it is kept, or
// else drawn and then kept there; neither when `dossier` is empty.
QImage dessinerOuRelire(const QString& dossier, const QString& chemin, QSize taille,
                        const QRectF& zone, QSize pixels) {
    const std::optional<Garde> g =
        dossier.isEmpty() ? std::nullopt
                          : std::optional(garde(dossier, chemin, taille, zone, pixels));
    if (g) {
        if (auto relue = relire(*g, pixels))
            return *relue;
    }
    QSvgRenderer svg(chemin);
    QImage image = estLeDessin(svg, taille) ? dessiner(svg, taille, zone, pixels) : QImage();
    // Written once the rendering is handed over.
    if (g && !image.isNull())
        QThreadPool::globalInstance()->start([g = *g, image, dossier] {
            conserver(g, image);
            elaguer(dossier);
        });
    return image;
}

} // namespace

void Dessin::garderRendusDans(const QString& dossier) {
    dossierGarde() = dossier;
}

void Dessin::preparer(const QString& chemin, QSize taille, const QRectF& zone, QSize pixels,
                      bool garder) {
    if (pixels.isEmpty() || zone.isEmpty())
        return;
    const QString k = clePreparation(chemin, taille, zone, pixels);
    auto& enCours = preparations();
    if (enCours.count(k) != 0 || cache().contains(cle(chemin, zone, pixels)))
        return;
    const QString dossier = garder ? dossierGarde() : QString();
    enCours.emplace(
        k, enArrierePlan([=] { return dessinerOuRelire(dossier, chemin, taille, zone, pixels); }));
}

int Dessin::preparationsEnAttente() {
    return int(preparations().size());
}

void rendreMemoire() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void occuperMemoire(const QImage& image) {
#ifdef MADV_POPULATE_WRITE
    if (image.isNull())
        return;
    // constBits: the picture is not copied, even when shared.
    const auto debut = reinterpret_cast<std::uintptr_t>(image.constBits());
    const auto page = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t premiere = debut & ~(page - 1);
    ::madvise(reinterpret_cast<void*>(premiere),
              debut + std::uintptr_t(image.sizeInBytes()) - premiere, MADV_POPULATE_WRITE);
#else
    Q_UNUSED(image);
#endif
}

QSize pixelsAffiches(const QRect& place, double echelle) {
    // As a label computes it: its corners rounded to the nearest pixel.
    return QSize(qRound((place.x() + place.width()) * echelle) - qRound(place.x() * echelle),
                 qRound((place.y() + place.height()) * echelle) - qRound(place.y() * echelle));
}

Dessin::Dessin(QString chemin, QSize taille) : chemin_(std::move(chemin)), taille_(taille) {}

Dessin::~Dessin() = default;

QSvgRenderer* Dessin::lire() const {
    if (!lu_) {
        lu_ = true;
        auto svg = std::make_unique<QSvgRenderer>(chemin_);
        if (estLeDessin(*svg, taille_))
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
    QImage image;
    if (auto prepare = prendre(preparations(), clePreparation(chemin_, taille_, zone, pixels)))
        image = std::move(*prepare);
    else if (QSvgRenderer* svg = lire())
        image = dessiner(*svg, taille_, zone, pixels);
    if (image.isNull())
        return {};
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
    preparations().clear();
}

void Dessin::oublierRendus() const {
    const QString prefixe = chemin_ + QStringLiteral("|");
    for (const QString& k : cache().keys())
        if (k.startsWith(prefixe))
            cache().remove(k);
    // And those started ahead that nothing took (a display that changed size).
    std::erase_if(preparations(), [&](const auto& p) { return p.first.startsWith(prefixe); });
}

namespace {

// A picture's bitmap at another size, smooth; an empty one stays empty.
QPixmap redimensionner(const QPixmap& bitmap, QSize size) {
    return bitmap.isNull() ? QPixmap()
                           : bitmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

struct Image::Lecture {
    // The file the bitmap is read from; or the picture's, not read yet
    // either, that the bitmap is scaled from, and the size it is scaled to.
    QString path;
    std::shared_ptr<Lecture> source;
    QSize taille;
    std::optional<QPixmap> bitmap;

    const QPixmap& lire() {
        if (bitmap)
            return *bitmap;
        if (source) {
            bitmap = redimensionner(source->lire(), taille);
        } else {
            // A file damaged past its header gives an empty bitmap.
            bitmap = QPixmap::fromImage(lireImage(path));
        }
        return *bitmap;
    }
};

Image Image::aLire(const QString& path, const QString& dessin) {
    const QSize taille = taillePng(path);
    if (taille.isEmpty())
        return {};
    Image image;
    image.lecture_ = std::make_shared<Lecture>();
    image.lecture_->path = path;
    image.taille_ = taille;
    image.dessin_ = std::make_shared<Dessin>(dessin, taille);
    image.zone_ = QRectF(QPointF(0, 0), QSizeF(taille));
    return image;
}

const QPixmap& Image::bitmap() const {
    return lecture_ ? lecture_->lire() : bitmap_;
}

bool Image::bitmapEnMain() const {
    return !lecture_ || lecture_->bitmap.has_value();
}

Image::Image(const QPixmap& bitmap, std::shared_ptr<const Dessin> dessin, QRectF zone)
    : bitmap_(bitmap), dessin_(std::move(dessin)), zone_(zone) {
    if (dessin_ && zone_.isEmpty())
        zone_ = QRectF(QPointF(0, 0), QSizeF(dessin_->taille()));
}

Image Image::copy(const QRect& rect) const {
    const QPixmap& bitmap = this->bitmap();
    const QPixmap cut = bitmap.copy(rect);
    // The bitmap keeps what lies inside it; so does the zone.
    const QRect inside = rect.isEmpty() ? bitmap.rect() : rect & bitmap.rect();
    if (!dessin_ || inside.isEmpty() || bitmap.isNull())
        return Image(cut);
    const double sx = zone_.width() / bitmap.width();
    const double sy = zone_.height() / bitmap.height();
    return Image(cut, dessin_,
                 QRectF(zone_.x() + inside.x() * sx, zone_.y() + inside.y() * sy,
                        inside.width() * sx, inside.height() * sy));
}

Image Image::scaled(QSize size) const {
    // A bitmap not read yet is scaled when it is read, if ever: enlarged, a
    // label draws the drawing instead.
    if (!bitmapEnMain()) {
        Image out(*this);
        out.lecture_ = std::make_shared<Lecture>();
        out.lecture_->source = lecture_;
        out.lecture_->taille = size;
        out.taille_ = size;
        return out;
    }
    const QPixmap& bitmap = this->bitmap();
    if (bitmap.isNull())
        return *this;
    Image out(*this);
    out.bitmap_ = redimensionner(bitmap, size);
    out.lecture_.reset();
    return out;
}

void Image::preparer(QSize pixels) const {
    if (dessin_)
        Dessin::preparer(dessin_->chemin(), dessin_->taille(), zone_, pixels);
}

QPixmap Image::rendu(QSize pixels) const {
    return dessin_ ? dessin_->rendu(zone_, pixels) : QPixmap();
}

} // namespace zm

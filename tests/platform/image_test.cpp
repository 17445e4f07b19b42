// Pictures enlarged with the scene: drawn from their drawing, sharp, where
// they have one; the bitmap as before everywhere else.
#include "platform/controls.h"
#include "platform/image.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace zm;

namespace {

// 40 x 30: black on the left half, white on the right, the edge at x = 20.
const char* const kDemiNoir =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30" viewBox="0 0 40 30">)"
    R"(<rect x="0" y="0" width="20" height="30" fill="#000"/>)"
    R"(<rect x="20" y="0" width="20" height="30" fill="#fff"/></svg>)";

// A sheet of two figures side by side: red (0-20) and blue (20-40).
const char* const kPlanche =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30" viewBox="0 0 40 30">)"
    R"(<rect x="0" y="0" width="20" height="30" fill="#f00"/>)"
    R"(<rect x="20" y="0" width="20" height="30" fill="#00f"/></svg>)";

constexpr QRgb kRouge = 0xffff0000u;

// A picture as the bytes of a file of `format`.
QByteArray enregistrer(const QImage& image, const char* format) {
    QByteArray octets;
    QBuffer buffer(&octets);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return octets;
}

constexpr QPoint kPlace(7, 7); // 16.8 display pixels at 2.4: not on a whole pixel
constexpr QSize kStage(100, 75);

class Dessins {
public:
    QString chemin(const QString& nom) const { return dir_.filePath(nom); }
    QString ecrire(const QString& nom, const QByteArray& svg) {
        const QString path = chemin(nom);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(svg);
        return path;
    }
    // The bitmap of a drawing, as the build makes it.
    static QPixmap bitmap(const QString& path) {
        QSvgRenderer svg(path);
        QPixmap picture(svg.defaultSize());
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        return picture;
    }
    Image image(const QString& nom, const QByteArray& svg) {
        const QString path = ecrire(nom, svg);
        const QPixmap b = bitmap(path);
        return Image(b, std::make_shared<Dessin>(path, b.size()));
    }

private:
    QTemporaryDir dir_;
};

// The stage enlarged as the game's view enlarges it: a widget in a graphics
// scene, the scene drawn `echelle` times larger.
QImage rendre(QGraphicsScene& scene, double echelle) {
    QImage out((QSizeF(kStage) * echelle).toSize(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    scene.render(&painter, QRectF(out.rect()), QRectF(QPointF(0, 0), QSizeF(kStage)));
    return out;
}

QImage peindre(const std::function<void(QWidget& stage)>& remplir, double echelle) {
    QGraphicsScene scene;
    auto* stage = new QWidget;
    stage->resize(kStage);
    remplir(*stage);
    scene.addWidget(stage);
    return rendre(scene, echelle);
}

// One picture label on the stage, painted as often as needed.
class Scene {
public:
    Scene() : stage_(new QWidget), label(new Label(stage_)) {
        stage_->resize(kStage);
        label->move(kPlace);
        scene_.addWidget(stage_);
    }
    QImage peindre(double echelle) { return rendre(scene_, echelle); }

private:
    QGraphicsScene scene_;
    QWidget* stage_;

public:
    Label* label;
};

QImage peindreImage(const Image& image, double echelle) {
    return peindre(
        [&](QWidget& stage) {
            auto* label = new Label(&stage, QStringLiteral("image"));
            label->move(kPlace);
            label->setPicture(image);
        },
        echelle);
}

// Pixels neither black nor white across the middle row of the picture.
int grisSurLaLigne(const QImage& drawn, double echelle) {
    const int y = int((kPlace.y() + 15) * echelle);
    const int debut = int(kPlace.x() * echelle) + 2;
    const int fin = int((kPlace.x() + 40) * echelle) - 2;
    int gris = 0;
    for (int x = debut; x < fin; ++x) {
        const int v = qGray(drawn.pixel(x, y));
        gris += v > 8 && v < 247;
    }
    return gris;
}

} // namespace

TEST(ImageNette, AnEnlargedLabelDrawsItsDrawingSharpWhereTheBitmapIsBlurred) {
    Dessins d;
    const Image image = d.image(QStringLiteral("demi.svg"), kDemiNoir);
    const Image bitmapSeul(image.bitmap());
    for (double echelle : {2.4, 1.7, 3.6}) {
        SCOPED_TRACE(echelle);
        const int net = grisSurLaLigne(peindreImage(image, echelle), echelle);
        const int flou = grisSurLaLigne(peindreImage(bitmapSeul, echelle), echelle);
        EXPECT_LE(net, 1);
        EXPECT_GE(flou, 2);
    }
}

TEST(ImageNette, WithoutAUsableDrawingTheLabelDrawsTheBitmapAsAPlainLabelDoes) {
    Dessins d;
    const QString bon = d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
    const QPixmap bitmap = Dessins::bitmap(bon);
    const QString autreTaille = d.ecrire(
        QStringLiteral("grand.svg"),
        QByteArray(kDemiNoir).replace(R"(width="40" height="30")", R"(width="80" height="60")"));
    const QString abime = d.ecrire(QStringLiteral("abime.svg"), "<svg width=");
    struct Cas {
        const char* nom;
        Image image;
        double echelle;
    };
    const Cas cas[] = {
        {"bitmap alone", Image(bitmap), 2.4},
        {"drawing at the scene's own size",
         Image(bitmap, std::make_shared<Dessin>(bon, bitmap.size())), 1.0},
        {"missing drawing",
         Image(bitmap,
               std::make_shared<Dessin>(d.chemin(QStringLiteral("absent.svg")), bitmap.size())),
         2.4},
        {"damaged drawing", Image(bitmap, std::make_shared<Dessin>(abime, bitmap.size())), 2.4},
        {"drawing of another size",
         Image(bitmap, std::make_shared<Dessin>(autreTaille, bitmap.size())), 2.4},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QImage plain = peindre(
            [&](QWidget& stage) {
                auto* label = new QLabel(&stage);
                label->move(kPlace);
                label->setPixmap(bitmap);
                label->resize(bitmap.size());
            },
            c.echelle);
        EXPECT_EQ(peindreImage(c.image, c.echelle), plain);
    }
}

TEST(ImageNette, AtTheScenesOwnSizeTheDrawingIsNeverRead) {
    Dessins d;
    const Image image = d.image(QStringLiteral("demi.svg"), kDemiNoir);
    const int avant = Dessin::rendusEffectues();
    peindreImage(image, 1.0);
    EXPECT_EQ(Dessin::rendusEffectues(), avant);
}

TEST(ImageNette, TheDrawingFollowsThePictureShownNotAnOldOne) {
    Dessins d;
    const Image noir = d.image(QStringLiteral("demi.svg"), kDemiNoir);
    const Image planche = d.image(QStringLiteral("planche.svg"), kPlanche);
    const QImage attenduPlanche = peindreImage(planche, 2.4);
    const QImage attenduBitmap = peindreImage(Image(noir.bitmap()), 2.4);

    // Another picture after a first one was painted: the new drawing.
    Scene scene;
    scene.label->setPicture(noir);
    scene.peindre(2.4);
    scene.label->setPicture(planche);
    EXPECT_EQ(scene.peindre(2.4), attenduPlanche);
    // A bitmap given straight to the QLabel: the old drawing is not its own.
    scene.label->setPixmap(noir.bitmap());
    EXPECT_EQ(scene.peindre(2.4), attenduBitmap);
}

TEST(ImageNette, FiguresCutFromASheetAndResizedPicturesKeepTheirPartOfTheDrawing) {
    Dessins d;
    const Image planche = d.image(QStringLiteral("planche.svg"), kPlanche);
    struct Cas {
        const char* nom;
        Image image;
        QRgb couleur;
    };
    const Cas cas[] = {
        {"left figure", planche.copy(QRect(0, 0, 20, 30)), qRgb(255, 0, 0)},
        {"right figure", planche.copy(QRect(20, 0, 20, 30)), qRgb(0, 0, 255)},
        {"right figure, doubled", planche.copy(QRect(20, 0, 20, 30)).scaled(QSize(40, 60)),
         qRgb(0, 0, 255)},
    };
    const double echelle = 2.4;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QImage drawn = peindreImage(c.image, echelle);
        // Every pixel of the picture's place is the figure's colour: nothing
        // of the other figure, no blur from the sheet.
        const QRect place(QPoint(int(kPlace.x() * echelle) + 1, int(kPlace.y() * echelle) + 1),
                          (QSizeF(c.image.size()) * echelle).toSize() - QSize(3, 3));
        int autres = 0;
        for (int y = place.top(); y <= place.bottom(); ++y)
            for (int x = place.left(); x <= place.right(); ++x)
                autres += drawn.pixel(x, y) != (c.couleur | 0xff000000u);
        EXPECT_EQ(autres, 0);
    }
}

TEST(ImageNette, EachRenderingIsMadeOnceNotAtEveryFrame) {
    Dessin::viderCache();
    Dessins d;
    const Image planche = d.image(QStringLiteral("planche.svg"), kPlanche);
    const Image gauche = planche.copy(QRect(0, 0, 20, 30));
    const Image droite = planche.copy(QRect(20, 0, 20, 30));
    const int avant = Dessin::rendusEffectues();
    // A character of the start screen: resting, active, resting... frame after frame.
    Scene scene;
    for (int frame = 0; frame < 20; ++frame) {
        scene.label->setPicture(frame % 2 ? droite : gauche);
        scene.peindre(2.4);
    }
    EXPECT_EQ(Dessin::rendusEffectues() - avant, 2);
    // Another size of display: drawn again, once.
    for (int frame = 0; frame < 4; ++frame)
        scene.peindre(3.6);
    EXPECT_EQ(Dessin::rendusEffectues() - avant, 3);
}

TEST(ImageNette, ADrawingMadeAheadIsTakenByTheLabelOrDroppedWithItsDrawing) {
    Dessin::viderCache();
    Dessins d;
    const Image image = d.image(QStringLiteral("demi.svg"), kDemiNoir);
    Scene scene;
    scene.label->setPicture(image);
    const int avant = Dessin::preparationsEnAttente();
    // At the size the label draws it (its corner off the whole pixels), and
    // at a size nothing asks for.
    scene.label->preparerDessin(2.4);
    image.preparer(QSize(5, 5));
    EXPECT_EQ(Dessin::preparationsEnAttente(), avant + 2);
    const QImage prepare = scene.peindre(2.4);
    EXPECT_EQ(Dessin::preparationsEnAttente(), avant + 1);
    // What was made ahead is what the label makes on the spot.
    Dessin::viderCache();
    const int rendus = Dessin::rendusEffectues();
    scene.label->setPicture(image);
    EXPECT_EQ(scene.peindre(2.4), prepare);
    EXPECT_EQ(Dessin::rendusEffectues(), rendus + 1);
    image.dessin()->oublierRendus();
    EXPECT_EQ(Dessin::preparationsEnAttente(), avant);
}

// A picture file is read whatever its format, without an extension: PNG
// (the game's own), told from its signature, and any other from its content.
// Each gives the format, size and pixels Qt's reader finds from the content.
TEST(LirePicture, EveryFormatIsReadFromItsContentWithTheSamePixels) {
    QTemporaryDir dir;
    QImage source(37, 23, QImage::Format_ARGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgba(x * 7, y * 11, (x + y) * 3, x < 5 ? 128 : 255));
    struct Case {
        const char* name;
        const char* format; // written by Qt in this format; null: the bytes below
        QByteArray bytes;
        bool picture;
    };
    const std::vector<Case> cases = {
        {"png", "png", {}, true},
        {"bmp", "bmp", {}, true},
        {"svg", nullptr, QByteArray(kDemiNoir), true},
        {"png signature, then nothing", nullptr, QByteArray("\x89PNG\r\n\x1a\n"), false},
        {"text", nullptr, QByteArray("not a picture at all"), false},
        {"empty", nullptr, QByteArray(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        if (c.format) {
            ASSERT_TRUE(source.save(path, c.format));
        } else {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.bytes);
        }
        QImageReader qt(path);
        qt.setDecideFormatFromContent(true);
        const QByteArray expectedFormat = qt.format();
        const QSize expectedSize = qt.size();
        const QImage expected = qt.read();
        EXPECT_EQ(expected.isNull(), !c.picture);
        for (const bool ahead : {false, true}) {
            SCOPED_TRACE(ahead ? "read ahead" : "read on the spot");
            if (ahead)
                lireEnAvance(path);
            QByteArray format;
            const QImage read = lireImage(path, &format);
            EXPECT_EQ(format, expectedFormat);
            EXPECT_EQ(read.isNull(), expected.isNull());
            if (!expected.isNull()) {
                EXPECT_EQ(read.convertToFormat(QImage::Format_ARGB32),
                          expected.convertToFormat(QImage::Format_ARGB32));
            }
            EXPECT_EQ(lecteurImage(path)->size(), expectedSize);
        }
    }
}

// A picture with its drawing is made without reading its bitmap: a label
// enlarged shows the drawing without it; one at the scene's own size, or a
// figure cut from the picture, reads it (or takes the reading started ahead).
// So does the picture resized for a label, as the buttons are.
TEST(ImageALire, TheBitmapIsReadOnlyWhenItIsDrawn) {
    Dessins d;
    const QString svg = d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
    const QPixmap bitmap = Dessins::bitmap(svg);
    const QString png = d.chemin(QStringLiteral("demi"));
    ASSERT_TRUE(bitmap.save(png, "PNG"));
    const Image enMain(QPixmap::fromImage(lireImage(png)),
                       std::make_shared<Dessin>(svg, bitmap.size()));
    const QSize petite(20, 15);
    for (const bool avance : {false, true}) {
        SCOPED_TRACE(avance ? "read ahead" : "not read ahead");
        auto aLire = [&] {
            if (avance)
                lireEnAvance(png);
            return Image::aLire(png, svg);
        };
        struct Cas {
            const char* nom;
            std::function<Image()> differee;
            Image attendue;
        };
        const Cas cas[] = {
            {"the picture", aLire, enMain},
            {"resized", [&] { return aLire().scaled(petite); }, enMain.scaled(petite)},
        };
        for (const Cas& c : cas) {
            SCOPED_TRACE(c.nom);
            for (const double echelle : {2.4, 1.0}) {
                SCOPED_TRACE(echelle);
                const Image image = c.differee();
                ASSERT_FALSE(image.isNull());
                EXPECT_EQ(image.size(), c.attendue.size());
                EXPECT_FALSE(image.bitmapEnMain());
                EXPECT_EQ(peindreImage(image, echelle), peindreImage(c.attendue, echelle));
                // Enlarged, the drawing alone was drawn.
                EXPECT_EQ(image.bitmapEnMain(), echelle == 1.0);
            }
            EXPECT_EQ(c.differee().bitmap().toImage(), c.attendue.bitmap().toImage());
        }
        // Cut, a picture reads its bitmap.
        EXPECT_EQ(aLire().copy(QRect(20, 0, 20, 30)).bitmap().toImage(),
                  enMain.copy(QRect(20, 0, 20, 30)).bitmap().toImage());
        // The copies made before it was read share the reading, resized ones
        // too: the file is read once for all of them.
        const Image image = aLire();
        const Image copie = image;
        const Image reduite = image.scaled(petite);
        EXPECT_EQ(copie.bitmap().toImage(), enMain.bitmap().toImage());
        EXPECT_TRUE(image.bitmapEnMain());
        EXPECT_FALSE(reduite.bitmapEnMain());
        EXPECT_EQ(reduite.bitmap().toImage(), enMain.scaled(petite).bitmap().toImage());
    }
}

// A PNG file's size, read from its header alone.
TEST(TaillePng, ComesFromAPngFilesHeaderWithALikelySize) {
    Dessins d;
    auto entete = [](quint32 largeur, quint32 hauteur, const char* morceau = "IHDR") {
        QByteArray octets("\x89PNG\r\n\x1a\n\0\0\0\x0d", 12);
        octets.append(morceau);
        char nombre[4];
        qToBigEndian(largeur, nombre);
        octets.append(nombre, 4);
        qToBigEndian(hauteur, nombre);
        octets.append(nombre, 4);
        return octets;
    };
    const QImage image(37, 21, QImage::Format_RGB32);
    struct Cas {
        const char* nom;
        QByteArray octets;
        QSize taille;
    };
    const Cas cas[] = {
        {"a picture saved as PNG", enregistrer(image, "PNG"), {37, 21}},
        {"a header alone", entete(800, 600), {800, 600}},
        {"the widest accepted", entete(kCotePngMax, 1), QSize(int(kCotePngMax), 1)},
        {"wider", entete(kCotePngMax + 1, 600), {}},
        {"as wide as the header can say", entete(0xffffffffu, 600), {}},
        {"no width", entete(0, 600), {}},
        {"no height", entete(800, 0), {}},
        {"another chunk first", entete(800, 600, "IDAT"), {}},
        {"cut in the height", entete(800, 600).left(23), {}},
        {"a BMP", enregistrer(image, "BMP"), {}},
        {"empty", {}, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(taillePng(d.ecrire(QString::fromLatin1(c.nom), c.octets)), c.taille);
    }
    EXPECT_EQ(taillePng(d.chemin(QStringLiteral("missing"))), QSize());
}

TEST(ImageALire, OnlyAPngFileWithASizeInItsHeader) {
    Dessins d;
    const QString svg = d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
    const QPixmap bitmap = Dessins::bitmap(svg);
    const QByteArray entier = enregistrer(bitmap.toImage(), "PNG");
    // Cut in the middle of the pixels' first chunk: the header says 40 x 30.
    const QByteArray abime = entier.left(entier.indexOf("IDAT") + 20);
    struct Cas {
        const char* nom;
        QByteArray octets;
        bool image;
    };
    const Cas cas[] = {
        {"png", entier, true},
        {"png damaged past its header", abime, true},
        {"bmp", enregistrer(bitmap.toImage(), "BMP"), false},
        {"png signature alone", entier.left(8), false},
        {"missing", {}, false},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QString path = d.chemin(QString::fromLatin1(c.nom));
        if (!c.octets.isEmpty())
            path = d.ecrire(QString::fromLatin1(c.nom), c.octets);
        const Image image = Image::aLire(path, svg);
        ASSERT_EQ(!image.isNull(), c.image);
        if (!c.image)
            continue;
        EXPECT_EQ(image.size(), QSize(40, 30));
        const Image reduite = image.scaled(QSize(20, 15));
        EXPECT_EQ(reduite.size(), QSize(20, 15));
        EXPECT_EQ(image.bitmap().isNull(), c.octets == abime);
        EXPECT_EQ(reduite.bitmap().isNull(), c.octets == abime);
        // Damaged, the picture is its drawing on a large display and
        // nothing at the scene's size, as an empty label.
        if (c.octets == abime) {
            const Image dessinSeul(bitmap, std::make_shared<Dessin>(svg, bitmap.size()));
            EXPECT_EQ(peindreImage(image, 2.4), peindreImage(dessinSeul, 2.4));
            EXPECT_EQ(peindreImage(image, 1.0), peindreImage(Image(), 1.0));
        }
    }
}

// An opaque drawing (a background) is rendered without transparency, so that
// it is copied onto the window rather than blended; the pixels are the same.
TEST(ImageNette, AnOpaqueRenderingHasNoTransparency) {
    Dessins d;
    const QByteArray troue =
        QByteArray(kDemiNoir).replace(R"(fill="#fff")", R"(fill="#fff" fill-opacity="0.5")");
    struct Cas {
        const char* nom;
        QByteArray svg;
        bool opaque;
    };
    const Cas cas[] = {{"opaque", kDemiNoir, true}, {"half see-through", troue, false}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Image image = d.image(QString::fromLatin1(c.nom) + QStringLiteral(".svg"), c.svg);
        const QImage rendu = image.rendu(QSize(96, 72)).toImage();
        EXPECT_EQ(rendu.hasAlphaChannel(), !c.opaque);
        // The white half, and the black one.
        EXPECT_EQ(rendu.pixel(80, 30),
                  c.opaque ? 0xffffffffu : qPremultiply(qRgba(255, 255, 255, 127)));
        EXPECT_EQ(rendu.pixel(10, 30), 0xff000000u);
    }
}

// A drawing of 40 x 30 and a folder of kept renderings of its own.
class RenduGarde : public ::testing::Test {
protected:
    void SetUp() override { Dessin::garderRendusDans(garde.path()); }
    void TearDown() override { Dessin::garderRendusDans(QString()); }

    // The rendering, as the pool hands it over, once it is written.
    QImage preparer(const QRectF& zone, QSize pixels, bool garder = true) {
        Dessin::viderCache();
        Dessin::preparer(svg, taille, zone, pixels, garder);
        const QImage image = Dessin(svg, taille).rendu(zone, pixels).toImage();
        QThreadPool::globalInstance()->waitForDone();
        return image;
    }

    Dessins d;
    QTemporaryDir garde;
    const QString svg = d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
    const QSize taille{40, 30};
    const QRectF tout{0, 0, 40, 30};
};

// A rendering asked to be kept is written to the folder of kept renderings
// and read back by the next run that asks for the same: the same drawing, as
// it is now, the same zone, the same size. Anything else is drawn anew and
// kept beside it; a damaged file, or one of the drawing as it was, is drawn
// anew and kept in its place.
TEST_F(RenduGarde, IsReadBackOnlyForTheSameDrawingZoneAndSize) {
    auto fichiers = [&] { return QDir(garde.path()).entryList(QDir::Files); };
    // The kept file, opened to be changed by `changer`.
    auto modifierGarde = [&](const std::function<void(QFile&)>& changer) {
        const QStringList f = fichiers();
        ASSERT_EQ(f.size(), 1);
        QFile file(garde.filePath(f[0]));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        changer(file);
    };
    // The kept file, its pixels painted over in red: what is read back from
    // it is told from what is drawn.
    auto peindreEnRouge = [&] {
        modifierGarde([](QFile& file) {
            const qint64 debut = file.readLine().size();
            const qint64 n = file.size() - debut;
            file.seek(debut);
            QByteArray rouge;
            for (qint64 i = 0; i < n / 4; ++i)
                rouge.append(reinterpret_cast<const char*>(&kRouge), 4);
            file.write(rouge);
        });
    };

    const QImage dessine = preparer(tout, {96, 72});
    EXPECT_EQ(dessine.pixel(10, 30), 0xff000000u);
    ASSERT_EQ(fichiers().size(), 1);
    peindreEnRouge();
    EXPECT_EQ(preparer(tout, {96, 72}).pixel(10, 30), kRouge) << "read back";

    struct Cas {
        const char* nom;
        std::function<void()> changer;
        QRectF zone;
        QSize pixels;
        int gardes; // the files kept then
    };
    const Cas cas[] = {
        {"another size", [] {}, tout, {120, 90}, 2},
        {"another zone", [] {}, QRectF(0, 0, 20, 30), {48, 72}, 2},
        {"the drawing changed",
         [&] {
             d.ecrire(QStringLiteral("demi.svg"), QByteArray(kDemiNoir).replace("#000", "#001"));
         },
         tout,
         {96, 72},
         1},
        {"the file cut short",
         [&] { modifierGarde([](QFile& f) { f.resize(f.size() - 1); }); },
         tout,
         {96, 72},
         1},
        {"the file's first line damaged",
         [&] { modifierGarde([](QFile& f) { f.write("Zibelou"); }); },
         tout,
         {96, 72},
         1},
        {"a file kept by the game's former version",
         [&] {
             modifierGarde([](QFile& f) {
                 const QByteArray ligne = f.readLine();
                 ASSERT_TRUE(ligne.startsWith("zibelou-malice rendu 2|"));
                 f.seek(0);
                 f.write("zibelou-malice rendu 1|");
             });
         },
         tout,
         {96, 72},
         1},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        // The first rendering kept, red, alone in the folder.
        QDir(garde.path()).removeRecursively();
        d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
        preparer(tout, {96, 72});
        peindreEnRouge();
        c.changer();
        const QImage image = preparer(c.zone, c.pixels);
        EXPECT_NE(image.pixel(2, 30), kRouge) << "drawn anew";
        // And kept: the next run reads it back.
        ASSERT_EQ(fichiers().size(), c.gardes);
        EXPECT_EQ(preparer(c.zone, c.pixels), image);
    }
    // A rendering read back keeps its pixels when its file is replaced, as
    // keeping the drawing's new rendering replaces it.
    QDir(garde.path()).removeRecursively();
    d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
    preparer(tout, {96, 72});
    peindreEnRouge();
    const QImage relue = preparer(tout, {96, 72});
    ASSERT_EQ(relue.pixel(10, 30), kRouge);
    d.ecrire(QStringLiteral("demi.svg"), QByteArray(kDemiNoir).replace("#000", "#001"));
    ASSERT_NE(preparer(tout, {96, 72}).pixel(10, 30), kRouge);
    EXPECT_EQ(relue.pixel(10, 30), kRouge);
    EXPECT_EQ(relue.pixel(95, 71), kRouge);

    // Renderings not asked to be kept, and none when there is no folder.
    d.ecrire(QStringLiteral("demi.svg"), kDemiNoir);
    QDir(garde.path()).removeRecursively();
    preparer(tout, {96, 72}, false);
    Dessin::garderRendusDans(QString());
    preparer(tout, {96, 72});
    EXPECT_FALSE(QFileInfo::exists(garde.path()));
    // A folder that cannot be made: drawn all the same.
    Dessin::garderRendusDans(d.ecrire(QStringLiteral("un fichier"), "") +
                             QStringLiteral("/rendus"));
    EXPECT_EQ(preparer(tout, {96, 72}), dessine);
}

// The folder keeps the renderings last used, written or read back: each size
// of display has its own, and the oldest give way to a new one. Files that
// are not renderings are left alone.
TEST_F(RenduGarde, TheFolderKeepsTheRenderingsLastUsed) {
    // The file of the rendering at `pixels`, told by its first line; empty
    // when there is none.
    auto fichierDe = [&](QSize pixels) {
        const QByteArray marque =
            QStringLiteral("|%1x%2|40x30|").arg(pixels.width()).arg(pixels.height()).toUtf8();
        for (const QString& nom : QDir(garde.path()).entryList({QStringLiteral("*.rendu")})) {
            QFile f(garde.filePath(nom));
            if (f.open(QIODevice::ReadOnly) && f.readLine().contains(marque))
                return f.fileName();
        }
        return QString();
    };
    auto vieillir = [](const QString& fichier, int heures) {
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * heures),
                                  QFileDevice::FileModificationTime));
    };
    const QString notes = garde.filePath(QStringLiteral("notes.txt"));
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    vieillir(notes, 100);

    // As many renderings as are kept, the first one the oldest.
    std::vector<QSize> tailles;
    for (int i = 0; i < Dessin::kRendusGardes; ++i)
        tailles.emplace_back(20 + i, 15);
    for (std::size_t i = 0; i < tailles.size(); ++i) {
        preparer(tout, tailles[i]);
        ASSERT_FALSE(fichierDe(tailles[i]).isEmpty());
        vieillir(fichierDe(tailles[i]), int(tailles.size() - i));
    }
    // The oldest read back, then a new one kept: the second oldest goes.
    preparer(tout, tailles[0]);
    preparer(tout, {64, 48});
    EXPECT_FALSE(fichierDe({64, 48}).isEmpty());
    EXPECT_FALSE(fichierDe(tailles[0]).isEmpty()) << "read back since";
    EXPECT_TRUE(fichierDe(tailles[1]).isEmpty()) << "the one last used longest ago";
    for (std::size_t i = 2; i < tailles.size(); ++i)
        EXPECT_FALSE(fichierDe(tailles[i]).isEmpty()) << i;
    EXPECT_EQ(QDir(garde.path()).entryList({QStringLiteral("*.rendu")}).size(),
              Dessin::kRendusGardes);
    EXPECT_TRUE(QFileInfo::exists(notes));
}

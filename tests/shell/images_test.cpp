// The pictures the game loads come with the drawings they were made from,
// where the data folder has them; the game draws the bitmaps without them.
#include "shell/divers.h"
#include "shell/images.h"
#include "support/game_fixture.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>

using namespace zm;
using namespace zm::testing;

namespace {

const char* const kCarre =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="12" height="8" viewBox="0 0 12 8">)"
    R"(<rect x="0" y="0" width="12" height="8" fill="#08f"/></svg>)";

void ecrire(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QByteArray png(QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The mean difference, per channel of premultiplied pixels, between two
// pictures of the same size (255 when the sizes differ).
double ecart(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull())
        return 255;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double somme = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            somme += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return somme / (4.0 * x.width() * x.height());
}

} // namespace

TEST(ChargerImage, TakesTheDrawingBesideThePictureOrThePictureItselfWhenItIsOne) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("vectoriel"));
    ecrire(dir.filePath(QStringLiteral("avec")), png({12, 8}));
    ecrire(dir.filePath(QStringLiteral("vectoriel/avec.svg")), kCarre);
    ecrire(dir.filePath(QStringLiteral("sans")), png({12, 8}));
    ecrire(dir.filePath(QStringLiteral("dessin")), kCarre);
    ecrire(dir.filePath(QStringLiteral("abime")), "\x89PNG garbage");
    struct Cas {
        const char* nom;
        bool image;
        QString dessin;
    };
    const Cas cas[] = {
        {"avec", true, dir.filePath(QStringLiteral("vectoriel/avec.svg"))},
        {"sans", true, QString()},
        {"dessin", true, dir.filePath(QStringLiteral("dessin"))},
        {"abime", false, QString()},
        {"absente", false, QString()},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Image image = chargerImage(dir.filePath(QString::fromLatin1(c.nom)));
        EXPECT_EQ(!image.isNull(), c.image);
        EXPECT_EQ(image.dessin() ? image.dessin()->chemin() : QString(), c.dessin);
        if (image.dessin()) {
            EXPECT_EQ(image.size(), QSize(12, 8));
            EXPECT_EQ(image.rendu({24, 16}).toImage().pixelColor(5, 5), QColor(0, 0x88, 0xff));
        }
    }
}

TEST(ChargerImage, TheBuiltInPicturesComeWithTheirDrawing) {
    for (const char* nom : {"point_games/plus", "point_games/moins", "point_games/fin_bonneteau",
                            "reading/fin_defilement", "reading/fin_trous"}) {
        SCOPED_TRACE(nom);
        const Image image = imageIntegree(QString::fromLatin1(nom));
        ASSERT_FALSE(image.isNull());
        ASSERT_TRUE(image.dessin());
        EXPECT_LT(ecart(image.rendu(image.size()).toImage(), image.bitmap().toImage()), 1.0);
    }
    EXPECT_TRUE(imageIntegree(QStringLiteral("point_games/absente")).isNull());
}

namespace {

// A game whose data folder has the built pictures, with or without their
// drawings.
struct PicturesOfTheGame : GameTest {
    void copyPictures(bool drawings) {
        QStringList names = {QStringLiteral("dessins"), QStringLiteral("dessins2"),
                             QStringLiteral("dessins3"), QStringLiteral("bouton"),
                             QStringLiteral("aide")};
        for (int n = 101; n <= 116; ++n)
            names << QString::number(n);
        QDir(dir.path()).mkdir(QStringLiteral("vectoriel"));
        for (const QString& n : names) {
            ASSERT_TRUE(QFile::copy(QStringLiteral(ZM_DATAS_DIR "/") + n, dir.filePath(n)));
            const QString svg = QStringLiteral("vectoriel/") + n + QStringLiteral(".svg");
            if (drawings) {
                ASSERT_TRUE(QFile::copy(QStringLiteral(ZM_DATAS_DIR "/") + svg, dir.filePath(svg)));
            }
        }
    }
    // Every label that shows a picture, on every screen, every background read.
    std::vector<Label*> picturesShown() {
        // The exercise screens and the help sheet are made on first use: all
        // of them, here.
        for (int k = 0; k < 14; ++k)
            game->epreuve(k);
        game->feuilleAide();
        for (Screen* s : game->stage().findChildren<Screen*>())
            s->preparerAffichage();
        std::vector<Label*> out;
        for (Label* l : game->stage().findChildren<Label*>())
            if (!l->pixmap().isNull())
                out.push_back(l);
        return out;
    }
    static QString nom(const Label* l) {
        return l->parentWidget()->objectName() + QStringLiteral("/") + l->objectName();
    }
};

} // namespace

TEST_F(PicturesOfTheGame, EveryPictureShownAnywhereComesWithTheMatchingPartOfItsDrawing) {
    copyPictures(true);
    writeSave(fichierJoueurs({{QStringLiteral("Zoé"), 7}}));
    startGame();
    jouer();
    const std::vector<Label*> labels = picturesShown();
    // Backgrounds, characters, the door, buttons, help images, emblems.
    EXPECT_GT(labels.size(), 60u);
    for (Label* l : labels) {
        SCOPED_TRACE(nom(l).toStdString());
        const Image& image = l->picture();
        ASSERT_TRUE(image.dessin());
        // The label holds its picture's bitmap, or, until that is read, one
        // of its size that is never drawn.
        EXPECT_EQ(l->pixmap().size(), image.size());
        // Drawn at the picture's size, the zone gives back the bitmap: the
        // same pixels, or close ones for a bitmap resized smoothly (a wrong
        // figure of a sheet is 25 or more away).
        const bool redimensionnee = image.zone().size() != QSizeF(image.size());
        EXPECT_LT(ecart(image.rendu(image.size()).toImage(), image.bitmap().toImage()),
                  redimensionnee ? 6.0 : 0.5);
    }
    // A character brought to life: its active frame, with its own part.
    const qint64 repos = depart().anim[4]->pixmap().cacheKey();
    FakePlatform::move(depart().anim[4]);
    ASSERT_NE(depart().anim[4]->pixmap().cacheKey(), repos);
    EXPECT_LT(ecart(depart().anim[4]->picture().rendu({135, 123}).toImage(),
                    depart().anim[4]->pixmap().toImage()),
              0.5);
}

TEST_F(PicturesOfTheGame, WithoutTheDrawingsTheGameShowsTheSamePictures) {
    copyPictures(true);
    writeSave(fichierJoueurs({{QStringLiteral("Zoé"), 7}}));
    startGame();
    jouer();
    std::map<QString, QImage> avec;
    for (Label* l : picturesShown())
        avec[nom(l)] = l->picture().bitmap().toImage();

    QDir(dir.filePath(QStringLiteral("vectoriel"))).removeRecursively();
    restartGame();
    jouer();
    std::map<QString, QImage> sans;
    for (Label* l : picturesShown()) {
        // Only the built-in emblems keep theirs: they are part of the program.
        const auto& dessin = l->picture().dessin();
        EXPECT_TRUE(!dessin || dessin->chemin().startsWith(QStringLiteral(":/")))
            << nom(l).toStdString();
        sans[nom(l)] = l->picture().bitmap().toImage();
    }
    EXPECT_EQ(avec.size(), sans.size());
    EXPECT_TRUE(avec == sans);
}

namespace {

// The scene painted as the game's view paints it, enlarged `echelle` times.
QImage peindreScene(QWidget& stage, double echelle) {
    QImage out((QSizeF(800, 600) * echelle).toSize(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.scale(echelle, echelle);
    stage.render(&painter);
    return out;
}

} // namespace

// The roster's buttons: on a large display they are drawn from their
// drawing, and their bitmap is neither read nor resized; at the scene's own
// size, or without the drawing, it is read, ahead of the first paint.
TEST_F(PicturesOfTheGame, TheRosterReadsTheButtonsBitmapOnlyWhereItIsDrawn) {
    copyPictures(true);
    writeSave(fichierJoueurs({{QStringLiteral("Zoé"), 7}}));
    const QString bouton = dir.filePath(QStringLiteral("bouton"));
    struct Cas {
        const char* nom;
        double echelle;
        bool dessin;
        bool lectureAvantPeinture;
        bool bitmapLu;
    };
    const Cas cas[] = {
        {"enlarged, with its drawing", 1.8, true, false, false},
        {"at the scene's size", 1.0, true, true, true},
        {"enlarged, without its drawing", 1.8, false, false, true},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        if (!c.dessin)
            QFile::remove(dir.filePath(QStringLiteral("vectoriel/bouton.svg")));
        p.display().scale = c.echelle;
        restartGame();
        EXPECT_EQ(lectureEnAttente(bouton), c.lectureAvantPeinture);
        peindreScene(game->stage(), c.echelle);
        EXPECT_FALSE(lectureEnAttente(bouton));
        for (Label* image : {roster().image_fin_mot, roster().image_nouveau_joueur,
                             roster().image_supprimer_joueur}) {
            SCOPED_TRACE(image->objectName().toStdString());
            ASSERT_EQ(image->picture().size(), image->size());
            EXPECT_EQ(image->picture().bitmapEnMain(), c.bitmapLu);
        }
    }
}

TEST_F(PicturesOfTheGame, OnALargeDisplayTheFirstScreensAreDrawnAheadAtExactlyTheirSize) {
    copyPictures(true);
    writeSave(fichierJoueurs({{QStringLiteral("Zoé"), 7}}));
    for (double echelle : {1.28, 1.8, 2.7}) {
        SCOPED_TRACE(echelle);
        Dessin::viderCache();
        p.display().scale = echelle;
        restartGame();
        // The start screen is made during the roster's wait, and its
        // pictures are being drawn.
        ASSERT_GT(Dessin::preparationsEnAttente(), 1);
        const QImage dessinRoster = peindreScene(game->stage(), echelle);
        jouer();
        // The roster is not shown again: its picture is let go.
        EXPECT_TRUE(roster().background()->pixmap().isNull());
        const QImage depart = peindreScene(game->stage(), echelle);
        // Every drawing made ahead had the size the labels asked for: each
        // was taken, none is left over.
        EXPECT_EQ(Dessin::preparationsEnAttente(), 0);
        // And the same as drawn on the spot.
        Dessin::viderCache();
        EXPECT_TRUE(peindreScene(game->stage(), echelle) == depart);
        EXPECT_FALSE(dessinRoster == depart);
    }
}

// The roster's background, drawn for a large display, is kept for the next
// start, which shows the same roster from it; nothing else is kept.
TEST_F(PicturesOfTheGame, TheRostersBackgroundIsKeptForTheNextStart) {
    copyPictures(true);
    QTemporaryDir garde;
    struct Dossier {
        explicit Dossier(const QString& d) { Dessin::garderRendusDans(d); }
        ~Dossier() { Dessin::garderRendusDans(QString()); }
    } dossier(garde.path());
    const double echelle = 1.8;
    p.display().scale = echelle;
    auto roster = [&] {
        Dessin::viderCache();
        restartGame();
        const QImage image = peindreScene(game->stage(), echelle);
        QThreadPool::globalInstance()->waitForDone();
        return image;
    };
    const QImage dessine = roster();
    const QStringList fichiers = QDir(garde.path()).entryList(QDir::Files);
    ASSERT_EQ(fichiers.size(), 1);
    // The kept pixels painted red: the next start shows them.
    {
        QFile f(garde.filePath(fichiers[0]));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 debut = f.readLine().size();
        f.seek(debut);
        const QRgb rouge = 0xffff0000u;
        QByteArray pixels;
        for (qint64 i = 0; i < (f.size() - debut) / 4; ++i)
            pixels.append(reinterpret_cast<const char*>(&rouge), 4);
        f.write(pixels);
    }
    const QPoint fond(int(400 * echelle), int(450 * echelle));
    EXPECT_NE(dessine.pixel(fond), 0xffff0000u);
    EXPECT_EQ(roster().pixel(fond), 0xffff0000u);
    // Without it, the roster is drawn as the first time.
    QFile::remove(garde.filePath(fichiers[0]));
    EXPECT_TRUE(roster() == dessine);
    jouer();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(QDir(garde.path()).entryList(QDir::Files).size(), 1);
}

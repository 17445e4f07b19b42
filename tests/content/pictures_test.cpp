// The pictures of the data folder, as the build draws them.
#include "shell/ecran_epreuve.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>
#include <set>

namespace {

QImage load(const QString& name) {
    QImageReader reader(QStringLiteral(ZM_DATAS_DIR "/") + name);
    reader.setDecideFormatFromContent(true);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Red + green + blue, averaged over the rectangle.
int brightness(const QImage& image, QRect r) {
    qint64 sum = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum += qRed(p) + qGreen(p) + qBlue(p);
        }
    return int(sum / (r.width() * r.height()));
}

int opaquePixels(const QImage& image, QRect r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qAlpha(image.pixel(x, y)) > 32;
    return n;
}

// Corners of the character frames: resting then active, entries 0 to 9.
const QPoint kResting[] = {{3, 4},     {3, 132},   {3, 260},   {3, 388}, {283, 4},
                           {283, 132}, {283, 260}, {283, 388}, {561, 4}, {561, 260}};
const QPoint kActive[] = {{142, 4},   {142, 132}, {142, 260}, {142, 388}, {422, 4},
                          {422, 132}, {422, 260}, {422, 388}, {561, 132}, {561, 388}};

} // namespace

TEST(Pictures, EveryPictureIsThereAtItsSize) {
    struct Case {
        QString name;
        QSize size;
    };
    std::vector<Case> cases = {{QStringLiteral("dessins"), {700, 515}},
                               {QStringLiteral("dessins2"), {280, 515}},
                               {QStringLiteral("dessins3"), {170, 50}},
                               {QStringLiteral("bouton"), {180, 44}},
                               {QStringLiteral("aide"), {64, 64}}};
    for (int n = 101; n <= 116; ++n)
        cases.push_back({QString::number(n), {800, 600}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QImage image = load(c.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), c.size);
    }
}

TEST(Pictures, BackgroundsCoverTheWholeScene) {
    for (int n = 101; n <= 116; ++n) {
        const QImage image = load(QString::number(n));
        ASSERT_FALSE(image.isNull()) << n;
        EXPECT_EQ(opaquePixels(image, image.rect()), 800 * 600) << n;
    }
}

TEST(Pictures, CharactersStayInsideTheirFrames) {
    struct Sheet {
        QString name;
        int entries;
    };
    for (const Sheet& s :
         {Sheet{QStringLiteral("dessins"), 10}, Sheet{QStringLiteral("dessins2"), 4}}) {
        SCOPED_TRACE(s.name.toStdString());
        const QImage sheet = load(s.name);
        ASSERT_FALSE(sheet.isNull());
        QImage outside = sheet;
        for (int k = 0; k < s.entries; ++k) {
            for (QPoint corner : {kResting[k], kActive[k]}) {
                const QRect frame(corner, QSize(135, 123));
                // A figure, not an empty frame.
                EXPECT_GT(opaquePixels(sheet, frame), 1500) << k;
                for (int y = frame.top(); y <= frame.bottom(); ++y)
                    for (int x = frame.left(); x <= frame.right(); ++x)
                        outside.setPixel(x, y, 0);
            }
            // The resting and active frames differ at a glance.
            const QImage rest = sheet.copy(QRect(kResting[k], QSize(135, 123)));
            const QImage act = sheet.copy(QRect(kActive[k], QSize(135, 123)));
            int changed = 0;
            for (int y = 0; y < 123; ++y)
                for (int x = 0; x < 135; ++x)
                    changed += rest.pixel(x, y) != act.pixel(x, y);
            EXPECT_GT(changed, 800) << k;
        }
        EXPECT_EQ(opaquePixels(outside, outside.rect()), 0);
    }
}

TEST(Pictures, DoorFramesFillTheirRectangles) {
    const QImage sheet = load(QStringLiteral("dessins3"));
    ASSERT_FALSE(sheet.isNull());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(opaquePixels(sheet, QRect(41 * i + 1, 1, 38, 47)), 38 * 47) << i;
}

TEST(Pictures, NoPlateIsPaintedUnderTheBackLabel) {
    // The back label carries its own button picture and hides with it during
    // a game: the background under it is the scene itself, no lighter panel
    // than the picture beside it and below it.
    const QRect retour(680, 552, 110, 38);
    const QRect gauche(668, 552, 6, 38), dessous(680, 596, 110, 4);
    std::set<QString> fonds;
    for (const zm::DescriptionEpreuve& e : zm::descriptionsEpreuves())
        fonds.insert(e.fond);
    for (const QString& fond : fonds) {
        SCOPED_TRACE(fond.toStdString());
        const QImage image = load(fond);
        ASSERT_FALSE(image.isNull());
        EXPECT_LE(brightness(image, retour),
                  std::max(brightness(image, gauche), brightness(image, dessous)) + 15);
    }
}

TEST(Pictures, EachPictureHasItsDrawingBesideItAndTheDrawingIsThePicture) {
    QStringList names = {QStringLiteral("dessins"), QStringLiteral("dessins2"),
                         QStringLiteral("dessins3"), QStringLiteral("bouton"),
                         QStringLiteral("aide")};
    for (int n = 101; n <= 116; ++n)
        names << QString::number(n);
    // Every drawing of the sources too, should one be added.
    for (const QString& svg : QDir(QStringLiteral(ZM_SOURCE_DIR "/content/pictures"))
                                  .entryList({QStringLiteral("*.svg")}, QDir::Files))
        if (!names.contains(QFileInfo(svg).completeBaseName()))
            names << QFileInfo(svg).completeBaseName();
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = QStringLiteral(ZM_DATAS_DIR "/vectoriel/") + name + ".svg";
        QFile shipped(path);
        QFile source(QStringLiteral(ZM_SOURCE_DIR "/content/pictures/") + name + ".svg");
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        EXPECT_EQ(shipped.readAll(), source.readAll());

        const QImage bitmap = load(name);
        QSvgRenderer svg(path);
        ASSERT_TRUE(svg.isValid());
        ASSERT_EQ(svg.defaultSize(), bitmap.size());
        QImage drawn(bitmap.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        {
            QPainter painter(&drawn);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter);
        }
        drawn = drawn.convertToFormat(QImage::Format_ARGB32);
        int differ = 0;
        for (int y = 0; y < bitmap.height(); ++y)
            for (int x = 0; x < bitmap.width(); ++x) {
                const QRgb a = bitmap.pixel(x, y), b = drawn.pixel(x, y);
                differ += std::abs(qRed(a) - qRed(b)) > 2 || std::abs(qGreen(a) - qGreen(b)) > 2 ||
                          std::abs(qBlue(a) - qBlue(b)) > 2 || std::abs(qAlpha(a) - qAlpha(b)) > 2;
            }
        EXPECT_EQ(differ, 0);
    }
}

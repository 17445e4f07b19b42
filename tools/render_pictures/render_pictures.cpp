// Renders the game's SVG drawings to the PNG files of the data folder.
//
// Usage: zm-render-pictures OUT_DIR DRAWING.svg...
// Each drawing NAME.svg becomes OUT_DIR/NAME (no extension, as the game
// names its pictures), at the size the drawing declares, with transparency.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

bool renderOne(const QString& svgPath, const QString& outDir) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zm-render-pictures: %s is not a readable SVG drawing\n",
                     qPrintable(svgPath));
        return false;
    }
    const QSize size = renderer.defaultSize();
    if (size.isEmpty()) {
        std::fprintf(stderr, "zm-render-pictures: %s declares no size\n", qPrintable(svgPath));
        return false;
    }
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
    }
    const QString out = outDir + "/" + QFileInfo(svgPath).completeBaseName();
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "zm-render-pictures: cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // Rendering needs fonts but no display: the build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: zm-render-pictures OUT_DIR DRAWING.svg...\n");
        return 2;
    }
    bool ok = true;
    for (int i = 2; i < args.size(); ++i)
        ok = renderOne(args[i], args[1]) && ok;
    return ok ? 0 : 1;
}

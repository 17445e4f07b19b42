// Renders the game's SVG drawings to the PNG files of the data folder.
//
// Usage: zm-render-pictures OUT_DIR DRAWING.svg...
// Each drawing NAME.svg becomes OUT_DIR/NAME (no extension, as the game
// names its pictures), at the size the drawing declares, with transparency.
//
//        zm-render-pictures --size N OUT.png DRAWING.svg
// Renders one drawing into an N x N picture, as the icons of the desktop
// need it at each of their sizes.
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

// Renders the drawing at `size`, or at the size it declares when `size` is
// empty, and writes it as PNG to `out`.
bool render(const QString& svgPath, QSize size, const QString& out) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zm-render-pictures: %s is not a readable SVG drawing\n",
                     qPrintable(svgPath));
        return false;
    }
    if (size.isEmpty())
        size = renderer.defaultSize();
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
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "zm-render-pictures: cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

bool renderOne(const QString& svgPath, const QString& outDir) {
    return render(svgPath, {}, outDir + "/" + QFileInfo(svgPath).completeBaseName());
}

} // namespace

int main(int argc, char** argv) {
    // Rendering needs fonts but no display: the build machine may have none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QStringLiteral("--size")) {
        bool ok = false;
        const int n = args[2].toInt(&ok);
        if (!ok || n < 1 || n > 4096) {
            std::fprintf(stderr, "zm-render-pictures: %s is not a size\n", qPrintable(args[2]));
            return 2;
        }
        return render(args[4], QSize(n, n), args[3]) ? 0 : 1;
    }
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: zm-render-pictures OUT_DIR DRAWING.svg...\n"
                             "       zm-render-pictures --size N OUT.png DRAWING.svg\n");
        return 2;
    }
    bool ok = true;
    for (int i = 2; i < args.size(); ++i)
        ok = renderOne(args[i], args[1]) && ok;
    return ok ? 0 : 1;
}

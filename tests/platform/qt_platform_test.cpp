// The window and the pointer of the real game, on the display-less platform.
#include "platform/controls.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QBackingStore>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

using namespace zm;

namespace {

// The game's window showing a stage with one label, at a given size.
struct Window {
    SceneView view;
    QWidget* stage = new QWidget;
    Label* label = new Label(stage, QStringLiteral("loin"));

    explicit Window(QSize size) {
        label->setGeometry(100, 100, 100, 100);
        view.setStage(stage);
        view.resize(size);
        view.show();
        // The stage gets the input once the first frame is on screen.
        bool shown = false;
        view.afterFirstFrame([&] { shown = true; });
        for (int i = 0; i < 50 && !shown; ++i) {
            view.viewport()->repaint();
            QApplication::processEvents();
        }
        EXPECT_TRUE(shown);
    }
    QPoint global(QPointF scene) const {
        return view.viewport()->mapToGlobal(view.mapFromScene(scene));
    }
    // The pointer goes to a scene point and the window system reports the move.
    void moveTo(QPointF scene) {
        const QPoint g = global(scene);
        QCursor::setPos(g);
        QMouseEvent move(QEvent::MouseMove, QPointF(view.viewport()->mapFromGlobal(g)), QPointF(g),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &move);
    }
};

} // namespace

TEST(QtCursor, AMoveOutOfTheConfinementReachesNothingAndIsPutBack) {
    Window w(QSize(800, 600));
    QtCursor cursor(w.view);
    int moves = 0;
    QObject::connect(w.label, &Label::moved, [&] { ++moves; });
    // Free, the move reaches the label under the pointer.
    w.moveTo(QPointF(150, 150));
    ASSERT_EQ(moves, 1);

    const QRect door(QPoint(728, 352), QPoint(764, 397));
    cursor.confine(door);
    EXPECT_EQ(cursor.pos(), QPoint(728, 352));
    w.moveTo(QPointF(150, 150));
    EXPECT_EQ(moves, 1) << "the move that left the door reached the label";
    EXPECT_EQ(cursor.pos(), QPoint(728, 352)) << "back on the door's edge";
    w.moveTo(QPointF(740, 380));
    EXPECT_EQ(cursor.pos(), QPoint(740, 380));

    cursor.release();
    w.moveTo(QPointF(150, 150));
    EXPECT_EQ(moves, 2);
}

// The counter of the system it stands for: hidden while below zero, the
// cursor then blank or drawn from an empty mask.
TEST(QtCursor, HiddenWhileTheCounterIsBelowZeroAsAnEmptyCursor) {
    Window w(QSize(800, 600));
    QtCursor cursor(w.view);
    const auto hidden = [] {
        const QCursor* c = QApplication::overrideCursor();
        if (!c)
            return false;
        if (c->shape() == Qt::BlankCursor)
            return true;
        const QImage mask = c->mask().toImage().convertToFormat(QImage::Format_Mono);
        EXPECT_FALSE(mask.isNull());
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x)
                if (mask.pixelIndex(x, y) != 0)
                    return false;
        return true;
    };
    const std::vector<std::pair<bool, int>> steps = {
        {false, -1}, {false, -2}, {true, -1}, {true, 0}, {true, 1}, {false, 0}, {false, -1},
    };
    for (const auto& [show, counter] : steps) {
        EXPECT_EQ(cursor.showCursor(show), counter);
        EXPECT_EQ(hidden(), counter < 0) << "counter " << counter;
        EXPECT_EQ(QApplication::overrideCursor() != nullptr, counter < 0);
    }
    cursor.showCursor(true);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(SceneView, TheSceneFillsTheDisplayExactlyAspectKept) {
    struct Case {
        QSize display;
        QRect scene; // where the scene lands on the display
    };
    const Case cases[] = {{{800, 600}, {0, 0, 800, 600}},
                          {{1366, 768}, {171, 0, 1024, 768}},
                          {{1920, 1080}, {240, 0, 1440, 1080}},
                          {{1280, 1024}, {0, 32, 1280, 960}},
                          {{3840, 2160}, {480, 0, 2880, 2160}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display.width());
        Window w(c.display);
        ASSERT_EQ(w.view.viewport()->size(), c.display);
        const QTransform t = w.view.viewportTransform();
        const double scale = c.scene.width() / 800.0;
        auto near = [](QPointF a, QPointF b) { return QLineF(a, b).length() < 1e-6; };
        // The scene's corners and centre, on the display.
        EXPECT_TRUE(near(t.map(QPointF(0, 0)), c.scene.topLeft()));
        EXPECT_TRUE(near(t.map(QPointF(800, 600)),
                         QPointF(c.scene.topLeft()) + QPointF(c.scene.width(), c.scene.height())));
        EXPECT_TRUE(near(t.map(QPointF(400, 300)), QRectF(c.scene).center()));
        // The display's pixels at the corners of the scene, in the scene.
        EXPECT_EQ(w.view.mapToScene(c.scene.topLeft()), QPointF(0, 0));
        const QPointF last = w.view.mapToScene(c.scene.bottomRight());
        EXPECT_NEAR(last.x(), 800 - 1 / scale, 1e-6);
        EXPECT_NEAR(last.y(), 600 - 1 / scale, 1e-6);
        EXPECT_EQ(w.view.mapToScene(c.scene.topLeft() +
                                    QPoint(c.scene.width() / 2, c.scene.height() / 2)),
                  QPointF(400, 300));
        // The pointer placed on a scene pixel is read back on it.
        QtCursor cursor(w.view);
        for (QPoint p :
             {QPoint(0, 0), QPoint(799, 0), QPoint(0, 599), QPoint(799, 599), QPoint(400, 300),
              QPoint(1, 1), QPoint(3, 7), QPoint(728, 352), QPoint(764, 397)}) {
            cursor.setPos(p);
            EXPECT_EQ(cursor.pos(), p);
        }
        // Nothing scrolls: the scene is all there.
        EXPECT_EQ(w.view.mapToScene(w.view.viewport()->rect())
                      .boundingRect()
                      .intersected(QRectF(0, 0, 800, 600)),
                  QRectF(0, 0, 800, 600));
    }
}

TEST(SceneView, WhatWaitsForTheFirstFrameRunsOnceAfterItAndLaterAsksRunAtOnce) {
    SceneView view;
    view.setStage(new QWidget);
    std::vector<std::string> runs;
    view.afterFirstFrame([&] { runs.push_back("first"); });
    QApplication::processEvents();
    EXPECT_TRUE(runs.empty());

    view.resize(400, 300);
    view.show();
    for (int i = 0; i < 50 && runs.empty(); ++i) {
        view.viewport()->repaint();
        QApplication::processEvents();
    }
    ASSERT_EQ(runs, std::vector<std::string>{"first"});

    // Asked once the frame is on screen: from the event loop, not within the call.
    view.afterFirstFrame([&] { runs.push_back("later"); });
    EXPECT_EQ(runs.size(), 1u);
    view.viewport()->repaint();
    QApplication::processEvents();
    EXPECT_EQ(runs, (std::vector<std::string>{"first", "later"}));
}

// The first frame shows the stage before it is the scene's item (which takes
// round trips to the window system); the item then shows it the same, and
// gets the input.
TEST(SceneView, TheFirstFrameShowsTheStageAsTheSceneShowsItAfter) {
    SceneView view;
    auto* stage = new QWidget;
    auto* label = new Label(stage, QStringLiteral("bouton"));
    label->setGeometry(300, 200, 200, 100);
    label->setColours(Qt::white, QColor(200, 30, 30));
    label->setCaption(QStringLiteral("Jouer"));
    view.setStage(stage);
    view.resize(1100, 750); // black bars on both sides
    view.show();
    const QImage premiere = view.viewport()->grab().toImage();
    EXPECT_EQ(premiere.pixelColor(view.mapFromScene(QPointF(310, 210))), QColor(200, 30, 30));
    // A part painted again before the item exists: the same part, in its place.
    const QRect part(view.mapFromScene(QPointF(450, 180)), view.mapFromScene(QPointF(830, 320)));
    QImage morceau(part.size(), QImage::Format_ARGB32_Premultiplied);
    morceau.fill(Qt::green);
    view.viewport()->render(&morceau, QPoint(), QRegion(part));
    EXPECT_EQ(morceau, premiere.copy(part).convertToFormat(morceau.format()));
    int clicks = 0;
    QObject::connect(label, &Label::clicked, [&] { ++clicks; });
    QApplication::processEvents();
    EXPECT_EQ(view.viewport()->grab().toImage(), premiere);
    const QPoint surLeBouton = view.mapFromScene(QPointF(400, 250));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, QPointF(surLeBouton),
                          QPointF(view.viewport()->mapToGlobal(surLeBouton)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &click);
    }
    EXPECT_EQ(clicks, 1);
}

// Enlarged by a fraction, a label's edges fall inside pixels of the display:
// a label with a background colour draws its edges over what is under it,
// which is drawn under its whole rectangle, not over the pixels the display
// showed before (the previous screen's).
TEST(ColouredLabel, ItsEdgesLieOverWhatIsUnderItOnADisplayEnlargedByAFraction) {
    QWidget ecran;
    ecran.setGeometry(0, 0, 800, 600);
    auto* toile = new Label(&ecran, QStringLiteral("fond"));
    toile->setGeometry(0, 0, 800, 600);
    toile->setBackgroundColour(Qt::blue);
    auto* carte = new Label(&ecran, QStringLiteral("carte"));
    carte->setFrameShape(QFrame::Box);
    carte->setLineWidth(2);
    carte->setBackgroundColour(Qt::white);
    carte->setGeometry(130, 312, 260, 58); // 399.36 to 473.6 on the display
    // Shown, as the stage is in the scene: Qt then knows which widgets cover
    // others.
    ecran.setAttribute(Qt::WA_DontShowOnScreen);
    ecran.show();
    // The display showed green; the screen is drawn over it, enlarged.
    const double echelle = 1.28;
    QImage affichage(QSize(1024, 768), QImage::Format_ARGB32_Premultiplied);
    affichage.fill(Qt::green);
    {
        QPainter painter(&affichage);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(echelle, echelle);
        // As the scene's item draws a part of the stage.
        const QRect partie = carte->geometry().adjusted(-1, -1, 1, 1);
        ecran.render(&painter, partie.topLeft(), QRegion(partie));
    }
    // The card and the pixels round it: blue, white, black or a mix of
    // them, where a mix with the green shows.
    const QRect autour =
        QTransform::fromScale(echelle, echelle).mapRect(QRectF(carte->geometry())).toAlignedRect();
    int vert = 0;
    for (int y = autour.top(); y <= autour.bottom(); ++y)
        for (int x = autour.left(); x <= autour.right(); ++x) {
            const QColor c = affichage.pixelColor(x, y);
            vert += c.green() > c.red() + 2;
        }
    EXPECT_EQ(vert, 0) << "pixels of the display before, in " << autour.top() << ".."
                       << autour.bottom();
}

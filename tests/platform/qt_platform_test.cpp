// The window and the pointer of the real game, on the display-less platform.
#include "platform/controls.h"
#include "platform/qt/qt_platform.h"

#include <QApplication>
#include <QMouseEvent>
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

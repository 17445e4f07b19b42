#include "shell/saisie.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zm {
namespace {

class ToucheEntree : public QObject {
public:
    ToucheEntree(QLineEdit* box, std::function<void()> action)
        : QObject(box), action_(std::move(action)) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void surEntree(QLineEdit* box, std::function<void()> action) {
    new ToucheEntree(box, std::move(action));
}

QLineEdit* boiteReponse(QWidget* screen, QRect geometry, int points, int longueur,
                        std::function<void()> action) {
    auto* box = new QLineEdit(screen);
    box->setObjectName(QStringLiteral("reponse"));
    box->setGeometry(geometry);
    box->setAlignment(Qt::AlignCenter);
    QFont font = box->font();
    font.setPointSize(points);
    box->setFont(font);
    box->setMaxLength(longueur);
    surEntree(box, std::move(action));
    return box;
}

namespace {

QString formeComparee(const QString& text) {
    QString s = text.trimmed().toLower();
    s.replace(QStringLiteral("œ"), QStringLiteral("oe"));
    s.replace(QStringLiteral("æ"), QStringLiteral("ae"));
    return s;
}

} // namespace

bool memeReponse(const QString& tape, const QString& attendu) {
    return formeComparee(tape) == formeComparee(attendu);
}

} // namespace zm

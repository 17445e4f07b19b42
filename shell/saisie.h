#pragma once
// The answer boxes of the exercises: Enter (either key) runs the screen's
// action instead of reaching the box; every other key types as usual.

#include <QRect>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace zm {

void surEntree(QLineEdit* box, std::function<void()> action);

// The answer box `reponse` of a screen: centred text of `points` points, at
// most `longueur` characters; Enter runs `action`.
QLineEdit* boiteReponse(QWidget* screen, QRect geometry, int points, int longueur,
                        std::function<void()> action);

// Whether a typed answer is the expected one: the same letters once both are
// trimmed and set in one case, with "oe" and "ae" standing for "œ" and "æ",
// which a French keyboard does not have. Accents count.
bool memeReponse(const QString& tape, const QString& attendu);

} // namespace zm

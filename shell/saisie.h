#pragma once
// The answer boxes of the exercises: Enter (either key) runs the screen's
// action instead of reaching the box; every other key types as usual.

#include <functional>

class QLineEdit;

namespace zm {

void surEntree(QLineEdit* box, std::function<void()> action);

} // namespace zm

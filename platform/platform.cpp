#include "platform/platform.h"

namespace zm {

int Random::between(int a, int b) {
    return a + int(double(b - a + 1) * next());
}

} // namespace zm

#include "shell/routines_text.h"

#include "platform/text_encoding.h"

#include <array>

namespace zm {

QString dechiffrer(QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = windows1252Code(text[i]);
        if (code > 3)
            text[i] = fromWindows1252Code(uchar(code - 4));
    }
    return text;
}

int bordGaucheCase(int n, int i) {
    constexpr std::array<int, 14> kOffsets = {0,   296, 273, 250, 226, 204, 180,
                                              157, 132, 108, 85,  62,  38,  15};
    const int offset = (n >= 1 && n <= 13) ? kOffsets[n] : 0;
    return 47 * i + offset + 70;
}

} // namespace zm

#include "platform/text_encoding.h"

#include <array>

namespace zm {
namespace {

// Code points of the bytes 0x80 to 0x9F; the undefined ones keep their value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar fromWindows1252Code(unsigned char code) {
    if (code >= 0x80 && code <= 0x9F)
        return QChar(kHighControls[code - 0x80]);
    return QChar(char16_t(code));
}

int windows1252Code(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == u)
            return int(0x80 + i);
    return -1;
}

QString fromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(fromWindows1252Code(static_cast<unsigned char>(b)));
    return text;
}

QByteArray toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        const int code = windows1252Code(c);
        bytes.append(code < 0 ? '?' : char(code));
    }
    return bytes;
}

} // namespace zm

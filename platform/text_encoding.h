#pragma once
// The data files of the game are Windows-1252 bytes; inside the program text
// is Unicode. These conversions keep every byte: the five bytes that
// Windows-1252 leaves undefined travel as the control characters of the same
// value, so a file read and written back is unchanged.

#include <QByteArray>
#include <QString>

namespace zm {

QString fromWindows1252(const QByteArray& bytes);
// Characters outside Windows-1252 become '?'.
QByteArray toWindows1252(const QString& text);

// The Windows-1252 code of one character, or -1 when it has none.
int windows1252Code(QChar c);
QChar fromWindows1252Code(unsigned char code);

} // namespace zm

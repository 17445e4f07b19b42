#pragma once
// Reading the text files of the data folder the way they were written: whole
// lines, and fields by the rules of list input. Lines and fields longer than
// anything the game writes are read to their end but kept only up to
// kLongueurLue + 1 bytes, so that a reader can refuse them without holding a
// damaged file in memory.

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <memory>
#include <optional>

namespace zm {

constexpr qsizetype kLongueurLue = 4096;

// A file of the data folder opened for reading; nothing when it is missing,
// unreadable or not a plain file (a pipe would be waited on for ever).
std::unique_ptr<QFile> ouvrirDonnees(const QString& path);

// The next line, without its end (CR LF, CR or LF). Nothing at the end of
// the file.
std::optional<QByteArray> lireLigne(QIODevice& file);

// Reads one field by the rules of list input: leading blanks and line ends
// skipped; a field in double quotes may hold commas; an unquoted one ends at a
// comma or at the line end, blanks around it dropped. Nothing when the file
// ends first, or inside an unclosed quote.
std::optional<QByteArray> lireChamp(QIODevice& file);

// Whether a line or a field was longer than the game ever writes.
inline bool tropLong(const QByteArray& bytes) {
    return bytes.size() > kLongueurLue;
}

} // namespace zm

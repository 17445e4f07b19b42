#include "shell/entree_liste.h"

#include <sys/stat.h>

namespace zm {
namespace {

bool finDeLigne(char c) {
    return c == '\r' || c == '\n';
}

// Consumes one line end (CR LF, CR or LF) if the device stands on one.
void passerFinDeLigne(QIODevice& file) {
    char c;
    if (!file.peek(&c, 1))
        return;
    if (c == '\r') {
        file.getChar(&c);
        if (file.peek(&c, 1) && c == '\n')
            file.getChar(&c);
    } else if (c == '\n') {
        file.getChar(&c);
    }
}

void garder(QByteArray& bytes, char c) {
    if (bytes.size() <= kLongueurLue)
        bytes.append(c);
}

} // namespace

std::unique_ptr<QFile> ouvrirDonnees(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

std::optional<QByteArray> lireLigne(QIODevice& file) {
    if (file.atEnd())
        return std::nullopt;
    QByteArray line;
    char c;
    while (file.peek(&c, 1) && !finDeLigne(c)) {
        file.getChar(&c);
        garder(line, c);
    }
    passerFinDeLigne(file);
    return line;
}

std::optional<QByteArray> lireChamp(QIODevice& file) {
    char c;
    // Blanks, and the line ends left before the field, are skipped.
    while (file.peek(&c, 1) && (c == ' ' || c == '\t' || finDeLigne(c)))
        file.getChar(&c);
    if (file.atEnd())
        return std::nullopt;
    QByteArray field;
    if (c == '"') {
        file.getChar(&c);
        bool closed = false;
        while (file.getChar(&c)) {
            if (c == '"') {
                closed = true;
                break;
            }
            garder(field, c);
        }
        if (!closed)
            return std::nullopt;
        // Whatever stands between the closing quote and the separator is dropped.
        while (file.peek(&c, 1) && c != ',' && !finDeLigne(c))
            file.getChar(&c);
    } else {
        while (file.peek(&c, 1) && c != ',' && !finDeLigne(c)) {
            file.getChar(&c);
            garder(field, c);
        }
        field = field.trimmed();
    }
    if (file.peek(&c, 1) && c == ',')
        file.getChar(&c);
    else
        passerFinDeLigne(file);
    return field;
}

} // namespace zm

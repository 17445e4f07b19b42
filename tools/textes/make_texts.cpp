// Writes datas/2.bin, the texts of the true-or-false reading exercise, from
// their readable source. Refuses, naming the text, anything the file cannot
// hold, rather than writing a file the game would misread.
#include "reading/source_textes.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE 2.bin\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    const zm::SourceTextes source = zm::lireSourceTextes(QString::fromUtf8(in.readAll()));
    for (const QString& e : source.erreurs)
        std::fprintf(stderr, "%s: %s\n", argv[1], e.toUtf8().constData());
    if (!source.erreurs.isEmpty() || source.textes.empty())
        return 1;
    QByteArray bytes;
    for (const zm::TexteLu& t : source.textes)
        bytes += zm::ecrireTexte(t);
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}

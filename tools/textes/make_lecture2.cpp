// Writes datas/3.bin, the texts of the erasing-text exercise, from their
// readable source: Windows-1252, CR LF line ends. Refuses, naming the line,
// any character Windows-1252 lacks and any record the game could not play,
// rather than writing a file the game would misread.
#include "reading/fichier_lecture2.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SOURCE 3.bin\n", argv[0]);
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    const zm::SourceLecture2 source = zm::convertirSourceLecture2(QString::fromUtf8(in.readAll()));
    for (const QString& e : source.erreurs)
        std::fprintf(stderr, "%s: %s\n", argv[1], e.toUtf8().constData());
    if (!source.erreurs.isEmpty())
        return 1;
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source.fichier) != source.fichier.size() ||
        !out.commit()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}

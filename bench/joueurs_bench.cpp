// Writes a save file with three players, the roster most starts show, for
// bench/run: zm-bench-joueurs FILE.
#include "shell/save_file.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zm-bench-joueurs FILE\n");
        return 2;
    }
    zm::TableJoueurs table;
    table.joueurs_sauvegardes = 1;
    table.nombre_joueurs = 3;
    table.joueur_courant = 2;
    // A long name, and a score in the thousands.
    const struct {
        const char16_t* prenom;
        qint32 score;
    } joueurs[] = {{u"Zoé", 0}, {u"Louis", 125}, {u"Maximilienne", 3480}};
    for (int i = 0; i < 3; ++i) {
        table.slots[std::size_t(i)].prenom = QString::fromUtf16(joueurs[i].prenom);
        table.slots[std::size_t(i)].score = joueurs[i].score;
    }
    QString erreur;
    if (!zm::sauver_joueurs(QString::fromLocal8Bit(argv[1]), table, &erreur)) {
        std::fprintf(stderr, "zm-bench-joueurs: %s\n", qPrintable(erreur));
        return 1;
    }
    return 0;
}

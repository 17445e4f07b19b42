#pragma once
// Save files shared by the tests of the save file.

#include "shell/save_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace zm::testing {

// A file as the game writes it: Paul with 150 points, then Paul Marie with
// -5 points and progress in every exercise.
inline const QByteArray kDeuxJoueurs = "1\r\n"
                                       "3\r\n"
                                       "2\r\n"
                                       "\"18Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n"
                                       "\"24Teyp$Qevmi^mfipsy$Qepmgi206$1$2$3$4$5$6$7$8$9\"\r\n"
                                       "\"  NE PAS MODIFIER LES LIGNES SUIVANTES SVP !!!\"\r\n"
                                       "\"Paul =  150\"\r\n"
                                       "\"Paul Marie = -5\"\r\n";

inline TableJoueurs deuxJoueurs() {
    TableJoueurs t;
    t.joueurs_sauvegardes = 1;
    t.indice_message = 3;
    t.nombre_joueurs = 2;
    t.slots[0] = {QStringLiteral("Paul"), 150, {}};
    t.slots[1] = {QStringLiteral("Paul Marie"), -5, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
    return t;
}

// A full roster as a family plays it: twelve players, names with blanks,
// scores from negative to large, progress everywhere.
inline TableJoueurs douzeJoueurs() {
    const char* const noms[] = {"Paul", "Paul Marie", "Lea",  "Zoe",   "Maximilien", "Anne Sophie",
                                "Jean", "Ines",       "Hugo", "Chloe", "Louis",      "Emma"};
    TableJoueurs t;
    t.joueurs_sauvegardes = 1;
    t.indice_message = 5;
    t.nombre_joueurs = 12;
    for (int i = 0; i < 12; ++i) {
        Joueur& j = t.slots[std::size_t(i)];
        j.prenom = QString::fromLatin1(noms[i]);
        j.score = (i % 3 == 0 ? -1 : 1) * (i * 7919 % 20000);
        for (int p = 0; p < kNombreProgressions; ++p)
            j.progression[std::size_t(p)] = qint16((i * 5 + p * 3) % 40);
    }
    return t;
}

// The players of a table, for comparisons.
inline std::vector<Joueur> joueursDe(const TableJoueurs& t) {
    return {t.slots.begin(), t.slots.begin() + std::clamp<int>(t.nombre_joueurs, 0, 12)};
}

inline QByteArray lireOctets(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void ecrireOctets(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

// Every name in a folder, hidden ones and non-files included.
inline QStringList contenu(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                               QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace zm::testing

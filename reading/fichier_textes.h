#pragma once
// The texts of the true-or-false reading exercise, in datas/2.bin: records
// of one line of text, then four statements of three fields (truth value,
// statement, correction) read as list input. The text fields are stored with
// every Windows-1252 code above 3 raised by 4.

#include "shell/entree_liste.h"

#include <QIODevice>
#include <QString>
#include <array>
#include <optional>

namespace zm {

struct Affirmation {
    qint16 verite = 0; // 1: the statement is true; 0: false; anything else never matches
    QString affirmation;
    QString correction;
};

struct TexteLu {
    QString texte;
    std::array<Affirmation, 4> affirmations;
};

// The lines of a record as the build writes them.
constexpr int kLignesParTexte = 5;

// Reads the record at the device's position: its five lines are taken
// whether or not they can be read, so that the next record follows. Nothing,
// with the reason, when the record is cut short, too long or a field cannot
// be read.
std::optional<TexteLu> lireTexte(QIODevice& file, QString* defaut = nullptr);

// The bytes of a record, as the build writes them.
QByteArray ecrireTexte(const TexteLu& texte);

} // namespace zm

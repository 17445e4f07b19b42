#pragma once
// The players' save file, datas/4.bin: Windows-1252 text lines ending in
// CR LF. Three numbers (players saved or not, the message index, the number of
// players), one quoted record per player, a warning line and a plain summary
// of names and scores that is never read back.
//
// Record: two digits giving the length of the encoded name, the first name
// followed by "Zibelou Malice" with every character code raised by 4, the
// encoded score (score * 4 + 123) * 2, then "$" and the nine progression
// values separated by "$" (trous, defilement, lecture2, femelles, animaux,
// verbes, synonymes, pluriels, syllabes).

#include <QString>
#include <array>
#include <optional>

namespace zm {

constexpr int kMaxJoueurs = 12;
// The encoded score is a 32-bit value: the score must stay within these.
constexpr qint32 kScoreMin = -268435486;
constexpr qint32 kScoreMax = 268435425;

qint32 clampScore(qint64 score);

// Progression values in the order of a record.
enum Progression {
    kTrous,
    kDefilement,
    kLecture2,
    kFemelles,
    kAnimaux,
    kVerbes,
    kSynonymes,
    kPluriels,
    kSyllabes,
    kNombreProgressions
};

struct Joueur {
    QString prenom;
    qint32 score = 0;
    std::array<qint16, kNombreProgressions> progression{};
    bool operator==(const Joueur&) const = default;
};

struct TableJoueurs {
    qint16 joueurs_sauvegardes = 0;
    qint16 indice_message = 0;
    qint16 nombre_joueurs = 0;
    qint16 joueur_courant = 0;
    // 13 slots, at most 12 in use.
    std::array<Joueur, kMaxJoueurs + 1> slots{};
};

enum class LectureJoueurs {
    Joueurs,    // players were saved and are in the table
    PremierJeu, // the file says no player was saved yet
    Absent,     // there is no save file
    Endommage,  // the file could not be read; it was kept aside
};

struct ResultatLecture {
    LectureJoueurs issue = LectureJoueurs::Absent;
    // Where a damaged file was moved to (empty when it could not be moved).
    QString misDeCote;
    // What was wrong with a damaged file, for the record.
    QString defaut;
};

// Parses the bytes of a save file into the table; nothing when they are not a
// save file (the reason goes to `defaut`).
std::optional<TableJoueurs> decoderJoueurs(const QByteArray& bytes, bool* joueursSauvegardes,
                                           QString* defaut);
QByteArray encoderJoueurs(const TableJoueurs& table);

// Reads the save file. A damaged file is moved aside (4.bin.endommage, then
// 4.bin.endommage.2, ...) so that the next save cannot destroy it, and the
// caller starts a first run. The message index is kept whenever it was read.
ResultatLecture lire_joueurs(const QString& path, TableJoueurs& table);

// Writes the whole file through a temporary file beside it, flushed to disk
// before it replaces the old one: an interrupted save leaves the previous file
// whole. Returns false, with the reason, when the file could not be written.
bool sauver_joueurs(const QString& path, const TableJoueurs& table, QString* erreur);

// Leading-number reading of a field: blanks skipped, reading stops at the
// first character that cannot continue a number; no digits gives 0. The value
// is clamped to the 64-bit range.
qint64 lireNombre(const QString& field);

QString encoderTexte(const QString& text);

} // namespace zm

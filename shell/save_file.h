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

#include <QList>
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
    Recupere,   // the file was damaged and kept aside; the players that read
                // whole are in the table
};

// A player of a damaged file that could not be brought back.
struct JoueurIllisible {
    int rang = 0;   // 1 for the first player of the file
    QString prenom; // when the file still tells it, otherwise empty
    bool operator==(const JoueurIllisible&) const = default;
};

struct ResultatLecture {
    LectureJoueurs issue = LectureJoueurs::Absent;
    // Where a damaged file was moved to (empty when it could not be moved).
    QString misDeCote;
    // What was wrong with a damaged file, for the record.
    QString defaut;
    // The players of a damaged file that could not be brought back.
    QList<JoueurIllisible> illisibles;
};

// Parses the bytes of a save file into the table; nothing when they are not a
// save file (the reason goes to `defaut`). Line ends may be CR LF, CR or LF; a
// file that starts with the UTF-8 byte-order mark is read as UTF-8.
std::optional<TableJoueurs> decoderJoueurs(const QByteArray& bytes, bool* joueursSauvegardes,
                                           QString* defaut);
// What can be saved from the bytes of a damaged save file: every player
// record that reads whole, in the order of the file, and the players that
// could not be read. Nothing when no player reads whole.
std::optional<TableJoueurs> recupererJoueurs(const QByteArray& bytes,
                                             QList<JoueurIllisible>* illisibles);
QByteArray encoderJoueurs(const TableJoueurs& table);

// Reads the save file. A damaged file, or a name that is not a file (a
// folder, a pipe, a link to nothing), is moved aside (4.bin.endommage, then
// 4.bin.endommage.2, ...) so that the next save cannot destroy it; the
// players that read whole are brought back, and without any the caller
// starts a first run. The message index is kept whenever it was read.
ResultatLecture lire_joueurs(const QString& path, TableJoueurs& table);

// The file operations of a save. The game writes through the disk's; tests
// put their own in its place to make a save fail or stop at any byte. One
// file is open at a time.
class FichiersSauvegarde {
public:
    virtual ~FichiersSauvegarde() = default;
    // Creates `path` empty and opens it for writing, in place of anything
    // left under that name by an interrupted save.
    virtual bool creer(const QString& path) = 0;
    // Writes up to `size` bytes to the open file: how many were written, a
    // negative number on failure.
    virtual qint64 ecrire(const char* data, qint64 size) = 0;
    // Makes what was written to the open file reach the disk.
    virtual bool synchroniser() = 0;
    virtual bool fermer() = 0;
    // Gives `from` the name `to` in one step, replacing what had that name.
    virtual bool renommer(const QString& from, const QString& to) = 0;
    // Makes the names in a folder reach the disk.
    virtual bool synchroniserDossier(const QString& folder) = 0;
    virtual void supprimer(const QString& path) = 0;
    // Why the last operation failed.
    virtual QString erreur() const = 0;
};

FichiersSauvegarde& fichiersDuDisque();

// The temporary file a save writes before it replaces the save file.
QString fichierTemporaire(const QString& path);

// Writes the whole file to a temporary file beside it (always the same one,
// so that a save cut short leaves nothing that grows), flushed to disk before
// it replaces the old one: an interrupted save leaves the previous file whole.
// Returns false, with the reason, when the file could not be written.
bool sauver_joueurs(const QString& path, const TableJoueurs& table, QString* erreur,
                    FichiersSauvegarde& fichiers = fichiersDuDisque());

// Leading-number reading of a field: blanks skipped, reading stops at the
// first character that cannot continue a number; no digits gives 0. The value
// is clamped to the 64-bit range.
qint64 lireNombre(const QString& field);

QString encoderTexte(const QString& text);

} // namespace zm

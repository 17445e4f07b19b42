#pragma once
// The texts of the erasing-text exercise, in datas/3.bin: plain Windows-1252
// text with CR LF line ends. Each record is the number of questions (read as
// list input), the title line, the text line, one entry per question of four
// list-input fields (kind, statement, expected answer, explanation) and a
// closing field, written "0" alone on its line.
//   kind 0: answered VRAI or FAUX; the expected answer is "0" for VRAI,
//           "1" for FAUX;
//   kind 1: answered by typing; the expected answer is the text to type.

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zm {

// The screen holds at most this many questions for a text.
constexpr int kQuestionsMax = 11;

struct QuestionTexte {
    qint16 genre = 0;
    QString enonce;
    QString reponse_attendue;
    QString explication;
};

struct TexteAEffacer {
    QString titre;
    QString texte;
    std::vector<QuestionTexte> questions;
};

// Reads the record at the device's position. Nothing, with the reason, when
// the file ends first or the record cannot be played: a number of questions
// outside 1 to 11, a kind other than 0 or 1, a VRAI / FAUX answer other than
// 0 or 1, an empty title, text, statement or typed answer, an overlong line.
std::optional<TexteAEffacer> lireTexteAEffacer(QIODevice& file, QString* defaut = nullptr);

// The next record that can be played, from the device's position. A record
// that cannot is passed over up to the line "0" that closes it; `defaut`, if
// still empty, receives the first reason met. Nothing once the file ends.
std::optional<TexteAEffacer> lireTexteSuivant(QIODevice& file, QString* defaut = nullptr);

// The bytes of a record, as the build writes them.
QByteArray ecrireTexteAEffacer(const TexteAEffacer& texte);

// The readable source of the texts (UTF-8, LF line ends, the layout of the
// data file) turned into the data file. The faults name their record and
// line; a source with faults gives no file.
struct SourceLecture2 {
    QByteArray fichier;
    std::vector<TexteAEffacer> textes;
    QStringList erreurs;
};
SourceLecture2 convertirSourceLecture2(const QString& source);

} // namespace zm

#include "shell/save_file.h"

#include "platform/text_encoding.h"
#include "shell/routines_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace zm {
namespace {

const QString kProduit = QStringLiteral("Zibelou Malice");
const QString kAvertissement = QStringLiteral("  NE PAS MODIFIER LES LIGNES SUIVANTES SVP !!!");

qint16 clamp16(qint64 v) {
    return qint16(std::clamp<qint64>(v, std::numeric_limits<qint16>::min(),
                                     std::numeric_limits<qint16>::max()));
}

// The lines of the file, whatever their line ends.
QStringList lignes(const QByteArray& bytes) {
    QString text = fromWindows1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    QStringList out = text.split(QChar(u'\n'));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

std::optional<int> entierStrict(const QString& line) {
    bool ok = false;
    const int v = line.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

// A quoted text on its own line gives what stands between the quotes; an
// unquoted line is taken whole.
std::optional<QString> texteEntreGuillemets(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(QChar(u'"')))
        return t;
    const qsizetype end = t.indexOf(QChar(u'"'), 1);
    if (end < 0)
        return std::nullopt;
    return t.mid(1, end - 1);
}

// VB-style rounding of a division: to the nearest integer, ties to even.
double diviserArrondi(double a, double b) {
    return std::nearbyint(a / b);
}

qint32 decoderScore(qint64 encoded) {
    const double e = double(std::clamp<qint64>(encoded, std::numeric_limits<qint32>::min(),
                                               std::numeric_limits<qint32>::max()));
    return clampScore(qint64(diviserArrondi(diviserArrondi(e, 2) - 123, 4)));
}

std::optional<Joueur> decoderEnregistrement(const QString& r, QString* defaut) {
    auto fail = [&](const QString& why) {
        *defaut = why;
        return std::optional<Joueur>();
    };
    if (r.size() < 2 || !r[0].isDigit() || !r[1].isDigit())
        return fail(QStringLiteral("la longueur du nom manque"));
    const int longueur = r.left(2).toInt();
    if (longueur <= kProduit.size())
        return fail(QStringLiteral("longueur du nom impossible"));
    if (r.size() < 2 + longueur)
        return fail(QStringLiteral("enregistrement plus court que sa longueur"));
    QString nom = r.mid(2, longueur);
    dechiffrer(nom);
    const qsizetype produit = nom.indexOf(kProduit);
    if (produit < 0)
        return fail(QStringLiteral("nom sans « Zibelou Malice »"));

    Joueur j;
    j.prenom = nom.left(produit);
    const QStringList champs = r.mid(2 + longueur).split(QChar(u'$'));
    if (champs.size() < 1 + kNombreProgressions)
        return fail(QStringLiteral("valeurs de progression manquantes"));
    j.score = decoderScore(lireNombre(champs[0]));
    for (int p = 0; p < kNombreProgressions; ++p) {
        // The last value runs to the end of the record, whatever follows it.
        const QString champ =
            p + 1 < kNombreProgressions ? champs[p + 1] : champs.mid(p + 1).join(QChar(u'$'));
        j.progression[p] = clamp16(lireNombre(champ));
    }
    return j;
}

// Str$ of the summary: a leading blank for a value that is not negative.
QString nombreResume(qint32 score) {
    const qint16 s = clamp16(score);
    return s < 0 ? QString::number(s) : QStringLiteral(" ") + QString::number(s);
}

QString guillemets(const QString& text) {
    return QStringLiteral("\"") + text + QStringLiteral("\"");
}

// A first name as the file can hold it: printable, without the quote that
// ends the record, and short enough for a two-digit length.
QString nomEnregistrable(const QString& prenom) {
    QString out;
    for (QChar c : prenom) {
        const int code = windows1252Code(c);
        if (code < 0)
            c = QChar(u'?');
        else if (code < 32)
            c = QChar(u' ');
        else if (code + 4 > 255)
            c = QChar(u'?');
        out.append(c);
    }
    return out.left(99 - int(kProduit.size()));
}

QString enregistrement(const Joueur& j) {
    const QString nom = encoderTexte(nomEnregistrable(j.prenom) + kProduit);
    const qint64 score = clampScore(j.score);
    QString r = QStringLiteral("%1").arg(nom.size(), 2, 10, QChar(u'0')) + nom +
                QString::number((score * 4 + 123) * 2);
    for (qint16 p : j.progression)
        r += QStringLiteral("$") + QString::number(p);
    return r;
}

QString nomMisDeCote(const QString& path) {
    QString candidate = path + QStringLiteral(".endommage");
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = path + QStringLiteral(".endommage.") + QString::number(n);
    return candidate;
}

bool syncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

qint32 clampScore(qint64 score) {
    return qint32(std::clamp<qint64>(score, kScoreMin, kScoreMax));
}

qint64 lireNombre(const QString& field) {
    qint64 value = 0;
    bool negatif = false;
    bool debut = true;
    for (QChar c : field) {
        if (c == QChar(u' ') || c == QChar(u'\t'))
            continue;
        if (debut && (c == QChar(u'-') || c == QChar(u'+'))) {
            negatif = c == QChar(u'-');
            debut = false;
            continue;
        }
        if (!c.isDigit() || c.unicode() > 127)
            break;
        debut = false;
        const qint64 digit = c.unicode() - u'0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10) {
            value = std::numeric_limits<qint64>::max();
            break;
        }
        value = value * 10 + digit;
    }
    return negatif ? -value : value;
}

QString encoderTexte(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int code = windows1252Code(c);
        out.append(code < 0 || code + 4 > 255 ? c : fromWindows1252Code(uchar(code + 4)));
    }
    return out;
}

std::optional<TableJoueurs> decoderJoueurs(const QByteArray& bytes, bool* joueursSauvegardes,
                                           QString* defaut) {
    const QStringList l = lignes(bytes);
    auto fail = [&](const QString& why) {
        *defaut = why;
        return std::optional<TableJoueurs>();
    };
    TableJoueurs t;
    const auto sauvegardes = l.size() >= 1 ? entierStrict(l[0]) : std::nullopt;
    const auto indice = l.size() >= 2 ? entierStrict(l[1]) : std::nullopt;
    if (!sauvegardes || !indice)
        return fail(QStringLiteral("les deux premières lignes ne sont pas des nombres"));
    t.joueurs_sauvegardes = clamp16(*sauvegardes);
    // An index out of 0..6 would point past the messages: start them again.
    t.indice_message = (*indice >= 0 && *indice <= 6) ? qint16(*indice) : 0;
    *joueursSauvegardes = t.joueurs_sauvegardes != 0;
    if (!*joueursSauvegardes)
        return t;

    const auto nombre = l.size() >= 3 ? entierStrict(l[2]) : std::nullopt;
    if (!nombre || *nombre < 1 || *nombre > kMaxJoueurs)
        return fail(QStringLiteral("nombre de joueurs impossible"));
    if (l.size() < 3 + *nombre)
        return fail(QStringLiteral("il manque des joueurs"));
    t.nombre_joueurs = qint16(*nombre);
    for (int i = 0; i < *nombre; ++i) {
        const auto texte = texteEntreGuillemets(l[3 + i]);
        if (!texte)
            return fail(QStringLiteral("guillemet manquant au joueur %1").arg(i + 1));
        QString why;
        const auto j = decoderEnregistrement(*texte, &why);
        if (!j)
            return fail(QStringLiteral("joueur %1 : %2").arg(i + 1).arg(why));
        t.slots[i] = *j;
    }
    return t;
}

QByteArray encoderJoueurs(const TableJoueurs& t) {
    const int n = std::clamp<int>(t.nombre_joueurs, 0, kMaxJoueurs);
    QStringList out;
    out << QString::number(t.joueurs_sauvegardes) << QString::number(t.indice_message)
        << QString::number(n);
    for (int i = 0; i < n; ++i)
        out << guillemets(enregistrement(t.slots[i]));
    out << guillemets(kAvertissement);
    for (int i = 0; i < n; ++i)
        out << guillemets(nomEnregistrable(t.slots[i].prenom) + QStringLiteral(" = ") +
                          nombreResume(t.slots[i].score));
    return toWindows1252(out.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

ResultatLecture lire_joueurs(const QString& path, TableJoueurs& table) {
    table = TableJoueurs{};
    ResultatLecture result;
    if (!QFileInfo::exists(path)) {
        result.issue = LectureJoueurs::Absent;
        return result;
    }
    QFile file(path);
    std::optional<TableJoueurs> lu;
    bool sauvegardes = false;
    if (!file.open(QIODevice::ReadOnly))
        result.defaut = QStringLiteral("fichier illisible");
    else
        lu = decoderJoueurs(file.readAll(), &sauvegardes, &result.defaut);
    file.close();
    if (!lu) {
        result.issue = LectureJoueurs::Endommage;
        const QString aside = nomMisDeCote(path);
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(path).toStdString(),
                                QFile::encodeName(aside).toStdString(), ec);
        if (!ec)
            result.misDeCote = aside;
        return result;
    }
    table = *lu;
    result.issue = sauvegardes ? LectureJoueurs::Joueurs : LectureJoueurs::PremierJeu;
    return result;
}

bool sauver_joueurs(const QString& path, const TableJoueurs& table, QString* erreur) {
    const QString temp = path + QStringLiteral(".nouveau");
    const QByteArray bytes = encoderJoueurs(table);
    auto fail = [&](const QString& why) {
        if (erreur)
            *erreur = why;
        QFile::remove(temp);
        return false;
    };
    {
        QFile file(temp);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(file.errorString());
        if (file.write(bytes) != bytes.size() || !file.flush())
            return fail(file.errorString());
        if (::fsync(file.handle()) != 0)
            return fail(QStringLiteral("écriture sur le disque impossible"));
        file.close();
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp).toStdString(),
                            QFile::encodeName(path).toStdString(), ec);
    if (ec)
        return fail(QString::fromStdString(ec.message()));
    // The new name itself must reach the disk, or a power cut could lose it.
    syncFile(QFileInfo(path).absolutePath());
    return true;
}

} // namespace zm

#include "shell/save_file.h"

#include "platform/text_encoding.h"
#include "shell/routines_text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zm {
namespace {

const QString kProduit = QStringLiteral("Zibelou Malice");
const QString kAvertissement = QStringLiteral("  NE PAS MODIFIER LES LIGNES SUIVANTES SVP !!!");
// Far above any save file (twelve players take about 2 KB): a larger file is
// not one, and is not read into memory.
constexpr qint64 kTailleMax = 1 << 20;

qint16 clamp16(qint64 v) {
    return qint16(std::clamp<qint64>(v, std::numeric_limits<qint16>::min(),
                                     std::numeric_limits<qint16>::max()));
}

// The game writes Windows-1252; a text editor that starts the file with the
// UTF-8 byte-order mark has written UTF-8.
QString texteDuFichier(const QByteArray& bytes) {
    static const QByteArray kMarque("\xEF\xBB\xBF");
    if (!bytes.startsWith(kMarque))
        return fromWindows1252(bytes);
    const QByteArray reste = bytes.mid(kMarque.size());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(reste);
    return utf8.hasError() ? fromWindows1252(reste) : text;
}

// The lines of the file, whatever their line ends.
QStringList lignes(const QByteArray& bytes) {
    QString text = texteDuFichier(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    QStringList out = text.split(QChar(u'\n'));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

// A line that holds a number and nothing else. A number too large for 64 bits
// reads as the largest one; the caller clamps it to its own range.
std::optional<qint64> entierStrict(const QString& line) {
    const QString t = line.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QChar(u'-') || t[i] == QChar(u'+')))
        ++i;
    if (i == t.size())
        return std::nullopt;
    for (; i < t.size(); ++i)
        if (t[i] < QChar(u'0') || t[i] > QChar(u'9'))
            return std::nullopt;
    return lireNombre(t);
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

bool chiffre(QChar c) {
    return c >= QChar(u'0') && c <= QChar(u'9');
}

// Decodes one player record. `prenom` receives the first name as soon as it
// could be read, even when the rest of the record cannot.
std::optional<Joueur> decoderEnregistrement(const QString& r, QString* defaut,
                                            QString* prenom = nullptr) {
    auto fail = [&](const QString& why) {
        *defaut = why;
        return std::optional<Joueur>();
    };
    if (r.size() < 2 || !chiffre(r[0]) || !chiffre(r[1]))
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
    // No player has a name of blanks only: the roster would make it empty,
    // and an empty name cannot be saved.
    if (j.prenom.trimmed().isEmpty())
        return fail(QStringLiteral("prénom vide"));
    if (prenom)
        *prenom = j.prenom;
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
    out.truncate(99 - int(kProduit.size()));
    // An empty name would give a record that cannot be read back.
    return out.trimmed().isEmpty() ? QStringLiteral("Inconnu") : out;
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

bool existe(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString nomMisDeCote(const QString& path) {
    QString candidate = path + QStringLiteral(".endommage");
    for (int n = 2; existe(candidate); ++n)
        candidate = path + QStringLiteral(".endommage.") + QString::number(n);
    return candidate;
}

// Why a file operation failed, in words a child's parent can act on.
QString raison(int err) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("le disque est plein");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("le dossier datas est protégé en écriture");
    case EISDIR:
        return QStringLiteral("un dossier porte le nom du fichier");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("le dossier datas est introuvable");
    default:
        return QString::fromLocal8Bit(std::strerror(err));
    }
}

enum class Contenu { Absent, Lu, Endommage };

// Reads the save file without ever waiting on it: only a regular file is
// opened, so a pipe, a device or a folder under its name is a damaged file.
Contenu lireFichier(const QString& path, QByteArray* bytes, QString* defaut) {
    const QByteArray name = QFile::encodeName(path);
    auto endommage = [&](const QString& why) {
        *defaut = why;
        return Contenu::Endommage;
    };
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        return Contenu::Absent;
    // A link is followed; one that leads nowhere is a damaged save.
    if (S_ISLNK(st.st_mode) && ::stat(name.constData(), &st) != 0)
        return endommage(QStringLiteral("lien vers un fichier absent"));
    if (!S_ISREG(st.st_mode))
        return endommage(QStringLiteral("ce n'est pas un fichier"));
    if (st.st_size > kTailleMax)
        return endommage(QStringLiteral("fichier bien trop grand"));
    // The name may have changed hands since: the open does not wait, and only
    // what is still a regular file is read.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return endommage(QStringLiteral("fichier illisible : ") + raison(errno));
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return endommage(QStringLiteral("ce n'est pas un fichier"));
    }
    bytes->resize(kTailleMax + 1);
    qint64 lus = 0;
    while (lus < bytes->size()) {
        const ssize_t n = ::read(fd, bytes->data() + lus, size_t(bytes->size() - lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            bytes->clear();
            return endommage(QStringLiteral("fichier illisible : ") + raison(err));
        }
        if (n == 0)
            break;
        lus += n;
    }
    ::close(fd);
    bytes->resize(lus);
    if (lus > kTailleMax)
        return endommage(QStringLiteral("fichier bien trop grand"));
    return Contenu::Lu;
}

// A line that holds a whole player record.
bool enregistrementEntier(const QString& line) {
    const auto texte = texteEntreGuillemets(line);
    QString why;
    return texte && decoderEnregistrement(*texte, &why);
}

bool estAvertissement(const QString& line) {
    const auto texte = texteEntreGuillemets(line);
    return texte && texte->contains(kAvertissement.trimmed());
}

// A summary line: the first name, " = " and a score. A record never holds " = ".
std::optional<QString> prenomDuResume(const QString& line) {
    const auto texte = texteEntreGuillemets(line);
    const qsizetype egal = texte ? texte->lastIndexOf(QStringLiteral(" = ")) : -1;
    if (egal < 0)
        return std::nullopt;
    return texte->left(egal).trimmed();
}

class FichiersDuDisque final : public FichiersSauvegarde {
public:
    bool creer(const QString& path) override {
        fermer();
        const QByteArray name = QFile::encodeName(path);
        // Whatever an interrupted save left under this name goes first; the
        // file is made afresh, never opened through a link or a pipe.
        if (::unlink(name.constData()) != 0 && errno != ENOENT)
            ::rmdir(name.constData());
        fd_ = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        return fd_ >= 0 || echec();
    }
    qint64 ecrire(const char* data, qint64 size) override {
        for (;;) {
            const ssize_t n = ::write(fd_, data, size_t(size));
            if (n >= 0)
                return n;
            if (errno != EINTR) {
                echec();
                return -1;
            }
        }
    }
    bool synchroniser() override { return ::fsync(fd_) == 0 || echec(); }
    bool fermer() override {
        if (fd_ < 0)
            return true;
        const int r = ::close(fd_);
        fd_ = -1;
        return r == 0 || echec();
    }
    bool renommer(const QString& from, const QString& to) override {
        return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) ==
                   0 ||
               echec();
    }
    bool synchroniserDossier(const QString& folder) override {
        const int fd =
            ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return echec();
        const bool ok = ::fsync(fd) == 0 || echec();
        ::close(fd);
        return ok;
    }
    void supprimer(const QString& path) override { ::unlink(QFile::encodeName(path).constData()); }
    QString erreur() const override { return erreur_; }

private:
    bool echec() {
        erreur_ = raison(errno);
        return false;
    }
    int fd_ = -1;
    QString erreur_;
};

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
    if (!*joueursSauvegardes) {
        // A first run has no player yet: records after a 0 say that the first
        // line is damaged, and the next save must not write over them.
        for (qsizetype i = 2; i < l.size(); ++i)
            if (enregistrementEntier(l[i]))
                return fail(QStringLiteral("la première ligne dit 0 mais des joueurs suivent"));
        return t;
    }

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
    // One more record than the count says: the count is damaged.
    if (l.size() > 3 + *nombre && enregistrementEntier(l[3 + *nombre]))
        return fail(QStringLiteral("plus de joueurs que n'en annonce la troisième ligne"));
    return t;
}

std::optional<TableJoueurs> recupererJoueurs(const QByteArray& bytes,
                                             QList<JoueurIllisible>* illisibles) {
    const QStringList l = lignes(bytes);
    illisibles->clear();
    TableJoueurs t;
    t.joueurs_sauvegardes = 1;
    const auto indice = l.size() >= 2 ? entierStrict(l[1]) : std::nullopt;
    t.indice_message = indice && *indice >= 0 && *indice <= 6 ? qint16(*indice) : 0;

    // The records stand after the count, up to the warning line or the first
    // summary line; when the count line is gone, they start in its place.
    const auto nombre = l.size() >= 3 ? entierStrict(l[2]) : std::nullopt;
    const bool nombreLu = nombre && *nombre >= 1 && *nombre <= kMaxJoueurs;
    const qsizetype debut = l.size() >= 3 && !nombre && enregistrementEntier(l[2]) ? 2 : 3;
    // A few lines more than a full roster are looked at, no more: whatever
    // a file holds, salvaging it takes no time.
    const qsizetype limite = std::min(l.size(), debut + 4 * kMaxJoueurs);
    qsizetype fin = debut;
    while (fin < limite && !estAvertissement(l[fin]) && !prenomDuResume(l[fin]))
        ++fin;
    const bool avertissement = fin < l.size() && estAvertissement(l[fin]);
    if (!avertissement && nombreLu) {
        // Without the warning line the count bounds the records, unless more
        // whole records follow.
        qsizetype borne = debut + *nombre;
        while (borne < fin && enregistrementEntier(l[borne]))
            ++borne;
        fin = std::min(fin, borne);
    }

    // One entry per record line, whole or not.
    struct Entree {
        qsizetype ligne;
        std::optional<Joueur> joueur;
        QString prenom;
    };
    std::vector<Entree> entrees;
    for (qsizetype i = debut; i < fin; ++i) {
        if (l[i].trimmed().isEmpty())
            continue;
        QString why;
        QString prenom;
        const auto texte = texteEntreGuillemets(l[i]);
        auto j = texte ? decoderEnregistrement(*texte, &why, &prenom) : std::nullopt;
        entrees.push_back({i, std::move(j), prenom});
    }
    // More lines than the count says, and two unreadable ones side by side:
    // a record was broken in two by a line end.
    if (nombreLu)
        for (std::size_t k = 0; k + 1 < entrees.size() && qsizetype(entrees.size()) > *nombre;) {
            Entree& e = entrees[k];
            const Entree& suite = entrees[k + 1];
            if (!e.joueur && !suite.joueur && suite.ligne == e.ligne + 1) {
                if (e.prenom.isEmpty())
                    e.prenom = suite.prenom;
                entrees.erase(entrees.begin() + qsizetype(k) + 1);
            } else {
                ++k;
            }
        }
    int rang = 0;
    for (const Entree& e : entrees) {
        ++rang;
        if (e.joueur && t.nombre_joueurs < kMaxJoueurs)
            t.slots[std::size_t(t.nombre_joueurs++)] = *e.joueur;
        else
            illisibles->append({rang, e.joueur ? e.joueur->prenom : e.prenom});
    }
    // Players the count announces beyond the last record.
    if (nombreLu)
        while (rang < *nombre)
            illisibles->append({++rang, QString()});

    // The summary names every player: the names it holds that no player read
    // or named accounts for belong to the players left without a name, when
    // there are as many of them.
    QStringList restants;
    if (avertissement)
        for (qsizetype i = fin + 1; i < std::min(l.size(), fin + 1 + 4 * kMaxJoueurs); ++i)
            if (const auto prenom = prenomDuResume(l[i]))
                restants << *prenom;
    auto retirer = [&](const QString& prenom) {
        restants.removeOne(nomEnregistrable(prenom).trimmed());
    };
    for (int i = 0; i < t.nombre_joueurs; ++i)
        retirer(t.slots[std::size_t(i)].prenom);
    qsizetype anonymes = 0;
    for (const JoueurIllisible& j : std::as_const(*illisibles)) {
        if (j.prenom.isEmpty())
            ++anonymes;
        else
            retirer(j.prenom);
    }
    if (anonymes > 0 && anonymes == restants.size())
        for (JoueurIllisible& j : *illisibles)
            if (j.prenom.isEmpty())
                j.prenom = restants.takeFirst();
    if (t.nombre_joueurs == 0)
        return std::nullopt;
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
    QByteArray bytes;
    const Contenu contenu = lireFichier(path, &bytes, &result.defaut);
    if (contenu == Contenu::Absent) {
        result.issue = LectureJoueurs::Absent;
        return result;
    }
    if (contenu == Contenu::Lu) {
        bool sauvegardes = false;
        if (const auto lu = decoderJoueurs(bytes, &sauvegardes, &result.defaut)) {
            table = *lu;
            result.issue = sauvegardes ? LectureJoueurs::Joueurs : LectureJoueurs::PremierJeu;
            return result;
        }
    }
    result.issue = LectureJoueurs::Endommage;
    const QString aside = nomMisDeCote(path);
    if (::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0)
        result.misDeCote = aside;
    if (const auto recuperes = recupererJoueurs(bytes, &result.illisibles)) {
        table = *recuperes;
        result.issue = LectureJoueurs::Recupere;
    } else {
        // No player could be brought back; the message index is kept
        // wherever its line was readable.
        const QStringList l = lignes(bytes);
        const auto indice = l.size() >= 2 ? entierStrict(l[1]) : std::nullopt;
        if (indice && *indice >= 0 && *indice <= 6)
            table.indice_message = qint16(*indice);
    }
    return result;
}

FichiersSauvegarde& fichiersDuDisque() {
    static FichiersDuDisque disque;
    return disque;
}

QString fichierTemporaire(const QString& path) {
    return path + QStringLiteral(".nouveau");
}

bool sauver_joueurs(const QString& path, const TableJoueurs& table, QString* erreur,
                    FichiersSauvegarde& fichiers) {
    const QString temp = fichierTemporaire(path);
    const QByteArray bytes = encoderJoueurs(table);
    bool ouvert = false;
    auto fail = [&](const QString& why) {
        if (erreur)
            *erreur = why;
        if (ouvert)
            fichiers.fermer();
        fichiers.supprimer(temp);
        return false;
    };
    if (!fichiers.creer(temp))
        return fail(fichiers.erreur());
    ouvert = true;
    for (qint64 ecrits = 0; ecrits < bytes.size();) {
        const qint64 n = fichiers.ecrire(bytes.constData() + ecrits, bytes.size() - ecrits);
        if (n < 0)
            return fail(fichiers.erreur());
        if (n == 0)
            return fail(QStringLiteral("le disque est plein"));
        ecrits += n;
    }
    if (!fichiers.synchroniser())
        return fail(fichiers.erreur());
    ouvert = false;
    if (!fichiers.fermer())
        return fail(fichiers.erreur());
    if (!fichiers.renommer(temp, path))
        return fail(fichiers.erreur());
    // The new name itself must reach the disk, or a power cut could undo it;
    // the file is replaced either way.
    fichiers.synchroniserDossier(QFileInfo(path).absolutePath());
    return true;
}

} // namespace zm

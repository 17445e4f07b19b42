#include "save_file_fixtures.h"
#include "shell/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <fcntl.h>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zm;
using namespace zm::testing;

namespace {

struct SaveFile : ::testing::Test {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("4.bin")); }
    void write(const QByteArray& bytes) {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(SaveFile, WritesTheExactBytesOfTheFormat) {
    EXPECT_EQ(encoderJoueurs(deuxJoueurs()), kDeuxJoueurs);
}

TEST_F(SaveFile, ReadsAFileOfTheFormatBack) {
    write(kDeuxJoueurs);
    TableJoueurs t;
    const auto result = lire_joueurs(path(), t);
    EXPECT_EQ(result.issue, LectureJoueurs::Joueurs);
    EXPECT_EQ(t.indice_message, 3);
    EXPECT_EQ(t.nombre_joueurs, 2);
    const TableJoueurs expected = deuxJoueurs();
    EXPECT_EQ(t.slots[0], expected.slots[0]);
    // The blank of the name is stored as "$", not taken for the separator.
    EXPECT_EQ(t.slots[1], expected.slots[1]);
}

TEST_F(SaveFile, RoundTripsTwelvePlayersAndScoresAtTheLimits) {
    TableJoueurs t;
    t.joueurs_sauvegardes = 1;
    t.indice_message = 6;
    t.nombre_joueurs = 12;
    for (int i = 0; i < 12; ++i) {
        t.slots[i].prenom = QStringLiteral("Joueur ") + QChar(u'A' + i);
        t.slots[i].score = i * 1000 - 3000;
        t.slots[i].progression[kSyllabes] = qint16(i);
    }
    t.slots[0].score = kScoreMax;
    t.slots[1].score = kScoreMin;
    t.slots[2].prenom = QStringLiteral("Abcdefghijklm");
    ASSERT_TRUE(sauver_joueurs(path(), t, nullptr));
    TableJoueurs back;
    ASSERT_EQ(lire_joueurs(path(), back).issue, LectureJoueurs::Joueurs);
    EXPECT_EQ(back.nombre_joueurs, 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(back.slots[i], t.slots[i]) << i;
    // The summary keeps 16-bit scores.
    EXPECT_TRUE(read(path()).contains("\"Joueur A =  32767\"\r\n"));
    EXPECT_TRUE(read(path()).contains("\"Joueur B = -32768\"\r\n"));
}

TEST_F(SaveFile, ZeroOnTheFirstLineMeansAFirstRun) {
    write("0\r\n4\r\n2\r\n\"garbage\"\r\n");
    TableJoueurs t;
    EXPECT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::PremierJeu);
    EXPECT_EQ(t.indice_message, 4);
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(SaveFile, AMissingFileIsAFirstRun) {
    TableJoueurs t;
    EXPECT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::Absent);
}

TEST_F(SaveFile, EditedNumbersAreReadAsLeadingNumbers) {
    struct Case {
        const char* field;
        qint64 value;
    };
    for (const Case& c : {Case{"12", 12}, Case{" 1 2", 12}, Case{"7x", 7}, Case{"abc", 0},
                          Case{"", 0}, Case{"-40", -40}, Case{"--4", 0}, Case{"3.9", 3},
                          Case{"99999999999999999999999", std::numeric_limits<qint64>::max()}})
        EXPECT_EQ(lireNombre(QString::fromLatin1(c.field)), c.value) << c.field;
}

TEST_F(SaveFile, EditedScoresAndProgressionsStayInRange) {
    struct Case {
        const char* fields;
        qint32 score;
        qint16 trous;
        qint16 syllabes;
    };
    const Case cases[] = {
        // Each halving rounds to the nearest integer, ties to even.
        {"1447$0$0$0$0$0$0$0$0$0", 150, 0, 0},
        {"1454$0$0$0$0$0$0$0$0$0", 151, 0, 0},
        {"99999999999$0$0$0$0$0$0$0$0$0", kScoreMax, 0, 0},
        {"-99999999999$0$0$0$0$0$0$0$0$0", kScoreMin, 0, 0},
        {"$99999$0$0$0$0$0$0$0$-40000", -31, 32767, -32768},
        {"1446$x$0$0$0$0$0$0$0$5$extra", 150, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields);
        write(QByteArray("1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgi") + c.fields + "\"\r\n");
        TableJoueurs t;
        ASSERT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::Joueurs);
        EXPECT_EQ(t.slots[0].score, c.score);
        EXPECT_EQ(t.slots[0].progression[kTrous], c.trous);
        EXPECT_EQ(t.slots[0].progression[kSyllabes], c.syllabes);
    }
}

TEST_F(SaveFile, AnOutOfRangeMessageIndexStartsTheMessagesAgain) {
    write("1\r\n9\r\n1\r\n\"18Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n");
    TableJoueurs t;
    ASSERT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::Joueurs);
    EXPECT_EQ(t.indice_message, 0);
}

TEST_F(SaveFile, ALongNameFromAnEditedFileIsReadWhole) {
    // 16 letters: more than the 13 tiles of the roster.
    const QString nom = QStringLiteral("Maximilienne Bob");
    TableJoueurs t = deuxJoueurs();
    t.slots[0].prenom = nom;
    ASSERT_TRUE(sauver_joueurs(path(), t, nullptr));
    TableJoueurs back;
    ASSERT_EQ(lire_joueurs(path(), back).issue, LectureJoueurs::Joueurs);
    EXPECT_EQ(back.slots[0].prenom, nom);
}

TEST_F(SaveFile, ADamagedFileIsKeptAsideAndSurvivesTheNextSave) {
    const QByteArray record = "\"18Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n";
    struct Case {
        const char* what;
        QByteArray bytes;
        int recuperes; // players that still read whole
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"text instead of numbers", "hello\r\nworld\r\n", 0},
        {"no message index", "1\r\n", 0},
        {"no player count", "1\r\n0\r\n", 0},
        {"zero players", "1\r\n0\r\n0\r\n", 0},
        {"thirteen players", "1\r\n0\r\n13\r\n" + record.repeated(13), 12},
        {"fewer records than announced", "1\r\n0\r\n3\r\n" + record + record, 2},
        {"record shorter than its length", "1\r\n0\r\n1\r\n\"24Teyp\"\r\n", 0},
        {"length too small", "1\r\n0\r\n1\r\n\"09Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n",
         0},
        {"no length", "1\r\n0\r\n1\r\n\"Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n", 0},
        {"name without the product name",
         "1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgx1446$0$0$0$0$0$0$0$0$0\"\r\n", 0},
        {"missing progression values", "1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgi1446$0$0\"\r\n", 0},
        {"no closing quote", "1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\r\n", 0},
        {"a count written over by one more record", "1\r\n0\r\n1\r\n" + record + record, 2},
        {"a name of blanks only", "1\r\n0\r\n1\r\n\"15$^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        write(c.bytes);
        TableJoueurs t;
        const auto result = lire_joueurs(path(), t);
        EXPECT_EQ(result.issue, c.recuperes ? LectureJoueurs::Recupere : LectureJoueurs::Endommage);
        EXPECT_FALSE(result.defaut.isEmpty());
        EXPECT_EQ(t.nombre_joueurs, c.recuperes);
        ASSERT_EQ(result.misDeCote, path() + QStringLiteral(".endommage"));
        ASSERT_TRUE(sauver_joueurs(path(), deuxJoueurs(), nullptr));
        EXPECT_EQ(read(result.misDeCote), c.bytes);
        EXPECT_EQ(read(path()), kDeuxJoueurs);
    }
}

TEST_F(SaveFile, EachDamagedFileGetsItsOwnPlaceAside) {
    write("damaged once");
    TableJoueurs t;
    EXPECT_EQ(lire_joueurs(path(), t).misDeCote, path() + QStringLiteral(".endommage"));
    write("damaged twice");
    EXPECT_EQ(lire_joueurs(path(), t).misDeCote, path() + QStringLiteral(".endommage.2"));
    EXPECT_EQ(read(path() + QStringLiteral(".endommage")), QByteArray("damaged once"));
}

TEST_F(SaveFile, AFailedSaveSaysSoAndLeavesThePreviousFileWhole) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    write(kDeuxJoueurs);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    QString erreur;
    const bool saved = sauver_joueurs(path(), TableJoueurs{}, &erreur);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_EQ(read(path()), kDeuxJoueurs);
}

TEST_F(SaveFile, ASaveOntoAFolderFailsAndKeepsIt) {
    ASSERT_TRUE(QDir().mkpath(path()));
    QString erreur;
    EXPECT_FALSE(sauver_joueurs(path(), deuxJoueurs(), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_FALSE(QFile::exists(path() + QStringLiteral(".nouveau")));
}

TEST_F(SaveFile, ASaveIntoAMissingFolderFails) {
    QString erreur;
    EXPECT_FALSE(
        sauver_joueurs(dir.filePath(QStringLiteral("absent/4.bin")), deuxJoueurs(), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
}

TEST_F(SaveFile, ASaveReplacesTheFileThroughATemporaryOne) {
    write("old");
    ASSERT_TRUE(sauver_joueurs(path(), deuxJoueurs(), nullptr));
    EXPECT_EQ(read(path()), kDeuxJoueurs);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"4.bin"});
}

TEST_F(SaveFile, OddButHarmlessFilesAreRead) {
    const QByteArray bom = "\xEF\xBB\xBF";
    QByteArray lf = kDeuxJoueurs;
    lf.replace("\r\n", "\n");
    QByteArray cr = kDeuxJoueurs;
    cr.replace("\r\n", "\r");
    QByteArray melange = lf;
    melange.replace("2\n\"18", "2\r\"18");
    melange.replace("\"\n\"  NE", "\"\r\n\"  NE");
    auto lignes12 = [&](const QByteArray& l1, const QByteArray& l2) {
        return l1 + "\r\n" + l2 + "\r\n" + kDeuxJoueurs.mid(6);
    };
    struct Case {
        const char* what;
        QByteArray bytes;
        qint16 indice;
    };
    const Case cases[] = {
        {"saved by a text editor", bom + kDeuxJoueurs, 3},
        {"saved by a text editor without the line ends", bom + lf, 3},
        {"line feeds only", lf, 3},
        {"carriage returns only", cr, 3},
        {"line ends of every kind", melange, 3},
        {"first line too large for 32 bits", lignes12("99999999999999999999999", "3"), 3},
        {"first line below the 32 bits", lignes12("-4294967296", "3"), 3},
        {"message index too large for 32 bits", lignes12("1", "4294967299"), 0},
        {"blanks around the numbers", lignes12(" 1\t", " +3 "), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        write(c.bytes);
        TableJoueurs t;
        const ResultatLecture result = lire_joueurs(path(), t);
        EXPECT_EQ(result.issue, LectureJoueurs::Joueurs) << result.defaut.toStdString();
        EXPECT_EQ(t.indice_message, c.indice);
        EXPECT_EQ(joueursDe(t), joueursDe(deuxJoueurs()));
        EXPECT_EQ(read(path()), c.bytes);
        EXPECT_EQ(contenu(dir.path()), QStringList{"4.bin"});
    }
}

TEST_F(SaveFile, AFileSavedAsUtf8ByATextEditorKeepsItsAccents) {
    TableJoueurs t = deuxJoueurs();
    t.slots[0].prenom = QStringLiteral("Léa");
    t.slots[1].prenom = QStringLiteral("Gaël Noé");
    const QString texte = QString::fromLatin1(encoderJoueurs(t)); // the game writes Windows-1252
    ASSERT_TRUE(texte.contains(QChar(0xED)));                     // "é" raised by 4 is "í"
    for (const QByteArray& bytes : {QByteArray("\xEF\xBB\xBF") + texte.toUtf8(),
                                    // The mark before bytes that are not UTF-8: Windows-1252.
                                    QByteArray("\xEF\xBB\xBF") + encoderJoueurs(t)}) {
        write(bytes);
        TableJoueurs back;
        ASSERT_EQ(lire_joueurs(path(), back).issue, LectureJoueurs::Joueurs);
        EXPECT_EQ(joueursDe(back), joueursDe(t));
    }
}

TEST_F(SaveFile, AFirstLineFlippedToZeroDoesNotEraseThePlayers) {
    // "1" and "0" differ by one bit.
    QByteArray flipped = encoderJoueurs(douzeJoueurs());
    ASSERT_EQ(flipped[0], '1');
    flipped[0] = '0';
    write(flipped);
    TableJoueurs t;
    const ResultatLecture result = lire_joueurs(path(), t);
    EXPECT_EQ(result.issue, LectureJoueurs::Recupere);
    EXPECT_EQ(joueursDe(t), joueursDe(douzeJoueurs()));
    EXPECT_TRUE(result.illisibles.isEmpty());
    EXPECT_EQ(read(result.misDeCote), flipped);

    // A real first run, even with lines that are no players, stays one.
    for (const QByteArray& bytes :
         {QByteArray("0\r\n4\r\n"), QByteArray("0\r\n4\r\n0\r\n\"  NE PAS MODIFIER\"\r\n"),
          QByteArray("0\r\n4\r\n2\r\n\"Paul =  150\"\r\n")}) {
        write(bytes);
        EXPECT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::PremierJeu) << bytes.data();
        EXPECT_EQ(read(path()), bytes);
    }
}

TEST_F(SaveFile, EveryFlippedBitStillBringsBackElevenPlayers) {
    // What lire_joueurs makes of the bytes, without the disk: a file read
    // whole, or else the players that can be saved from it.
    const QByteArray original = encoderJoueurs(douzeJoueurs());
    const std::vector<Joueur> tous = joueursDe(douzeJoueurs());
    int endommages = 0;
    for (qsizetype i = 0; i < original.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            SCOPED_TRACE(::testing::Message() << "byte " << i << " bit " << bit);
            QByteArray bytes = original;
            bytes[i] = char(bytes[i] ^ (1 << bit));
            bool sauvegardes = false;
            QString defaut;
            if (const auto lu = decoderJoueurs(bytes, &sauvegardes, &defaut)) {
                // Read whole: the flipped bit changed one value of one player at most.
                ASSERT_TRUE(sauvegardes);
                const std::vector<Joueur> lus = joueursDe(*lu);
                ASSERT_EQ(lus.size(), 12u);
                int differents = 0;
                for (std::size_t s = 0; s < 12; ++s)
                    differents += lus[s] != tous[s];
                ASSERT_LE(differents, 1);
                continue;
            }
            ++endommages;
            QList<JoueurIllisible> illisibles;
            const auto recuperes = recupererJoueurs(bytes, &illisibles);
            ASSERT_TRUE(recuperes);
            const std::vector<Joueur> lus = joueursDe(*recuperes);
            ASSERT_GE(lus.size(), 11u);
            // The player that did not come back is named.
            ASSERT_EQ(illisibles.size(), 12 - qsizetype(lus.size()));
            for (const JoueurIllisible& j : illisibles)
                EXPECT_EQ(j.prenom, tous[std::size_t(j.rang - 1)].prenom) << j.rang;
            // The players that came back are whole and keep their order.
            auto suivant = tous.begin();
            for (const Joueur& j : lus) {
                suivant = std::find(suivant, tous.end(), j);
                ASSERT_NE(suivant, tous.end()) << j.prenom.toStdString();
                ++suivant;
            }
        }
    }
    EXPECT_GT(endommages, 0);
}

TEST_F(SaveFile, ANameThatIsNotAFileIsSetAsideWithoutWaiting) {
    const QByteArray nom = QFile::encodeName(path());
    const QByteArray autre = QFile::encodeName(dir.filePath(QStringLiteral("ailleurs")));
    struct Case {
        const char* what;
        std::function<void()> creer;
    };
    const Case cases[] = {
        {"a pipe", [&] { ASSERT_EQ(::mkfifo(nom.constData(), 0644), 0); }},
        {"a folder", [&] { ASSERT_TRUE(QDir().mkpath(path() + QStringLiteral("/sous"))); }},
        {"a link to nothing", [&] { ASSERT_EQ(::symlink(autre.constData(), nom.constData()), 0); }},
        {"a link to a pipe",
         [&] {
             ASSERT_EQ(::mkfifo(autre.constData(), 0644), 0);
             ASSERT_EQ(::symlink(autre.constData(), nom.constData()), 0);
         }},
        {"a link to a device", [&] { ASSERT_EQ(::symlink("/dev/zero", nom.constData()), 0); }},
        {"a file far too large to be a save",
         [&] {
             write(kDeuxJoueurs);
             ASSERT_EQ(::truncate(nom.constData(), 8 << 20), 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        c.creer();
        struct stat avant;
        ASSERT_EQ(::lstat(nom.constData(), &avant), 0);

        // Were the pipe ever opened for reading, this would wait for a writer:
        // one is offered after a while so that the test ends and says so.
        auto lecture = std::async(std::launch::async, [&] {
            TableJoueurs t;
            return lire_joueurs(path(), t);
        });
        if (lecture.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << "the reading waits";
            const int fd = ::open(nom.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
        const ResultatLecture result = lecture.get();
        EXPECT_EQ(result.issue, LectureJoueurs::Endommage);
        EXPECT_FALSE(result.defaut.isEmpty());
        // The name itself went aside, whatever it was.
        ASSERT_EQ(result.misDeCote, path() + QStringLiteral(".endommage"));
        struct stat apres;
        ASSERT_EQ(::lstat(QFile::encodeName(result.misDeCote).constData(), &apres), 0);
        EXPECT_EQ(apres.st_ino, avant.st_ino);
        EXPECT_FALSE(QFileInfo::exists(path()));

        ASSERT_TRUE(sauver_joueurs(path(), deuxJoueurs(), nullptr));
        TableJoueurs t;
        EXPECT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::Joueurs);
        EXPECT_EQ(joueursDe(t), joueursDe(deuxJoueurs()));
    }
}

TEST_F(SaveFile, ALinkToASaveFileIsRead) {
    const QString ailleurs = dir.filePath(QStringLiteral("ailleurs.bin"));
    ecrireOctets(ailleurs, kDeuxJoueurs);
    ASSERT_EQ(::symlink("ailleurs.bin", QFile::encodeName(path()).constData()), 0);
    TableJoueurs t;
    EXPECT_EQ(lire_joueurs(path(), t).issue, LectureJoueurs::Joueurs);
    EXPECT_EQ(joueursDe(t), joueursDe(deuxJoueurs()));
}

TEST_F(SaveFile, TheRecordsThatReadWholeComeBackFromADamagedFile) {
    TableJoueurs trois = deuxJoueurs();
    trois.nombre_joueurs = 3;
    trois.slots[2] = {QStringLiteral("Zoe"), 40, {9, 9, 9, 9, 9, 9, 9, 9, 9}};
    const QByteArray bon = encoderJoueurs(trois);
    const QList<QByteArray> l = bon.split('\n');
    // Lines: 0..2 numbers, 3..5 records, 6 warning, 7..9 summary.
    auto sauf = [&](int ligne, const QByteArray& remplacement) {
        QList<QByteArray> out = l;
        out[ligne] = remplacement;
        return out.join('\n');
    };
    auto sans = [&](int de, int a) {
        QList<QByteArray> out = l;
        out.remove(de, a - de);
        return out.join('\n');
    };
    const Joueur paul = trois.slots[0], paulMarie = trois.slots[1], zoe = trois.slots[2];
    struct Case {
        const char* what;
        QByteArray bytes;
        std::vector<Joueur> recuperes;
        QList<JoueurIllisible> illisibles;
        qint16 indice;
    };
    const Case cases[] = {
        {"a name that lost its product name",
         sauf(4, "\"24Teyp$Qevmi^mfipsy$Qexmgi206$1$2$3$4$5$6$7$8$9\"\r"),
         {paul, zoe},
         {{2, QStringLiteral("Paul Marie")}}, // from the summary
         3},
        {"a record that lost its separators",
         sauf(5, "\"17^si^mfipsy$Qepmgi566$9$9\"\r"),
         {paul, paulMarie},
         {{3, QStringLiteral("Zoe")}}, // from the record itself
         3},
        {"a record and its summary both unreadable",
         sauf(9, "\"???\"\r").replace("\"17^si^mfipsy$Qepmgi", "\"17^si^mfipsy$Qepmgx"),
         {paul, paulMarie},
         {{3, QString()}},
         3},
        {"a file cut in the third record",
         bon.left(bon.indexOf("\"17^si") + 10),
         {paul, paulMarie},
         {{3, QString()}},
         3},
        {"a lost record", sans(4, 5), {paul, zoe}, {{3, QStringLiteral("Paul Marie")}}, 3},
        {"a lost count", sans(2, 3), {paul, paulMarie, zoe}, {}, 3},
        {"a damaged count and message index",
         sauf(1, "x\r").replace("\r\n3\r\n\"18", "\r\n3!\r\n\"18"),
         {paul, paulMarie, zoe},
         {},
         0},
        {"a count too large", sauf(2, "5\r"), {paul, paulMarie, zoe}, {{4, {}}, {5, {}}}, 3},
        {"no warning line and a damaged count",
         sans(6, 7).replace("\r\n3\r\n\"18", "\r\nz\r\n\"18"),
         {paul, paulMarie, zoe},
         {},
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        write(c.bytes);
        TableJoueurs t;
        const ResultatLecture result = lire_joueurs(path(), t);
        EXPECT_EQ(result.issue, LectureJoueurs::Recupere) << result.defaut.toStdString();
        EXPECT_EQ(joueursDe(t), c.recuperes);
        EXPECT_EQ(result.illisibles, c.illisibles);
        EXPECT_EQ(t.indice_message, c.indice);
        EXPECT_EQ(t.joueurs_sauvegardes, 1);
        EXPECT_EQ(read(result.misDeCote), c.bytes);
        // The next save keeps the players that came back.
        ASSERT_TRUE(sauver_joueurs(path(), t, nullptr));
        TableJoueurs back;
        EXPECT_EQ(lire_joueurs(path(), back).issue, LectureJoueurs::Joueurs);
        EXPECT_EQ(joueursDe(back), c.recuperes);
    }
}

TEST_F(SaveFile, ANameLeftEmptyIsSavedAsInconnu) {
    // An empty name would give a record shorter than any the reading accepts.
    for (const QString& vide : {QString(), QStringLiteral("   ")}) {
        TableJoueurs t = deuxJoueurs();
        t.slots[0].prenom = vide;
        ASSERT_TRUE(sauver_joueurs(path(), t, nullptr));
        TableJoueurs back;
        ASSERT_EQ(lire_joueurs(path(), back).issue, LectureJoueurs::Joueurs);
        EXPECT_EQ(back.slots[0].prenom, QStringLiteral("Inconnu"));
        EXPECT_EQ(back.slots[1], t.slots[1]);
    }
}

TEST_F(SaveFile, ADamagedFileKeepsItsReadableMessageIndex) {
    // The first two lines read, and no player record at all.
    write("1\r\n4\r\n2\r\n\"%%%\"\r\n\"???\"\r\n");
    TableJoueurs t;
    const ResultatLecture result = lire_joueurs(path(), t);
    EXPECT_EQ(result.issue, LectureJoueurs::Endommage);
    EXPECT_EQ(t.indice_message, 4);
}

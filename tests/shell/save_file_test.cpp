#include "shell/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zm;

namespace {

// A file as the game writes it: Paul with 150 points, then Paul Marie with
// -5 points and progress in every exercise.
const QByteArray kDeuxJoueurs = "1\r\n"
                                "3\r\n"
                                "2\r\n"
                                "\"18Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n"
                                "\"24Teyp$Qevmi^mfipsy$Qepmgi206$1$2$3$4$5$6$7$8$9\"\r\n"
                                "\"  NE PAS MODIFIER LES LIGNES SUIVANTES SVP !!!\"\r\n"
                                "\"Paul =  150\"\r\n"
                                "\"Paul Marie = -5\"\r\n";

TableJoueurs deuxJoueurs() {
    TableJoueurs t;
    t.joueurs_sauvegardes = 1;
    t.indice_message = 3;
    t.nombre_joueurs = 2;
    t.slots[0] = {QStringLiteral("Paul"), 150, {}};
    t.slots[1] = {QStringLiteral("Paul Marie"), -5, {1, 2, 3, 4, 5, 6, 7, 8, 9}};
    return t;
}

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
    };
    const Case cases[] = {
        {"empty", ""},
        {"text instead of numbers", "hello\r\nworld\r\n"},
        {"no message index", "1\r\n"},
        {"no player count", "1\r\n0\r\n"},
        {"zero players", "1\r\n0\r\n0\r\n"},
        {"thirteen players", "1\r\n0\r\n13\r\n" + record.repeated(13)},
        {"fewer records than announced", "1\r\n0\r\n3\r\n" + record + record},
        {"record shorter than its length", "1\r\n0\r\n1\r\n\"24Teyp\"\r\n"},
        {"length too small", "1\r\n0\r\n1\r\n\"09Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n"},
        {"no length", "1\r\n0\r\n1\r\n\"Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\"\r\n"},
        {"name without the product name",
         "1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgx1446$0$0$0$0$0$0$0$0$0\"\r\n"},
        {"missing progression values", "1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgi1446$0$0\"\r\n"},
        {"no closing quote", "1\r\n0\r\n1\r\n\"18Teyp^mfipsy$Qepmgi1446$0$0$0$0$0$0$0$0$0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        write(c.bytes);
        TableJoueurs t;
        const auto result = lire_joueurs(path(), t);
        EXPECT_EQ(result.issue, LectureJoueurs::Endommage);
        EXPECT_FALSE(result.defaut.isEmpty());
        EXPECT_EQ(t.nombre_joueurs, 0);
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

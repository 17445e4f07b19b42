#include "app/epreuves.h"
#include "shell/emplacements.h"
#include "shell/save_file.h"
#include "support/game_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <sys/stat.h>

using namespace zm;
using namespace zm::testing;

namespace {

// A machine in a temporary folder: the game's data folder, and a home.
struct Dossiers : ::testing::Test {
    QTemporaryDir racine;
    QString chemin(const QString& relatif) const { return racine.filePath(relatif); }
    void creer(const QString& relatif) { ASSERT_TRUE(QDir(racine.path()).mkpath(relatif)); }
    void ecrire(const QString& relatif) {
        QFile f(chemin(relatif));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << relatif.toStdString();
        f.write("1\r\n0\r\n");
    }
};

} // namespace

TEST_F(Dossiers, TheDataFolderIsBesideTheProgramOrWhereTheInstallPutIt) {
    struct Cas {
        const char* nom;
        QStringList dossiers;
        QString attendu;
    };
    const QString installe = QStringLiteral("usr/share/zibelou-malice/datas");
    const std::vector<Cas> cas = {
        {"build folder", {"usr/bin/datas"}, "usr/bin/datas"},
        {"installed", {"usr/bin", installe}, installe},
        {"both: the one beside wins", {"usr/bin/datas", installe}, "usr/bin/datas"},
        // Nothing to read: the game runs without pictures, as from an empty
        // build folder.
        {"neither", {"usr/bin"}, "usr/bin/datas"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        QDir(chemin(QStringLiteral("usr"))).removeRecursively();
        for (const QString& d : c.dossiers)
            creer(d);
        EXPECT_EQ(dossierDatas(chemin(QStringLiteral("usr/bin"))), chemin(c.attendu));
        // A path to the program with "." or ".." in it gives the same folder.
        EXPECT_EQ(dossierDatas(chemin(QStringLiteral("usr/bin/../bin/."))), chemin(c.attendu));
    }
}

TEST_F(Dossiers, ThePlayersStayBesideTheGameUnlessItCannotBeWritten) {
    struct Cas {
        const char* nom;
        bool modifiable;
        QString xdg;                 // relative to the temporary folder, "" unset
        QString home;                // the same
        QStringList sauvegardes;     // save files already there
        QString lecture, sauvegarde; // expected
    };
    const QString datas = QStringLiteral("datas/4.bin");
    const QString xdg = QStringLiteral("xdg/zibelou-malice/4.bin");
    const QString parDefaut = QStringLiteral("home/.local/share/zibelou-malice/4.bin");
    const std::vector<Cas> cas = {
        {"writable data folder", true, "xdg", "home", {}, datas, datas},
        {"writable, with a save", true, "xdg", "home", {datas, xdg}, datas, datas},
        {"writable, no home at all", true, "", "", {}, datas, datas},
        {"read-only, XDG_DATA_HOME set", false, "xdg", "home", {}, xdg, xdg},
        {"read-only, XDG_DATA_HOME unset", false, "", "home", {}, parDefaut, parDefaut},
        {"read-only, already saved there", false, "xdg", "home", {xdg}, xdg, xdg},
        // An old save left in the data folder is taken up once, then the
        // player's own file is the one.
        {"read-only, an old save", false, "xdg", "home", {datas}, datas, xdg},
        {"read-only, an old save and a newer one", false, "xdg", "home", {datas, xdg}, xdg, xdg},
        // Nowhere else to go: the data folder, where the save fails and says
        // so.
        {"read-only, no home", false, "", "", {}, datas, datas},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        for (const char* d : {"datas", "xdg", "home"})
            QDir(chemin(QString::fromLatin1(d))).removeRecursively();
        creer(QStringLiteral("datas"));
        for (const QString& f : c.sauvegardes) {
            creer(QFileInfo(f).path());
            ecrire(f);
        }
        Environnement e;
        e.datas = chemin(QStringLiteral("datas"));
        e.datasModifiable = c.modifiable;
        e.xdgDataHome = c.xdg.isEmpty() ? QString() : chemin(c.xdg);
        e.home = c.home.isEmpty() ? QString() : chemin(c.home);
        const FichiersJoueurs f = fichiersJoueurs(e);
        EXPECT_EQ(f.lecture, chemin(c.lecture));
        EXPECT_EQ(f.sauvegarde, chemin(c.sauvegarde));
    }
}

TEST_F(Dossiers, ARelativeXdgDataHomeIsPassedOver) {
    for (const QString& relatif : {QStringLiteral("xdg"), QStringLiteral("./xdg")}) {
        Environnement e{chemin(QStringLiteral("datas")), false, relatif, chemin("home"), {}};
        EXPECT_EQ(fichiersJoueurs(e).sauvegarde,
                  chemin(QStringLiteral("home/.local/share/zibelou-malice/4.bin")));
        e.home = QStringLiteral("home");
        EXPECT_EQ(fichiersJoueurs(e).sauvegarde, chemin(QStringLiteral("datas/4.bin")))
            << "a relative HOME is no place either";
    }
}

// The drawings rendered for the display are kept in the player's cache
// folder, as desktops expect; nowhere when there is none.
TEST(DossierRendus, XdgCacheHomeOrTheHomeFoldersCacheOrNone) {
    struct Cas {
        const char* nom;
        QString xdg, home, dossier;
    };
    const Cas cas[] = {
        {"XDG_CACHE_HOME", "/x/cache/", "/h", "/x/cache/zibelou-malice"},
        {"home", "", "/h", "/h/.cache/zibelou-malice"},
        {"relative XDG_CACHE_HOME", "cache", "/h", "/h/.cache/zibelou-malice"},
        {"relative home", "", "h", ""},
        {"neither", "", "", ""},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Environnement e;
        e.xdgCacheHome = c.xdg;
        e.home = c.home;
        EXPECT_EQ(dossierRendus(e), c.dossier);
    }
}

TEST_F(Dossiers, ThisRunReadsTheEnvironmentAndTheRightsOfTheDataFolder) {
    const QByteArray xdgAvant = qgetenv("XDG_DATA_HOME");
    const bool xdgPose = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(chemin(QStringLiteral("xdg"))));
    creer(QStringLiteral("datas"));
    EXPECT_EQ(fichiersJoueursDuSysteme(chemin(QStringLiteral("datas"))).sauvegarde,
              chemin(QStringLiteral("datas/4.bin")));
    // A data folder that is not there cannot be written to.
    EXPECT_EQ(fichiersJoueursDuSysteme(chemin(QStringLiteral("absent"))).sauvegarde,
              chemin(QStringLiteral("xdg/zibelou-malice/4.bin")));
    if (xdgPose)
        qputenv("XDG_DATA_HOME", xdgAvant);
    else
        qunsetenv("XDG_DATA_HOME");
}

TEST_F(Dossiers, TheFoldersOfTheSaveAreMadeForTheirOwnerOnly) {
    creer(QStringLiteral("home"));
    ASSERT_TRUE(creerDossierDe(chemin(QStringLiteral("home/.local/share/zibelou-malice/4.bin"))));
    for (const char* d : {"home/.local", "home/.local/share", "home/.local/share/zibelou-malice"}) {
        struct stat s {};
        ASSERT_EQ(::stat(QFile::encodeName(chemin(QString::fromLatin1(d))).constData(), &s), 0);
        EXPECT_EQ(s.st_mode & 0777, 0700u) << d;
    }
    // A folder that is there already is left as it is.
    EXPECT_TRUE(creerDossierDe(chemin(QStringLiteral("home/4.bin"))));
    // A file where a folder should be: no folder, and the save says it failed.
    ecrire(QStringLiteral("fichier"));
    EXPECT_FALSE(creerDossierDe(chemin(QStringLiteral("fichier/zibelou-malice/4.bin"))));
}

namespace {

// The installed game: a data folder marked read-only, and a player whose home
// is empty.
struct JeuInstalle : GameTest {
    QTemporaryDir home;
    QString fichierUtilisateur() const {
        return home.filePath(QStringLiteral(".local/share/zibelou-malice/4.bin"));
    }
    void lancer() {
        game.reset();
        ended = 0;
        const FichiersJoueurs f = fichiersJoueurs({datas(), false, {}, home.path(), {}});
        game = std::make_unique<Game>(p, datas(), fabriquerEpreuve, f);
        game->onEnded = [this] { ++ended; };
        game->start();
    }
    void quitterParLaPorte() {
        press(depart().quitter, Qt::LeftButton);
        press(depart().quitter, Qt::RightButton);
    }
};

} // namespace

TEST_F(JeuInstalle, AFirstRunWithAnEmptyHomeSavesThePlayerInTheHome) {
    copySheets();
    lancer();
    EXPECT_EQ(tiles(), QStringLiteral("INCONNU")) << "a first run";
    for (QChar c : QStringLiteral("LEA"))
        click(roster().lettre[c.unicode() - u'A']);
    jouer();
    ASSERT_EQ(game->stage().active(), &depart());
    EXPECT_FALSE(depart().anim[0]->pixmap().isNull()) << "the pictures come from the data folder";
    r().score = 42;
    r().progression_animaux = 3;
    quitterParLaPorte();
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(QFileInfo::exists(fichierUtilisateur()));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("4.bin"))))
        << "nothing written beside the game";

    lancer();
    EXPECT_EQ(tiles(), QStringLiteral("Lea")) << "the name as Jouer wrote it";
    jouer();
    EXPECT_EQ(r().score, 42);
    EXPECT_EQ(r().progression_animaux, 3);
}

TEST_F(JeuInstalle, AnOldSaveBesideTheGameIsTakenUpAndLeftWhole) {
    const QByteArray ancienne = fichierJoueurs({{QStringLiteral("Zoé"), 7}});
    writeSave(ancienne);
    lancer();
    EXPECT_EQ(tiles(), QStringLiteral("Zoé"));
    jouer();
    r().score = 8;
    quitterParLaPorte();
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(readSave(), ancienne);

    lancer();
    jouer();
    EXPECT_EQ(r().score, 8) << "read back from the player's own file";
}

TEST_F(JeuInstalle, AHomeThatCannotHoldTheSaveKeepsTheDoorOpenWithTheWarning) {
    // A file stands where the folder of the save should be made.
    QFile f(home.filePath(QStringLiteral(".local")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    lancer();
    jouer();
    quitterParLaPorte();
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(depart().nom_epreuve->caption(), Depart::kSauvegardeEchouee);
}

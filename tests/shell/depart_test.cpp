#include "shell/save_file.h"
#include "support/game_fixture.h"

#include <QDir>
#include <set>

using namespace zm;
using namespace zm::testing;

namespace {

// The start screen of a game whose player has just pressed "Jouer".
struct StartScreen : GameTest {
    std::array<QImage, 14> resting;
    QImage closedDoor;

    void SetUp() override {
        copySheets();
        writeSave(fichierJoueurs({{QStringLiteral("Zoé"), 7}}));
        startGame();
        jouer();
        for (int k = 0; k < 14; ++k)
            resting[k] = picture(k);
        closedDoor = depart().quitter->pixmap().toImage();
        p.sound().clear();
    }
    QImage picture(int k) { return depart().anim[k]->pixmap().toImage(); }
    // The characters shown in their active frame.
    std::vector<int> activeFrames() {
        std::vector<int> active;
        for (int k = 0; k < 14; ++k)
            if (picture(k) != resting[k])
                active.push_back(k);
        return active;
    }
    QString bottomLine() { return depart().nom_epreuve->caption(); }
    bool doorClosed() { return depart().quitter->pixmap().toImage() == closedDoor; }
    // The next timer tick draws `r` from 0 to 49.
    void nextDraw(int r) { p.random().pushInt(r, 0, 49); }
};

} // namespace

TEST_F(StartScreen, ComesUpWithItsCharactersAtRestAndTheScore) {
    EXPECT_EQ(game->stage().active(), &depart());
    EXPECT_TRUE(activeFrames().empty());
    EXPECT_FALSE(resting[0].isNull());
    EXPECT_EQ(depart().anim[7]->geometry(), QRect(558, 315, 135, 123));
    EXPECT_EQ(depart().scoreLabel()->caption(), QStringLiteral("Score\r7"));
    EXPECT_EQ(bottomLine(), QStringLiteral("Choisissez l'un des 14 personnages à l'écran et "
                                           "répondez à son défi en cliquant sur lui !"));
    EXPECT_EQ(p.cursor().position, QPoint(400, 400));
}

TEST_F(StartScreen, HoveringLeavesExactlyTheCharacterUnderTheMouseActive) {
    FakePlatform::move(depart().anim[3]);
    FakePlatform::move(depart().anim[12]);
    EXPECT_EQ(activeFrames(), std::vector<int>{12});
    EXPECT_EQ(bottomLine(), QStringLiteral("Quelle est la bonne syllabe pour compléter un mot ?"));
    // Moving on the same character keeps it active.
    FakePlatform::move(depart().anim[12]);
    EXPECT_EQ(activeFrames(), std::vector<int>{12});

    FakePlatform::move(depart().quitter);
    EXPECT_TRUE(activeFrames().empty());
    EXPECT_EQ(bottomLine(), QStringLiteral("Cliquez sur la porte pour quitter le jeu Zoé."));

    FakePlatform::move(depart().anim[0]);
    FakePlatform::move(depart().nom_epreuve);
    EXPECT_TRUE(activeFrames().empty());
    EXPECT_EQ(bottomLine(), Depart::kInvitation);
    EXPECT_TRUE(bottomLine().contains(QStringLiteral("quatorze")));
}

TEST_F(StartScreen, TheScoreLineSaysPointOrPoints) {
    const std::pair<int, const char*> cases[] = {
        {-3, " point !"}, {0, " point !"}, {1, " point !"}, {2, " points !"}, {1234, " points !"}};
    for (auto [score, ending] : cases) {
        r().score = score;
        FakePlatform::move(depart().scoreLabel());
        EXPECT_EQ(bottomLine(), QStringLiteral("Ben oui Zoé... votre score est de ") +
                                    QString::number(score) + QString::fromLatin1(ending));
    }
}

TEST_F(StartScreen, EveryTextOfTheBottomLineIsReadWhole) {
    // The longest name a player can have, and the widest scores.
    r().prenom = QStringLiteral("ABCDEFGHIJKLM");
    Label* ligne = depart().nom_epreuve;
    const QRect bande = ligne->geometry();
    EXPECT_EQ(bande.bottom(), 599);
    auto lu = [&](const char* quoi, bool court = true) {
        SCOPED_TRACE(quoi);
        SCOPED_TRACE(ligne->caption().toStdString());
        EXPECT_LE(ligne->textHeight(), ligne->height());
        EXPECT_TRUE(texteEntier(ligne));
        EXPECT_GE(ligne->y(), 0);
        EXPECT_EQ(ligne->geometry().bottom(), 599) << "on the screen, down to its edge";
        EXPECT_EQ(ligne->x(), bande.x());
        EXPECT_EQ(ligne->width(), bande.width());
        // Over the characters' feet a few pixels more at most.
        if (court) {
            EXPECT_GE(ligne->y(), bande.y() - 6);
        }
    };
    lu("before any move");
    EXPECT_EQ(bande, QRect(10, 562, 780, 38));
    for (int k = 0; k < 14; ++k) {
        FakePlatform::move(depart().anim[k]);
        ASSERT_EQ(ligne->caption(), depart().textes_epreuves[k]);
        lu(QStringLiteral("character %1").arg(k).toLatin1().constData());
    }
    FakePlatform::move(depart().background());
    lu("invitation");
    for (qint32 score : {kScoreMax, kScoreMin}) {
        r().score = score;
        FakePlatform::move(depart().scoreLabel());
        ASSERT_TRUE(ligne->caption().contains(QString::number(score)));
        lu("score");
    }
    FakePlatform::move(depart().quitter);
    lu("door closed");
    press(depart().quitter, Qt::LeftButton);
    lu("door open");
    press(depart().quitter, Qt::LeftButton);

    // The warning of a save that failed: the band grows upwards if it must.
    QFile::remove(dir.filePath(QStringLiteral("4.bin")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("4.bin")));
    press(depart().quitter, Qt::LeftButton);
    press(depart().quitter, Qt::RightButton);
    ASSERT_EQ(ended, 0);
    lu("failed save", false);
    // Back to a short text, the band is back in its place.
    FakePlatform::move(depart().background());
    lu("invitation again");
    EXPECT_EQ(ligne->geometry(), bande);
}

TEST_F(StartScreen, WhileTheDoorIsOpenNoOtherControlAnswersTheMouse) {
    press(depart().quitter, Qt::LeftButton);
    const QString consigne = bottomLine();
    ASSERT_TRUE(consigne.startsWith(QStringLiteral("Un clic droit")));
    p.display().redraws.clear();
    const std::vector<QWidget*> ailleurs = {depart().anim[0],     depart().anim[7],
                                            depart().anim[13],    depart().background(),
                                            depart().nom_epreuve, depart().scoreLabel()};
    for (QWidget* w : ailleurs) {
        SCOPED_TRACE(w->objectName().toStdString());
        FakePlatform::move(w);
        EXPECT_EQ(bottomLine(), consigne);
        EXPECT_TRUE(activeFrames().empty());
        click(w);
        EXPECT_EQ(game->stage().active(), &depart());
        EXPECT_EQ(bottomLine(), consigne);
        EXPECT_TRUE(p.display().redraws.empty()) << "no score pulse";
        EXPECT_EQ(depart().porte_ouverte, 1);
        EXPECT_TRUE(p.cursor().confinement);
    }
    // Once the door is closed, the screen answers again.
    press(depart().quitter, Qt::LeftButton);
    FakePlatform::move(depart().anim[7]);
    EXPECT_EQ(bottomLine(), depart().textes_epreuves[7]);
    EXPECT_EQ(activeFrames(), std::vector<int>{7});
}

TEST_F(StartScreen, TheDoorCuttingTheAmbienceShortBringsTheScreenBackToLife) {
    p.sound().ambienceLengthMs = 60000;
    r().jouer_ambiance();
    // Opened and closed in the middle of the ambience: the door's sound cut it.
    press(depart().quitter, Qt::LeftButton);
    press(depart().quitter, Qt::LeftButton);
    EXPECT_FALSE(p.sound().ambiencePlaying());
    p.sound().clear();
    nextDraw(3);
    std::set<int> seen;
    for (int ms = 100; ms <= 2500; ms += 100)
        p.after(ms, [&] {
            for (int k : activeFrames())
                seen.insert(k);
        });
    p.advance(2500);
    EXPECT_EQ(seen, std::set<int>{3}) << "a character came to life";
    EXPECT_EQ(p.sound().ambienceNames().size(), 1) << "and the next ambience follows";
}

TEST_F(StartScreen, WhileAnAmbiencePlaysTheTimerDoesNothing) {
    r().jouer_ambiance();
    p.sound().clear();
    for (int i = 0; i < 5; ++i)
        nextDraw(3);
    p.advance(5000);
    EXPECT_TRUE(p.sound().played.empty());
    EXPECT_TRUE(activeFrames().empty());
    EXPECT_EQ(p.random().scriptLeft(), 0u) << "every tick still draws";
}

TEST_F(StartScreen, AfterTheAmbienceEachDrawBringsItsAnimation) {
    // Coming to the screen ended the ambience: the first tick may animate.
    const qint64 tick = p.now() + 1000;
    struct Case {
        int draw;
        int animated; // -1: no character
        int holdMs;
        bool ambience;
    };
    const Case cases[] = {{3, 3, 800, true},   {12, 12, 700, true}, {9, 9, 800, true},
                          {10, 10, 700, true}, {14, -1, 0, true},   {20, -1, 0, false},
                          {49, -1, 0, false}};
    qint64 t = tick;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        p.sound().next();
        p.sound().clear();
        p.display().redraws.clear();
        nextDraw(c.draw);
        std::vector<int> during, after = {-1};
        p.at(t + std::max(c.holdMs, 1) - 1, [&] { during = activeFrames(); });
        p.at(t + c.holdMs + 1, [&] { after = activeFrames(); });
        p.runUntil(t + 999);
        if (c.animated >= 0)
            EXPECT_EQ(during, std::vector<int>{c.animated});
        else
            EXPECT_TRUE(during.empty());
        EXPECT_TRUE(after.empty()) << "back to rest when the wait ends";
        EXPECT_EQ(!p.sound().ambienceNames().isEmpty(), c.ambience);
        // Draw 14 pulses the score.
        EXPECT_EQ(!p.display().redraws.empty(), c.draw == 14);
        t += 1000;
        p.runUntil(t - 1);
    }
}

TEST_F(StartScreen, ClickingACharacterOpensItsExercise) {
    for (int k : {0, 6, 13}) {
        SCOPED_TRACE(k);
        click(depart().anim[k]);
        EXPECT_EQ(game->stage().active(), &epreuve(k));
        EXPECT_EQ(epreuve(k).objectName(), descriptionsEpreuves()[std::size_t(k)].nom);
        EXPECT_FALSE(depart().timer().isActive());
        EXPECT_TRUE(depart().scoreLabel()->isHidden());
        click(epreuve(k).retour);
        EXPECT_EQ(game->stage().active(), &depart());
        EXPECT_TRUE(depart().timer().isActive());
        EXPECT_FALSE(depart().scoreLabel()->isHidden());
        EXPECT_EQ(p.cursor().position, QPoint(400, 400));
        EXPECT_FALSE(p.cursor().confinement);
    }
}

TEST_F(StartScreen, AnExerciseOpenedDuringAnAnimationStaysQuiet) {
    p.sound().next();
    nextDraw(2);
    p.at(p.now() + 1400, [&] { click(depart().anim[5]); });
    p.advance(3000);
    EXPECT_EQ(game->stage().active(), &epreuve(5));
    EXPECT_TRUE(p.sound().ambienceNames().isEmpty());
    EXPECT_FALSE(p.sound().ambiencePlaying());
    EXPECT_FALSE(depart().timer().isActive());
    EXPECT_TRUE(activeFrames().empty());
}

TEST_F(StartScreen, AClickOnACharacterEndsTheLifeTheTimerGaveAnother) {
    // The first tick brings character 2 to life for 800 ms; the child opens
    // exercise 5 meanwhile, and comes back before those 800 ms are over.
    p.sound().next();
    nextDraw(2);
    const qint64 t = p.now();
    bool startScreenWaits = true;
    std::vector<int> back = {-1};
    p.at(t + 1400, [&] { click(depart().anim[5]); });
    p.at(t + 1450, [&] { startScreenWaits = depart().attenteEnCours(); });
    p.at(t + 1500, [&] {
        click(epreuve(5).retour);
        back = activeFrames();
    });
    p.runUntil(t + 1990);
    EXPECT_EQ(game->stage().active(), &depart());
    EXPECT_FALSE(startScreenWaits) << "the start screen's animation went on under the exercise";
    EXPECT_TRUE(back.empty()) << "character 2 is back at rest";
    EXPECT_TRUE(p.sound().ambienceNames().isEmpty()) << "the life ended brings no ambience";
}

TEST_F(StartScreen, ACharacterClickedWhileTheDoorMovesIsIgnored) {
    press(depart().quitter, Qt::LeftButton);
    ASSERT_EQ(depart().porte_ouverte, 1);
    // The door closing frees the pointer, which reaches a character at once.
    p.after(200, [&] { click(depart().anim[7]); });
    press(depart().quitter, Qt::LeftButton);
    EXPECT_EQ(game->stage().active(), &depart());
    EXPECT_TRUE(doorClosed());
    EXPECT_FALSE(depart().attenteEnCours());
    click(depart().anim[7]);
    EXPECT_EQ(game->stage().active(), &epreuve(7)) << "once still, the characters answer again";
}

TEST_F(StartScreen, TheDoorOpensClosesAndOnlyARightPressQuits) {
    const QRect door(QPoint(728, 352), QPoint(764, 397));
    // Any button opens it, in four frames of 130 ms.
    const qint64 t0 = p.now();
    press(depart().quitter, Qt::MiddleButton);
    EXPECT_EQ(p.now() - t0, 4 * 130);
    EXPECT_EQ(depart().porte_ouverte, 1);
    EXPECT_FALSE(doorClosed());
    EXPECT_EQ(p.cursor().confinement, door);
    EXPECT_EQ(bottomLine(), QStringLiteral("Un clic droit pour Quitter Zibelou Malice, un clic "
                                           "gauche pour continuer à jouer."));
    // Moving over it now leaves that line alone.
    FakePlatform::move(depart().quitter);
    EXPECT_TRUE(bottomLine().startsWith(QStringLiteral("Un clic droit")));

    // A middle press while open only plays the sound.
    press(depart().quitter, Qt::MiddleButton);
    EXPECT_EQ(depart().porte_ouverte, 1);
    EXPECT_EQ(p.cursor().confinement, door);
    EXPECT_EQ(p.sound().effectNames(), (QStringList{"36.ats", "36.ats"}));

    press(depart().quitter, Qt::LeftButton);
    EXPECT_EQ(depart().porte_ouverte, 0);
    EXPECT_TRUE(doorClosed());
    EXPECT_FALSE(p.cursor().confinement);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(readSave(), fichierJoueurs({{QStringLiteral("Zoé"), 7}})) << "nothing saved yet";
}

TEST_F(StartScreen, NoAnimationStartsInsideAnother) {
    // Presses on the door while it moves.
    p.after(200, [&] { press(depart().quitter, Qt::RightButton); });
    p.after(300, [&] { click(depart().scoreLabel()); });
    press(depart().quitter, Qt::LeftButton);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(depart().porte_ouverte, 1);
    EXPECT_EQ(p.sound().effectNames(), QStringList{"36.ats"});
    EXPECT_TRUE(p.display().redraws.empty()) << "no score pulse";

    // A tick that falls while the door closes draws, but animates nothing.
    p.sound().next();
    const qint64 tick = p.now() + 1000 - (p.now() - 500) % 1000;
    p.runUntil(tick - 100);
    nextDraw(3);
    std::vector<int> during = {-1};
    p.after(300, [&] { during = activeFrames(); });
    press(depart().quitter, Qt::LeftButton);
    p.advance(500);
    EXPECT_EQ(p.random().scriptLeft(), 0u);
    EXPECT_TRUE(during.empty());
    EXPECT_TRUE(p.sound().ambienceNames().isEmpty());

    // A press on the door while a character comes to life ends its animation.
    p.sound().clear();
    nextDraw(3);
    std::vector<int> duringDoor = {-1};
    p.at(tick + 1200, [&] { press(depart().quitter, Qt::LeftButton); });
    p.at(tick + 1300, [&] { duringDoor = activeFrames(); });
    p.runUntil(tick + 1900);
    EXPECT_EQ(depart().porte_ouverte, 1);
    EXPECT_TRUE(duringDoor.empty());
    EXPECT_EQ(p.sound().ambienceNames(), QStringList{"2.amb"}) << "then the ambience follows";
}

TEST_F(StartScreen, TheScoreAndTheDoorAnswerWhileACharacterIsAlive) {
    p.sound().next();
    nextDraw(5);
    std::vector<int> before, after;
    p.at(p.now() + 1100, [&] {
        before = activeFrames();
        click(depart().scoreLabel());
        after = activeFrames();
    });
    p.advance(1500);
    EXPECT_EQ(before, std::vector<int>{5});
    EXPECT_TRUE(after.empty());
    EXPECT_EQ(p.display().redraws.size(), 12u) << "the score pulsed";

    // A right press on the open door during an animation quits, and no
    // ambience starts after the quit sequence.
    press(depart().quitter, Qt::LeftButton);
    p.sound().next();
    p.sound().clear();
    nextDraw(1);
    const qint64 tick = p.now() + 1000 - (p.now() - 500) % 1000;
    p.at(tick + 300, [&] { press(depart().quitter, Qt::RightButton); });
    p.runUntil(tick + 1000);
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(p.sound().ambienceNames().isEmpty());
}

TEST_F(StartScreen, QuittingSavesThePlayerForTheNextRun) {
    r().score = 31;
    r().progression_verbes = 17;
    press(depart().quitter, Qt::LeftButton);
    press(depart().quitter, Qt::RightButton);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(p.cursor().confinement);
    EXPECT_GE(p.sound().closes, 1);
    EXPECT_FALSE(depart().timer().isActive());
    EXPECT_EQ(p.display().resolutions.back(), QSize(1920, 1080));

    restartGame();
    EXPECT_EQ(tiles(), QStringLiteral("Zoé"));
    jouer();
    EXPECT_EQ(r().score, 31);
    EXPECT_EQ(r().progression_verbes, 17);
}

TEST_F(StartScreen, AFailedSaveKeepsTheGameOpenAndSaysSo) {
    // A folder where the save file should be: nothing can be written there.
    QFile::remove(dir.filePath(QStringLiteral("4.bin")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("4.bin")));
    r().score = 12;
    press(depart().quitter, Qt::LeftButton);
    press(depart().quitter, Qt::RightButton);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(bottomLine(), Depart::kSauvegardeEchouee)
        << "plain French, nothing of the system's own words";
    EXPECT_EQ(depart().porte_ouverte, 1) << "the door stays open with the warning";
    EXPECT_TRUE(depart().timer().isActive());
    EXPECT_EQ(p.display().resolutions.back(), QSize(800, 600)) << "still full screen";
    // Moving over the door or anywhere keeps the warning in view.
    FakePlatform::move(depart().quitter);
    EXPECT_EQ(bottomLine(), Depart::kSauvegardeEchouee);
    // A left click goes on playing; once the way is clear again, the door
    // quits and nothing was lost.
    press(depart().quitter, Qt::LeftButton);
    EXPECT_EQ(depart().porte_ouverte, 0);
    EXPECT_EQ(ended, 0);
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("4.bin")));
    press(depart().quitter, Qt::LeftButton);
    press(depart().quitter, Qt::RightButton);
    EXPECT_EQ(ended, 1);
    restartGame();
    jouer();
    EXPECT_EQ(r().score, 12);
}

TEST_F(StartScreen, AfterAFailedSaveASecondRightClickOrASignalEndsTheGame) {
    for (bool signal : {false, true}) {
        SCOPED_TRACE(signal ? "a signal" : "a second right click");
        restartGame();
        jouer();
        QFile::remove(dir.filePath(QStringLiteral("4.bin")));
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("4.bin")));
        press(depart().quitter, Qt::LeftButton);
        if (signal) {
            EXPECT_TRUE(game->quitRequested());
        } else {
            press(depart().quitter, Qt::RightButton);
            EXPECT_EQ(ended, 0);
            press(depart().quitter, Qt::RightButton);
        }
        EXPECT_EQ(ended, 1);
        EXPECT_FALSE(p.cursor().confinement);
        EXPECT_EQ(p.display().resolutions.back(), QSize(1920, 1080)) << "the display given back";
        EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("4.bin"))).isDir())
            << "nothing destroyed on the way out";
        ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("4.bin")));
    }
}

TEST_F(StartScreen, ClosingTheWindowSavesLikeTheDoor) {
    click(depart().anim[4]); // even from an exercise
    r().score = 99;
    EXPECT_TRUE(game->quitRequested());
    EXPECT_EQ(ended, 1);
    restartGame();
    jouer();
    EXPECT_EQ(r().score, 99);
}

TEST(StartScreenBeforeJouer, ClosingTheWindowOnTheRosterLeavesTheFileAlone) {
    QTemporaryDir dir;
    FakePlatform p;
    Game game(p, dir.path());
    game.start();
    EXPECT_TRUE(game.quitRequested());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("4.bin"))));
    EXPECT_EQ(p.display().resolutions.back(), QSize(1920, 1080));
}

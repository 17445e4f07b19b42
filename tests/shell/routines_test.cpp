#include "platform/fake/fake_platform.h"
#include "shell/routines.h"
#include "shell/screen.h"
#include "shell/stage.h"

#include <gtest/gtest.h>

using namespace zm;
using zm::fake::FakePlatform;

namespace {

class ScoredScreen : public Screen {
public:
    ScoredScreen(const QString& name, Routines& r, QWidget* stage) : Screen(name, r, stage) {
        label_score = addLabel(QStringLiteral("label_score"), QRect(680, 10, 110, 56),
                               QStringLiteral("Score"));
    }
    void activate() override { ++activations; }
    int activations = 0;
};

struct Shared : ::testing::Test {
    FakePlatform p;
    Stage stage;
    Routines r{p, stage, QStringLiteral("/jeu/datas")};
    ScoredScreen depart{QStringLiteral("depart"), r, &stage};
    ScoredScreen exercice{QStringLiteral("femelles"), r, &stage};
    std::unique_ptr<Timer> timer = p.createTimer();

    void SetUp() override {
        r.depart = {&depart, depart.scoreLabel(), timer.get()};
        stage.showScreen(&depart);
    }
};

} // namespace

TEST_F(Shared, SoundNumbersWalkThroughTheirFilesAndWrap) {
    struct Case {
        void (Routines::*play)();
        int last;
        QString suffix;
    };
    const Case cases[] = {{&Routines::jouer_ambiance, 19, QStringLiteral(".amb")},
                          {&Routines::jouer_bruitage, 50, QString()},
                          {&Routines::jouer_victoire, 21, QStringLiteral(".vic")},
                          {&Routines::jouer_defaite, 19, QStringLiteral(".def")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.suffix.toStdString());
        p.sound().clear();
        for (int i = 0; i < c.last + 2; ++i)
            (r.*c.play)();
        QStringList expected;
        for (int n = 1; n <= c.last; ++n)
            expected << QString::number(n) + c.suffix;
        expected << QStringLiteral("1") + c.suffix << QStringLiteral("2") + c.suffix;
        EXPECT_EQ(p.sound().names(), expected);
    }
    // A named sound moves no number on.
    r.jouer_son(QStringLiteral("36.ats"));
    r.jouer_bruitage();
    EXPECT_EQ(p.sound().names().mid(p.sound().names().size() - 2), (QStringList{"36.ats", "3"}));
}

TEST_F(Shared, ScoreLabelShrinksAndGrowsBackHoldingEvents) {
    r.score = 0;
    bool clickSeenDuringAnimation = false;
    p.at(100, [&] { clickSeenDuringAnimation = p.now() < 240; });
    r.afficher_score(exercice);

    const auto& redraws = p.display().redraws;
    ASSERT_EQ(redraws.size(), 12u);
    const int sizes[] = {18, 16, 14, 12, 10, 8, 8, 10, 12, 14, 16, 18};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(redraws[i].pointSize, sizes[i]) << i;
        EXPECT_EQ(redraws[i].at, 20 * (i + 1)) << i;
    }
    EXPECT_EQ(redraws[5].text, QStringLiteral("Score")) << "the text changes at the smallest size";
    EXPECT_EQ(redraws[6].text, QStringLiteral("Score\n0"));
    EXPECT_EQ(p.now(), 240);
    p.advance(0);
    EXPECT_FALSE(clickSeenDuringAnimation);
}

TEST_F(Shared, TakingOverTheDisplayForAnExerciseScreen) {
    timer->start();
    r.jouer_ambiance();
    stage.showScreen(&exercice);
    r.preparer_ecran(exercice);

    EXPECT_TRUE(depart.scoreLabel()->isHidden());
    EXPECT_FALSE(p.sound().ambiencePlaying());
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(p.cursor().position, QPoint(400, 300));
    EXPECT_EQ(p.cursor().confinement, QRect(0, 0, 800, 600));
    EXPECT_EQ(p.sound().effectNames(), QStringList{"1"});
}

TEST_F(Shared, GoingBackToTheStartScreen) {
    stage.showScreen(&exercice);
    r.preparer_ecran(exercice);
    r.fichier1 = std::make_unique<QFile>();
    const int before = depart.activations;

    r.retour_depart(exercice);

    EXPECT_EQ(r.fichier1, nullptr);
    EXPECT_FALSE(p.cursor().confinement.has_value());
    EXPECT_EQ(p.cursor().position, QPoint(400, 400));
    EXPECT_TRUE(exercice.isHidden());
    EXPECT_EQ(stage.active(), &depart);
    EXPECT_EQ(depart.activations, before + 1);
    EXPECT_TRUE(timer->isActive());
    EXPECT_FALSE(depart.scoreLabel()->isHidden());
    EXPECT_EQ(p.sound().effectNames(), (QStringList{"1", "2"}));
}

TEST_F(Shared, CursorCounterCallsUntilItChangesSide) {
    r.cacher_souris();
    EXPECT_EQ(p.cursor().counter, -1);
    p.cursor().counter = 3;
    r.cacher_souris();
    EXPECT_EQ(p.cursor().counter, -1);
    p.cursor().counter = -4;
    r.montrer_souris();
    EXPECT_EQ(p.cursor().counter, 0);
}

TEST_F(Shared, PraiseAndReproachFollowTheIndexAndWrap) {
    r.prenom = QStringLiteral("Paul");
    r.preparer_messages();
    r.indice_message = 5;
    EXPECT_EQ(r.messageReponse(true), QStringLiteral("Chapeau Paul !"));
    EXPECT_EQ(r.messageReponse(false), QStringLiteral("Vous êtes vraiment sûr ?"));
    EXPECT_EQ(r.indice_message, 0);
    EXPECT_EQ(r.messageReponse(false), QStringLiteral("Pas du tout Paul !"));
    EXPECT_EQ(r.indice_message, 1);
}

TEST_F(Shared, ScoreStaysWithinWhatTheSaveFileHolds) {
    r.score = kScoreMax - 1;
    r.ajouter_points(10);
    EXPECT_EQ(r.score, kScoreMax);
    r.score = kScoreMin + 1;
    r.ajouter_points(-qint64(1) << 40);
    EXPECT_EQ(r.score, kScoreMin);
}

TEST(SharedText, StoredTextIsDecodedFourCodesLower) {
    struct Case {
        QString stored, readable;
    };
    const Case cases[] = {
        {QString(), QString()},
        {QStringLiteral("E"), QStringLiteral("A")},
        {QString(QChar(3)), QString(QChar(3))},
        {QString(QChar(4)), QString(QChar(0))},
        {QStringLiteral("Teyp$Qevmi"), QStringLiteral("Paul Marie")},
        // é (233) is stored as í (237).
        {QStringLiteral("íxí"), QStringLiteral("été")},
    };
    for (const Case& c : cases) {
        QString text = c.stored;
        EXPECT_EQ(dechiffrer(text), c.readable) << c.stored.toStdString();
        EXPECT_EQ(text, c.readable);
    }
}

TEST(SharedText, LetterBoxesAreCentred) {
    EXPECT_EQ(bordGaucheCase(1, 0), 366);
    EXPECT_EQ(bordGaucheCase(13, 0), 85);
    EXPECT_EQ(bordGaucheCase(13, 12), 649);
    EXPECT_EQ(bordGaucheCase(7, 0), 227);
    // Counts outside the table get no offset.
    EXPECT_EQ(bordGaucheCase(0, 0), 70);
    EXPECT_EQ(bordGaucheCase(14, 1), 117);
    // Every row of n boxes is centred on the scene within a few pixels.
    for (int n = 1; n <= 13; ++n) {
        const int middle = (bordGaucheCase(n, 0) + bordGaucheCase(n, n - 1) + 47) / 2;
        EXPECT_NEAR(middle, 390, 3) << n;
    }
}

TEST(SharedText, PositionsOutsideAListStartItAgain) {
    EXPECT_EQ(positionDansListe(0, 68), 0);
    EXPECT_EQ(positionDansListe(67, 68), 67);
    EXPECT_EQ(positionDansListe(68, 68), 0);
    EXPECT_EQ(positionDansListe(-5, 68), 0);
    EXPECT_EQ(positionDansListe(32767, 68), 0);
}

// The monkey in the test suite: a short run across a few seeds, and the
// monkey's own checks and shrinking shown at work on faults planted on purpose.

#include "monkey/monkey.h"
#include "shell/depart.h"
#include "shell/game.h"
#include "shell/routines.h"
#include "shell/stage.h"

#include <gtest/gtest.h>

namespace zm::monkey {
namespace {

TEST(Monkey, FiftyThousandEventsOverEveryScreenKeepEveryCheck) {
    Campaign c;
    c.seeds = {1, 2, 3, 4, 5};
    c.eventsPerSeed = 10000;
    c.shrinkBudget = std::chrono::seconds(40);
    const QString failure = runCampaign(c);
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    if (!failure.isEmpty())
        return;
    EXPECT_EQ(c.total.delivered + c.total.lost + c.total.dropped, 50000u);
    // The walk went everywhere: the roster, the start screen, the help
    // sheet and every exercise, and through many games.
    EXPECT_EQ(c.total.perScreen.size(), 17u);
    EXPECT_GT(c.total.games, 20u);
    EXPECT_GT(c.total.deepestNesting, 1) << "no event came inside a wait";
}

TEST(Monkey, TheSameSeedPlaysTheSameGames) {
    const std::vector<Event> events = generate(7, 3000);
    const Outcome a = run(7, events);
    const Outcome b = run(7, events);
    ASSERT_FALSE(a.failure);
    EXPECT_EQ(a.stats.delivered, b.stats.delivered);
    EXPECT_EQ(a.stats.dropped, b.stats.dropped);
    EXPECT_EQ(a.stats.games, b.stats.games);
    EXPECT_EQ(a.stats.virtualMs, b.stats.virtualMs);
    EXPECT_EQ(a.stats.perScreen, b.stats.perScreen);
}

// A fault planted in the game once an exercise is on screen: the check that
// should see it does, and the sequence shrinks to the few events that lead
// there.
TEST(Monkey, EachCheckSeesItsPlantedFaultAndTheSequenceShrinks) {
    auto exercice = [](Game& g) {
        Screen* s = g.stage().active();
        return s && s != g.depart() && s != &g.roster() && !g.ended();
    };
    struct Cas {
        const char* check;
        std::function<void(Game&)> faute;
    };
    const Cas cas[] = {
        {"score",
         [&](Game& g) {
             if (exercice(g))
                 g.routines().score = -1;
         }},
        {"indice_message",
         [&](Game& g) {
             if (exercice(g))
                 g.routines().indice_message = 7;
         }},
        {"affichage",
         [&](Game& g) {
             if (exercice(g))
                 g.routines().platform().display().redrawNow(g.depart());
         }},
        {"souris",
         [&](Game& g) {
             if (!g.ended() && g.stage().active() == g.depart())
                 g.routines().cacher_souris();
         }},
        {"animations",
         [&](Game& g) {
             if (exercice(g))
                 g.depart()->timer().start();
         }},
        {"progression",
         [&](Game& g) {
             Screen* s = g.stage().active();
             if (s && !g.ended() && s->objectName() == QLatin1String("animaux"))
                 g.routines().progression_animaux = 100000;
         }},
    };
    const quint64 seed = 11;
    const std::vector<Event> events = generate(seed, 4000);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.check);
        Options o;
        o.afterEvent = c.faute;
        const Outcome found = run(seed, events, o);
        ASSERT_TRUE(found.failure);
        EXPECT_EQ(found.failure->check, QString::fromLatin1(c.check))
            << found.failure->detail.toStdString();
        const std::vector<Event> court =
            shrink(seed, events, *found.failure, std::chrono::seconds(15), o);
        EXPECT_LE(court.size(), 8u);
        const Outcome again = run(seed, court, o);
        ASSERT_TRUE(again.failure);
        EXPECT_EQ(again.failure->check, found.failure->check);
        const QString text = report(seed, events.size(), *found.failure, court, o);
        EXPECT_TRUE(text.contains(QStringLiteral("seed 11"))) << text.toStdString();
        EXPECT_TRUE(
            text.contains(QStringLiteral("replay: bench/monkey --seed 11 --events 4000 --keep ")))
            << text.toStdString();
    }
}

} // namespace
} // namespace zm::monkey

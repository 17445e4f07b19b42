#include "platform/fake/fake_platform.h"

#include <gtest/gtest.h>

using namespace zm;
using zm::fake::FakePlatform;

TEST(FakePlatform, TimersTickAsVirtualTimePasses) {
    FakePlatform p;
    auto timer = p.createTimer();
    std::vector<qint64> ticks;
    timer->setInterval(1000);
    timer->setOnTick([&] { ticks.push_back(p.now()); });
    timer->start();
    p.advance(3500);
    EXPECT_EQ(ticks, (std::vector<qint64>{1000, 2000, 3000}));
    timer->stop();
    p.advance(5000);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST(FakePlatform, ATickIsNeverStartedInsideItsOwnWait) {
    FakePlatform p;
    auto timer = p.createTimer();
    int depth = 0, maxDepth = 0, count = 0;
    timer->setInterval(1000);
    timer->setOnTick([&] {
        ++count;
        maxDepth = std::max(maxDepth, ++depth);
        p.clock().waitLettingEventsRun(2500);
        --depth;
    });
    timer->start();
    p.advance(6000);
    EXPECT_EQ(maxDepth, 1);
    // Ticks at 1000 (wait to 3500) and 4500 (wait to 7000, not finished).
    EXPECT_EQ(count, 2);
}

TEST(FakePlatform, InputRunsInWaitsThatLetEventsRunOnly) {
    FakePlatform p;
    std::vector<std::pair<char, qint64>> delivered;
    p.at(10, [&] { delivered.push_back({'a', p.now()}); });
    p.at(150, [&] { delivered.push_back({'b', p.now()}); });
    p.clock().waitHoldingEvents(100);
    EXPECT_TRUE(delivered.empty());
    p.clock().waitLettingEventsRun(100);
    // The click held back is delivered as soon as events run again.
    ASSERT_EQ(delivered.size(), 2u);
    EXPECT_EQ(delivered[0], std::make_pair('a', qint64(100)));
    EXPECT_EQ(delivered[1], std::make_pair('b', qint64(150)));
    EXPECT_EQ(p.now(), 200);
}

TEST(FakePlatform, ScriptedDrawsGiveTheIntegersAsked) {
    FakePlatform p;
    for (int v : {0, 7, 49})
        p.random().pushInt(v, 0, 49);
    p.random().pushInt(13, 10, 13);
    EXPECT_EQ(p.random().between(0, 49), 0);
    EXPECT_EQ(p.random().between(0, 49), 7);
    EXPECT_EQ(p.random().between(0, 49), 49);
    EXPECT_EQ(p.random().between(10, 13), 13);
}

TEST(FakePlatform, AnAmbienceEndsAfterItsLengthAndWhenSkippedStoppedOrClosed) {
    FakePlatform p;
    auto& s = p.sound();
    s.ambienceLengthMs = 8000;
    EXPECT_FALSE(s.ambiencePlaying());
    s.playAmbience(QStringLiteral("/d/1.amb"));
    p.advance(7999);
    EXPECT_TRUE(s.ambiencePlaying());
    p.advance(1);
    EXPECT_FALSE(s.ambiencePlaying());

    s.playAmbience(QStringLiteral("/d/2.amb"));
    s.next();
    EXPECT_FALSE(s.ambiencePlaying());
    s.playAmbience(QStringLiteral("/d/3.amb"));
    s.close();
    EXPECT_FALSE(s.ambiencePlaying());
    // An effect cuts the ambience short of its end: it will not play on, so
    // it has ended too.
    s.playAmbience(QStringLiteral("/d/4.amb"));
    p.advance(1000);
    s.playEffect(QStringLiteral("/d/36.ats"));
    EXPECT_FALSE(s.ambiencePlaying());
    EXPECT_EQ(s.names(), (QStringList{"1.amb", "2.amb", "3.amb", "4.amb", "36.ats"}));
}

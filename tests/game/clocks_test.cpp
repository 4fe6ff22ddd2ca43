#include <cstdint>
#include <optional>

#include "game/clock_text.h"
#include "game_fixture.h"

namespace quorvel::testing {
namespace {

TEST(ClockText, FormatsHoursMinutesSeconds) {
    const struct {
        double seconds;
        const char* text;
    } rows[] = {{0, "00:00:00"},     {59.9, "00:00:59"},   {3725, "01:02:05"}, {3600, "01:00:00"},
                {86399, "23:59:59"}, {359999, "99:59:59"}, {360000, ":00:00"}};
    for (const auto& r : rows)
        EXPECT_EQ(調査_時間秒追加結果(r.seconds), r.text) << r.seconds;
}

TEST(ClockText, PadsToTwoDigitsOrGivesNothing) {
    EXPECT_EQ(変換_数字から文字(0), "00");
    EXPECT_EQ(変換_数字から文字(5), "05");
    EXPECT_EQ(変換_数字から文字(59), "59");
    EXPECT_EQ(変換_数字から文字(100), "");
}

TEST(ClockText, ElapsedSecondsWrapAtMidnight) {
    EXPECT_DOUBLE_EQ(調査_経過秒(86399.5, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(調査_経過秒(10, 12.25), 2.25);
    EXPECT_DOUBLE_EQ(調査_経過秒(5, 5), 0);
}

TEST_F(GameTest, TickReprintsTheClockOncePerWholeSecond) {
    load();
    game.onStart();
    clearLog();
    for (int i = 0; i < 20; ++i) {  // one second of 50 ms ticks
        fake.now += 0.05;
        game.onTimerTick();
    }
    EXPECT_EQ(fake.count("text [00:00:01] 7785 6308 15 12"), 1);
    EXPECT_EQ(fake.countPrefix("text ["), 2) << "shadow and text, printed once";
}

TEST_F(GameTest, ClockCrossingMidnightKeepsCounting) {
    fake.now = 86399.5;
    load();
    game.onStart();
    fake.now = 1.0;
    game.onTimerTick();
    EXPECT_DOUBLE_EQ(s.turnSeconds, 1.5);
    EXPECT_EQ(fake.count("text [00:00:01] 7785 6308 15 12"), 1);
}

TEST_F(GameTest, WithTheClocksHiddenHandOversStillAddTheRealTurnTime) {
    fake.settingsFile->at(2) = "経過時間=OFF";
    load();
    game.onStart();
    fake.now += 30;
    pressMagnet(Direction::Up);
    EXPECT_GE(s.manSeconds, 30);
    EXPECT_LT(s.manSeconds, 32);
    EXPECT_FALSE(fake.timer);
}

TEST_F(GameTest, TheComputerIsChargedOnlyForItsOwnTurnInWholeSeconds) {
    load();
    game.onSente();
    fake.now += 100;  // the human thinks for 100 s; no tick runs during the computer's turn
    game.onTimerTick();
    clearLog();
    pressMagnet(Direction::Up);
    // The human's move ends after its magnet's blinks (0.8 s) and its slide: 100.8 to 100.925 s.
    EXPECT_EQ(s.manSeconds, 100);
    // The computer's turn lasts its two blinks (0.8 s), its pause (0.5 s) and a slide of at most
    // eight steps of 1/64 s: 1.3 to 1.425 s, a whole second.
    EXPECT_EQ(s.comSeconds, 1);
    // Its panel shows the new total at once, although no tick ran during its turn.
    EXPECT_EQ(fake.count("text [00:00:01] 558 6308 15 12"), 1);
    EXPECT_EQ(fake.count("text [00:01:40] 7785 6308 15 12"), 1) << "the human's total";
}

TEST_F(GameTest, AfterAWinTheClocksFreeze) {
    load();
    game.onStart();
    setPosition(R"(
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  k  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  K  .  .  .  .
 .  .  .  .  .  .  .  .  .
 .  .  .  .  .  .  .  .  .
 *  .  .  .  .  .  .  .  .
)");
    pressMagnet(Direction::Up);
    ASSERT_NE(s.gameOver, SIDE_NONE);
    clearLog();
    fake.now += 5;
    game.onTimerTick();
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(GameTest, TotalsOverAnHourShowTheHourField) {
    load();
    game.onStart();
    game.mutableState().manSeconds = 3725;
    clearLog();
    game.画面_再描画();
    EXPECT_EQ(fake.count("text [01:02:05] 7785 6308 15 12"), 1);
}

// The window sleeps for the time msUntilClockChanges names and skips the ticks in between. Over a
// walk of waits and hand-overs between two humans: a tick before that time changes nothing that
// could be seen, and the tick at that time reprints the clock.
TEST_F(GameTest, TicksSkippedBeforeTheNamedTimeWouldPrintNothing) {
    load();
    game.onStart();
    std::uint32_t random = 12345;
    auto next = [&random](std::uint32_t bound) {
        random = random * 1664525u + 1013904223u;
        return (random >> 8) % bound;
    };
    int printed = 0, quiet = 0;
    for (int step = 0; step < 600; ++step) {
        if (next(5) == 0) pressMagnet(static_cast<Direction>(next(4)));
        if (s.gameOver != SIDE_NONE) game.onStart();
        const std::optional<int> wait = game.msUntilClockChanges();
        ASSERT_TRUE(wait.has_value());
        // Early: at least a millisecond before the turn of the second, which lies a millisecond
        // before the named time.
        const bool early = *wait >= 3 && next(2) == 0;
        const int ms =
            early ? static_cast<int>(next(static_cast<std::uint32_t>(*wait - 2))) : *wait;
        fake.now += ms / 1000.0;
        clearLog();
        game.onTimerTick();
        const bool reprinted = fake.countPrefix("text [") > 0;
        EXPECT_EQ(reprinted, !early) << "step " << step << ": waited " << ms << " of " << *wait;
        (reprinted ? printed : quiet)++;
    }
    EXPECT_GT(printed, 100);
    EXPECT_GT(quiet, 100);
}

TEST_F(GameTest, NoTickIsNeededWithTheTimerOffOrAfterAWin) {
    load();
    EXPECT_EQ(game.msUntilClockChanges(), std::nullopt) << "before a game";
    game.onStart();
    EXPECT_EQ(game.msUntilClockChanges(), std::optional<int>(1001)) << "a turn just started";
    fake.now += 0.25;
    EXPECT_EQ(game.msUntilClockChanges(), std::optional<int>(751));
    game.mutableState().gameOver = SIDE_SENTE;
    EXPECT_EQ(game.msUntilClockChanges(), std::nullopt);
}

}
}

#include <algorithm>
#include <cstdlib>
#include <random>

#include "game_fixture.h"
#include "random_positions.h"

namespace quorvel::testing {
namespace {

// Events per seed; QUORVEL_SOAK_EVENTS raises it for a long run.
int eventsPerSeed() {
    if (const char* v = std::getenv("QUORVEL_SOAK_EVENTS")) return std::max(1, std::atoi(v));
    return 1500;
}

class Soak : public GameTest, public ::testing::WithParamInterface<std::uint32_t> {
  protected:
    // Applies one random event; returns a short description for failure messages.
    std::string randomEvent(std::mt19937& rng) {
        std::uniform_int_distribution<int> kind(0, 99);
        const int k = kind(rng);
        if (k < 45) {
            const Magnet& m = MAGNETS[rng() % MAGNETS.size()];
            pressCell(m.cellX, m.cellY);
            return "magnet " + std::string(wordOf(m.direction));
        }
        if (k < 60) {
            std::uniform_real_distribution<double> x(-2000, 11000), y(-2000, 9500);
            const double px = x(rng), py = y(rng);
            game.onMousePress(px, py);
            return "press " + std::to_string(px) + "," + std::to_string(py);
        }
        if (k < 80) {
            fake.now += std::uniform_real_distribution<double>(0.01, 40)(rng);
            if (fake.now >= 86400) fake.now -= 86400;
            game.onTimerTick();
            return "tick";
        }
        switch (k % 10) {
            case 0:
                game.onStart();
                started_ = true;
                return "START";
            case 1:
                game.onSente();
                started_ = true;
                return "SENTE";
            case 2:
                game.onGote();
                started_ = true;
                return "GOTE";
            case 3:
                game.onCancel();
                started_ = false;
                return "CANCEL";
            case 4:
                game.onKeika();
                return "KEIKA";
            case 5:
                game.onBgm();
                return "BGM";
            case 6:
                game.onSidou();
                return "SIDOU";
            case 7:
                game.onVersion();
                return "VER";
            default: {
                const int code = BACKGROUND_MIDORI + static_cast<int>(rng() % 5);
                game.onBackgroundItem(code);
                return "background " + std::to_string(code);
            }
        }
    }

    bool started_ = false;
};

TEST_P(Soak, InvariantsHoldAfterEveryEvent) {
    fake.now = 86400 - 600;  // ten minutes before midnight, so the clocks wrap during the run
    load();
    Board first;
    layFirstPosition(first);
    const std::vector<int> codes = sortedCodes(first);
    std::mt19937 rng(GetParam());
    const int events = eventsPerSeed();
    for (int i = 0; i < events; ++i) {
        const std::string event = randomEvent(rng);
        fake.log.clear();
        SCOPED_TRACE("seed " + std::to_string(GetParam()) + " event " + std::to_string(i) + ": " +
                     event + "\n" + toText(s.board));
        ASSERT_EQ(sortedCodes(s.board), codes);
        ASSERT_EQ(s.board(s.princeX, s.princeY), PRINCE);
        ASSERT_EQ(s.turn != SIDE_NONE, started_);
        if (started_) {
            ASSERT_NE(s.sides.manSide, s.sides.comSide);
            ASSERT_TRUE(s.sides.manSide == SIDE_SENTE || s.sides.manSide == SIDE_GOTE);
            ASSERT_TRUE(s.sides.comSide == SIDE_SENTE || s.sides.comSide == SIDE_GOTE);
        }
        if (s.gameMode == MODE_COM && s.gameOver == SIDE_NONE && started_) {
            ASSERT_EQ(s.turn, s.sides.manSide) << "the computer never waits for an event";
        }
        ASSERT_GE(s.manSeconds, 0);
        ASSERT_GE(s.comSeconds, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1u, 2u, 3u, 4u));

}
}

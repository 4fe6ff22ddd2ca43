// Plays computer levels against each other and counts the results.
//
//   quorvel_arena OPENINGS FIRST_SEED LEVEL_A LEVEL_B [LEVEL_A LEVEL_B ...]
//
// Levels are named as the menu names them (入門, 初級, 中級, 上級) or by number 0..3. Every
// opening is played twice per pairing, once with each level on each seat.
//
// Seats: the games are played as a game against the computer is (WinTest::AgainstComputer).
// The human's seat holds the lower pieces and moves first (as after 対局(COM) → 先手); the
// computer's seat holds the upper pieces. After a move of the lower pieces the lower side's
// attack is tested first, then the upper side's; after a move of the upper pieces only the
// upper side's. Both seats are played by a level through chooseMagnet.
//
// Openings: from seed FIRST_SEED + i, six random magnets, alternating from the lower side. A
// draw that would end the game within the six moves, or after which a 12-ply search finds
// either side a forced win (so the opening, not the levels, would decide the game), is drawn
// again from the same generator.
// A game that has no result after MAX_MOVES moves in all (opening included) is unfinished.
// The seed and seat of every unfinished game go to standard error, so that it can be replayed.
// Each level is given the game's earlier positions (the opening's included), as the game gives
// them to the computer, so the levels above 入門 steer away from positions already seen.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "ai/engine.h"
#include "ai/position.h"
#include "ai/search.h"
#include "ai/survey.h"
#include "rules/prince_step.h"

namespace quorvel {
namespace {

constexpr int MAX_MOVES = 300;
constexpr int OPENING_MOVES = 6;
constexpr int OPENING_CHECK_PLIES = 12;
constexpr int OPENING_TABLE_LOG2 = 16;
constexpr Sides SEATS{SIDE_SENTE, SIDE_GOTE};  // man: lower pieces, first; com: upper pieces
constexpr SearchGame GAME{SEATS, WinTest::AgainstComputer};
constexpr std::array<Direction, 4> DIRECTIONS{Direction::Left, Direction::Right, Direction::Up,
                                              Direction::Down};

struct GameState {
    Board board;
    Square prince = FIRST_PRINCE_SQUARE;
    int toMove = SEATS.manSide;
    int moves = 0;
    std::vector<EarlierPosition> history;  // the positions before this one
};

// Plays one move for the side to move; returns the winner's side identifier or SIDE_NONE.
int playMove(GameState& g, Direction direction) {
    stepPrince(g.board, g.prince, direction);
    slide(g.board, direction);
    ++g.moves;
    KingSquares kings;
    勢力調査(g.board, kings);
    int ax = 0, ay = 0, kx = 0, ky = 0;
    const int mover = g.toMove;
    const int other = mover == SEATS.manSide ? SEATS.comSide : SEATS.manSide;
    g.toMove = other;
    if (調査_王手(g.board, kings, SEATS, mover, ax, ay, kx, ky)) return mover;
    if (mover == SEATS.manSide && 調査_王手(g.board, kings, SEATS, other, ax, ay, kx, ky)) {
        return other;
    }
    return SIDE_NONE;
}

GameState openingOf(std::uint32_t seed) {
    std::mt19937 rng(seed);
    for (;;) {
        GameState g;
        layFirstPosition(g.board);
        bool decided = false;
        for (int i = 0; i < OPENING_MOVES && !decided; ++i) {
            g.history.push_back({g.board, g.toMove});
            decided = playMove(g, DIRECTIONS[rng() % DIRECTIONS.size()]) != SIDE_NONE;
        }
        if (decided) continue;
        engine::TranspositionTable table(OPENING_TABLE_LOG2);
        const int side = g.toMove == SEATS.comSide ? engine::UPPER : engine::LOWER;
        const engine::SearchResult r = engine::search(
            engine::fromBoard(g.board, g.prince), side, engine::winRulesOf(GAME),
            {.minDepth = OPENING_CHECK_PLIES, .maxDepth = OPENING_CHECK_PLIES}, table);
        if (r.score >= -engine::DECIDED_SCORE && r.score <= engine::DECIDED_SCORE) return g;
    }
}

// The thread's processor time, so that the figures mean the same on a busy shared machine.
double threadMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct LevelClock {
    double totalMs = 0;
    double maxMs = 0;
    long moves = 0;
};

// Plays from the opening; returns the winner's side or SIDE_NONE when unfinished.
int playGame(GameState g, Level lowerLevel, Level upperLevel, std::vector<LevelClock>& clocks) {
    std::vector<EarlierPosition> earlier = g.history;
    while (g.moves < MAX_MOVES) {
        const Level level = g.toMove == SEATS.manSide ? lowerLevel : upperLevel;
        const double start = threadMs();
        const Direction d = chooseMagnet(g.board, g.prince, g.toMove, GAME, level, earlier);
        const double ms = threadMs() - start;
        LevelClock& c = clocks[static_cast<std::size_t>(level)];
        c.totalMs += ms;
        c.maxMs = std::max(c.maxMs, ms);
        ++c.moves;
        earlier.push_back({g.board, g.toMove});
        if (const int winner = playMove(g, d); winner != SIDE_NONE) return winner;
    }
    return SIDE_NONE;
}

std::optional<Level> parseLevel(const char* text) {
    if (auto level = levelFromName(text)) return level;
    const std::string s(text);
    if (s.size() == 1 && s[0] >= '0' && s[0] <= '3') return static_cast<Level>(s[0] - '0');
    return std::nullopt;
}

struct Tally {
    int wins = 0, losses = 0, unfinished = 0;
};

int run(int argc, char** argv) {
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr,
                     "usage: %s OPENINGS FIRST_SEED LEVEL_A LEVEL_B [LEVEL_A LEVEL_B ...]\n",
                     argv[0]);
        return 2;
    }
    const int openings = std::atoi(argv[1]);
    const auto firstSeed = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    std::vector<LevelClock> clocks(LEVELS.size());
    for (int i = 3; i + 1 < argc; i += 2) {
        const auto a = parseLevel(argv[i]);
        const auto b = parseLevel(argv[i + 1]);
        if (!a || !b) {
            std::fprintf(stderr, "unknown level: %s or %s\n", argv[i], argv[i + 1]);
            return 2;
        }
        Tally asLower, asUpper;
        for (int n = 0; n < openings; ++n) {
            const std::uint32_t seed = firstSeed + static_cast<std::uint32_t>(n);
            const GameState opening = openingOf(seed);
            const int w1 = playGame(opening, *a, *b, clocks);  // A on the lower pieces
            if (w1 == SIDE_NONE) std::fprintf(stderr, "unfinished: seed %u, A lower\n", seed);
            (w1 == SIDE_NONE ? asLower.unfinished
                             : (w1 == SEATS.manSide ? asLower.wins : asLower.losses))++;
            const int w2 = playGame(opening, *b, *a, clocks);  // A on the upper pieces
            if (w2 == SIDE_NONE) std::fprintf(stderr, "unfinished: seed %u, A upper\n", seed);
            (w2 == SIDE_NONE ? asUpper.unfinished
                             : (w2 == SEATS.comSide ? asUpper.wins : asUpper.losses))++;
        }
        const int wins = asLower.wins + asUpper.wins;
        const int losses = asLower.losses + asUpper.losses;
        const int unfinished = asLower.unfinished + asUpper.unfinished;
        const double share = wins + losses > 0 ? 100.0 * wins / (wins + losses) : 0.0;
        std::printf(
            "%s vs %s: %d games: wins %d, losses %d, unfinished %d (%.1f %% of decided won) | "
            "lower seat %d/%d/%d, upper seat %d/%d/%d\n",
            std::string(levelName(*a)).c_str(), std::string(levelName(*b)).c_str(), 2 * openings,
            wins, losses, unfinished, share, asLower.wins, asLower.losses, asLower.unfinished,
            asUpper.wins, asUpper.losses, asUpper.unfinished);
        std::fflush(stdout);
    }
    for (const Level level : LEVELS) {
        const LevelClock& c = clocks[static_cast<std::size_t>(level)];
        if (c.moves == 0) continue;
        std::printf("%s: %ld moves, processor time a move: mean %.2f ms, longest %.1f ms\n",
                    std::string(levelName(level)).c_str(), c.moves, c.totalMs / c.moves, c.maxMs);
    }
    return 0;
}

}
}

int main(int argc, char** argv) {
    return quorvel::run(argc, argv);
}

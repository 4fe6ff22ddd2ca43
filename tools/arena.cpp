// Plays computer levels against each other and counts the results.
//
//   quorvel_arena [--repetition-draw] OPENINGS FIRST_SEED LEVEL_A LEVEL_B [LEVEL_A LEVEL_B ...]
//
// Levels are named as the menu names them (入門, 初級, 中級, 上級) or by number 0..3. Every
// opening is played twice per pairing, once with each level on each seat.
//
// Seats: the games are played as a game against the computer begun with 対局(COM) → 先手, and
// by the game's own replay of moves (applyMove), so wins are tested in the game's win order. The
// human's seat holds the lower pieces and moves first; the computer's seat holds the upper
// pieces. Both seats are played by a level through computerChoice, the choice the game's own
// computer makes, given the positions of the game before the current one.
//
// Openings: from seed FIRST_SEED + i, six random magnets, alternating from the lower side. A
// draw that would end the game within the six moves, or after which a 12-ply search finds
// either side a forced win (so the opening, not the levels, would decide the game), is drawn
// again from the same generator.
// A game that has no result after MAX_MOVES moves in all (opening included) is unfinished.
// The seed and seat of every unfinished game go to standard error, so that it can be replayed.
// The opening's positions are among the game's earlier positions, as in a game on the board.
//
// With --repetition-draw the games are played under 千日手: a game ends as a draw when a move
// that wins nothing makes a position's fourth occurrence, and the levels are told so. Wins,
// losses, draws and unfinished games are counted for LEVEL_A.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "ai/engine_levels.h"
#include "ai/search.h"
#include "game/computer_choice.h"
#include "game/record_replay.h"
#include "game/repetition.h"

namespace quorvel {
namespace {

constexpr int MAX_MOVES = 300;
constexpr int OPENING_MOVES = 6;
constexpr int OPENING_CHECK_PLIES = 12;
constexpr int OPENING_TABLE_LOG2 = 16;
// The sides as 対局(COM) → 先手 labels them: the human's seat the lower pieces, moving first.
constexpr Sides SEATS{SIDE_SENTE, SIDE_GOTE};
constexpr std::array<Direction, 4> DIRECTIONS{Direction::Left, Direction::Right, Direction::Up,
                                              Direction::Down};

// A game in play: the position on the board and the positions before it, oldest first.
struct GameState {
    GamePosition now = startPosition(GameCommand::Sente);
    std::vector<GamePosition> before;
};

// The end of a move: the winner's side identifier (SIDE_NONE for none) or a draw.
struct Outcome {
    int winner = SIDE_NONE;
    bool drawn = false;
    bool over() const { return winner != SIDE_NONE || drawn; }
};

// Plays one move for the side to move; a move that wins nothing and makes the position's
// fourth occurrence is a draw when the game is played under 千日手.
Outcome playMove(GameState& g, Direction direction) {
    g.before.push_back(g.now);
    RecordedMove move;
    move.direction = direction;
    applyMove(g.now, move);
    if (g.now.gameOver != SIDE_NONE) return {g.now.gameOver, false};
    return {SIDE_NONE, endsInRepetition(g.before, g.now)};
}

GameState openingOf(std::uint32_t seed, bool repetitionDraw) {
    std::mt19937 rng(seed);
    for (;;) {
        GameState g;
        g.now.repetitionDraw = repetitionDraw;
        bool decided = false;
        for (int i = 0; i < OPENING_MOVES && !decided; ++i)
            decided = playMove(g, DIRECTIONS[rng() % DIRECTIONS.size()]).over();
        if (decided) continue;
        engine::TranspositionTable table(OPENING_TABLE_LOG2);
        const GamePosition& p = g.now;
        const int side = p.turn == p.sides.comSide ? engine::UPPER : engine::LOWER;
        const engine::SearchResult r = engine::search(
            engine::fromBoard(p.board, {p.princeX, p.princeY}), side,
            engine::winRulesOf(searchGameOf(p)),
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

// Plays from the opening; an outcome that is not over is an unfinished game.
Outcome playGame(GameState g, Level lowerLevel, Level upperLevel, std::vector<LevelClock>& clocks) {
    while (g.now.moveNumber < MAX_MOVES) {
        const Level level = g.now.turn == g.now.sides.manSide ? lowerLevel : upperLevel;
        const double start = threadMs();
        const Direction d = computerChoice(g.now, g.before, level);
        const double ms = threadMs() - start;
        LevelClock& c = clocks[static_cast<std::size_t>(level)];
        c.totalMs += ms;
        c.maxMs = std::max(c.maxMs, ms);
        ++c.moves;
        if (const Outcome o = playMove(g, d); o.over()) return o;
    }
    return {};
}

std::optional<Level> parseLevel(const char* text) {
    if (auto level = levelFromName(text)) return level;
    const std::string s(text);
    if (s.size() == 1 && s[0] >= '0' && s[0] <= '3') return static_cast<Level>(s[0] - '0');
    return std::nullopt;
}

struct Tally {
    int wins = 0, losses = 0, draws = 0, unfinished = 0;
    // Counts a game in which LEVEL_A sat on the seat of side `seat`.
    void add(const Outcome& o, int seat) {
        ++(o.drawn ? draws : o.winner == SIDE_NONE ? unfinished : o.winner == seat ? wins : losses);
    }
};

int run(int argc, char** argv) {
    const char* program = argv[0];
    const bool repetitionDraw = argc > 1 && std::string(argv[1]) == "--repetition-draw";
    if (repetitionDraw) {
        --argc;
        ++argv;
    }
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr,
                     "usage: %s [--repetition-draw] OPENINGS FIRST_SEED LEVEL_A LEVEL_B "
                     "[LEVEL_A LEVEL_B ...]\n",
                     program);
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
            const GameState opening = openingOf(seed, repetitionDraw);
            const Outcome o1 = playGame(opening, *a, *b, clocks);  // A on the lower pieces
            if (!o1.over()) std::fprintf(stderr, "unfinished: seed %u, A lower\n", seed);
            asLower.add(o1, SEATS.manSide);
            const Outcome o2 = playGame(opening, *b, *a, clocks);  // A on the upper pieces
            if (!o2.over()) std::fprintf(stderr, "unfinished: seed %u, A upper\n", seed);
            asUpper.add(o2, SEATS.comSide);
        }
        const int wins = asLower.wins + asUpper.wins;
        const int losses = asLower.losses + asUpper.losses;
        const int draws = asLower.draws + asUpper.draws;
        const int unfinished = asLower.unfinished + asUpper.unfinished;
        const double share = wins + losses > 0 ? 100.0 * wins / (wins + losses) : 0.0;
        std::printf(
            "%s vs %s: %d games: wins %d, losses %d, draws %d, unfinished %d (%.1f %% of "
            "wins and losses) | lower seat %d/%d/%d/%d, upper seat %d/%d/%d/%d\n",
            std::string(levelName(*a)).c_str(), std::string(levelName(*b)).c_str(), 2 * openings,
            wins, losses, draws, unfinished, share, asLower.wins, asLower.losses, asLower.draws,
            asLower.unfinished, asUpper.wins, asUpper.losses, asUpper.draws, asUpper.unfinished);
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

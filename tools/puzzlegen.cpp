// Finds puzzles in played games and writes the puzzle file.
//
//   quorvel_puzzlegen SEED GAMES PER_N OUTPUT
//
// Plays GAMES games between two humans' sides (the lower pieces first, wins tested by the
// two-human order), game i from seed SEED + i: a few random magnets, then each side pressed by a
// level through computerChoice or at random, through the game's own replay of moves (applyMove).
// Every position reached with the game still going, and every position one magnet off the game's
// line that the magnet does not decide, is looked at once: a search of 2 N - 1 plies
// under the two-human win order finds the side to move's quickest forced win; a position is kept
// when that win takes N of its own moves (1 <= N <= 5) and exactly one first move wins within N,
// which four searches of the positions after each first move settle. The prover counts how many
// defender positions the shortest proof has to look at: the difficulty after N. Of each N, PER_N
// puzzles spread over the difficulties are kept; the file is sorted by N, then difficulty.
// Deterministic in the seed and the number of games.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "ai/prover.h"
#include "ai/search.h"
#include "game/computer_choice.h"
#include "game/record_replay.h"
#include "storage/puzzle_file.h"

namespace quorvel {
namespace {

constexpr int MAX_GAME_MOVES = 120;
constexpr int MAX_OPENING_MOVES = 10;
constexpr int TABLE_LOG2 = 16;
constexpr long PROGRESS_GAMES = 50;
constexpr std::array<Direction, 4> DIRECTIONS{Direction::Left, Direction::Right, Direction::Up,
                                              Direction::Down};
// Who presses a side's magnets: a level, or a random magnet for RANDOM.
constexpr int RANDOM = -1;
constexpr std::array<int, 9> PLAYERS{RANDOM, RANDOM, 0, 0, 1, 1, 2, 2, 3};

struct Candidate {
    std::vector<Direction> moves;
    int n = 0;
    long defenders = 0;
};

bool operator<(const Candidate& a, const Candidate& b) {
    if (a.n != b.n) return a.n < b.n;
    if (a.defenders != b.defenders) return a.defenders < b.defenders;
    if (a.moves.size() != b.moves.size()) return a.moves.size() < b.moves.size();
    return a.moves < b.moves;
}

class Finder {
  public:
    // Looks at the position reached by moves once; keeps it when it is a puzzle.
    void look(const GamePosition& p, const std::vector<Direction>& moves) {
        const int side = p.turn == p.sides.comSide ? engine::UPPER : engine::LOWER;
        const engine::Position position = engine::fromBoard(p.board, {p.princeX, p.princeY});
        const std::uint64_t key = engine::hashOf(position) ^ (side == engine::UPPER ? 1u : 0u);
        if (!seen_.insert(key).second) return;
        ++looked_;
        const int n = quickestWin(position, side, MAX_PUZZLE_N);
        if (n == 0 || winningFirstMoves(position, side, n) != 1) return;
        const long defenders = engine::defenderPositions(position, side, rules_, n);
        if (defenders < 0) {
            std::fprintf(stderr, "search and prover disagree; position skipped\n");
            return;
        }
        found_.push_back({moves, n, defenders});
    }

    std::vector<Candidate>& found() { return found_; }
    long looked() const { return looked_; }

  private:
    // The fewest own moves, up to most, within which side wins by force; 0 for none.
    int quickestWin(const engine::Position& position, int side, int most) {
        const engine::SearchResult r = engine::search(
            position, side, rules_, {.minDepth = 2 * most - 1, .maxDepth = 2 * most - 1}, table_);
        if (r.score < engine::DECIDED_SCORE) return 0;
        return (engine::WIN_SCORE - r.score + 1) / 2;
    }

    int winningFirstMoves(const engine::Position& position, int side, int n) {
        int wins = 0;
        for (const Direction d : DIRECTIONS) {
            engine::Position child = position;
            engine::play(child, d);
            const int outcome = engine::decide(child, side, rules_);
            if (outcome > 0) {
                ++wins;
            } else if (outcome == 0 && n > 1) {
                const engine::SearchResult r = engine::search(
                    child, -side, rules_, {.minDepth = 2 * n - 2, .maxDepth = 2 * n - 2}, table_);
                if (r.score <= -(engine::WIN_SCORE - (2 * n - 2))) ++wins;
            }
        }
        return wins;
    }

    engine::WinRules rules_ = engine::winRulesOf(searchGameOf(startPosition(GameCommand::Start)));
    engine::TranspositionTable table_{TABLE_LOG2};
    std::unordered_set<std::uint64_t> seen_;
    std::vector<Candidate> found_;
    long looked_ = 0;
};

// The positions one magnet off the game's line, where that magnet wins nothing.
void lookAside(const GamePosition& now, std::vector<Direction>& moves, Finder& finder) {
    for (const Direction d : DIRECTIONS) {
        GamePosition aside = now;
        RecordedMove move;
        move.direction = d;
        applyMove(aside, move);
        if (aside.gameOver != SIDE_NONE) continue;
        moves.push_back(d);
        finder.look(aside, moves);
        moves.pop_back();
    }
}

// One game from seed: a random opening, then each side's player; every undecided position
// reached goes to the finder.
void playGame(std::uint32_t seed, Finder& finder) {
    std::mt19937 rng(seed);
    GamePosition now = startPosition(GameCommand::Start);
    std::vector<GamePosition> before;
    std::vector<Direction> moves;
    const int lower = PLAYERS[rng() % PLAYERS.size()];
    const int upper = PLAYERS[rng() % PLAYERS.size()];
    const int opening = static_cast<int>(rng() % (MAX_OPENING_MOVES + 1));
    for (int i = 0; i < MAX_GAME_MOVES; ++i) {
        const int player = i < opening ? RANDOM : now.turn == now.sides.manSide ? lower : upper;
        const Direction d = player == RANDOM
                                ? DIRECTIONS[rng() % DIRECTIONS.size()]
                                : computerChoice(now, before, static_cast<Level>(player));
        before.push_back(now);
        RecordedMove move;
        move.direction = d;
        applyMove(now, move);
        moves.push_back(d);
        if (now.gameOver != SIDE_NONE) return;
        finder.look(now, moves);
        lookAside(now, moves, finder);
    }
}

// Of the candidates of one N (sorted), count spread evenly over their difficulties.
std::vector<Candidate> spread(const std::vector<Candidate>& sorted, std::size_t count) {
    if (sorted.size() <= count) return sorted;
    std::vector<Candidate> kept;
    for (std::size_t i = 0; i < count; ++i)
        kept.push_back(sorted[i * sorted.size() / count]);
    return kept;
}

double processMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

int run(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SEED GAMES PER_N OUTPUT\n", argv[0]);
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const long games = std::atol(argv[2]);
    const auto perN = static_cast<std::size_t>(std::atol(argv[3]));
    const double start = processMs();
    Finder finder;
    for (long g = 0; g < games; ++g) {
        playGame(seed + static_cast<std::uint32_t>(g), finder);
        if ((g + 1) % PROGRESS_GAMES == 0)
            std::fprintf(stderr, "%ld games, %zu candidates\n", g + 1, finder.found().size());
    }
    std::vector<Candidate>& found = finder.found();
    std::sort(found.begin(), found.end());
    std::vector<Puzzle> puzzles;
    for (int n = MIN_PUZZLE_N; n <= MAX_PUZZLE_N; ++n) {
        std::vector<Candidate> ofN;
        for (const Candidate& c : found) {
            if (c.n == n) ofN.push_back(c);
        }
        const std::vector<Candidate> kept = spread(ofN, perN);
        std::printf("N = %d: %zu found, %zu kept\n", n, ofN.size(), kept.size());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const Candidate& c = kept[i];
            std::string number = std::to_string(i + 1);
            number.insert(0, 3 - std::min<std::size_t>(3, number.size()), '0');
            const std::string id = "n" + std::to_string(n) + "-" + number;
            puzzles.push_back({id, c.moves, c.n});
        }
    }
    std::ofstream out(argv[4], std::ios::binary);
    out << formatPuzzles(puzzles);
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[4]);
        return 1;
    }
    std::printf("%ld games, %ld positions looked at, %zu puzzles written, %.1f s processor time\n",
                games, finder.looked(), puzzles.size(), (processMs() - start) / 1e3);
    return 0;
}

}
}

int main(int argc, char** argv) {
    return quorvel::run(argc, argv);
}

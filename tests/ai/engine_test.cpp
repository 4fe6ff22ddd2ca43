#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

#include "ai/engine.h"
#include "ai/engine_levels.h"
#include "ai/search.h"
#include "ai/survey.h"
#include "ai/trials.h"
#include "random_positions.h"
#include "rules/board_text.h"
#include "rules/prince_step.h"

namespace quorvel {
namespace {

constexpr std::array<Direction, 4> kMagnets{Direction::Left, Direction::Right, Direction::Up,
                                            Direction::Down};

TEST(Levels, NamesRoundTripAndNothingElseNamesALevel) {
    const std::pair<Level, const char*> names[] = {
        {Level::入門, "入門"}, {Level::初級, "初級"}, {Level::中級, "中級"}, {Level::上級, "上級"}};
    for (const auto& [level, name] : names) {
        EXPECT_EQ(levelName(level), name);
        EXPECT_EQ(levelFromName(name), level);
    }
    for (const char* other : {"", "入門 ", " 上級", "上", "0", "Level::上級", "強さ"}) {
        EXPECT_FALSE(levelFromName(other).has_value()) << other;
    }
}

// A game position: a random six-to-twenty-move game from the first position, by the rules.
struct Node {
    Board board;
    Square prince;
    int toMove;  // side identifier
};

// The side identifier that wins after `mover` has moved, or SIDE_NONE, as the game decides.
int winnerAfter(const Board& board, int mover, const SearchGame& game) {
    KingSquares kings;
    勢力調査(board, kings);
    int ax = 0, ay = 0, kx = 0, ky = 0;
    for (const int side : winOrder(game.winTest, game.sides, mover)) {
        if (side != SIDE_NONE && 調査_王手(board, kings, game.sides, side, ax, ay, kx, ky)) {
            return side;
        }
    }
    return SIDE_NONE;
}

Node after(const Node& n, Direction d, const SearchGame& game, int& winner) {
    Node next = n;
    stepPrince(next.board, next.prince, d);
    slide(next.board, d);
    next.toMove = n.toMove == game.sides.manSide ? game.sides.comSide : game.sides.manSide;
    winner = winnerAfter(next.board, n.toMove, game);
    return next;
}

// An exhaustive proof on the plain board of the rules: can `winner` force a win within
// `plies` moves from n, whatever the other side plays? Memoised, nothing else is cut.
class Prover {
  public:
    explicit Prover(const SearchGame& game) : game_(game) {}

    bool forcesWin(const Node& n, int winner, int plies) {
        if (plies == 0) return false;
        const auto key =
            std::make_tuple(n.board.cells, n.prince.x, n.prince.y, n.toMove, winner, plies);
        if (const auto it = memo_.find(key); it != memo_.end()) return it->second;
        const bool chooses = n.toMove == winner;
        bool result = !chooses;
        for (const Direction d : kMagnets) {
            int w = SIDE_NONE;
            const Node next = after(n, d, game_, w);
            const bool won = w == winner || (w == SIDE_NONE && forcesWin(next, winner, plies - 1));
            if (chooses && won) {
                result = true;
                break;
            }
            if (!chooses && !won) {
                result = false;
                break;
            }
        }
        memo_.emplace(key, result);
        return result;
    }

  private:
    SearchGame game_;
    std::map<std::tuple<decltype(Board::cells), int, int, int, int, int>, bool> memo_;
};

std::vector<Node> gamePositions(const SearchGame& game, int count) {
    std::vector<Node> nodes;
    std::mt19937 rng(20261208);
    while (static_cast<int>(nodes.size()) < count) {
        Node n;
        layFirstPosition(n.board);
        n.prince = FIRST_PRINCE_SQUARE;
        n.toMove = SIDE_SENTE;
        const int length = 6 + static_cast<int>(rng() % 15);
        bool decided = false;
        for (int i = 0; i < length && !decided; ++i) {
            int w = SIDE_NONE;
            n = after(n, kMagnets[rng() % 4], game, w);
            decided = w != SIDE_NONE;
        }
        if (!decided) nodes.push_back(n);
    }
    return nodes;
}

// 上級 plays a win that is forced within 12 plies whenever one exists, and otherwise never a
// move after which the opponent forces a win within 12 plies when another move avoids that.
// Both kinds of position must occur, so the property is really exercised.
TEST(ExpertLevel, PlaysForcedWinsAndAvoidsForcedLossesWithinTwelvePlies) {
    const SearchGame games[] = {{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer},
                                {{SIDE_GOTE, SIDE_SENTE}, WinTest::AgainstComputer},
                                {{SIDE_SENTE, SIDE_GOTE}, WinTest::TwoHumans}};
    int winsSeen = 0, escapesSeen = 0;
    for (const SearchGame& game : games) {
        Prover prover(game);
        for (const Node& n : gamePositions(game, 16)) {
            const int me = n.toMove;
            const int them = me == game.sides.manSide ? game.sides.comSide : game.sides.manSide;
            std::array<bool, 4> wins{}, loses{};
            for (int m = 0; m < 4; ++m) {
                int w = SIDE_NONE;
                const Node next = after(n, kMagnets[m], game, w);
                wins[m] = w == me || (w == SIDE_NONE && prover.forcesWin(next, me, 11));
                loses[m] = w == them || (w == SIDE_NONE && prover.forcesWin(next, them, 11));
            }
            const Direction choice = chooseMagnet(n.board, n.prince, me, game, Level::上級);
            const int c = static_cast<int>(choice);
            SCOPED_TRACE(toText(n.board) + "to move " + std::to_string(me) + ", chose " +
                         std::string(wordOf(choice)));
            const bool canWin = std::find(wins.begin(), wins.end(), true) != wins.end();
            const bool canEscape = std::find(loses.begin(), loses.end(), false) != loses.end();
            if (canWin) {
                ++winsSeen;
                EXPECT_TRUE(wins[c]) << "missed a forced win";
            } else if (canEscape) {
                escapesSeen += std::find(loses.begin(), loses.end(), true) != loses.end();
                EXPECT_FALSE(loses[c]) << "walked into a forced loss";
            }
        }
    }
    EXPECT_GT(winsSeen, 0);
    EXPECT_GT(escapesSeen, 0);
}

// Whether me, to move at n, wins within `moves` of its own moves, the first of them `first`,
// against an opponent who answers every move as 入門 does: tried on the plain board of the rules.
bool winsAgainstBeginner(const Node& n, Direction first, int moves, const SearchGame& game) {
    const int me = n.toMove;
    int w = SIDE_NONE;
    const Node mine = after(n, first, game, w);
    if (w != SIDE_NONE) return w == me;
    const Direction reply = chooseMagnet(mine.board, mine.prince, mine.toMove, game, Level::入門);
    const Node next = after(mine, reply, game, w);
    if (w != SIDE_NONE || moves == 1) return w == me;
    return std::any_of(kMagnets.begin(), kMagnets.end(),
                       [&](Direction d) { return winsAgainstBeginner(next, d, moves - 1, game); });
}

// Games of 上級 against 入門 and 中級 on either seat. Where 上級's move differs from the plain
// search's (the one that assumes the best reply), the opponent's last move was the one 入門
// would have played, and 上級's move wins within five moves against 入門's replies and is not
// one after which the opponent forces a win within 12 plies: circles are broken only with a
// sure gain against the one-move look-ahead, only while the opponent plays like it, and at no
// risk against a better player.
TEST(ExpertLevel, LeavesTheBestReplysChoiceOnlyForAWinAgainstTheOneMoveLookAhead) {
    const SearchGame game{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer};
    const engine::WinRules rules = engine::winRulesOf(game);
    const auto signOf = [&](int side) {
        return side == game.sides.comSide ? engine::UPPER : engine::LOWER;
    };
    engine::TranspositionTable table(20);
    Prover prover(game);
    int changed = 0, unforetold = 0;
    for (const auto& [opponent, openings, moves] :
         {std::tuple{Level::入門, 12, 60}, std::tuple{Level::中級, 3, 30}}) {
        for (const int expert : {game.sides.manSide, game.sides.comSide}) {
            const int them = expert == game.sides.manSide ? game.sides.comSide : game.sides.manSide;
            for (const Node& start : gamePositions(game, openings)) {
                Node n = start;
                bool foretold = true;  // the opponent's last move was 入門's
                std::vector<EarlierPosition> earlier;
                std::vector<engine::Earlier> positions;
                for (int move = 0; move < moves; ++move) {
                    Direction d;
                    if (n.toMove == expert) {
                        d = chooseMagnet(n.board, n.prince, n.toMove, game, Level::上級, earlier);
                        const Direction plain =
                            engine::search(engine::fromBoard(n.board, n.prince), signOf(n.toMove),
                                           rules, engine::limitsOf(Level::上級), table, positions)
                                .best;
                        unforetold += !foretold;
                        if (d != plain) {
                            ++changed;
                            SCOPED_TRACE(toText(n.board) + "chose " + std::string(wordOf(d)));
                            EXPECT_TRUE(foretold);
                            EXPECT_TRUE(winsAgainstBeginner(n, d, 5, game));
                            int w = SIDE_NONE;
                            const Node next = after(n, d, game, w);
                            EXPECT_TRUE(w == SIDE_NONE && !prover.forcesWin(next, them, 11));
                        }
                    } else {
                        d = chooseMagnet(n.board, n.prince, n.toMove, game, opponent);
                        int w = SIDE_NONE;
                        const Direction beginner =
                            chooseMagnet(n.board, n.prince, n.toMove, game, Level::入門);
                        foretold = after(n, beginner, game, w).board == after(n, d, game, w).board;
                    }
                    earlier.push_back({n.board, n.toMove});
                    positions.push_back({engine::fromBoard(n.board, n.prince), signOf(n.toMove)});
                    int w = SIDE_NONE;
                    n = after(n, d, game, w);
                    if (w != SIDE_NONE) break;
                }
            }
        }
    }
    EXPECT_GT(changed, 0) << "no move was changed, the test proves nothing";
    EXPECT_GT(unforetold, 0) << "the opponent always played as 入門";
}

// 入門 is the four trials for the upper pieces; every level gives the same move for the same
// position on every call, whatever was searched before.
TEST(Levels, BeginnerIsTheFourTrialsAndEveryLevelIsRepeatable) {
    const SearchGame game{{SIDE_GOTE, SIDE_SENTE}, WinTest::AgainstComputer};
    const std::vector<Node> nodes = gamePositions(game, 20);
    std::vector<std::array<Direction, 4>> first;
    for (const Node& n : nodes) {
        Board board = n.board;
        Board saved;
        KingSquares kings;
        const TrialResult trials = tryDirections(board, saved, kings, game.sides);
        EXPECT_EQ(wordOf(chooseMagnet(n.board, n.prince, game.sides.comSide, game, Level::入門)),
                  trials.bestDirection);
        std::array<Direction, 4> moves;
        for (const Level level : LEVELS) {
            moves[static_cast<int>(level)] = chooseMagnet(n.board, n.prince, n.toMove, game, level);
        }
        first.push_back(moves);
    }
    for (std::size_t i = nodes.size(); i-- > 0;) {
        for (const Level level : LEVELS) {
            EXPECT_EQ(chooseMagnet(nodes[i].board, nodes[i].prince, nodes[i].toMove, game, level),
                      first[i][static_cast<int>(level)]);
        }
    }
}

// Games of 中級 against 入門 from random openings, played with the position-only choice:
// wherever that choice brings back an earlier position with the same side to move, the choice
// given the game's history does not when another move avoids that and a loss forced within the
// level's depth (proved exhaustively), for 中級 and 上級 alike; and it is the same on every call,
// whatever was searched before.
TEST(Levels, HistoryKeepsTheSearchingLevelsOutOfCircles) {
    const SearchGame game{{SIDE_SENTE, SIDE_GOTE}, WinTest::AgainstComputer};
    const auto repeats = [](const Node& n, const std::vector<EarlierPosition>& earlier) {
        return std::any_of(earlier.begin(), earlier.end(), [&](const EarlierPosition& e) {
            return e.board == n.board && e.sideToMove == n.toMove;
        });
    };
    Prover prover(game);
    int circlesLeft = 0;
    for (const Node& start : gamePositions(game, 12)) {
        Node n = start;
        std::vector<EarlierPosition> earlier;
        for (int move = 0; move < 80; ++move) {
            const Level level = n.toMove == game.sides.manSide ? Level::中級 : Level::入門;
            const Direction plain = chooseMagnet(n.board, n.prince, n.toMove, game, level);
            int w = SIDE_NONE;
            const Node next = after(n, plain, game, w);
            if (w != SIDE_NONE) break;
            if (level != Level::入門 && repeats(next, earlier)) {
                const int them =
                    n.toMove == game.sides.manSide ? game.sides.comSide : game.sides.manSide;
                for (const auto& [searching, plies] :
                     {std::pair{Level::中級, 5}, std::pair{Level::上級, 11}}) {
                    bool canAvoid = false;
                    for (const Direction d : kMagnets) {
                        int dw = SIDE_NONE;
                        const Node other = after(n, d, game, dw);
                        canAvoid = canAvoid || (dw == SIDE_NONE && !repeats(other, earlier) &&
                                                !prover.forcesWin(other, them, plies));
                    }
                    const Direction aware =
                        chooseMagnet(n.board, n.prince, n.toMove, game, searching, earlier);
                    int aw = SIDE_NONE;
                    if (canAvoid) {
                        EXPECT_FALSE(repeats(after(n, aware, game, aw), earlier));
                    }
                    chooseMagnet(start.board, start.prince, start.toMove, game, searching);
                    EXPECT_EQ(chooseMagnet(n.board, n.prince, n.toMove, game, searching, earlier),
                              aware);
                    circlesLeft += canAvoid;
                }
                break;
            }
            earlier.push_back({n.board, n.toMove});
            n = next;
        }
    }
    EXPECT_GT(circlesLeft, 0) << "no position-only circle was met, the test proves nothing";
}

}
}

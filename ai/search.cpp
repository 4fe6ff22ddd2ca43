#include "ai/search.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ai/attack.h"
#include "ai/heuristic.h"
#include "rules/repetition.h"

namespace quorvel::engine {

namespace {

constexpr std::array<Direction, 4> MOVES{Direction::Left, Direction::Right, Direction::Up,
                                         Direction::Down};
constexpr int INFINITE_SCORE = WIN_SCORE + 1;
// The score of an undecided position in which the side to move already attacks the king
// (against the computer, after the computer's move): it wins unless its own slide breaks the
// attack.
constexpr int PENDING_ATTACK = 500;
constexpr std::uint64_t UPPER_TO_MOVE_KEY = 0x9e3779b97f4a7c15ull;
constexpr std::array<bool, 4> ANY_MOVE{true, true, true, true};

std::uint64_t keyOf(const Position& p, int side) {
    return hashOf(p) ^ (side == UPPER ? UPPER_TO_MOVE_KEY : 0);
}

// A short summary of a position: the prince's and the kings' squares and the side to move.
// Positions with different summaries differ, so most questions are answered without a key.
constexpr unsigned SUMMARY_MASK = 4095;
unsigned summaryOf(const Position& p, int side) {
    return (p.prince ^ (static_cast<unsigned>(p.upperKing) << 5) ^
            (static_cast<unsigned>(p.lowerKing) << 3) ^ (side == UPPER ? 2048u : 0u)) &
           SUMMARY_MASK;
}

// The earlier positions of the game and of the searched line, by key, with a table of counts
// by summary.
class Repetitions {
  public:
    void push(std::uint64_t key, unsigned summary) {
        entries_.push_back({key, summary});
        ++counts_[summary];
    }
    void pop() {
        --counts_[entries_.back().summary];
        entries_.pop_back();
    }
    // Whether a position of this summary may be among them.
    bool mayContain(unsigned summary) const { return counts_[summary] != 0; }
    int size() const { return static_cast<int>(entries_.size()); }
    // How many positions ago key last occurred (1: the latest), or 0 when it did not.
    int age(std::uint64_t key) const {
        for (std::size_t i = entries_.size(); i-- > 0;) {
            if (entries_[i].key == key) return static_cast<int>(entries_.size() - i);
        }
        return 0;
    }
    // The place of the n-th latest occurrence of key (1: the latest), or -1 when it occurred
    // fewer than n times.
    int placeOfLatest(std::uint64_t key, int n) const {
        for (std::size_t i = entries_.size(); i-- > 0;) {
            if (entries_[i].key == key && --n == 0) return static_cast<int>(i);
        }
        return -1;
    }

  private:
    struct Entry {
        std::uint64_t key;
        unsigned summary;
    };
    std::vector<Entry> entries_;
    std::array<std::uint16_t, SUMMARY_MASK + 1> counts_{};
};

// Whether a score, for either side, is a return's: those lie below HELD_SCORE for the side that
// returns (see below; a return's score grows with the ply but stays far below it).
constexpr int RETURN_SCORES_END = REPEAT_SCORE / 2;
// Lines of up to 64 plies keep their returns' scores below it.
static_assert(REPEAT_SCORE + 65 * REPEAT_PLY_STEP <= RETURN_SCORES_END);
bool isReturnScore(int score) {
    return score >= REPEAT_SCORE && score < RETURN_SCORES_END;
}

// Decided scores and returns' scores are stored relative to the node so that they stay right at
// any ply.
int toTable(int score, int ply) {
    if (score > DECIDED_SCORE) return score + ply;
    if (score < -DECIDED_SCORE) return score - ply;
    if (isReturnScore(score)) return score - ply * REPEAT_PLY_STEP;
    if (isReturnScore(-score)) return score + ply * REPEAT_PLY_STEP;
    return score;
}
int fromTable(int score, int ply) {
    if (score > DECIDED_SCORE) return score - ply;
    if (score < -DECIDED_SCORE) return score + ply;
    if (isReturnScore(score)) return score + ply * REPEAT_PLY_STEP;
    if (isReturnScore(-score)) return score - ply * REPEAT_PLY_STEP;
    return score;
}

// The reach of a score (see negamax) that rests on no return.
constexpr int NO_RETURN = INT32_MAX;

class Searcher {
  public:
    Searcher(const WinRules& rules, TranspositionTable& table, int rootSide)
        : rules_(rules), rootSide_(rootSide), table_(table) {}

    Repetitions& repetitions() { return repetitions_; }
    // When the searching side's move to child (the other side to move, key childKey) brings
    // back an earlier position, its score for the searching side, and the place of that
    // position in the repetitions into place; 0 otherwise.
    int repeatScore(int mover, const Position& child, std::uint64_t childKey, int childPly,
                    int* place = nullptr) const {
        if (mover != rootSide_ || !repetitions_.mayContain(summaryOf(child, -mover))) return 0;
        const int age = repetitions_.age(childKey);
        if (age == 0) return 0;
        if (place != nullptr) *place = repetitions_.size() - age;
        return REPEAT_SCORE + childPly * REPEAT_PLY_STEP + std::min(age, REPEAT_PLY_STEP - 1);
    }

    // Under the 千日手 rule, whether a move to child (childSide to move, key childKey) makes its
    // fourth occurrence, a draw; then the place in the repetitions of the earliest occurrence
    // that the draw rests on into place.
    bool drawn(const Position& child, int childSide, std::uint64_t childKey,
               int* place = nullptr) const {
        if (!rules_.repetitionDraw || !repetitions_.mayContain(summaryOf(child, childSide))) {
            return false;
        }
        const int first = repetitions_.placeOfLatest(childKey, REPETITION_DRAW_OCCURRENCES - 1);
        if (first < 0) return false;
        if (place != nullptr) *place = first;
        return true;
    }

    void setNodeCap(std::uint64_t cap) { nodeCap_ = cap; }

    // The score of p for side (to move) and, at ply 0, the best move into bestMove. Afterwards
    // reach_ is the place in the repetitions of the earliest position that the score rests on
    // a return to (NO_RETURN for none). Returns to p or to positions after it are p's own and
    // the same on every path to p; a score that rests on a return to a position before p
    // belongs to the path that led to p, so the table keeps only its move.
    int negamax(const Position& p, std::uint64_t key, int side, int depth, int alpha, int beta,
                int ply, int* bestMove) {
        int firstMove = bestMove != nullptr ? *bestMove : 0;
        if (const TableEntry* e = table_.find(key)) {
            firstMove = e->move;
            if (ply > 0 && e->depth >= depth) {
                const int s = fromTable(e->score, ply);
                reach_ = NO_RETURN;
                if (e->bound == Bound::Exact) return s;
                if (e->bound == Bound::Lower && s >= beta) return s;
                if (e->bound == Bound::Upper && s <= alpha) return s;
            }
        }
        const int alphaStart = alpha;
        const int place = repetitions_.size();
        repetitions_.push(key, summaryOf(p, side));
        int best = -INFINITE_SCORE;
        int bestIndex = firstMove;
        // The earliest return that any score seen, and the best one, rests on.
        int anyReach = NO_RETURN;
        int bestReach = NO_RETURN;
        for (int n = 0; n < static_cast<int>(MOVES.size()); ++n) {
            // The remembered move first, then the others in their fixed order.
            const int m = n == 0 ? firstMove : (n <= firstMove ? n - 1 : n);
            Position child = p;
            play(child, MOVES[m]);
            if (++nodes_ > nodeCap_) {
                aborted_ = true;
                repetitions_.pop();
                return 0;
            }
            int s;
            int reach = NO_RETURN;
            if (depth <= 1) {
                s = lastPlyScore(child, side, ply + 1, reach);
            } else {
                // The child's table entry is fetched while the win rules are tested.
                const std::uint64_t childKey = keyOf(child, -side);
                table_.prefetch(childKey);
                if (const int outcome = decide(child, side, rules_); outcome != 0) {
                    s = outcome * (WIN_SCORE - (ply + 1));
                } else if (drawn(child, -side, childKey, &reach)) {
                    s = DRAW_SCORE;
                } else if (const int r = repeatScore(side, child, childKey, ply + 1, &reach);
                           r != 0) {
                    s = r;
                } else {
                    s = -negamax(child, childKey, -side, depth - 1, -beta, -alpha, ply + 1,
                                 nullptr);
                    if (aborted_) {
                        repetitions_.pop();
                        return 0;
                    }
                    reach = reach_;
                }
            }
            anyReach = std::min(anyReach, reach);
            if (s > best) {
                best = s;
                bestIndex = m;
                bestReach = reach;
            }
            if (s > alpha) alpha = s;
            if (alpha >= beta) break;
        }
        repetitions_.pop();
        const Bound bound = best <= alphaStart ? Bound::Upper
                            : best >= beta     ? Bound::Lower
                                               : Bound::Exact;
        // A lower bound rests on its best move alone; the other bounds on every move's score.
        // An exact score whose best move rests on no earlier return is a lower bound on any path.
        reach_ = bound == Bound::Lower ? bestReach : anyReach;
        if (reach_ >= place) {
            table_.store(key, toTable(best, ply), depth, bound, bestIndex);
        } else if (bound == Bound::Exact && bestReach >= place) {
            table_.store(key, toTable(best, ply), depth, Bound::Lower, bestIndex);
        } else {
            table_.store(key, 0, 0, Bound::None, bestIndex);
        }
        if (bestMove != nullptr) *bestMove = bestIndex;
        return best;
    }

    // The quickest win of side (to move at p, which the caller has put among the earlier
    // positions) within `moves` of its own moves against an opponent who answers every move as
    // model does: WIN_SCORE less the plies, or 0 when there is none; its first move into
    // bestMove. Only the moves in `allowed` are tried at p; a move that brings back an earlier
    // position makes no progress and is not tried at all.
    int quickestWinAgainst(const Position& p, int side, int moves, int ply, const ReplyModel& model,
                           const std::array<bool, 4>& allowed, int* bestMove) {
        int best = 0;
        for (int m = 0; m < static_cast<int>(MOVES.size()); ++m) {
            if (!allowed[static_cast<std::size_t>(m)]) continue;
            Position child = p;
            play(child, MOVES[m]);
            ++nodes_;
            int s = 0;
            const std::uint64_t childKey = keyOf(child, -side);
            if (const int outcome = decide(child, side, rules_); outcome != 0) {
                s = outcome > 0 ? WIN_SCORE - (ply + 1) : 0;
            } else if (repeatScore(side, child, childKey, ply + 1) == 0) {
                Position next = child;
                play(next, model(child, -side));
                if (const int outcome = decide(next, -side, rules_); outcome != 0) {
                    s = outcome < 0 ? WIN_SCORE - (ply + 2) : 0;
                } else if (drawn(next, side, keyOf(next, side))) {
                    s = 0;
                } else if (moves > 1) {
                    repetitions_.push(childKey, summaryOf(child, -side));
                    repetitions_.push(keyOf(next, side), summaryOf(next, side));
                    s = quickestWinAgainst(next, side, moves - 1, ply + 2, model, ANY_MOVE,
                                           nullptr);
                    repetitions_.pop();
                    repetitions_.pop();
                }
            }
            if (s > best) {
                best = s;
                if (bestMove != nullptr) *bestMove = m;
            }
        }
        return best;
    }

    std::uint64_t nodes() const { return nodes_; }
    const WinRules& rules() const { return rules_; }
    bool aborted() const { return aborted_; }

  private:
    // The score for mover of child, reached by its move on the search's last ply (childPly):
    // decided, a return (its place in the repetitions into reach), or the evaluation. Both
    // sides' threats answer both the win rules' attack tests and the evaluation.
    int lastPlyScore(const Position& child, int mover, int childPly, int& reach) const {
        const Threat upper = threat(child, UPPER);
        const Threat lower = threat(child, LOWER);
        if (const int outcome = decide(upper.attacks, lower.attacks, mover, rules_); outcome != 0) {
            return outcome * (WIN_SCORE - childPly);
        }
        if ((mover == rootSide_ || rules_.repetitionDraw) &&
            repetitions_.mayContain(summaryOf(child, -mover))) {
            const std::uint64_t childKey = keyOf(child, -mover);
            if (drawn(child, -mover, childKey, &reach)) return DRAW_SCORE;
            if (const int r = repeatScore(mover, child, childKey, childPly, &reach); r != 0) {
                return r;
            }
        }
        const Threat& mine = mover == UPPER ? upper : lower;
        const Threat& theirs = mover == UPPER ? lower : upper;
        int s = mine.pressure - theirs.pressure;
        if (leavesOpponentAttackUntested(mover, rules_) && theirs.attacks) s -= PENDING_ATTACK;
        return s;
    }

    WinRules rules_;
    int rootSide_;
    Repetitions repetitions_;
    std::uint64_t nodeCap_ = SAFETY_CAP;
    TranspositionTable& table_;
    std::uint64_t nodes_ = 0;
    bool aborted_ = false;
    int reach_ = NO_RETURN;
};

// A root move that leaves the opponent replies which lose by force is a trap: an opponent who
// looks less deep falls into it. Among the moves that do not lose, the search adds this much
// per such reply to the move's score.
constexpr int TRAP_BONUS = 60;
// How deep the replies are searched for a forced win, how deep each root move is searched
// again for its exact score (at least the twelve plies within which a loss is always seen),
// and how many positions the whole comparison may take before the plain choice stands.
constexpr int TRAP_DEPTH_LIMIT = 10;
// A move after which the opponent can put the very same position back makes no progress: the
// levels choose from the position alone, so the game could turn in that circle for ever.
constexpr int RETURN_PENALTY = 200;
constexpr int RESEARCH_DEPTH_LIMIT = 13;
constexpr std::uint64_t TRAP_NODES = 200'000;
// A score below this (and not a loss) means that an opponent who plays its best holds every
// move that does not lose to a return: the game would go round in circles. Then a move that
// wins within MODEL_MOVES moves against the reply model is played instead, if there is one and
// the model foretold the opponent's last move; the moves allowed are the ones that do not lose,
// so nothing is risked against a better player.
constexpr int HELD_SCORE = RETURN_SCORES_END;
constexpr int MODEL_MOVES = 5;

// After the deepening has ended with an undecided score: the exact score of every root move at
// the last depth, plus its traps. Moves that lose are never chosen over ones that do not; the
// ones that do not are marked in safe.
void preferTraps(const Position& root, int side, int depth, Searcher& searcher,
                 SearchResult& result, std::array<bool, 4>& safe) {
    const int trapDepth = std::min(depth - 2, TRAP_DEPTH_LIMIT);
    const int researchDepth = std::min(depth - 1, RESEARCH_DEPTH_LIMIT);
    int bestTotal = -INFINITE_SCORE;
    for (int m = 0; m < static_cast<int>(MOVES.size()); ++m) {
        Position child = root;
        play(child, MOVES[m]);
        if (decide(child, side, searcher.rules()) != 0) continue;
        const std::uint64_t childKey = keyOf(child, -side);
        // A draw ends the game: no reply follows it, so it sets no trap and is never undone.
        if (searcher.drawn(child, -side, childKey)) {
            safe[static_cast<std::size_t>(m)] = true;
            if (DRAW_SCORE > bestTotal) {
                bestTotal = DRAW_SCORE;
                result.best = MOVES[m];
                result.score = DRAW_SCORE;
            }
            continue;
        }
        const int repeated = searcher.repeatScore(side, child, childKey, 1);
        const int value = repeated != 0
                              ? repeated
                              : -searcher.negamax(child, childKey, -side, researchDepth,
                                                  -INFINITE_SCORE, INFINITE_SCORE, 1, nullptr);
        if (searcher.aborted()) return;
        if (value < -DECIDED_SCORE) continue;
        // The shorter search above may miss a loss that the deepening saw: ask at full depth
        // whether the opponent forces a win.
        if (researchDepth < depth - 1) {
            const int theirs = searcher.negamax(child, childKey, -side, depth - 1, DECIDED_SCORE,
                                                DECIDED_SCORE + 1, 1, nullptr);
            if (searcher.aborted()) return;
            if (theirs > DECIDED_SCORE) continue;
        }
        safe[static_cast<std::size_t>(m)] = true;
        int traps = 0;
        bool returns = false;
        searcher.repetitions().push(childKey, summaryOf(child, -side));
        for (const Direction reply : MOVES) {
            Position next = child;
            play(next, reply);
            returns = returns || next == root;
            const int outcome = decide(next, -side, searcher.rules());
            if (outcome < 0) {
                ++traps;
            } else if (outcome == 0 && trapDepth > 0 &&
                       !searcher.drawn(next, side, keyOf(next, side))) {
                const int v = searcher.negamax(next, keyOf(next, side), side, trapDepth,
                                               DECIDED_SCORE, DECIDED_SCORE + 1, 2, nullptr);
                if (searcher.aborted()) return;
                if (v > DECIDED_SCORE) ++traps;
            }
        }
        searcher.repetitions().pop();
        const int total = value + TRAP_BONUS * traps - (returns ? RETURN_PENALTY : 0);
        if (total > bestTotal) {
            bestTotal = total;
            result.best = MOVES[m];
            result.score = value;
        }
    }
}

// Whether the opponent's move into root from the last earlier position is the one model gives;
// true when the last earlier position is not the opponent's. The model is trusted only while
// it foretells the opponent: one who answered otherwise is not played for a fall.
bool modelForetoldTheLastMove(const Position& root, int side, std::span<const Earlier> earlier,
                              const ReplyModel& model) {
    if (earlier.empty() || earlier.back().side != -side) return true;
    Position foretold = earlier.back().position;
    play(foretold, model(foretold, -side));
    return foretold == root;
}

}

SearchResult search(const Position& root, int side, const WinRules& rules,
                    const SearchLimits& limits, TranspositionTable& table,
                    std::span<const Earlier> earlier, const ReplyModel& model) {
    table.newSearch();
    Searcher searcher(rules, table, side);
    for (const Earlier& e : earlier)
        searcher.repetitions().push(keyOf(e.position, e.side), summaryOf(e.position, e.side));
    const std::uint64_t rootKey = keyOf(root, side);
    SearchResult result;
    int move = 0;
    for (int depth = 1; depth <= limits.maxDepth; ++depth) {
        searcher.setNodeCap(depth <= limits.minDepth ? SAFETY_CAP : limits.nodeCap);
        const int score =
            searcher.negamax(root, rootKey, side, depth, -INFINITE_SCORE, INFINITE_SCORE, 0, &move);
        if (searcher.aborted()) break;
        result.best = MOVES[move];
        result.score = score;
        result.depth = depth;
        // A decided score is final: deeper iterations can only find the same or a later end.
        if (score > DECIDED_SCORE || score < -DECIDED_SCORE) break;
        if (depth >= limits.minDepth && searcher.nodes() >= limits.nodeBudget) break;
    }
    if (result.score >= -DECIDED_SCORE && result.score <= DECIDED_SCORE && result.depth >= 2) {
        SearchResult trapped = result;
        searcher.setNodeCap(searcher.nodes() + TRAP_NODES);
        searcher.repetitions().push(rootKey, summaryOf(root, side));
        std::array<bool, 4> safe{};
        preferTraps(root, side, result.depth, searcher, trapped, safe);
        if (!searcher.aborted()) result = trapped;
        if (model && !searcher.aborted() && result.score < HELD_SCORE &&
            modelForetoldTheLastMove(root, side, earlier, model)) {
            int move = 0;
            if (searcher.quickestWinAgainst(root, side, MODEL_MOVES, 0, model, safe, &move) > 0) {
                result.best = MOVES[move];
            }
        }
    }
    result.nodes = searcher.nodes();
    return result;
}

}

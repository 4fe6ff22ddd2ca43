#include "ai/search.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ai/attack.h"
#include "ai/heuristic.h"

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

std::uint64_t keyOf(const Position& p, int side) {
    return hashOf(p) ^ (side == UPPER ? UPPER_TO_MOVE_KEY : 0);
}

// The keys of the earlier positions of the game and of the searched line. A small table of
// counts by the key's low bits answers most questions without looking at the list.
class Repetitions {
  public:
    void push(std::uint64_t key) {
        keys_.push_back(key);
        ++counts_[key & MASK];
    }
    void pop() {
        --counts_[keys_.back() & MASK];
        keys_.pop_back();
    }
    bool contains(std::uint64_t key) const {
        if (counts_[key & MASK] == 0) return false;
        return std::find(keys_.begin(), keys_.end(), key) != keys_.end();
    }

  private:
    static constexpr std::uint64_t MASK = 4095;
    std::vector<std::uint64_t> keys_;
    std::array<std::uint16_t, MASK + 1> counts_{};
};

// A return to an earlier position after q moves scores REPEAT_SCORE + q for the searching side:
// the later the better, so that it keeps out of a circle as long as it can.
constexpr int REPEAT_BAND = 1000;
bool isRepeatScore(int score) {
    const int distance = score < 0 ? score - REPEAT_SCORE : -score - REPEAT_SCORE;
    return distance >= 0 && distance < REPEAT_BAND;
}

// Decided and repeat scores are stored relative to the node so that they stay right at any ply.
int toTable(int score, int ply) {
    if (score > DECIDED_SCORE || (score > 0 && isRepeatScore(score))) return score + ply;
    if (score < -DECIDED_SCORE || (score < 0 && isRepeatScore(score))) return score - ply;
    return score;
}
int fromTable(int score, int ply) {
    if (score > DECIDED_SCORE || (score > 0 && isRepeatScore(score))) return score - ply;
    if (score < -DECIDED_SCORE || (score < 0 && isRepeatScore(score))) return score + ply;
    return score;
}

class Searcher {
  public:
    Searcher(const WinRules& rules, TranspositionTable& table, int rootSide)
        : rules_(rules), rootSide_(rootSide), table_(table) {}

    Repetitions& repetitions() { return repetitions_; }
    // Whether the searching side's move to child (the other side to move, key childKey)
    // brings back an earlier position.
    bool repeats(int mover, std::uint64_t childKey) const {
        return mover == rootSide_ && repetitions_.contains(childKey);
    }

    void setNodeCap(std::uint64_t cap) { nodeCap_ = cap; }

    // The score of p for side (to move) and, at ply 0, the best move into bestMove.
    int negamax(const Position& p, std::uint64_t key, int side, int depth, int alpha, int beta,
                int ply, int* bestMove) {
        int firstMove = bestMove != nullptr ? *bestMove : 0;
        if (const TableEntry* e = table_.find(key)) {
            firstMove = e->move;
            if (ply > 0 && e->depth >= depth) {
                const int s = fromTable(e->score, ply);
                if (e->bound == Bound::Exact) return s;
                if (e->bound == Bound::Lower && s >= beta) return s;
                if (e->bound == Bound::Upper && s <= alpha) return s;
            }
        }
        const int alphaStart = alpha;
        repetitions_.push(key);
        int best = -INFINITE_SCORE;
        int bestIndex = firstMove;
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
            const int outcome = decide(child, side, rules_);
            if (outcome != 0) {
                s = outcome * (WIN_SCORE - (ply + 1));
            } else if (depth <= 1 && side != rootSide_) {
                s = leafScore(child, side);
            } else {
                const std::uint64_t childKey = keyOf(child, -side);
                if (repeats(side, childKey)) {
                    s = REPEAT_SCORE + ply + 1;
                } else if (depth <= 1) {
                    s = leafScore(child, side);
                } else {
                    s = -negamax(child, childKey, -side, depth - 1, -beta, -alpha, ply + 1,
                                 nullptr);
                    if (aborted_) {
                        repetitions_.pop();
                        return 0;
                    }
                }
            }
            if (s > best) {
                best = s;
                bestIndex = m;
            }
            if (s > alpha) alpha = s;
            if (alpha >= beta) break;
        }
        repetitions_.pop();
        const Bound bound = best <= alphaStart ? Bound::Upper
                            : best >= beta     ? Bound::Lower
                                               : Bound::Exact;
        table_.store(key, toTable(best, ply), depth, bound, bestIndex);
        if (bestMove != nullptr) *bestMove = bestIndex;
        return best;
    }

    std::uint64_t nodes() const { return nodes_; }
    const WinRules& rules() const { return rules_; }
    bool aborted() const { return aborted_; }

  private:
    int leafScore(const Position& child, int mover) const {
        int s = evaluate(child, mover);
        if (leavesOpponentAttackUntested(mover, rules_) && attacksKing(child, -mover)) {
            s -= PENDING_ATTACK;
        }
        return s;
    }

    WinRules rules_;
    int rootSide_;
    Repetitions repetitions_;
    std::uint64_t nodeCap_ = SAFETY_CAP;
    TranspositionTable& table_;
    std::uint64_t nodes_ = 0;
    bool aborted_ = false;
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

// After the deepening has ended with an undecided score: the exact score of every root move at
// the last depth, plus its traps. Moves that lose are never chosen over ones that do not.
void preferTraps(const Position& root, int side, int depth, Searcher& searcher,
                 SearchResult& result) {
    const int trapDepth = std::min(depth - 2, TRAP_DEPTH_LIMIT);
    const int researchDepth = std::min(depth - 1, RESEARCH_DEPTH_LIMIT);
    int bestTotal = -INFINITE_SCORE;
    for (int m = 0; m < static_cast<int>(MOVES.size()); ++m) {
        Position child = root;
        play(child, MOVES[m]);
        if (decide(child, side, searcher.rules()) != 0) continue;
        const std::uint64_t childKey = keyOf(child, -side);
        const bool repeated = searcher.repeats(side, childKey);
        const int value = repeated ? REPEAT_SCORE + 1
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
        int traps = 0;
        bool returns = false;
        searcher.repetitions().push(childKey);
        for (const Direction reply : MOVES) {
            Position next = child;
            play(next, reply);
            returns = returns || next == root;
            const int outcome = decide(next, -side, searcher.rules());
            if (outcome < 0) {
                ++traps;
            } else if (outcome == 0 && trapDepth > 0) {
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

}

SearchResult search(const Position& root, int side, const WinRules& rules,
                    const SearchLimits& limits, TranspositionTable& table,
                    std::span<const Earlier> earlier) {
    table.newSearch();
    Searcher searcher(rules, table, side);
    for (const Earlier& e : earlier)
        searcher.repetitions().push(keyOf(e.position, e.side));
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
        searcher.repetitions().push(rootKey);
        preferTraps(root, side, result.depth, searcher, trapped);
        if (!searcher.aborted()) result = trapped;
    }
    result.nodes = searcher.nodes();
    return result;
}

}

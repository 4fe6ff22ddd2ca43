#include "ai/search.h"

#include <array>

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

// Decided scores are stored relative to the node so that they stay right at any ply.
int toTable(int score, int ply) {
    if (score > DECIDED_SCORE) return score + ply;
    if (score < -DECIDED_SCORE) return score - ply;
    return score;
}
int fromTable(int score, int ply) {
    if (score > DECIDED_SCORE) return score - ply;
    if (score < -DECIDED_SCORE) return score + ply;
    return score;
}

class Searcher {
  public:
    Searcher(const WinRules& rules, std::uint64_t nodeCap, TranspositionTable& table)
        : rules_(rules), nodeCap_(nodeCap), table_(table) {}

    // The score of p for side (to move) and, at ply 0, the best move into bestMove.
    int negamax(const Position& p, int side, int depth, int alpha, int beta, int ply,
                int* bestMove) {
        const std::uint64_t key = hashOf(p) ^ (side == UPPER ? UPPER_TO_MOVE_KEY : 0);
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
        int best = -INFINITE_SCORE;
        int bestIndex = firstMove;
        for (int n = 0; n < static_cast<int>(MOVES.size()); ++n) {
            // The remembered move first, then the others in their fixed order.
            const int m = n == 0 ? firstMove : (n <= firstMove ? n - 1 : n);
            Position child = p;
            play(child, MOVES[m]);
            if (++nodes_ > nodeCap_) {
                aborted_ = true;
                return 0;
            }
            int s;
            const int outcome = decide(child, side, rules_);
            if (outcome != 0) {
                s = outcome * (WIN_SCORE - (ply + 1));
            } else if (depth <= 1) {
                s = leafScore(child, side);
            } else {
                s = -negamax(child, -side, depth - 1, -beta, -alpha, ply + 1, nullptr);
                if (aborted_) return 0;
            }
            if (s > best) {
                best = s;
                bestIndex = m;
            }
            if (s > alpha) alpha = s;
            if (alpha >= beta) break;
        }
        const Bound bound = best <= alphaStart ? Bound::Upper
                            : best >= beta     ? Bound::Lower
                                               : Bound::Exact;
        table_.store(key, toTable(best, ply), depth, bound, bestIndex);
        if (bestMove != nullptr) *bestMove = bestIndex;
        return best;
    }

    std::uint64_t nodes() const { return nodes_; }
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
    std::uint64_t nodeCap_;
    TranspositionTable& table_;
    std::uint64_t nodes_ = 0;
    bool aborted_ = false;
};

}

SearchResult search(const Position& root, int side, const WinRules& rules,
                    const SearchLimits& limits, TranspositionTable& table) {
    table.newSearch();
    Searcher searcher(rules, limits.nodeCap, table);
    SearchResult result;
    int move = 0;
    for (int depth = 1; depth <= limits.maxDepth; ++depth) {
        const int score =
            searcher.negamax(root, side, depth, -INFINITE_SCORE, INFINITE_SCORE, 0, &move);
        if (searcher.aborted()) break;
        result.best = MOVES[move];
        result.score = score;
        result.depth = depth;
        // A decided score is final: deeper iterations can only find the same or a later end.
        if (score > DECIDED_SCORE || score < -DECIDED_SCORE) break;
        if (depth >= limits.minDepth && searcher.nodes() >= limits.nodeBudget) break;
    }
    result.nodes = searcher.nodes();
    return result;
}

}

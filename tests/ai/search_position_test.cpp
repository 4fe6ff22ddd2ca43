#include <gtest/gtest.h>

#include <random>

#include "ai/attack.h"
#include "ai/position.h"
#include "ai/survey.h"
#include "ai/turned_board.h"
#include "random_positions.h"
#include "rules/board_text.h"
#include "rules/prince_step.h"

namespace quorvel {
namespace {

constexpr std::uint32_t kSeeds = 6000;
constexpr Sides kSides{SIDE_GOTE, SIDE_SENTE};
constexpr std::array<int, 6> kPromotable{UPPER_PAWN,   UPPER_LANCE,  UPPER_KNIGHT,
                                         UPPER_SILVER, UPPER_BISHOP, UPPER_ROOK};

// A random position, then a few random moves played by the rules so that packed and
// edge-pressed boards are common, and on every fourth seed a few pieces promoted so that every
// code the move rules know is met.
testing::RandomPosition variedPosition(std::uint32_t seed) {
    testing::RandomPosition p = testing::randomPosition(seed);
    std::mt19937 rng(seed);
    const int moves = static_cast<int>(rng() % 4);
    for (int i = 0; i < moves; ++i) {
        const auto d = static_cast<Direction>(rng() % 4);
        stepPrince(p.board, p.prince, d);
        slide(p.board, d);
    }
    if (seed % 4 == 0) {
        for (int x = 1; x <= boardSize; ++x) {
            for (int y = 1; y <= boardSize; ++y) {
                int& code = p.board(x, y);
                const int magnitude = code < 0 ? -code : code;
                if (code == PRINCE || rng() % 3 != 0) continue;
                for (const int promotable : kPromotable) {
                    if (magnitude == promotable) code += code < 0 ? -1 : 1;
                }
            }
        }
    }
    return p;
}

struct Observed {
    Board board;
    KingSquares kings;
    bool upperAttacks;
    bool lowerAttacks;
};

Observed byRules(const Board& board) {
    Observed o{board, {}, false, false};
    勢力調査(board, o.kings);
    int ax = 0, ay = 0, kx = 0, ky = 0;
    o.upperAttacks = 調査_王手(board, o.kings, kSides, kSides.comSide, ax, ay, kx, ky);
    o.lowerAttacks = 調査_王手(board, o.kings, kSides, kSides.manSide, ax, ay, kx, ky);
    return o;
}

Observed bySearchForm(const engine::Position& p) {
    KingSquares kings;
    if (p.lowerKing != engine::NO_SQUARE) {
        kings.manKingX = engine::columnOf(p.lowerKing);
        kings.manKingY = engine::rowOf(p.lowerKing);
    }
    if (p.upperKing != engine::NO_SQUARE) {
        kings.comKingX = engine::columnOf(p.upperKing);
        kings.comKingY = engine::rowOf(p.upperKing);
    }
    return {engine::toBoard(p), kings, engine::attacksKing(p, engine::UPPER),
            engine::attacksKing(p, engine::LOWER)};
}

void expectSame(const Observed& rules, const Observed& search) {
    ASSERT_EQ(search.board, rules.board) << "search form:\n" << toText(search.board);
    ASSERT_EQ(search.kings, rules.kings);
    ASSERT_EQ(search.upperAttacks, rules.upperAttacks) << "upper side's attack";
    ASSERT_EQ(search.lowerAttacks, rules.lowerAttacks) << "lower side's attack";
}

TEST(SearchPosition, AgreesWithTheRulesOverManyRandomPositionsAndMoves) {
    int attacksSeen = 0;
    for (std::uint32_t seed = 0; seed < kSeeds; ++seed) {
        const testing::RandomPosition start = variedPosition(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + toText(start.board));
        const engine::Position p = engine::fromBoard(start.board, start.prince);
        expectSame(byRules(start.board), bySearchForm(p));
        attacksSeen += byRules(start.board).upperAttacks + byRules(start.board).lowerAttacks;

        for (int d = 0; d < 4; ++d) {
            const auto direction = static_cast<Direction>(d);
            SCOPED_TRACE(std::string(wordOf(direction)));
            Board board = start.board;
            Square prince = start.prince;
            stepPrince(board, prince, direction);
            slide(board, direction);

            engine::Position q = p;
            engine::play(q, direction);
            ASSERT_EQ(q.prince, engine::cellOf(prince.x, prince.y)) << "prince";
            expectSame(byRules(board), bySearchForm(q));
            ASSERT_EQ(engine::hashOf(q) == engine::hashOf(p), q == p);
        }
    }
    // The positions must exercise the attack test both ways, not only its negative answer.
    EXPECT_GT(attacksSeen, static_cast<int>(kSeeds) / 4);
}

TEST(SearchPosition, TurningTheBoardSwapsTheSidesAndMirrorsTheMagnets) {
    for (std::uint32_t seed = 0; seed < kSeeds / 4; ++seed) {
        const testing::RandomPosition start = variedPosition(seed);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + toText(start.board));
        const Board turned = turnedAround(start.board);
        ASSERT_EQ(turnedAround(turned), start.board);
        const Observed plain = byRules(start.board);
        const Observed seen = byRules(turned);
        ASSERT_EQ(seen.upperAttacks, plain.lowerAttacks);
        ASSERT_EQ(seen.lowerAttacks, plain.upperAttacks);
        for (int d = 0; d < 4; ++d) {
            const auto direction = static_cast<Direction>(d);
            Board board = start.board;
            Square prince = start.prince;
            stepPrince(board, prince, direction);
            slide(board, direction);
            Board other = turned;
            Square otherPrince = turnedAround(start.prince);
            stepPrince(other, otherPrince, opposite(direction));
            slide(other, opposite(direction));
            ASSERT_EQ(other, turnedAround(board)) << wordOf(direction);
            ASSERT_EQ(otherPrince, turnedAround(prince));
        }
    }
}

}
}

#include <gtest/gtest.h>

#include "rules/prince_step.h"

namespace quorvel {
namespace {

struct StepCase {
    const char* name;
    Square prince;
    Direction direction;
    int occupant;  // code placed on the square ahead, EMPTY for none
    bool steps;
};

class PrinceStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(PrinceStep, StepsOnlyOntoAnEmptyOnBoardSquare) {
    const StepCase& c = GetParam();
    Board board;
    board(c.prince.x, c.prince.y) = PRINCE;
    const Square ahead = stepToward(c.direction, c.prince.x, c.prince.y);
    if (c.occupant != EMPTY) board(ahead.x, ahead.y) = c.occupant;
    const Board before = board;
    Square prince = c.prince;

    EXPECT_EQ(stepPrince(board, prince, c.direction), c.steps);
    if (c.steps) {
        EXPECT_EQ(prince, ahead);
        EXPECT_EQ(board(ahead.x, ahead.y), PRINCE);
        EXPECT_EQ(board(c.prince.x, c.prince.y), EMPTY);
    } else {
        EXPECT_EQ(prince, c.prince);
        EXPECT_EQ(board, before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrinceStep,
    ::testing::Values(StepCase{"CentreUp", {5, 5}, Direction::Up, EMPTY, true},
                      StepCase{"LeftEdgeLeft", {1, 4}, Direction::Left, EMPTY, false},
                      StepCase{"RightEdgeRight", {9, 4}, Direction::Right, EMPTY, false},
                      StepCase{"TopEdgeUp", {3, 1}, Direction::Up, EMPTY, false},
                      StepCase{"BottomEdgeDown", {3, 9}, Direction::Down, EMPTY, false},
                      StepCase{"BlockedByLowerPiece", {5, 5}, Direction::Down, LOWER_PAWN, false},
                      StepCase{"BlockedByUpperPiece", {5, 5}, Direction::Left, UPPER_KING, false},
                      StepCase{"DownIntoEmpty", {5, 8}, Direction::Down, EMPTY, true}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

}
}

// The analysis of a record: each position's verdict and the marks on its moves.

#include <gtest/gtest.h>

#include <vector>

#include "ai/search.h"
#include "game/record_analysis.h"

namespace quorvel {
namespace {

using enum engine::MoveMark;

// Two humans, 右上右右右下左右. Found by playing seeded random games between two humans and
// keeping the shortest whose analysis marks both kinds of move: 後手's 6th move lets 先手 win
// at once, 先手's 7th lets that win go, and 後手's 8th walks into 先手's win.
TEST(RecordAnalysis, MarksTheMovesThatLetAWinGoOrWalkIntoALoss) {
    using enum Direction;
    GameHistory history;
    history.record.startedAt = "2026/01/01 00:00:00";
    for (const Direction d : {Right, Up, Right, Right, Right, Down, Left, Right}) {
        RecordedMove move;
        move.direction = d;
        history.record.moves.push_back(move);
    }
    const auto subject = analysisSubjectOf(history);
    ASSERT_TRUE(subject);
    ASSERT_EQ(subject->points.size(), 9u);
    EXPECT_EQ(subject->sente, engine::LOWER);

    engine::TranspositionTable table(16);
    std::vector<engine::Verdict> verdicts;
    for (std::size_t i = 0; i < subject->points.size(); ++i)
        verdicts.push_back(engine::analysePosition(subject->points, i, subject->sente, table));

    const engine::MoveMark expected[] = {None, None,           None,     None,
                                         None, WalkedIntoLoss, LetWinGo, WalkedIntoLoss};
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(engine::markOf(verdicts[i], verdicts[i + 1], verdicts[i].side), expected[i]);
    }
    // 先手 to move after six moves wins with its next one; the record ends with 先手's win.
    EXPECT_EQ(verdicts[6].side, engine::LOWER);
    EXPECT_EQ(verdicts[6].proven, 1);
    EXPECT_EQ(verdicts[6].moves, 1);
    EXPECT_EQ(verdicts[8].winner, engine::LOWER);
    EXPECT_EQ(verdicts[8].evaluation, engine::WIN_SCORE);
    EXPECT_EQ(engine::provenFor(verdicts[8], engine::UPPER), -1);
    // The same record gives the same verdicts, whatever the table held.
    EXPECT_EQ(engine::analysePosition(subject->points, 3, subject->sente, table).evaluation,
              verdicts[3].evaluation);
}

}
}

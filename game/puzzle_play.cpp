// 練習 → 詰め問題…: a puzzle on the board. The player presses for the side to move, the defender
// answers with the longest resistance, a move that lets the forced win go fails (待った tries
// again), ヒント shows the winning magnet, and a solved puzzle counts in the settings file.

#include "game/game.h"
#include "game/layout.h"
#include "game/magnets.h"
#include "game/repetition.h"
#include "rules/translatable.h"

namespace quorvel {

namespace {

const std::string kPuzzleTitle = QT_TRANSLATE_NOOP("Game", "詰め問題");
const std::string kSenteToMove = QT_TRANSLATE_NOOP("Game", "先手の番");
const std::string kGoteToMove = QT_TRANSLATE_NOOP("Game", "後手の番");
const std::string kWinIn = QT_TRANSLATE_N_NOOP("Game", "%n手で勝ち");
const std::string kFailed = QT_TRANSLATE_NOOP("Game", "失敗");
const std::string kFailedMessage = QT_TRANSLATE_NOOP("Game", "失敗です。「待った」でやり直せます");
const std::string kAllSolved = QT_TRANSLATE_NOOP("Game", "全問解きました。最初の問題から始めます");
const std::string kUnreadable = QT_TRANSLATE_NOOP("Game", "詰め問題を読み込めません");
const std::string kUnplayable = QT_TRANSLATE_NOOP("Game", "この詰め問題は解けません");

constexpr int MAGNET_BLINKS = 2;
// The panel right of the board, between the move number and the clock: the side to move, the
// moves to the win (or the failure) and the progress, one line each.
constexpr int PANEL_FIRST_CELL = 12;
constexpr int PANEL_LAST_CELL = 15;
constexpr int PANEL_FIRST_ROW = 5;
constexpr int PANEL_LAST_ROW = 6;
constexpr double PANEL_TEXT_X = 12.9;
constexpr double SIDE_ROW_Y = 5.1;
constexpr double GOAL_ROW_Y = 5.6;
constexpr double PROGRESS_ROW_Y = 6.2;
constexpr int PANEL_TEXT_SIZE = 10;
constexpr double SHADOW_OFFSET = 0.1;

}

void Game::onPuzzle() {
    // A record's earlier position shown while stepping gives way, as to 最初.
    leaveShownPosition();
    const auto read = platform_.readPuzzles();
    const auto* puzzles = std::get_if<std::vector<Puzzle>>(&read);
    if (puzzles == nullptr || puzzles->empty()) {
        platform_.showMessage(kUnreadable, kPuzzleTitle, MessageIcon::Warning);
        return;
    }
    std::size_t index = solvedPuzzles(findOption(s_.optionLines, PUZZLE_PROGRESS_NAME));
    if (index >= puzzles->size()) {
        platform_.showMessage(kAllSolved, kPuzzleTitle, MessageIcon::None);
        index = 0;
    }
    const Puzzle& puzzle = (*puzzles)[index];
    const auto position = puzzlePosition(puzzle);
    if (!position) {
        platform_.showMessage(kUnplayable, kPuzzleTitle, MessageIcon::Warning);
        return;
    }
    // A puzzle is no game of the record: the game in progress on file stays for 続きから.
    records_.leaveGame();
    GamePosition start = *position;
    start.gameMode = MODE_PUZZLE;
    s_.puzzle = PuzzleSession{index, puzzles->size(), puzzle.n, start.turn, {start}, false};
    adoptPosition(start);
    s_.clockStart = platform_.timeOfDay();
    setTimer(s_.marks.keika);
}

void Game::puzzleMoveMade() {
    PuzzleSession& puzzle = s_.puzzle;
    const int solver = puzzle.solver;
    const int defender = solver == s_.sides.manSide ? s_.sides.comSide : s_.sides.manSide;
    if (showWinAfterMove(solver)) {
        if (s_.gameOver != solver) return failPuzzle();
        // Solving an earlier puzzle again leaves the count as it was.
        const std::size_t solved = solvedPuzzles(findOption(s_.optionLines, PUZZLE_PROGRESS_NAME));
        if (puzzle.index + 1 > solved) {
            std::string countText;
            s_.optionLines =
                updateOptionLines(s_.optionLines, {progressOption(puzzle.index + 1, countText)});
            書込_環境設定ファイル();
        }
        setTimer(false);
        drawPuzzlePanel();
        platform_.refresh();
        return;
    }
    s_.turn = defender;
    if (!winStillForced(s_, solver, puzzle.movesLeft() - 1)) return failPuzzle();
    defendPuzzle();
}

void Game::defendPuzzle() {
    const PuzzleSession& puzzle = s_.puzzle;
    const Magnet& magnet = magnetOf(defenceOf(s_, puzzle.movesLeft() - 1));
    ++s_.moveNumber;
    描画_手数(s_.moveNumber, textColour);
    描画_駒点滅(magnet.code, magnet.cellX, magnet.cellY, MAGNET_BLINKS, s_.backgroundPicture,
                gridColour);
    const Square step = stepToward(magnet.direction, s_.princeX, s_.princeY);
    移動_太子(s_.princeX, s_.princeY, step.x, step.y);
    platform_.refresh();
    待ち時間(COMPUTER_MOVE_PAUSE_SECONDS);
    重力処理(std::string(wordOf(magnet.direction)));
    platform_.dsPlay(s_.soundMagnet);
    noteMove(magnet.direction);
    勢力調査();
    // The defence that was proved to lose cannot win; the win tests run all the same.
    if (showWinAfterMove(s_.turn)) return failPuzzle();
    s_.turn = puzzle.solver;
    s_.puzzle.tries.push_back(s_);
    drawPuzzlePanel();
    platform_.refresh();
    s_.clockStart = platform_.timeOfDay();
}

void Game::failPuzzle() {
    s_.puzzle.failed = true;
    setTimer(false);
    drawPuzzlePanel();
    platform_.refresh();
    platform_.dsPlay(s_.soundForbidden);
    platform_.showMessage(kFailedMessage, kPuzzleTitle, MessageIcon::None);
}

bool Game::puzzleTakeBack() {
    if (s_.gameMode != MODE_PUZZLE) return false;
    PuzzleSession& puzzle = s_.puzzle;
    // With the solver to move and nothing failed, the last of the solver's moves goes back.
    const bool moveOpen = s_.turn == puzzle.solver && !gameEnded(s_) && !puzzle.failed;
    if (moveOpen && puzzle.tries.size() > 1) puzzle.tries.pop_back();
    puzzle.failed = false;
    adoptPosition(puzzle.tries.back());
    s_.clockStart = platform_.timeOfDay();
    setTimer(s_.marks.keika);
    return true;
}

std::optional<Direction> Game::puzzleHint() const {
    return winningMagnet(s_, s_.puzzle.movesLeft());
}

void Game::drawPuzzlePanel() {
    for (int row = PANEL_FIRST_ROW; row <= PANEL_LAST_ROW; ++row)
        eraseCells(PANEL_FIRST_CELL, PANEL_LAST_CELL, row);
    const PuzzleSession& puzzle = s_.puzzle;
    drawShadowedText(PANEL_TEXT_X, SIDE_ROW_Y,
                     puzzle.solver == SIDE_SENTE ? kSenteToMove : kGoteToMove, PANEL_TEXT_SIZE);
    if (puzzle.failed) {
        drawShadowedText(PANEL_TEXT_X, GOAL_ROW_Y, kFailed, PANEL_TEXT_SIZE);
    } else {
        for (const auto& [offset, colour] :
             {std::pair{SHADOW_OFFSET, shadowColour}, {0.0, textColour}})
            platform_.drawCountLabel(kWinIn, puzzle.n, cellToUnitsX(PANEL_TEXT_X + offset),
                                     cellToUnitsY(GOAL_ROW_Y + offset), colour, PANEL_TEXT_SIZE);
    }
    const std::size_t solved = solvedPuzzles(findOption(s_.optionLines, PUZZLE_PROGRESS_NAME));
    drawShadowedText(PANEL_TEXT_X, PROGRESS_ROW_Y,
                     std::to_string(solved) + " / " + std::to_string(puzzle.count),
                     PANEL_TEXT_SIZE);
}

}

// The computer's levels (the 強さ marks, the settings line, the computer's turn at each level)
// and the hint.

#include <algorithm>

#include "ai/engine.h"
#include "game_fixture.h"
#include "level_marks.h"
#include "rules/prince_step.h"

namespace quorvel::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines kFourLines{"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=OFF"};

Lines withLines(Lines extra) {
    Lines lines = kFourLines;
    lines.insert(lines.end(), extra.begin(), extra.end());
    return lines;
}

TEST_F(GameTest, ChoosingALevelMovesTheMarkAndRewritesTheFile) {
    load();
    const struct {
        Level level;
        std::optional<Lines> file;
    } steps[] = {
        // The default never named stays a file of four lines.
        {Level::入門, kFourLines},
        {Level::中級, withLines({"強さ=中級"})},
        {Level::上級, withLines({"強さ=上級"})},
        {Level::入門, withLines({"強さ=入門"})},
    };
    int writes = fake.settingsWrites;
    for (const auto& step : steps) {
        game.onLevel(step.level);
        EXPECT_EQ(s.level, step.level);
        EXPECT_EQ(checkedLevels(fake), std::vector<Level>{step.level});
        EXPECT_EQ(fake.settingsWrites, ++writes);
        EXPECT_EQ(fake.settingsFile, step.file);
    }
    EXPECT_TRUE(fake.messages().empty());
    EXPECT_EQ(fake.countPrefix("picture"), 0) << "choosing a level draws nothing";
}

TEST(LevelItems, EachLevelIsTheItemOfItsName) {
    const std::pair<Level, MenuItem> items[] = {{Level::入門, MenuItem::NYUMON},
                                                {Level::初級, MenuItem::SYOKYU},
                                                {Level::中級, MenuItem::CHUKYU},
                                                {Level::上級, MenuItem::JOKYU}};
    for (const auto& [level, item] : items)
        EXPECT_EQ(levelItem(level), item) << levelName(level);
}

TEST_F(GameTest, TheChosenLevelSurvivesARestart) {
    load();
    game.onLevel(Level::初級);
    FakePlatform next;
    next.settingsFile = fake.settingsFile;
    Game restarted(next);
    restarted.onLoad();
    EXPECT_EQ(restarted.state().level, Level::初級);
    EXPECT_EQ(checkedLevels(next), std::vector<Level>{Level::初級});
}

// The computer's turn as the player sees it, the same at every level: up to the first blink it
// is the turn of 入門 line for line (label, search, move number); then the chosen magnet blinks
// twice, the prince steps, a 0.5 s pause, the label goes, the slide is drawn frame by frame and
// the magnet sound ends it.
struct Turn {
    Lines log;
    GameState after;
};

// A computer's turn at a level: its opening move (後手), or its reply to a press on 上.
Turn computerTurn(const std::optional<Lines>& file, Level level, bool opening) {
    FakePlatform f;
    f.settingsFile = file;
    Game g(f);
    g.onLoad();
    g.onLevel(level);
    if (opening) {
        f.log.clear();
        g.onGote();
    } else {
        g.onSente();
        const Magnet& m = magnetOf(Direction::Up);
        g.onMousePress(cellToUnitsX(m.cellX + 0.5), cellToUnitsY(m.cellY + 0.5));
        // The computer's turn begins after the human's slide and its sound.
        f.log.erase(f.log.begin(), f.log.begin() + f.find("play 4") + 1);
    }
    return {f.log, g.state()};
}

Lines blinkLines(const Magnet& m, int background) {
    const std::string cell = " " + std::to_string(m.cellX) + " " + std::to_string(m.cellY);
    const std::string off = "picture " + std::to_string(background) + cell;
    const std::string on = "picture " + std::to_string(m.code) + cell;
    return {off, "refresh", "pause 0.2", on, "refresh", "pause 0.2",
            off, "refresh", "pause 0.2", on, "refresh", "pause 0.2"};
}

TEST_F(GameTest, EveryLevelShowsItsTurnAsTheBeginnerDoes) {
    for (const bool opening : {true, false}) {
        // The position the computer thinks about: the first, or the first after the press on 上.
        Board first;
        layFirstPosition(first);
        Board start = first;
        Square prince = FIRST_PRINCE_SQUARE;
        if (!opening) {
            stepPrince(start, prince, Direction::Up);
            slide(start, Direction::Up);
        }
        const Turn beginner = computerTurn(fake.settingsFile, Level::入門, opening);
        const auto beginnerBlink =
            std::find(beginner.log.begin(), beginner.log.end(), "pause 0.2") - 2;
        for (const Level level : LEVELS) {
            SCOPED_TRACE(std::string(levelName(level)) + (opening ? " opening" : " reply"));
            const Turn turn = computerTurn(fake.settingsFile, level, opening);
            const Sides& sides = turn.after.sides;
            // The level's move is the engine's, knowing the positions before this one.
            std::vector<EarlierPosition> earlier;
            if (!opening) earlier.push_back({first, sides.manSide});
            const Direction chosen = chooseMagnet(
                start, prince, sides.comSide, {sides, WinTest::AgainstComputer}, level, earlier);
            const Lines blinks = blinkLines(magnetOf(chosen), BACKGROUND_MIDORI);
            const auto blink =
                std::search(turn.log.begin(), turn.log.end(), blinks.begin(), blinks.end());
            ASSERT_NE(blink, turn.log.end()) << "the magnet " << wordOf(chosen) << " blinks twice";
            EXPECT_EQ(Lines(turn.log.begin(), blink), Lines(beginner.log.begin(), beginnerBlink));

            Board expected = start;
            Square expectedPrince = prince;
            const bool stepped = stepPrince(expected, expectedPrince, chosen);
            const int steps = slide(expected, chosen);
            FakePlatform rest;
            rest.log.assign(blink + static_cast<long>(blinks.size()), turn.log.end());
            EXPECT_EQ(rest.count("play 3"), stepped ? 1 : 0) << "the prince's step";
            const int pause = rest.find("pause 0.5");
            ASSERT_GE(pause, 0);
            EXPECT_EQ(rest.find("picture 2 -2 8", pause), pause + 1) << "the label goes after it";
            EXPECT_EQ(rest.count("pause 0.015625"), steps);
            EXPECT_GT(rest.find("play 4"), rest.find("pause 0.015625"));
            EXPECT_EQ(rest.find("timer off"), rest.find("play 4") + 1);

            EXPECT_EQ(turn.after.board, expected);
            EXPECT_EQ((Square{turn.after.princeX, turn.after.princeY}), expectedPrince);
            EXPECT_EQ(turn.after.moveNumber, beginner.after.moveNumber);
            EXPECT_EQ(turn.after.turn, sides.manSide);
        }
    }
}

// 上級 trusts its model of a one-move look-ahead opponent only while the opponent's last move was
// the look-ahead's, which it can tell only from the position before that move. Here the human's
// second press is not the look-ahead's, and the game's 上級 answers as the engine does given the
// positions before the current one (not as it would if the current one were among them).
TEST_F(GameTest, TheExpertKnowsThePositionsBeforeTheCurrentOneAsTheEngineDoes) {
    load();
    game.onLevel(Level::上級);
    game.onSente();
    const SearchGame rules{s.sides, WinTest::AgainstComputer};
    const auto played = [](Board board, Square prince, Direction d) {
        stepPrince(board, prince, d);
        slide(board, d);
        return std::pair{board, prince};
    };
    // The positions before the one the computer is given, and that one.
    std::vector<EarlierPosition> earlier;
    std::pair<Board, Square> given;
    bool leftTheModel = false;
    for (const Direction press : {Direction::Right, Direction::Right}) {
        if (!earlier.empty()) earlier.push_back({given.first, s.sides.comSide});
        const Board board = s.board;
        const Square prince{s.princeX, s.princeY};
        const Direction lookAhead =
            chooseMagnet(board, prince, s.sides.manSide, rules, Level::入門, earlier);
        earlier.push_back({board, s.sides.manSide});
        given = played(board, prince, press);
        leftTheModel = played(board, prince, lookAhead) != given;
        pressMagnet(press);
        ASSERT_EQ(s.turn, s.sides.manSide) << "the game goes on";
    }
    ASSERT_TRUE(leftTheModel) << "the human's last press is not the one-move look-ahead's";
    const auto [board, prince] = given;
    const Direction engine =
        chooseMagnet(board, prince, s.sides.comSide, rules, Level::上級, earlier);
    std::vector<EarlierPosition> withCurrent = earlier;
    withCurrent.push_back({board, s.sides.comSide});
    const Direction current =
        chooseMagnet(board, prince, s.sides.comSide, rules, Level::上級, withCurrent);
    ASSERT_NE(played(board, prince, engine), played(board, prince, current))
        << "a position that tells the histories apart";
    EXPECT_EQ(toText(s.board), toText(played(board, prince, engine).first));
}

struct HintCase {
    const char* name;
    void (Game::*command)();
    int presses;  // magnet presses before the hint
};

TEST_F(GameTest, AHintBlinksTheTopLevelsMagnetAndChangesNothing) {
    const HintCase cases[] = {
        {"AgainstTheComputer", &Game::onSente, 0},
        {"FirstOfTwoHumans", &Game::onStart, 0},
        {"SecondOfTwoHumans", &Game::onStart, 1},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform f;
        f.settingsFile = fake.settingsFile;
        Game g(f);
        g.onLoad();
        (g.*c.command)();
        for (int i = 0; i < c.presses; ++i) {
            const Magnet& m = magnetOf(Direction::Left);
            g.onMousePress(cellToUnitsX(m.cellX + 0.5), cellToUnitsY(m.cellY + 0.5));
        }
        f.now += 7.5;  // the player has been thinking
        const GameState before = g.state();
        const bool timer = f.timer;
        f.log.clear();

        g.onHint();

        const WinTest rule =
            before.gameMode == MODE_COM ? WinTest::AgainstComputer : WinTest::TwoHumans;
        auto choice = [&](Level level) {
            return chooseMagnet(before.board, {before.princeX, before.princeY}, before.turn,
                                {before.sides, rule}, level);
        };
        ASSERT_NE(choice(Level::上級), choice(Level::入門)) << "a position that tells them apart";
        const Magnet& m = magnetOf(choice(Level::上級));
        EXPECT_EQ(f.log, blinkLines(m, BACKGROUND_MIDORI));
        const GameState& after = g.state();
        EXPECT_EQ(after.board, before.board);
        EXPECT_EQ(after.princeX, before.princeX);
        EXPECT_EQ(after.princeY, before.princeY);
        EXPECT_EQ(after.turn, before.turn);
        EXPECT_EQ(after.moveNumber, before.moveNumber);
        EXPECT_EQ(after.clockStart, before.clockStart) << "the turn's clock runs on";
        EXPECT_EQ(after.manSeconds, before.manSeconds);
        EXPECT_EQ(after.comSeconds, before.comSeconds);
        EXPECT_EQ(f.timer, timer);
    }
}

TEST_F(GameTest, WithoutAGameInPlayAHintAnswersAsABoardPress) {
    struct Case {
        const char* name;
        void (*setUp)(Game&);
    };
    const Case cases[] = {
        {"AfterLoad", [](Game&) {}},
        {"AfterFirstPosition", [](Game& g) { g.onCancel(); }},
        {"AfterAWin",
         [](Game& g) {
             g.onStart();
             g.mutableState().gameOver = SIDE_SENTE;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto answer = [&](bool hint) {
            FakePlatform f;
            f.settingsFile = fake.settingsFile;
            Game g(f);
            g.onLoad();
            c.setUp(g);
            f.log.clear();
            const GameState before = g.state();
            if (hint) {
                g.onHint();
            } else {
                g.onMousePress(cellToUnitsX(5.5), cellToUnitsY(5.5));
            }
            EXPECT_EQ(g.state().board, before.board);
            EXPECT_EQ(g.state().turn, before.turn);
            return f.log;
        };
        const Lines press = answer(false);
        EXPECT_FALSE(press.empty());
        EXPECT_EQ(answer(true), press);
    }
}

}
}

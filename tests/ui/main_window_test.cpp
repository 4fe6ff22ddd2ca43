// The main window with a recording stand-in for the game.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/help_window.h"
#include "ui/menu_table.h"

namespace quorvel {
namespace {

class Recorder : public GameEvents {
  public:
    std::vector<std::string> calls;
    // Optional behaviour per call, as the game would react.
    std::function<void(const std::string&)> react;

    void onStart() override { record("start"); }
    void onSente() override { record("sente"); }
    void onGote() override { record("gote"); }
    void onCancel() override { record("cancel"); }
    void onQuit() override { record("quit"); }
    void onKey(int code) override { record("key " + std::to_string(code)); }
    void onMousePress(double x, double y) override {
        record("press " + std::to_string(x) + " " + std::to_string(y));
    }
    void onTimerTick() override { record("tick"); }
    // The game's answer to how long the timer may sleep; the plain 50 ms when unset.
    std::function<std::optional<int>()> sleep;
    std::optional<int> msUntilClockChanges() override {
        return sleep ? sleep() : GameEvents::msUntilClockChanges();
    }
    void onBackgroundItem(int code) override { record("background " + std::to_string(code)); }
    void onKeika() override { record("keika"); }
    void onBgm() override { record("bgm"); }
    void onSidou() override { record("sidou"); }
    void onVersion() override { record("version"); }
    // A level by its number: 0 入門 .. 3 上級.
    void onLevel(Level level) override {
        record("level " + std::to_string(static_cast<int>(level)));
    }
    void onHint() override { record("hint"); }
    void onLanguage(Language language) override {
        record("language " + std::string(languageName(language)));
    }
    void onResume() override { record("resume"); }
    void onTakeBack() override { record("take back"); }
    void onResign() override { record("resign"); }
    void onOpenRecord() override { record("open record"); }
    void onSaveRecord() override { record("save record"); }
    void onStepFirst() override { record("step first"); }
    void onStepBack() override { record("step back"); }
    void onStepForward() override { record("step forward"); }
    void onStepLast() override { record("step last"); }
    void onPuzzle() override { record("puzzle"); }
    void redrawAll() override { record("redraw"); }

    int count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

  private:
    void record(const std::string& call) {
        calls.push_back(call);
        if (react) react(call);
    }
};

// Finds an action by its path of captions from the menu bar.
QAction* findAction(QMainWindow& window, const QStringList& path) {
    QList<QAction*> actions = window.menuBar()->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* action : actions) {
            if (action->text() == caption) found = action;
        }
        if (found == nullptr) return nullptr;
        if (found->menu() != nullptr) actions = found->menu()->actions();
    }
    return found;
}

class MainWindowTest : public testing::Test {
  protected:
    MainWindowTest() { window.setEvents(&game); }
    ~MainWindowTest() override { window.setEvents(nullptr); }

    Recorder game;
    MainWindow window;
};

TEST_F(MainWindowTest, CaptionSizeAndPlace) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvel"));
    EXPECT_EQ(window.size(), QSize(633, 600));
    EXPECT_EQ(window.pos(), QPoint(0, 0));
    // The surface fills the client area under the menu bar before the window is ever shown,
    // so the first position drawn during load lands in an image of the right size.
    const int menuHeight = window.menuBar()->sizeHint().height();
    EXPECT_GT(menuHeight, 10);
    EXPECT_EQ(window.surface().geometry(), QRect(0, menuHeight, 633, 600 - menuHeight));
    // Green behind the client area, system colours in the menu bar.
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(window.menuBar()->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Window));
    EXPECT_EQ(window.menuBar()->palette().color(QPalette::Button),
              QApplication::palette().color(QPalette::Button));
    const qreal ratio = window.surface().ratio();
    EXPECT_EQ(window.surface().image().size(),
              QSize(qCeil(633 * ratio), qCeil((600 - menuHeight) * ratio)));
}

TEST_F(MainWindowTest, EveryMenuCommandReachesTheGame) {
    struct Case {
        QStringList path;
        std::string call;
    };
    std::vector<Case> cases = {
        {{"対局", "対局(人間)", "スタート"}, "start"},
        {{"対局", "対局(COM)", "先手"}, "sente"},
        {{"対局", "対局(COM)", "後手"}, "gote"},
        {{"対局", "終わり"}, "quit"},
        {{"局面", "最初"}, "cancel"},
        {{"局面", "ヒント"}, "hint"},
        {{"ｵﾌﾟｼｮﾝ", "背景画", "緑"}, "background 2"},
        {{"ｵﾌﾟｼｮﾝ", "背景画", "畳"}, "background 3"},
        {{"ｵﾌﾟｼｮﾝ", "背景画", "竹"}, "background 4"},
        {{"ｵﾌﾟｼｮﾝ", "背景画", "宇宙"}, "background 5"},
        {{"ｵﾌﾟｼｮﾝ", "背景画", "煉瓦"}, "background 6"},
        {{"ｵﾌﾟｼｮﾝ", "移動指導"}, "sidou"},
        {{"ｵﾌﾟｼｮﾝ", "経過時間"}, "keika"},
        {{"ｵﾌﾟｼｮﾝ", "BGM"}, "bgm"},
        {{"ｵﾌﾟｼｮﾝ", "強さ", "入門"}, "level 0"},
        {{"ｵﾌﾟｼｮﾝ", "強さ", "初級"}, "level 1"},
        {{"ｵﾌﾟｼｮﾝ", "強さ", "中級"}, "level 2"},
        {{"ｵﾌﾟｼｮﾝ", "強さ", "上級"}, "level 3"},
        {{"ｵﾌﾟｼｮﾝ", "言語 / Language", "日本語"}, "language 日本語"},
        {{"ｵﾌﾟｼｮﾝ", "言語 / Language", "English"}, "language English"},
        {{"その他"}, "version"},
        {{"局面", "待った"}, "take back"},
        {{"局面", "投了"}, "resign"},
        {{"棋譜", "開く…"}, "open record"},
        {{"棋譜", "保存…"}, "save record"},
        {{"棋譜", "先頭"}, "step first"},
        {{"棋譜", "前へ"}, "step back"},
        {{"棋譜", "次へ"}, "step forward"},
        {{"棋譜", "最後"}, "step last"},
        {{"練習", "詰め問題…"}, "puzzle"},
    };
    window.setCommandEnabled(MenuCommand::Resume, true);
    cases.push_back({{"対局", "続きから"}, "resume"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.join(" > ").toStdString());
        QAction* action = findAction(window, c.path);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->menu(), nullptr);
        game.calls.clear();
        action->trigger();
        EXPECT_EQ(game.calls, std::vector<std::string>{c.call});
    }
}

TEST_F(MainWindowTest, MenuBarHoldsTheTopLevelItemsInOrder) {
    QStringList captions;
    for (QAction* action : window.menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions,
              (QStringList{"対局", "局面", "ｵﾌﾟｼｮﾝ", "その他", "棋譜", "練習", "ヘルプ"}));
    // その他 is an item of the bar itself; ヘルプ, at the right end, holds 遊び方 (F1), which
    // opens the help window without troubling the game.
    EXPECT_EQ(window.menuBar()->actions().at(3)->menu(), nullptr);
    QMenu* helpMenu = window.menuBar()->actions().at(6)->menu();
    ASSERT_NE(helpMenu, nullptr);
    ASSERT_EQ(helpMenu->actions().size(), 1);
    QAction* howToPlay = helpMenu->actions().front();
    EXPECT_EQ(howToPlay->text(), "遊び方");
    EXPECT_EQ(howToPlay->shortcut(), QKeySequence(Qt::Key_F1));
    howToPlay->trigger();
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_TRUE(window.helpWindow()->isVisible());
    EXPECT_TRUE(game.calls.empty());
}

TEST_F(MainWindowTest, RecordCommandsComeAfterTheExistingItemsWithTheirShortcuts) {
    const std::pair<QStringList, QKeySequence> expected[] = {
        {{"対局", "続きから"}, QKeySequence(Qt::Key_F5)},
        {{"局面", "待った"}, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {{"棋譜", "開く…"}, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {{"棋譜", "保存…"}, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {{"棋譜", "先頭"}, QKeySequence(Qt::Key_Home)},
        {{"棋譜", "前へ"}, QKeySequence(Qt::Key_PageUp)},
        {{"棋譜", "次へ"}, QKeySequence(Qt::Key_PageDown)},
        {{"棋譜", "最後"}, QKeySequence(Qt::Key_End)},
    };
    for (const auto& [path, keys] : expected) {
        QAction* action = findAction(window, path);
        ASSERT_NE(action, nullptr) << path.join(" > ").toStdString();
        EXPECT_EQ(action->shortcut(), keys) << path.join(" > ").toStdString();
    }
    const QList<QAction*> game = findAction(window, {"対局"})->menu()->actions();
    ASSERT_GE(game.size(), 2);
    EXPECT_EQ(game[game.size() - 2]->text(), "続きから");
    EXPECT_EQ(game.last()->text(), "対局(ネット)");
    EXPECT_EQ(findAction(window, {"局面"})->menu()->actions().last()->text(), "投了");
}

TEST_F(MainWindowTest, OnlineCommandsGoToTheirHandlerAndTheStateShowsInTheCorner) {
    std::vector<Command> handled;
    window.setOnlineHandler([&](Command command) { handled.push_back(command); });
    const QStringList menu{"対局", "対局(ネット)"};
    const std::pair<const char*, Command> items[] = {
        {"接続…", Command::SETSUZOKU}, {"招待…", Command::SHOTAI}, {"切断", Command::SETSUDAN}};
    for (const auto& [caption, command] : items) {
        QAction* action = findAction(window, menu + QStringList{caption});
        ASSERT_EQ(action, window.onlineAction(command)) << caption;
        EXPECT_EQ(action->isEnabled(), command == Command::SETSUZOKU) << caption;
        window.setOnlineCommandEnabled(command, true);
        action->trigger();
    }
    EXPECT_EQ(handled,
              (std::vector<Command>{Command::SETSUZOKU, Command::SHOTAI, Command::SETSUDAN}));
    EXPECT_TRUE(game.calls.empty()) << "network commands never reach the game";

    // The corner is empty until the first connection and never changes the picture's place.
    auto* corner = qobject_cast<QLabel*>(window.menuBar()->cornerWidget(Qt::TopRightCorner));
    ASSERT_NE(corner, nullptr);
    EXPECT_TRUE(corner->isHidden());
    const QRect picture = window.surface().geometry();
    const std::pair<Connection, const char*> states[] = {{Connection::Connecting, "接続中"},
                                                         {Connection::Online, "オンライン"},
                                                         {Connection::Offline, "切断"}};
    for (const auto& [state, text] : states) {
        window.showConnection(state);
        EXPECT_FALSE(corner->isHidden());
        EXPECT_EQ(corner->text(), QString::fromUtf8(text));
        EXPECT_EQ(window.surface().geometry(), picture);
    }
}

TEST_F(MainWindowTest, TheIdleHandlerRunsOnceTheGameFinishedAnEvent) {
    std::vector<bool> busyWhenIdle;
    window.setIdleHandler([&] { busyWhenIdle.push_back(window.busy()); });
    bool busyInGame = false;
    game.react = [&](const std::string&) { busyInGame = window.busy(); };
    findAction(window, {"局面", "最初"})->trigger();
    window.runInGame([] {});
    EXPECT_TRUE(busyInGame);
    EXPECT_EQ(busyWhenIdle, (std::vector<bool>{false, false}));
}

TEST_F(MainWindowTest, ResumeIsEnabledOnlyAsTheGameSays) {
    QAction* resume = findAction(window, {"対局", "続きから"});
    ASSERT_EQ(resume, window.commandAction(MenuCommand::Resume));
    EXPECT_FALSE(resume->isEnabled());
    resume->trigger();
    EXPECT_TRUE(game.calls.empty()) << "a disabled 続きから reaches nothing";
    window.setCommandEnabled(MenuCommand::Resume, true);
    EXPECT_TRUE(resume->isEnabled());
    window.setCommandEnabled(MenuCommand::Resume, false);
    EXPECT_FALSE(resume->isEnabled());
}

TEST_F(MainWindowTest, InterfaceFontHasEveryGlyphOfTheMenus) {
    const QFont font = window.menuBar()->font();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    const QFontMetrics metrics(font);
    std::function<void(const QList<QAction*>&)> check = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            for (const QChar ch : action->text()) {
                EXPECT_TRUE(metrics.inFont(ch))
                    << "no glyph for U+" << std::hex << static_cast<int>(ch.unicode()) << " in "
                    << action->text().toStdString();
            }
            if (action->menu() != nullptr) {
                EXPECT_EQ(QFontInfo(action->menu()->font()).family(), QStringLiteral("IPAPGothic"));
                check(action->menu()->actions());
            }
        }
    };
    check(window.menuBar()->actions());
}

// Marks the game owns; which items carry them at the start.
TEST_F(MainWindowTest, OnlyTatamiIsCheckedAtFirst) {
    const std::pair<MenuItem, bool> expected[] = {
        {MenuItem::MIDORI, false}, {MenuItem::TATAMI, true},   {MenuItem::TAKE, false},
        {MenuItem::UCHU, false},   {MenuItem::RENGA, false},   {MenuItem::SIDOU, false},
        {MenuItem::KEIKA, false},  {MenuItem::BGM, false},     {MenuItem::NYUMON, false},
        {MenuItem::SYOKYU, false}, {MenuItem::CHUKYU, false},  {MenuItem::JOKYU, false},
        {MenuItem::NIHONGO, true}, {MenuItem::ENGLISH, false},
    };
    for (const auto& [item, checked] : expected) {
        QAction* action = window.markAction(item);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isCheckable());
        EXPECT_EQ(action->isChecked(), checked) << action->text().toStdString();
    }
    EXPECT_EQ(window.markAction(MenuItem::TATAMI), findAction(window, {"ｵﾌﾟｼｮﾝ", "背景画", "畳"}));
    EXPECT_EQ(window.markAction(MenuItem::BGM), findAction(window, {"ｵﾌﾟｼｮﾝ", "BGM"}));
    EXPECT_EQ(window.markAction(MenuItem::JOKYU), findAction(window, {"ｵﾌﾟｼｮﾝ", "強さ", "上級"}));
}

// Items added after the original ones keep those in their places.
TEST_F(MainWindowTest, AddedItemsFollowTheOriginalOnes) {
    auto captions = [this](const QStringList& path) {
        QStringList out;
        for (QAction* action : findAction(window, path)->menu()->actions())
            out << action->text();
        return out;
    };
    EXPECT_EQ(captions({"局面"}), (QStringList{"最初", "ヒント", "待った", "投了"}));
    EXPECT_EQ(captions({"ｵﾌﾟｼｮﾝ"}), (QStringList{"背景画", "移動指導", "経過時間", "BGM", "強さ",
                                                 "言語 / Language", "千日手"}));
    EXPECT_EQ(captions({"ｵﾌﾟｼｮﾝ", "強さ"}), (QStringList{"入門", "初級", "中級", "上級"}));
    EXPECT_EQ(captions({"ｵﾌﾟｼｮﾝ", "言語 / Language"}), (QStringList{"日本語", "English"}));
    EXPECT_EQ(findAction(window, {"局面", "ヒント"})->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+H")));
}

TEST_F(MainWindowTest, ActionsDoNotToggleThemselves) {
    // A game that changes no mark: every action keeps its state after being chosen.
    const MenuItem items[] = {MenuItem::MIDORI, MenuItem::TATAMI, MenuItem::UCHU,
                              MenuItem::SIDOU,  MenuItem::KEIKA,  MenuItem::BGM,
                              MenuItem::NYUMON, MenuItem::JOKYU};
    for (const MenuItem item : items) {
        QAction* action = window.markAction(item);
        const bool before = action->isChecked();
        action->trigger();
        EXPECT_EQ(action->isChecked(), before) << action->text().toStdString();
    }
    EXPECT_EQ(game.calls.size(), std::size(items));
}

TEST_F(MainWindowTest, MarksFollowWhatTheGameSets) {
    game.react = [this](const std::string& call) {
        if (call == "background 5") {
            window.setMark(MenuItem::TATAMI, false);
            window.setMark(MenuItem::UCHU, true);
        } else if (call == "bgm") {
            window.setMark(MenuItem::BGM, true);
        }
    };
    window.markAction(MenuItem::UCHU)->trigger();
    EXPECT_TRUE(window.markAction(MenuItem::UCHU)->isChecked());
    EXPECT_FALSE(window.markAction(MenuItem::TATAMI)->isChecked());
    window.markAction(MenuItem::BGM)->trigger();
    EXPECT_TRUE(window.markAction(MenuItem::BGM)->isChecked());
    // Choosing a checked item again while the game leaves it checked keeps it checked.
    window.markAction(MenuItem::UCHU)->trigger();
    EXPECT_TRUE(window.markAction(MenuItem::UCHU)->isChecked());
    // Set outside any menu command (e.g. from reading the settings file).
    window.setMark(MenuItem::KEIKA, true);
    EXPECT_TRUE(window.markAction(MenuItem::KEIKA)->isChecked());
}

TEST_F(MainWindowTest, SurfacePressesReachTheGameInUnits) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&window.surface(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 43));
    QTest::mousePress(&window.surface(), Qt::RightButton, Qt::NoModifier, QPoint(255, 84));
    EXPECT_EQ(game.calls, (std::vector<std::string>{"press 855.000000 645.000000",
                                                    "press 3825.000000 1260.000000"}));
}

// On a screen too small for it the window is shown shrunk: the game's picture keeps its size,
// the window fits the available area, and a press maps back to the units drawn under it.
TEST_F(MainWindowTest, ATooSmallScreenShowsTheWindowShrunk) {
    const QImage natural = window.surface().image();
    window.fitInto(QSize(800, 700));
    EXPECT_EQ(window.surface().shownScale(), 1);
    EXPECT_EQ(window.size(), QSize(633, 600));

    window.fitInto(QSize(960, 500));
    const double scale = window.surface().shownScale();
    EXPECT_LT(scale, 1);
    EXPECT_EQ(window.height(), 500);
    EXPECT_EQ(window.surface().image().size(), natural.size());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&window.surface(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 43));
    ASSERT_EQ(game.calls.size(), 1u);
    double x = 0, y = 0;
    ASSERT_EQ(std::sscanf(game.calls.front().c_str(), "press %lf %lf", &x, &y), 2);
    EXPECT_NEAR(x, 57 * 15 / scale, 1e-6);
    EXPECT_NEAR(y, 43 * 15 / scale, 1e-6);
}

// Keys reach the game as the character codes they type; keys that type nothing are not sent.
TEST_F(MainWindowTest, KeysArriveAsCharacterCodes) {
    struct Case {
        Qt::Key key;
        QString text;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {Qt::Key_Escape, QString(QChar(27)), {"key 27"}},
        {Qt::Key_Escape, QString(), {"key 27"}},
        {Qt::Key_A, QStringLiteral("a"), {"key 97"}},
        {Qt::Key_Return, QStringLiteral("\r"), {"key 13"}},
        {Qt::Key_Shift, QString(), {}},
        {Qt::Key_F1, QString(), {}},
    };
    for (const Case& c : cases) {
        game.calls.clear();
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, c.text);
        QCoreApplication::sendEvent(&window, &press);
        EXPECT_EQ(game.calls, c.calls) << c.key;
    }
}

// A menu closed with Esc leaves the menu bar holding the keyboard; Esc there still reaches the
// game, which ends the program.
TEST_F(MainWindowTest, EscOnTheMenuBarReachesTheGame) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QCoreApplication::sendEvent(window.menuBar(), &press);
    EXPECT_EQ(game.calls, std::vector<std::string>{"key 27"});
}

TEST_F(MainWindowTest, ClosingAsksTheGame) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // A game that does not end the program keeps the window open.
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(game.calls, std::vector<std::string>{"quit"});

    // One that ends it closes the window, and from then on nothing reaches the game.
    game.react = [this](const std::string& call) {
        if (call == "quit") window.requestQuit();
    };
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.quitRequested());
    game.calls.clear();
    window.markAction(MenuItem::BGM)->trigger();
    QTest::mousePress(&window.surface(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_TRUE(game.calls.empty());
}

TEST_F(MainWindowTest, QuitStopsTheEventLoop) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.setTimerEnabled(true);
    QTimer::singleShot(0, &window, [this] { window.requestQuit(); });
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_LT(elapsed.elapsed(), 5000);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.timerEnabled());
    window.setTimerEnabled(true);  // ignored once quitting
    EXPECT_FALSE(window.timerEnabled());
}

TEST_F(MainWindowTest, TimerTicksEveryFiftyMilliseconds) {
    window.setTimerEnabled(true);
    EXPECT_TRUE(window.timerEnabled());
    QElapsedTimer elapsed;
    elapsed.start();
    QTest::qWait(520);
    const int ticks = game.count("tick");
    const double expected = elapsed.elapsed() / 50.0;
    EXPECT_GE(ticks, expected * 0.6);
    EXPECT_LE(ticks, expected + 1);

    window.setTimerEnabled(false);
    EXPECT_FALSE(window.timerEnabled());
    const int stoppedAt = game.count("tick");
    QTest::qWait(200);
    EXPECT_EQ(game.count("tick"), stoppedAt);
}

TEST_F(MainWindowTest, TimerSleepsAsLongAsTheGameSays) {
    // Ticks every 300 ms after the first, which comes after 50 ms as a plain timer's would.
    game.sleep = [] { return std::optional<int>(300); };
    window.setTimerEnabled(true);
    QElapsedTimer elapsed;
    elapsed.start();
    QTest::qWait(1000);
    const int ticks = game.count("tick");
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, 1 + (elapsed.elapsed() - 50) / 300);

    // Nothing to tick for: the timer stays enabled but sleeps until an event.
    game.sleep = [] { return std::nullopt; };
    QTest::qWait(350);
    const int asleep = game.count("tick");
    QTest::qWait(300);
    EXPECT_EQ(game.count("tick"), asleep);
    EXPECT_TRUE(window.timerEnabled());

    // An event that makes a tick due at once (a turn handed over) is followed by that tick.
    game.sleep = [] { return std::optional<int>(0); };
    QTest::mouseClick(&window.surface(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 43));
    game.sleep = [] { return std::nullopt; };
    QTest::qWait(100);
    EXPECT_EQ(game.count("tick"), asleep + 1);
    EXPECT_EQ(game.calls.back(), "tick");
}

TEST_F(MainWindowTest, EventsBeforeTheGameIsConnectedAreDropped) {
    MainWindow unconnected;
    unconnected.markAction(MenuItem::BGM)->trigger();
    EXPECT_FALSE(unconnected.markAction(MenuItem::BGM)->isChecked());
    EXPECT_TRUE(unconnected.close());  // no game to ask
}

}
}

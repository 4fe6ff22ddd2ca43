// Playing from the keyboard: arrow keys press the magnets, menu commands have their shortcuts,
// and the menus follow the chosen language.

#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QTest>
#include <QTranslator>

#include "game/game.h"
#include "ignoring_events.h"
#include "ui/geometry.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/texts.h"

namespace quorvel {
namespace {

// Records the presses the window hands on, and which cell they fall in.
class PressRecorder : public IgnoringEvents {
  public:
    std::vector<geometry::Cell> presses;
    std::vector<int> keys;

    void onKey(int code) override { keys.push_back(code); }
    void onMousePress(double x, double y) override { presses.push_back(geometry::cellAt(x, y)); }
};

class KeyboardTest : public testing::Test {
  protected:
    KeyboardTest() { window.setEvents(&game); }
    ~KeyboardTest() override { window.setEvents(nullptr); }

    void key(Qt::Key k, bool autoRepeat = false, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent press(QEvent::KeyPress, k, modifiers, QString(), autoRepeat);
        QCoreApplication::sendEvent(&window, &press);
    }

    PressRecorder game;
    MainWindow window;
};

// The game is handed exactly the cell a mouse press on the magnet gives: the magnets' cells
// (-1, 5), (11, 5), (5, -1), (5, 11).
TEST_F(KeyboardTest, ArrowKeysPressTheMagnetOnTheirSide) {
    struct Case {
        Qt::Key key;
        geometry::Cell cell;
    };
    const Case cases[] = {
        {Qt::Key_Left, {-1, 5}},
        {Qt::Key_Right, {11, 5}},
        {Qt::Key_Up, {5, -1}},
        {Qt::Key_Down, {5, 11}},
    };
    for (const Case& c : cases) {
        game.presses.clear();
        key(c.key);
        // Modifiers do not matter, as mouse buttons and modifiers do not for a click; the keypad's
        // arrows count too.
        key(c.key, false, Qt::KeypadModifier);
        EXPECT_EQ(game.presses, (std::vector<geometry::Cell>{c.cell, c.cell})) << c.key;
    }
    // A held key repeats nothing, and no arrow reaches the game as a character.
    game.presses.clear();
    key(Qt::Key_Left, true);
    EXPECT_TRUE(game.presses.empty());
    EXPECT_TRUE(game.keys.empty());
    // Other keys still arrive as characters (Esc ends the game there).
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &escape);
    EXPECT_EQ(game.keys, std::vector<int>{27});
}

QAction* findByCaption(const QList<QAction*>& actions, const QString& caption) {
    for (QAction* action : actions) {
        if (action->text() == caption) return action;
        if (action->menu() != nullptr) {
            if (QAction* found = findByCaption(action->menu()->actions(), caption)) return found;
        }
    }
    return nullptr;
}

TEST_F(KeyboardTest, CommandsCarryTheirShortcuts) {
    const std::pair<const char*, QKeySequence> expected[] = {
        {"スタート", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"先手", QKeySequence(Qt::Key_F2)},
        {"後手", QKeySequence(Qt::Key_F3)},
        {"終わり", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"最初", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"ヒント", QKeySequence(Qt::CTRL | Qt::Key_H)},
        {"遊び方", QKeySequence(Qt::Key_F1)},
    };
    QList<QKeySequence> all;
    for (const auto& [caption, sequence] : expected) {
        QAction* action = findByCaption(window.menuBar()->actions(), QString::fromUtf8(caption));
        ASSERT_NE(action, nullptr) << caption;
        EXPECT_EQ(action->shortcut(), sequence) << caption;
        EXPECT_FALSE(all.contains(sequence)) << caption;
        all << sequence;
    }
}

TEST_F(KeyboardTest, EnglishRetranslatesTheMenusAndTheHelpWindowAtOnce) {
    QTranslator translator;
    QTranslator qtTranslator;
    // Qt's own texts (a file dialog's overwrite question) follow the chosen language too.
    const char* const replace = "%1 already exists.\nDo you want to replace it?";
    ASSERT_TRUE(installLanguage(translator, qtTranslator, Language::Japanese));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", replace), QString::fromUtf8(replace));
    ASSERT_TRUE(installLanguage(translator, qtTranslator, Language::English));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", replace), QString::fromUtf8(replace));
    window.showHelp();
    window.retranslate();
    QStringList bar;
    for (QAction* action : window.menuBar()->actions())
        bar << action->text();
    EXPECT_EQ(bar,
              (QStringList{"Game", "Position", "Options", "Other", "Record", "Practice", "Help"}));
    EXPECT_NE(findByCaption(window.menuBar()->actions(), "How to play"), nullptr);
    // The move number's suffix agrees with the number.
    for (const auto& [count, suffix] : {std::pair{1, "move"}, {2, "moves"}, {1000, "moves"}})
        EXPECT_EQ(translatedCount(GAME_CONTEXT, "手目", count), QString::fromUtf8(suffix)) << count;
    EXPECT_EQ(window.helpWindow()->windowTitle(), QStringLiteral("How to play - Quorvel"));
    const QString folder = qEnvironmentVariable("QUORVEL_HELP_SHOTS");
    if (!folder.isEmpty()) {
        if (auto* scroll = window.helpWindow()->findChild<QScrollArea*>())
            scroll->widget()->grab().save(folder + QStringLiteral("/help-page-english.png"));
    }
    // The game's texts, line by line.
    EXPECT_EQ(
        translatedLines(GAME_CONTEXT, QStringLiteral("Home page\r（まだありません）\r\re-mail")),
        QStringLiteral("Home page\n(none yet)\n\ne-mail"));
    // Lines built around numbers find their entry with the numbers as %1, %2, ...; a line with
    // numbers but no such entry stays as it is.
    EXPECT_EQ(
        translatedLines(GAME_CONTEXT, QStringLiteral("棋譜を読めません\r12行目\r手数が順番どおりで"
                                                     "はありません（3手目のはずです）\r7行")),
        QStringLiteral("The game record cannot be read\nLine 12\nThe moves are out of order "
                       "(move 3 expected)\n7行"));

    ASSERT_TRUE(installLanguage(translator, qtTranslator, Language::Japanese));
    window.retranslate();
    EXPECT_EQ(window.menuBar()->actions().first()->text(), QStringLiteral("対局"));
    EXPECT_EQ(window.helpWindow()->windowTitle(), QStringLiteral("遊び方 - Quorvel"));
}

// The help window stands beside the game: not modal, and its pictures follow the window's
// device pixel ratio. With QUORVEL_HELP_SHOTS naming a folder, its look is kept there.
TEST_F(KeyboardTest, HelpWindowIsNotModalAndDrawsAtTheWindowsRatio) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showHelp();
    HelpWindow* help = window.helpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    EXPECT_EQ(help->windowModality(), Qt::NonModal);
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->picturesRatio(), help->devicePixelRatioF());
    // A second 遊び方 brings the same window back.
    window.showHelp();
    EXPECT_EQ(window.helpWindow(), help);
    const QString folder = qEnvironmentVariable("QUORVEL_HELP_SHOTS");
    if (!folder.isEmpty()) {
        const QString ratio = QString::number(help->devicePixelRatioF());
        help->grab().save(folder + QStringLiteral("/help-x%1.png").arg(ratio));
        // The whole page, beyond what the window shows.
        if (auto* scroll = help->findChild<QScrollArea*>()) {
            scroll->widget()->grab().save(folder + QStringLiteral("/help-page-x%1.png").arg(ratio));
        }
    }
}

}
}

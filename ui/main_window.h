#pragma once

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "game/menu_items.h"
#include "ui/game_events.h"
#include "ui/surface.h"

class QAction;
class QLabel;

namespace quorvel {

class HelpWindow;
class AnalysisWindow;
enum class Command;

// The connection to the network as the window shows it: nothing until the first connection.
// Connecting, Online and Offline follow Never in this order.
enum class Connection { Never, Connecting, Online, Offline };

// The game's main window: the menu bar, the drawing surface as central widget, the clock timer
// and the window's own events (keys, closing). Everything the player does goes to GameEvents.
// Menu check marks belong to the game: the window shows exactly what the game last set.
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // Outer size in logical pixels, menu bar included (9500 x 9000 drawing units).
    static constexpr int outerWidth = 633;
    static constexpr int outerHeight = 600;

    MainWindow();
    ~MainWindow() override;

    // Where events go; until set (or after quitting) events are dropped.
    void setEvents(GameEvents* events) {
        events_ = events;
        scheduleTick();
    }

    Surface& surface() { return *surface_; }

    // Where the window at its size does not fit the screen's available area (title bar
    // included), shows it shrunk to fit; the game's picture keeps its size. The menu bar keeps
    // its own size.
    void fitToScreen();
    // The same for an available area of the given size, frame excluded.
    void fitInto(QSize available);

    // Check marks, as the game sets them.
    void setMark(MenuItem item, bool checked);
    QAction* markAction(MenuItem item) const;

    // Menu commands the game enables and disables.
    void setCommandEnabled(MenuCommand command, bool enabled);
    QAction* commandAction(MenuCommand command) const;

    // The network commands of the menu (接続…, 招待…, 切断) go to the handler; without one they do
    // nothing. 接続… starts enabled, the others disabled.
    void setOnlineHandler(std::function<void(Command)> handler) {
        onlineHandler_ = std::move(handler);
    }
    void setOnlineCommandEnabled(Command command, bool enabled);
    QAction* onlineAction(Command command) const;

    // True while an event is in the game (its boxes and pauses included). The idle handler runs
    // each time the game has finished an event, so that what waited for it can go in.
    bool busy() const { return depth_ > 0; }
    void setIdleHandler(std::function<void()> handler) { idleHandler_ = std::move(handler); }
    // Runs a call into the game from outside the window's own events (a friend's move), as an
    // event of the window: busy meanwhile, the marks and the timer brought up to date after.
    // Nothing runs once the program is quitting.
    void runInGame(const std::function<void()>& call);

    // The connection's state in the menu bar's right corner (接続中, オンライン, 切断); hidden
    // while Never, so a player who never goes online sees the window as always.
    void showConnection(Connection connection);
    Connection connection() const { return connection_; }

    // A modal file dialog for a game record in `folder`: a file to open (*.kifu, *.kif) or to
    // save (*.kifu, added when the name has no extension); nothing when cancelled.
    std::optional<QString> chooseRecordFile(FileChoice choice, const QString& folder);

    // Timer1: while enabled, the game ticks every 50 ms, except that the window sleeps through
    // the ticks that the game says would change nothing (GameEvents::msUntilClockChanges).
    void setTimerEnabled(bool enabled);
    bool timerEnabled() const;

    // Ends the program: no event reaches the game any more, the window closes and the event
    // loop stops. Safe to call from any handler, also before the event loop runs.
    void requestQuit();
    bool quitRequested() const { return quitRequested_; }

    // Shows every caption in the current language (after the application's catalogue changed),
    // and the help window too when it is open.
    void retranslate();

    // 遊び方: opens the help window beside the game, or brings it to the front.
    void showHelp();
    HelpWindow* helpWindow() const { return help_; }

    // 棋譜 → 解析: opens the analysis of the record on the board beside the game, or brings it to
    // the front. While it is shown it follows the record after every event.
    void showAnalysis();
    AnalysisWindow* analysisWindow() const { return analysis_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The menu bar and its menus from the menu table (ui/menu_table.h).
    void buildMenus();
    // An arrow key presses the magnet on its side: the game gets the press on that magnet's
    // cell a mouse would give. False for any other key.
    bool pressMagnetOfKey(int key);
    // Runs one event in the game, then puts every check mark back to the game's state (a
    // checkable action toggles itself when triggered).
    void dispatch(const std::function<void(GameEvents&)>& call);
    void applyMarks();
    void captionConnection();
    // Sets Timer1 to go off when the game next needs a tick.
    void scheduleTick();

    Surface* surface_ = nullptr;
    GameEvents* events_ = nullptr;
    QTimer timer1_;  // single-shot, set again after every tick and event
    bool timer1Enabled_ = false;
    std::map<MenuItem, QAction*> markActions_;
    std::map<MenuItem, bool> marks_;
    std::vector<std::pair<QAction*, const char*>> captions_;
    HelpWindow* help_ = nullptr;          // a child window, made on first use
    AnalysisWindow* analysis_ = nullptr;  // likewise
    std::map<MenuCommand, QAction*> commandActions_;
    bool quitRequested_ = false;
    // Runs a call into the game, counting it as busy.
    void inGame(const std::function<void()>& call);

    int depth_ = 0;
    std::function<void()> idleHandler_;
    std::function<void(Command)> onlineHandler_;
    std::map<Command, QAction*> onlineActions_;
    QLabel* connectionLabel_ = nullptr;
    Connection connection_ = Connection::Never;
};

}

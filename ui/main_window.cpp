#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QTreeView>
#include <QtMath>
#include <algorithm>
#include <array>
#include <string_view>

#include "game/game.h"
#include "game/magnets.h"
#include "ui/analysis_window.h"
#include "ui/geometry.h"
#include "ui/help_window.h"
#include "ui/menu_table.h"
#include "ui/palette.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

constexpr int escapeCharacter = 27;
// The file dialog's size in logical pixels when the screen has room for it.
constexpr int FILE_DIALOG_WIDTH = 820;
constexpr int FILE_DIALOG_HEIGHT = 520;

bool magnetKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}

MainWindow::MainWindow() {
    setWindowTitle(QStringLiteral("Quorvel"));

    QPalette background = palette();
    background.setColor(QPalette::Window, paletteColour(windowBackgroundColour));
    setPalette(background);
    setAutoFillBackground(true);

    buildMenus();
    menuBar()->installEventFilter(this);
    // The menu bar keeps the system colours; only the client area is green. Every colour is
    // set explicitly, otherwise the bar would inherit the window's green.
    const QPalette system = QApplication::palette(menuBar());
    QPalette menuColours;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            menuColours.setBrush(g, r, system.brush(g, r));
        }
    }
    menuBar()->setPalette(menuColours);

    surface_ = new Surface(this);
    setCentralWidget(surface_);
    connect(surface_, &Surface::pressed, this, [this](double unitsX, double unitsY) {
        dispatch([=](GameEvents& game) { game.onMousePress(unitsX, unitsY); });
    });
    connect(surface_, &Surface::ratioChanged, this,
            [this] { dispatch([](GameEvents& game) { game.redrawAll(); }); });

    // Timer1 goes off once for each tick that can change something, at the time the game names.
    // A waiting game's clock changes once a second, so the program wakes once a second, not
    // twenty times. The wait is exact to the millisecond so that it ends past the second's turn.
    timer1_.setSingleShot(true);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] {
        // A tick never changes a check mark, so it skips dispatch's mark restoring.
        if (events_ == nullptr || quitRequested_) return;
        inGame([this] { events_->onTimerTick(); });
        scheduleTick();
    });

    setFixedSize(outerWidth, outerHeight);
    move(0, 0);
    // Lay the surface out now: the game draws its first position before the window is shown.
    if (layout() != nullptr) layout()->activate();
}

MainWindow::~MainWindow() {
    events_ = nullptr;
}

void MainWindow::buildMenus() {
    // Each entry goes into its parent, found by caption: the menu bar for the top level.
    std::map<std::string_view, QMenu*> menus;
    for (const MenuEntry& entry : menuTable()) {
        QMenu* parent = entry.parent == nullptr ? nullptr : menus.at(entry.parent);
        if (entry.command == Command::SEPARATOR) {
            parent->addSeparator();
            continue;
        }
        const QString text = translated(MENU_CONTEXT, entry.caption);
        QAction* action = nullptr;
        if (entry.command == Command::SUBMENU) {
            QMenu* menu = parent != nullptr ? parent->addMenu(text) : menuBar()->addMenu(text);
            menus[entry.caption] = menu;
            action = menu->menuAction();
        } else {
            // An entry of the bar without a submenu acts on one click, like その他.
            action = parent != nullptr ? parent->addAction(text) : menuBar()->addAction(text);
            connect(action, &QAction::triggered, this, [this, command = entry.command] {
                if (command == Command::HELP) {
                    showHelp();
                } else if (command == Command::KIFU_ANALYSIS) {
                    showAnalysis();
                } else if (onlineCommand(command)) {
                    if (onlineHandler_ && !quitRequested_) onlineHandler_(command);
                } else {
                    dispatch([command](GameEvents& game) { sendCommand(command, game); });
                }
            });
        }
        captions_.emplace_back(action, entry.caption);
        if (*entry.keys != '\0') action->setShortcut(QKeySequence(QString::fromLatin1(entry.keys)));
        if (entry.mark) {
            action->setCheckable(true);
            markActions_[*entry.mark] = action;
            marks_[*entry.mark] = false;
        }
        if (entry.command == Command::RESUME) {
            action->setEnabled(false);
            commandActions_[MenuCommand::Resume] = action;
        }
        if (onlineCommand(entry.command)) {
            action->setEnabled(entry.command == Command::SETSUZOKU);
            onlineActions_[entry.command] = action;
        }
    }

    connectionLabel_ = new QLabel(menuBar());
    connectionLabel_->setContentsMargins(0, 0, connectionLabel_->fontMetrics().averageCharWidth(),
                                         0);
    connectionLabel_->hide();
    menuBar()->setCornerWidget(connectionLabel_, Qt::TopRightCorner);

    // The game's starting marks, until it says otherwise.
    marks_[MenuItem::TATAMI] = true;
    marks_[MenuItem::NIHONGO] = true;
    applyMarks();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // A menu closed with Esc leaves the bar holding the keyboard, and the bar would swallow
    // every later Esc. With no menu open, Esc there is the game's Esc: it ends the program.
    if (watched == menuBar() && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        QApplication::activePopupWidget() == nullptr) {
        menuBar()->clearFocus();
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::retranslate() {
    for (const auto& [action, caption] : captions_)
        action->setText(translated(MENU_CONTEXT, caption));
    captionConnection();
    if (help_ != nullptr) help_->retranslate();
    if (analysis_ != nullptr) analysis_->retranslate();
}

void MainWindow::fitToScreen() {
    // The window manager's frame: known once the window is shown, estimated before.
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    fitInto(screen()->availableGeometry().size() - frame);
}

void MainWindow::fitInto(QSize available) {
    const int menu = menuBar()->sizeHint().height();
    const QSize picture(outerWidth, outerHeight - menu);
    const double scale = geometry::fitScale(picture.width(), picture.height(), available.width(),
                                            available.height() - menu);
    surface_->setShownScale(scale, picture);
    setFixedSize(qRound(picture.width() * scale), menu + qRound(picture.height() * scale));
}

void MainWindow::showHelp() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(this);
        help_->placeBeside(frameGeometry(), screen()->availableGeometry());
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void MainWindow::showAnalysis() {
    if (analysis_ == nullptr) {
        analysis_ = new AnalysisWindow(this);
        analysis_->placeBeside(frameGeometry(), screen()->availableGeometry());
        connect(analysis_, &AnalysisWindow::stepTo, this, [this](std::size_t moves) {
            dispatch([moves](GameEvents& game) { game.onStepTo(moves); });
        });
    }
    if (events_ != nullptr && !quitRequested_) analysis_->follow(events_->analysisSubject());
    analysis_->show();
    analysis_->raise();
    analysis_->activateWindow();
}

bool MainWindow::pressMagnetOfKey(int key) {
    Direction direction;
    switch (key) {
        case Qt::Key_Left:
            direction = Direction::Left;
            break;
        case Qt::Key_Right:
            direction = Direction::Right;
            break;
        case Qt::Key_Up:
            direction = Direction::Up;
            break;
        case Qt::Key_Down:
            direction = Direction::Down;
            break;
        default:
            return false;
    }
    const Magnet& magnet = magnetOf(direction);
    const geometry::UnitPoint centre = geometry::cellCorner(magnet.cellX + 0.5, magnet.cellY + 0.5);
    dispatch([centre](GameEvents& game) { game.onMousePress(centre.x, centre.y); });
    return true;
}

void MainWindow::setOnlineCommandEnabled(Command command, bool enabled) {
    if (QAction* action = onlineAction(command)) action->setEnabled(enabled);
}

QAction* MainWindow::onlineAction(Command command) const {
    const auto found = onlineActions_.find(command);
    return found == onlineActions_.end() ? nullptr : found->second;
}

void MainWindow::showConnection(Connection connection) {
    connection_ = connection;
    connectionLabel_->setVisible(connection != Connection::Never);
    captionConnection();
}

void MainWindow::captionConnection() {
    static constexpr std::array<const char*, 3> captions{QT_TRANSLATE_NOOP("Online", "接続中"),
                                                         QT_TRANSLATE_NOOP("Online", "オンライン"),
                                                         QT_TRANSLATE_NOOP("Online", "切断")};
    const auto index = static_cast<std::size_t>(connection_) - 1;
    connectionLabel_->setText(connection_ == Connection::Never
                                  ? QString()
                                  : translated(ONLINE_CONTEXT, captions.at(index)));
    // As wide as the widest of the three in the current language, so the corner keeps its size;
    // set again, so that the bar lays it out anew.
    int width = 0;
    for (const char* caption : captions)
        width = std::max(width, connectionLabel_->fontMetrics().horizontalAdvance(
                                    translated(ONLINE_CONTEXT, caption)));
    const QMargins margins = connectionLabel_->contentsMargins();
    connectionLabel_->setFixedWidth(width + margins.left() + margins.right());
    menuBar()->setCornerWidget(connectionLabel_, Qt::TopRightCorner);
}

void MainWindow::setMark(MenuItem item, bool checked) {
    marks_[item] = checked;
    if (QAction* action = markAction(item)) action->setChecked(checked);
}

QAction* MainWindow::markAction(MenuItem item) const {
    const auto found = markActions_.find(item);
    return found == markActions_.end() ? nullptr : found->second;
}

void MainWindow::setCommandEnabled(MenuCommand command, bool enabled) {
    if (QAction* action = commandAction(command)) action->setEnabled(enabled);
}

QAction* MainWindow::commandAction(MenuCommand command) const {
    const auto found = commandActions_.find(command);
    return found == commandActions_.end() ? nullptr : found->second;
}

std::optional<QString> MainWindow::chooseRecordFile(FileChoice choice, const QString& folder) {
    const bool save = choice == FileChoice::Save;
    QFileDialog dialog(
        this,
        save ? translated(DIALOG_CONTEXT, QT_TRANSLATE_NOOP("Dialog", "保存"))
             : translated(DIALOG_CONTEXT, QT_TRANSLATE_NOOP("Dialog", "開く")),
        folder,
        save ? translated(DIALOG_CONTEXT, QT_TRANSLATE_NOOP("Dialog", "棋譜 (*.kifu)"))
             : translated(DIALOG_CONTEXT, QT_TRANSLATE_NOOP("Dialog", "棋譜 (*.kifu *.kif)")));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("kifu"));
    dialog.setWindowModality(Qt::ApplicationModal);
    // Qt's default size clips the size, type and date columns of the Japanese labels; the dialog
    // opens wide enough for them, within the screen.
    const QSize roomy(FILE_DIALOG_WIDTH, FILE_DIALOG_HEIGHT);
    const QSize available = screen()->availableGeometry().size() * 9 / 10;
    dialog.resize(dialog.sizeHint().expandedTo(roomy).boundedTo(available));
    // Qt's own dialog (where the desktop offers none) keeps its columns at fixed widths: the name
    // takes the room left, size, type and date their contents' width.
    if (auto* view = dialog.findChild<QTreeView*>()) {
        view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

void MainWindow::applyMarks() {
    for (const auto& [item, action] : markActions_)
        action->setChecked(marks_[item]);
}

void MainWindow::setTimerEnabled(bool enabled) {
    if (enabled && !quitRequested_) {
        // The first tick of a newly enabled timer comes after one interval, as a plain timer's.
        if (!timer1Enabled_) timer1_.start(GameEvents::TICK_MS);
        timer1Enabled_ = true;
    } else {
        timer1Enabled_ = false;
        timer1_.stop();
    }
}

bool MainWindow::timerEnabled() const {
    return timer1Enabled_;
}

void MainWindow::scheduleTick() {
    if (!timer1Enabled_ || events_ == nullptr || quitRequested_) return;
    if (const std::optional<int> ms = events_->msUntilClockChanges()) {
        timer1_.start(std::max(*ms, 0));
    } else {
        timer1_.stop();
    }
}

void MainWindow::dispatch(const std::function<void(GameEvents&)>& call) {
    if (events_ != nullptr && !quitRequested_) inGame([&] { call(*events_); });
    applyMarks();
    // The event may have changed the record or the position shown.
    if (analysis_ != nullptr && analysis_->isVisible() && events_ != nullptr && !quitRequested_) {
        analysis_->follow(events_->analysisSubject());
    }
    // The event may have started a turn or a game, or reset the clock.
    scheduleTick();
}

void MainWindow::runInGame(const std::function<void()>& call) {
    if (quitRequested_) return;
    inGame(call);
    applyMarks();
    scheduleTick();
}

void MainWindow::inGame(const std::function<void()>& call) {
    ++depth_;
    call();
    --depth_;
    if (depth_ == 0 && idleHandler_ && !quitRequested_) idleHandler_();
}

void MainWindow::requestQuit() {
    if (quitRequested_) return;
    quitRequested_ = true;
    timer1Enabled_ = false;
    timer1_.stop();
    hide();
    // Stops every running event loop, modal ones included. With none running yet (quitting
    // while loading) there is nothing to stop: main() sees quitRequested() instead. Calling
    // exit() then would leave Qt refusing to start any later loop.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing is the game's decision: it ends the program through requestQuit().
    dispatch([](GameEvents& game) { game.onQuit(); });
    if (quitRequested_ || events_ == nullptr) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // A held arrow key makes one move, not a queue of them.
    if (event->isAutoRepeat() && magnetKey(event->key())) {
        event->accept();
        return;
    }
    if (pressMagnetOfKey(event->key())) {
        event->accept();
        return;
    }
    // The game sees keys as the character codes they type; Esc is 27 even where a platform
    // gives it no text.
    const QString text = event->text();
    int code = -1;
    if (event->key() == Qt::Key_Escape) {
        code = escapeCharacter;
    } else if (text.size() == 1 && text.at(0).unicode() < 0x80) {
        code = text.at(0).unicode();
    }
    if (code < 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    dispatch([code](GameEvents& game) { game.onKey(code); });
    event->accept();
}

}

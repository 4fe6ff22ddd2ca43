#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QThread>
#include <algorithm>

#include "game/game.h"
#include "game/magnets.h"
#include "ui/geometry.h"
#include "ui/help_window.h"
#include "ui/palette.h"
#include "ui/texts.h"

namespace quorvel {

namespace {

constexpr int escapeCharacter = 27;

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
        events_->onTimerTick();
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

QMenu* MainWindow::addMenu(QMenuBar* bar, const char* caption) {
    QMenu* added = bar->addMenu(translated(MENU_CONTEXT, caption));
    captions_.emplace_back(added->menuAction(), caption);
    return added;
}

QMenu* MainWindow::addMenu(QMenu* menu, const char* caption) {
    QMenu* added = menu->addMenu(translated(MENU_CONTEXT, caption));
    captions_.emplace_back(added->menuAction(), caption);
    return added;
}

QAction* MainWindow::addCommand(QMenu* menu, const char* caption, std::function<void()> command) {
    QAction* action = menu->addAction(translated(MENU_CONTEXT, caption));
    captions_.emplace_back(action, caption);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

QAction* MainWindow::addMark(QMenu* menu, const char* caption, MenuItem item,
                             std::function<void()> command) {
    QAction* action = addCommand(menu, caption, std::move(command));
    action->setCheckable(true);
    markActions_[item] = action;
    marks_[item] = false;
    return action;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    auto on = [this](void (GameEvents::*handler)()) {
        return [this, handler] { dispatch([handler](GameEvents& game) { (game.*handler)(); }); };
    };
    auto background = [this](int code) {
        return
            [this, code] { dispatch([code](GameEvents& game) { game.onBackgroundItem(code); }); };
    };

    auto level = [this](Level chosen) {
        return [this, chosen] { dispatch([chosen](GameEvents& game) { game.onLevel(chosen); }); };
    };
    auto language = [this](Language chosen) {
        return
            [this, chosen] { dispatch([chosen](GameEvents& game) { game.onLanguage(chosen); }); };
    };

    QMenu* taikyoku = addMenu(bar, QT_TRANSLATE_NOOP("Menu", "対局"));
    QMenu* human = addMenu(taikyoku, QT_TRANSLATE_NOOP("Menu", "対局(人間)"));
    addCommand(human, QT_TRANSLATE_NOOP("Menu", "スタート"), on(&GameEvents::onStart))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QMenu* computer = addMenu(taikyoku, QT_TRANSLATE_NOOP("Menu", "対局(COM)"));
    addCommand(computer, QT_TRANSLATE_NOOP("Menu", "先手"), on(&GameEvents::onSente))
        ->setShortcut(QKeySequence(Qt::Key_F2));
    addCommand(computer, QT_TRANSLATE_NOOP("Menu", "後手"), on(&GameEvents::onGote))
        ->setShortcut(QKeySequence(Qt::Key_F3));
    addCommand(taikyoku, QT_TRANSLATE_NOOP("Menu", "終わり"), on(&GameEvents::onQuit))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QAction* resume =
        addCommand(taikyoku, QT_TRANSLATE_NOOP("Menu", "続きから"), on(&GameEvents::onResume));
    resume->setShortcut(QKeySequence(Qt::Key_F5));
    resume->setEnabled(false);
    commandActions_[MenuCommand::Resume] = resume;

    QMenu* kyokumen = addMenu(bar, QT_TRANSLATE_NOOP("Menu", "局面"));
    addCommand(kyokumen, QT_TRANSLATE_NOOP("Menu", "最初"), on(&GameEvents::onCancel))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    addCommand(kyokumen, QT_TRANSLATE_NOOP("Menu", "ヒント"), on(&GameEvents::onHint))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    addCommand(kyokumen, QT_TRANSLATE_NOOP("Menu", "待った"), on(&GameEvents::onTakeBack))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));

    QMenu* option = addMenu(bar, QT_TRANSLATE_NOOP("Menu", "ｵﾌﾟｼｮﾝ"));
    QMenu* haikei = addMenu(option, QT_TRANSLATE_NOOP("Menu", "背景画"));
    addMark(haikei, QT_TRANSLATE_NOOP("Menu", "緑"), MenuItem::MIDORI,
            background(BACKGROUND_MIDORI));
    addMark(haikei, QT_TRANSLATE_NOOP("Menu", "畳"), MenuItem::TATAMI,
            background(BACKGROUND_TATAMI));
    addMark(haikei, QT_TRANSLATE_NOOP("Menu", "竹"), MenuItem::TAKE, background(BACKGROUND_TAKE));
    addMark(haikei, QT_TRANSLATE_NOOP("Menu", "宇宙"), MenuItem::UCHU, background(BACKGROUND_UCHU));
    addMark(haikei, QT_TRANSLATE_NOOP("Menu", "煉瓦"), MenuItem::RENGA,
            background(BACKGROUND_RENGA));
    addMark(option, QT_TRANSLATE_NOOP("Menu", "移動指導"), MenuItem::SIDOU,
            on(&GameEvents::onSidou));
    addMark(option, QT_TRANSLATE_NOOP("Menu", "経過時間"), MenuItem::KEIKA,
            on(&GameEvents::onKeika));
    addMark(option, QT_TRANSLATE_NOOP("Menu", "BGM"), MenuItem::BGM, on(&GameEvents::onBgm));
    QMenu* tsuyosa = addMenu(option, QT_TRANSLATE_NOOP("Menu", "強さ"));
    addMark(tsuyosa, QT_TRANSLATE_NOOP("Menu", "入門"), MenuItem::NYUMON, level(Level::入門));
    addMark(tsuyosa, QT_TRANSLATE_NOOP("Menu", "初級"), MenuItem::SYOKYU, level(Level::初級));
    addMark(tsuyosa, QT_TRANSLATE_NOOP("Menu", "中級"), MenuItem::CHUKYU, level(Level::中級));
    addMark(tsuyosa, QT_TRANSLATE_NOOP("Menu", "上級"), MenuItem::JOKYU, level(Level::上級));
    QMenu* gengo = addMenu(option, QT_TRANSLATE_NOOP("Menu", "言語 / Language"));
    addMark(gengo, QT_TRANSLATE_NOOP("Menu", "日本語"), MenuItem::NIHONGO,
            language(Language::Japanese));
    addMark(gengo, QT_TRANSLATE_NOOP("Menu", "English"), MenuItem::ENGLISH,
            language(Language::English));

    QMenu* sonota = addMenu(bar, QT_TRANSLATE_NOOP("Menu", "その他"));
    addCommand(sonota, QT_TRANSLATE_NOOP("Menu", "バージョン情報"), on(&GameEvents::onVersion));
    addCommand(sonota, QT_TRANSLATE_NOOP("Menu", "遊び方"), [this] {
        showHelp();
    })->setShortcut(QKeySequence(Qt::Key_F1));

    QMenu* kifu = addMenu(bar, QT_TRANSLATE_NOOP("Menu", "棋譜"));
    addCommand(kifu, QT_TRANSLATE_NOOP("Menu", "開く…"), on(&GameEvents::onOpenRecord))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    addCommand(kifu, QT_TRANSLATE_NOOP("Menu", "保存…"), on(&GameEvents::onSaveRecord))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    kifu->addSeparator();
    addCommand(kifu, QT_TRANSLATE_NOOP("Menu", "先頭"), on(&GameEvents::onStepFirst))
        ->setShortcut(QKeySequence(Qt::Key_Home));
    addCommand(kifu, QT_TRANSLATE_NOOP("Menu", "前へ"), on(&GameEvents::onStepBack))
        ->setShortcut(QKeySequence(Qt::Key_PageUp));
    addCommand(kifu, QT_TRANSLATE_NOOP("Menu", "次へ"), on(&GameEvents::onStepForward))
        ->setShortcut(QKeySequence(Qt::Key_PageDown));
    addCommand(kifu, QT_TRANSLATE_NOOP("Menu", "最後"), on(&GameEvents::onStepLast))
        ->setShortcut(QKeySequence(Qt::Key_End));

    // The game's starting marks, until it says otherwise.
    marks_[MenuItem::TATAMI] = true;
    marks_[MenuItem::NIHONGO] = true;
    applyMarks();
}

void MainWindow::retranslate() {
    for (const auto& [action, caption] : captions_)
        action->setText(translated(MENU_CONTEXT, caption));
    if (help_ != nullptr) help_->retranslate();
}

void MainWindow::showHelp() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(this);
        // Beside the game where the screen has room, so the board stays in view.
        const QRect screen = this->screen()->availableGeometry();
        const QRect frame = frameGeometry();
        const int x = std::min(frame.right() + 1, screen.right() + 1 - help_->width());
        help_->move(std::max(screen.left(), x), frame.top());
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
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
    if (events_ != nullptr && !quitRequested_) call(*events_);
    applyMarks();
    // The event may have started a turn or a game, or reset the clock.
    scheduleTick();
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

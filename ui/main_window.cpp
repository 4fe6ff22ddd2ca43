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
#include <QThread>

#include "game/game.h"
#include "ui/palette.h"

namespace quorvel {

namespace {

constexpr int escapeCharacter = 27;

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

    timer1_.setInterval(timerIntervalMs);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] {
        // A tick never changes a check mark, so it skips dispatch's mark restoring:
        // the clock ticks twenty times a second.
        if (events_ != nullptr && !quitRequested_) events_->onTimerTick();
    });

    setFixedSize(outerWidth, outerHeight);
    move(0, 0);
    // Lay the surface out now: the game draws its first position before the window is shown.
    if (layout() != nullptr) layout()->activate();
}

MainWindow::~MainWindow() {
    events_ = nullptr;
}

QAction* MainWindow::addCommand(QMenu* menu, const QString& caption,
                                std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    return action;
}

QAction* MainWindow::addMark(QMenu* menu, const QString& caption, MenuItem item,
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

    QMenu* taikyoku = bar->addMenu(QStringLiteral("対局"));
    QMenu* human = taikyoku->addMenu(QStringLiteral("対局(人間)"));
    addCommand(human, QStringLiteral("スタート"), on(&GameEvents::onStart));
    QMenu* computer = taikyoku->addMenu(QStringLiteral("対局(COM)"));
    addCommand(computer, QStringLiteral("先手"), on(&GameEvents::onSente));
    addCommand(computer, QStringLiteral("後手"), on(&GameEvents::onGote));
    addCommand(taikyoku, QStringLiteral("終わり"), on(&GameEvents::onQuit));
    QAction* resume = addCommand(taikyoku, QStringLiteral("続きから"), on(&GameEvents::onResume));
    resume->setShortcut(QKeySequence(Qt::Key_F5));
    resume->setEnabled(false);
    commandActions_[MenuCommand::Resume] = resume;

    QMenu* kyokumen = bar->addMenu(QStringLiteral("局面"));
    addCommand(kyokumen, QStringLiteral("最初"), on(&GameEvents::onCancel));
    QAction* hint = addCommand(kyokumen, QStringLiteral("ヒント"), on(&GameEvents::onHint));
    hint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    addCommand(kyokumen, QStringLiteral("待った"), on(&GameEvents::onTakeBack))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));

    QMenu* option = bar->addMenu(QStringLiteral("ｵﾌﾟｼｮﾝ"));
    QMenu* haikei = option->addMenu(QStringLiteral("背景画"));
    addMark(haikei, QStringLiteral("緑"), MenuItem::MIDORI, background(BACKGROUND_MIDORI));
    addMark(haikei, QStringLiteral("畳"), MenuItem::TATAMI, background(BACKGROUND_TATAMI));
    addMark(haikei, QStringLiteral("竹"), MenuItem::TAKE, background(BACKGROUND_TAKE));
    addMark(haikei, QStringLiteral("宇宙"), MenuItem::UCHU, background(BACKGROUND_UCHU));
    addMark(haikei, QStringLiteral("煉瓦"), MenuItem::RENGA, background(BACKGROUND_RENGA));
    addMark(option, QStringLiteral("移動指導"), MenuItem::SIDOU, on(&GameEvents::onSidou));
    addMark(option, QStringLiteral("経過時間"), MenuItem::KEIKA, on(&GameEvents::onKeika));
    addMark(option, QStringLiteral("BGM"), MenuItem::BGM, on(&GameEvents::onBgm));
    QMenu* tsuyosa = option->addMenu(QStringLiteral("強さ"));
    addMark(tsuyosa, QStringLiteral("入門"), MenuItem::NYUMON, level(Level::入門));
    addMark(tsuyosa, QStringLiteral("初級"), MenuItem::SYOKYU, level(Level::初級));
    addMark(tsuyosa, QStringLiteral("中級"), MenuItem::CHUKYU, level(Level::中級));
    addMark(tsuyosa, QStringLiteral("上級"), MenuItem::JOKYU, level(Level::上級));

    // A command straight on the menu bar, without a drop-down.
    QAction* version = bar->addAction(QStringLiteral("その他"));
    connect(version, &QAction::triggered, this, on(&GameEvents::onVersion));

    QMenu* kifu = bar->addMenu(QStringLiteral("棋譜"));
    const std::pair<QString, QKeySequence> fileItems[] = {
        {QStringLiteral("開く…"), QKeySequence(Qt::CTRL | Qt::Key_O)},
        {QStringLiteral("保存…"), QKeySequence(Qt::CTRL | Qt::Key_S)},
    };
    addCommand(kifu, fileItems[0].first, on(&GameEvents::onOpenRecord))
        ->setShortcut(fileItems[0].second);
    addCommand(kifu, fileItems[1].first, on(&GameEvents::onSaveRecord))
        ->setShortcut(fileItems[1].second);
    kifu->addSeparator();
    addCommand(kifu, QStringLiteral("先頭"), on(&GameEvents::onStepFirst))
        ->setShortcut(QKeySequence(Qt::Key_Home));
    addCommand(kifu, QStringLiteral("前へ"), on(&GameEvents::onStepBack))
        ->setShortcut(QKeySequence(Qt::Key_PageUp));
    addCommand(kifu, QStringLiteral("次へ"), on(&GameEvents::onStepForward))
        ->setShortcut(QKeySequence(Qt::Key_PageDown));
    addCommand(kifu, QStringLiteral("最後"), on(&GameEvents::onStepLast))
        ->setShortcut(QKeySequence(Qt::Key_End));

    // The game's starting marks, until it says otherwise.
    marks_[MenuItem::TATAMI] = true;
    applyMarks();
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
        this, save ? QStringLiteral("保存") : QStringLiteral("開く"), folder,
        save ? QStringLiteral("棋譜 (*.kifu)") : QStringLiteral("棋譜 (*.kifu *.kif)"));
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
        if (!timer1_.isActive()) timer1_.start();
    } else {
        timer1_.stop();
    }
}

bool MainWindow::timerEnabled() const {
    return timer1_.isActive();
}

void MainWindow::dispatch(const std::function<void(GameEvents&)>& call) {
    if (events_ != nullptr && !quitRequested_) call(*events_);
    applyMarks();
}

void MainWindow::requestQuit() {
    if (quitRequested_) return;
    quitRequested_ = true;
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

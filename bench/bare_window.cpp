// The yardstick of the start-up figures in measure_performance.sh: a bare Qt 6 window with a menu
// bar, nothing else. It has the game's size and the titles of the game's menu bar (so both pay
// for the same Japanese font), and its client area is one flat colour that the screen watcher
// takes for the board's wood, so it is timed to the same moment as the game: its first frame
// on screen.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare"));
    for (const char* title : {"対局", "局面", "ｵﾌﾟｼｮﾝ"}) {
        window.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("-"));
    }
    window.menuBar()->addAction(QStringLiteral("その他"));

    auto* client = new QWidget;
    QPalette wood = client->palette();
    wood.setColor(QPalette::Window, QColor(200, 160, 100));
    client->setPalette(wood);
    client->setAutoFillBackground(true);
    window.setCentralWidget(client);
    window.setFixedSize(633, 600);
    window.move(0, 0);
    window.show();
    return QApplication::exec();
}

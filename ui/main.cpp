// Quorvel: the program. Builds the window, connects it to the game and runs the event loop.

#include <QApplication>

#include "game/game.h"
#include "ui/fonts.h"
#include "ui/game_link.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::installFonts();

    quorvel::MainWindow window;
    quorvel::QtPlatform platform(window);
    quorvel::Game game(platform);
    quorvel::GameLink link(game);
    window.setEvents(&link);

    // Window load: sound, settings and the first position are drawn into the surface.
    game.onLoad();
    if (window.quitRequested()) return 0;
    window.show();
    const int code = QApplication::exec();
    window.setEvents(nullptr);
    return code;
}

// Quorvel: the program. Builds the window, connects it to the game and runs the event loop.

#include <QApplication>
#include <cstdio>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "game/game.h"
#include "sound/sound_loader.h"
#include "ui/command_line.h"
#include "ui/fonts.h"
#include "ui/game_link.h"
#include "ui/main_window.h"
#include "ui/online_controller.h"
#include "ui/qt_platform.h"

int main(int argc, char* argv[]) {
    // First of all: the sound module loads and opens the audio device on its own thread while
    // Qt starts here. The game waits for it where it starts the sound system, before the window
    // is shown, so a missing sound system still warns first.
    SoundLoader sound(soundModuleFiles(programPath(), QUORVEL_SOUND_MODULE_NAME,
                                       QUORVEL_SOUND_MODULE_FROM_PROGRAM));

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::installFonts();

    // An account on the command line connects at start; its password is read now, once.
    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1))
        arguments.push_back(argument.toStdString());
    const auto line = quorvel::parseCommandLine(arguments);
    std::optional<quorvel::net::Account> account;
    if (const auto* parsed = std::get_if<quorvel::CommandLine>(&line); parsed && parsed->account) {
        auto read = quorvel::accountOf(*parsed);
        if (auto* error = std::get_if<quorvel::CommandLineError>(&read)) {
            std::fputs(quorvel::usageText(*error).c_str(), stderr);
            return 2;
        }
        account = std::move(std::get<quorvel::net::Account>(read));
    } else if (const auto* error = std::get_if<quorvel::CommandLineError>(&line)) {
        std::fputs(quorvel::usageText(*error).c_str(), stderr);
        return 2;
    }

    quorvel::MainWindow window;
    quorvel::QtPlatform platform(window, sound);
    quorvel::Game game(platform);
    quorvel::GameLink link(game);
    window.setEvents(&link);

    // Window load: sound, settings and the first position are drawn into the surface.
    game.onLoad();
    if (window.quitRequested()) return 0;
    window.fitToScreen();
    window.show();
    // Network play: the menu's 対局(ネット), and the command line's account connected now.
    quorvel::OnlineController online(window, game);
    if (account) online.connectAccount(*account);
    account.reset();
    const int code = QApplication::exec();
    window.setEvents(nullptr);
    return code;
}

#pragma once

#include <optional>
#include <span>

#include "game/menu_items.h"

namespace quorvel {

class GameEvents;

// What choosing a menu entry does. The names are the items' own (TAIKYOKU's START, SENTE, ...);
// SUBMENU entries only open their submenu, SEPARATOR is a line between items, HELP and
// KIFU_ANALYSIS open the help and the analysis windows (the commands the window answers itself);
// SETSUZOKU (接続…), SHOTAI (招待…) and SETSUDAN (切断) go to the window's network play
// (onlineCommand); every other command goes to the game.
enum class Command {
    SUBMENU,
    SEPARATOR,
    START,
    SENTE,
    GOTE,
    OWARI,
    RESUME,
    CANCEL,
    HINT,
    MATTA,
    TOURYOU,
    MIDORI,
    TATAMI,
    TAKE,
    UCHU,
    RENGA,
    SIDOU,
    KEIKA,
    BGM,
    NYUMON,
    SYOKYU,
    CHUKYU,
    JOKYU,
    NIHONGO,
    ENGLISH,
    SENNICHITE,
    VER,
    KIFU_OPEN,
    KIFU_SAVE,
    KIFU_FIRST,
    KIFU_BACK,
    KIFU_FORWARD,
    KIFU_LAST,
    KIFU_ANALYSIS,
    PUZZLE,
    HELP,
    SETSUZOKU,
    SHOTAI,
    SETSUDAN
};

// One entry of the menu tree, in the order the menus show them.
struct MenuEntry {
    const char* parent;   // caption of the menu it is in; nullptr for the menu bar itself
    const char* caption;  // Japanese source text of the "Menu" context; nullptr for a separator
    const char* keys;     // shortcut in Qt's portable text ("Ctrl+N"), empty for none
    Command command;
    std::optional<MenuItem> mark;  // the check mark the game sets on it, if any
};

// The whole menu tree: the game's own items first, then the added ones.
std::span<const MenuEntry> menuTable();

// True for the commands of network play.
bool onlineCommand(Command command);

// Hands a command to the game; SUBMENU, SEPARATOR, HELP, KIFU_ANALYSIS and the network commands
// send nothing.
void sendCommand(Command command, GameEvents& game);

}

#pragma once

namespace quorvel {

// The option items of the menu that carry a check mark.
enum class MenuItem { MIDORI, TATAMI, TAKE, UCHU, RENGA, SIDOU, KEIKA, BGM };

enum class MessageIcon { None, Warning };

// Menu commands that the game enables and disables.
enum class MenuCommand { Resume };

// What a file dialog asks for.
enum class FileChoice { Open, Save };

}

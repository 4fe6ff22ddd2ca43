#pragma once

namespace quorvel {

// The option items of the menu that carry a check mark; NYUMON..JOKYU are the computer's levels
// under 強さ (入門, 初級, 中級, 上級), NIHONGO (日本語) and ENGLISH the items of 言語 / Language,
// SENNICHITE the 千日手 option.
enum class MenuItem {
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
    SENNICHITE
};

enum class MessageIcon { None, Warning };

// Menu commands that the game enables and disables.
enum class MenuCommand { Resume };

// What a file dialog asks for.
enum class FileChoice { Open, Save };

}

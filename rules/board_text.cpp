#include "rules/board_text.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace quorvel {

namespace {

struct Letter {
    int code;
    char letter;
};

constexpr Letter kLetters[] = {
    {UPPER_PAWN, 'p'},
    {UPPER_LANCE, 'l'},
    {UPPER_KNIGHT, 'n'},
    {UPPER_SILVER, 's'},
    {UPPER_GOLD, 'g'},
    {UPPER_BISHOP, 'b'},
    {UPPER_ROOK, 'r'},
    {UPPER_KING, 'k'},
    {UPPER_PAWN_PROMOTED, 'p'},
    {UPPER_LANCE_PROMOTED, 'l'},
    {UPPER_KNIGHT_PROMOTED, 'n'},
    {UPPER_SILVER_PROMOTED, 's'},
    {UPPER_BISHOP_PROMOTED, 'b'},
    {UPPER_ROOK_PROMOTED, 'r'},
};

constexpr bool isPromoted(int magnitude) {
    return magnitude % 10 == 1;
}

std::string tokenOf(int code) {
    if (code == EMPTY) return ".";
    if (code == PRINCE) return "*";
    for (const Letter& l : kLetters) {
        if (l.code != std::abs(code)) continue;
        const char c = code < 0 ? static_cast<char>(std::toupper(l.letter)) : l.letter;
        return isPromoted(l.code) ? std::string{'+', c} : std::string{c};
    }
    std::string unknown = "?";
    unknown += std::to_string(code);
    return unknown;
}

int codeOf(std::string_view token) {
    if (token == ".") return EMPTY;
    if (token == "*") return PRINCE;
    const bool promoted = token.size() == 2 && token[0] == '+';
    if (token.size() != (promoted ? 2u : 1u)) {
        throw std::invalid_argument("unknown square token: " + std::string(token));
    }
    const char c = token.back();
    const int sign = std::isupper(static_cast<unsigned char>(c)) ? -1 : 1;
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const Letter& l : kLetters) {
        if (l.letter == lower && isPromoted(l.code) == promoted) return sign * l.code;
    }
    throw std::invalid_argument("unknown square token: " + std::string(token));
}

}

std::string toText(const Board& board) {
    std::string text;
    for (int y = 1; y <= boardSize; ++y) {
        for (int x = 1; x <= boardSize; ++x) {
            const std::string token = tokenOf(board(x, y));
            if (token.size() < 2) text += ' ';  // tokens are right-aligned in two columns
            text += token;
            text += x < boardSize ? " " : "\n";
        }
    }
    return text;
}

Board fromText(std::string_view text) {
    Board board;
    int index = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        if (index >= boardSize * boardSize) throw std::invalid_argument("more than 81 squares");
        board(index % boardSize + 1, index / boardSize + 1) = codeOf(text.substr(i, end - i));
        ++index;
        i = end;
    }
    if (index != boardSize * boardSize) throw std::invalid_argument("fewer than 81 squares");
    return board;
}

}

#include "game/computer_choice.h"

#include <vector>

#include "game/game.h"

namespace quorvel {

SearchGame searchGameOf(const GamePosition& p) {
    return {p.sides, winTestOf(seatsOf(p.gameMode, p.sides)), p.repetitionDraw};
}

Direction computerChoice(const GamePosition& current, std::span<const GamePosition> before,
                         Level level) {
    const Sides& sides = current.sides;
    std::vector<EarlierPosition> earlier;
    earlier.reserve(before.size());
    for (const GamePosition& p : before) {
        if (p.turn == SIDE_NONE) continue;
        const bool lowerToMove = p.turn == p.sides.manSide;
        earlier.push_back({p.board, lowerToMove ? sides.manSide : sides.comSide});
    }
    return chooseMagnet(current.board, {current.princeX, current.princeY}, current.turn,
                        searchGameOf(current), level, earlier);
}

}

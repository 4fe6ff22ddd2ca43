#include "rules/win_order.h"

namespace quorvel {

std::array<int, 2> winOrder(WinTest kind, const Sides& sides, int mover) {
    if (kind == WinTest::TwoHumans) return {SIDE_SENTE, SIDE_GOTE};
    if (mover == sides.comSide) return {sides.comSide, SIDE_NONE};
    return {sides.manSide, sides.comSide};
}

}

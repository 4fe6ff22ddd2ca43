#include "game/game_commands.h"

namespace quorvel {

bool startsAfresh(const GamePosition& p) {
    return p.moveNumber == 0 || p.turn == SIDE_NONE;
}

void applyCommand(GamePosition& p, GameCommand command) {
    const bool fresh = startsAfresh(p);
    switch (command) {
        case GameCommand::Start:
            p.gameMode = MODE_MAN;
            if (fresh) {
                p.sides = Sides{SIDE_SENTE, SIDE_GOTE};
                p.turn = p.sides.manSide;
            }
            break;
        case GameCommand::Sente:
            p.gameMode = MODE_COM;
            if (fresh || p.turn == p.sides.manSide) {
                p.sides = Sides{SIDE_SENTE, SIDE_GOTE};
                p.turn = SIDE_SENTE;
            }
            break;
        case GameCommand::Gote:
            p.gameMode = MODE_COM;
            if (fresh) {
                p.sides = Sides{SIDE_GOTE, SIDE_SENTE};
                p.turn = SIDE_SENTE;
            }
            break;
        case GameCommand::NetSente:
        case GameCommand::NetGote:
            p.gameMode = MODE_NET;
            if (fresh) {
                p.sides = command == GameCommand::NetSente ? Sides{SIDE_SENTE, SIDE_GOTE}
                                                           : Sides{SIDE_GOTE, SIDE_SENTE};
                p.turn = SIDE_SENTE;
            }
            break;
    }
}

}

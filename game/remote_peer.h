#pragma once

#include "rules/gravity.h"

namespace quorvel {

// A friend who plays a side of the game from another machine, as the game sees it: the game
// tells the friend what happens at this machine; what the friend does reaches the game through
// its onRemote... operations. The network layer implements it; tests use a recording fake.
class RemotePeer {
  public:
    virtual ~RemotePeer() = default;
    // A move of this machine's player is complete (its slide over); moveNumber counts it.
    virtual void localMove(Direction direction, int moveNumber) = 0;
    // This machine's player resigned the game.
    virtual void localResigned() = 0;
    // This machine's player asks to take the game back so that `keep` moves remain.
    virtual void askTakeBack(int keep) = 0;
};

}

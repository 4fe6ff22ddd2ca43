#pragma once

#include "rules/board.h"

namespace quorvel::testing {

// The first position in the text form, as a player sees it.
inline constexpr const char* kFirstPositionText = R"(
 l  n  s  g  k  g  s  n  l
 .  r  .  .  .  .  .  b  .
 p  p  p  p  p  p  p  p  p
 .  .  .  .  .  .  .  .  .
 .  .  .  .  *  .  .  .  .
 .  .  .  .  .  .  .  .  .
 P  P  P  P  P  P  P  P  P
 .  B  .  .  .  .  .  R  .
 L  N  S  G  K  G  S  N  L
)";

inline Board firstPosition() {
    Board b;
    layFirstPosition(b);
    return b;
}

}

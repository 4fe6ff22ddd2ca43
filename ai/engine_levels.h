#pragma once

#include "ai/level.h"
#include "ai/search.h"

namespace quorvel::engine {

// The search bounds of a level above 入門: depths and position counts only.
SearchLimits limitsOf(Level level);

}

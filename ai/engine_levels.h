#pragma once

#include "ai/search.h"
#include "rules/level.h"

namespace quorvel::engine {

// The search bounds of a level above 入門: depths and position counts only.
SearchLimits limitsOf(Level level);

}

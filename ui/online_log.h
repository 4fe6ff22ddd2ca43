#pragma once

#include <string_view>

namespace quorvel {

// One line of the network log on standard error: connections, refused stanzas, the secret
// store's troubles. Never a password.
void logOnline(std::string_view line);

}

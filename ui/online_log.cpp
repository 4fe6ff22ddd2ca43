#include "ui/online_log.h"

#include <cstdio>
#include <string>

namespace quorvel {

void logOnline(std::string_view line) {
    std::string text = "quorvel: online: ";
    text += line;
    text += '\n';
    std::fputs(text.c_str(), stderr);
}

}

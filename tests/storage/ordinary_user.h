#pragma once

// Running a check in a forked child, as the 'nobody' user when the tests run as root (as in CI),
// so that permission bits apply to it.

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

namespace quorvel::testing {

// Exit status of a child that, running as root, could not become an ordinary user.
inline constexpr int kNoOrdinaryUser = 77;

inline constexpr const char* kNoOrdinaryUserReason =
    "running as root without the right to switch to an ordinary user, so permission bits "
    "cannot be made to apply";

// Runs body in a forked child. Returns 0 when it returned true, 1 when it returned false,
// kNoOrdinaryUser when it could not drop root rights, and something else when it crashed.
inline int runInChild(const std::function<bool()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        int code = 2;
        try {
            code = body() ? 0 : 1;
        } catch (...) {
        }
        ::_exit(code);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Inside a child: root ignores permission bits, so a root child becomes the 'nobody' user to be
// held to them like everyone else.
inline void becomeOrdinaryUser() {
    if (::geteuid() != 0) return;
    if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
        ::_exit(kNoOrdinaryUser);
    }
}

}

// xwatch: reads regions of the X screen in a tight loop (MIT-SHM when the server has it, plain
// XGetImage otherwise) to time what the game shows, for measure_performance.sh.
//
//   xwatch launch --region X,Y,W,H --min-wood N [--timeout MS] [--end] -- PROGRAM [ARG...]
//       Starts PROGRAM and waits until at least N pixels of the region have the colour of the
//       board's wood, i.e. the board is on screen. Prints
//         pid=PID
//         visible_ms=T     from just before exec to the first frame that shows the board
//       PROGRAM goes on running after xwatch ends; with --end it is killed at that frame and
//         cpu_ms=C         its CPU time (user + system, all threads) up to then
//       follows.
//
//   xwatch press --at PX,PY --region X,Y,W,H [--timeout MS]
//                [--pid PID --settle MS --settle-region X,Y,W,H [--settle-region ...]]
//       Moves the pointer to (PX, PY), remembers the region, presses button 1 through XTest and
//       waits for the first changed pixel of the region; the button is released right after.
//       Prints
//         latency_ms=T     from just before the press request is sent to the reply of the first
//                          read in which the region differs
//       With --pid it goes on watching the settle regions until none has changed for --settle
//       milliseconds, and prints
//         busy_ms=T cpu_ms=C cpu_percent=P
//       busy_ms runs from the press to the last change of a settle region; cpu_ms is PID's user
//       plus system time over the same span (/proc/PID/stat, read at the press and at each
//       change), and cpu_percent is C / T in percent of one core.
//
//   xwatch changes --region X,Y,W,H [--region ...] --for MS [--settle MS]
//       Reads the regions, prints "ready", then reads them again every few milliseconds for MS
//       milliseconds, or with --settle until a region has changed and none has changed since
//       for that long, and prints one line per region, in the given order:
//         changes=N        how often the region differed from the read before
//       A picture blinked twice in a region shows as 4 changes (off, on, off, on).
//
// Positions are root window pixels. Exit status: 0 done, 2 timed out, 1 any other failure.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>
#include <sys/ipc.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void sleepMs(double ms) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>((ms - static_cast<double>(ts.tv_sec) * 1000.0) * 1e6);
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
    }
}

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "xwatch: %s\n", message.c_str());
    std::exit(1);
}

int parseInt(const std::string& text, const char* what) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') fail(std::string("bad ") + what + ": " + text);
    return static_cast<int>(value);
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// "X,Y,W,H" or "X,Y".
std::vector<int> parseList(const std::string& text, std::size_t count, const char* what) {
    std::vector<int> values;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        values.push_back(parseInt(text.substr(start, comma - start), what));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (values.size() != count) fail(std::string("bad ") + what + ": " + text);
    return values;
}

Rect parseRect(const std::string& text) {
    const std::vector<int> v = parseList(text, 4, "region");
    if (v[2] <= 0 || v[3] <= 0) fail("empty region: " + text);
    return {v[0], v[1], v[2], v[3]};
}

// User plus system time of a process in milliseconds, or -1 when it cannot be read.
double cpuMs(int pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) return -1;
    char line[4096];
    const std::size_t n = std::fread(line, 1, sizeof line - 1, f);
    std::fclose(f);
    line[n] = '\0';
    // The command name may hold spaces and brackets: the numbered fields start after the last ')'.
    const char* p = std::strrchr(line, ')');
    if (p == nullptr) return -1;
    unsigned long utime = 0, stime = 0;
    // Fields 3 to 13 are skipped; 14 and 15 are utime and stime.
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) !=
        2) {
        return -1;
    }
    return static_cast<double>(utime + stime) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// One region of the root window and the last image read from it.
class Grabber {
  public:
    Grabber(Display* display, Rect rect) : display_(display), rect_(rect) {
        const int screen = DefaultScreen(display);
        if (XShmQueryExtension(display)) {
            image_ = XShmCreateImage(display, DefaultVisual(display, screen),
                                     static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap,
                                     nullptr, &shm_, static_cast<unsigned>(rect.w),
                                     static_cast<unsigned>(rect.h));
            if (image_ != nullptr) {
                shm_.shmid =
                    shmget(IPC_PRIVATE, static_cast<std::size_t>(image_->bytes_per_line) * rect.h,
                           IPC_CREAT | 0600);
                void* memory = shm_.shmid >= 0 ? shmat(shm_.shmid, nullptr, 0) : nullptr;
                if (memory != nullptr && memory != reinterpret_cast<void*>(-1)) {
                    shm_.shmaddr = image_->data = static_cast<char*>(memory);
                    shm_.readOnly = False;
                    XShmAttach(display, &shm_);
                    XSync(display, False);
                    // Removed now, so it goes away with the last user even if xwatch is killed.
                    shmctl(shm_.shmid, IPC_RMID, nullptr);
                    shared_ = true;
                } else {
                    if (shm_.shmid >= 0) shmctl(shm_.shmid, IPC_RMID, nullptr);
                    XDestroyImage(image_);
                    image_ = nullptr;
                }
            }
        }
    }
    ~Grabber() {
        if (shared_) {
            XShmDetach(display_, &shm_);
            XSync(display_, False);
            XDestroyImage(image_);
            shmdt(shm_.shmaddr);
        } else if (image_ != nullptr) {
            XDestroyImage(image_);
        }
    }
    Grabber(const Grabber&) = delete;
    Grabber& operator=(const Grabber&) = delete;

    // Reads the region; false when the server refused.
    bool grab() {
        const Window root = DefaultRootWindow(display_);
        if (shared_) return XShmGetImage(display_, root, image_, rect_.x, rect_.y, AllPlanes);
        if (image_ != nullptr) XDestroyImage(image_);
        image_ = XGetImage(display_, root, rect_.x, rect_.y, static_cast<unsigned>(rect_.w),
                           static_cast<unsigned>(rect_.h), AllPlanes, ZPixmap);
        return image_ != nullptr;
    }

    // The bytes of the last read's pixels, row after row, without the rows' padding.
    std::vector<char> bytes() const {
        const std::size_t row = static_cast<std::size_t>(rect_.w) * (image_->bits_per_pixel / 8);
        std::vector<char> out(row * rect_.h);
        for (int y = 0; y < rect_.h; ++y) {
            std::memcpy(out.data() + row * y,
                        image_->data + static_cast<std::size_t>(y) * image_->bytes_per_line, row);
        }
        return out;
    }

    // The pixels of the last read, row after row.
    std::vector<unsigned long> pixels() const {
        std::vector<unsigned long> out;
        out.reserve(static_cast<std::size_t>(rect_.w) * rect_.h);
        for (int y = 0; y < rect_.h; ++y) {
            for (int x = 0; x < rect_.w; ++x)
                out.push_back(XGetPixel(image_, x, y));
        }
        return out;
    }

  private:
    Display* display_;
    Rect rect_;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    bool shared_ = false;
};

// The board's wood: a light warm brown, red above green above blue.
int woodPixels(const std::vector<unsigned long>& pixels) {
    int count = 0;
    for (const unsigned long p : pixels) {
        const int red = static_cast<int>((p >> 16) & 0xff);
        const int green = static_cast<int>((p >> 8) & 0xff);
        const int blue = static_cast<int>(p & 0xff);
        if (red >= 150 && red > green && green > blue) ++count;
    }
    return count;
}

// The connection to the X server; declared before the grabbers that use it, so it closes last.
class Connection {
  public:
    Connection() : display_(XOpenDisplay(nullptr)) {
        if (display_ == nullptr) fail("cannot open the display");
    }
    ~Connection() { XCloseDisplay(display_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* get() const { return display_; }

  private:
    Display* display_;
};

int launch(const std::vector<std::string>& args, char** program) {
    Rect region;
    int minWood = -1;
    double timeout = 10000;
    bool end = false;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        if (args[i] == "--end") {
            end = true;
            --i;
        } else if (i + 1 == args.size()) {
            fail("option " + args[i] + " needs a value");
        } else if (args[i] == "--region") {
            region = parseRect(args[i + 1]);
        } else if (args[i] == "--min-wood") {
            minWood = parseInt(args[i + 1], "--min-wood");
        } else if (args[i] == "--timeout") {
            timeout = parseInt(args[i + 1], "--timeout");
        } else {
            fail("unknown option " + args[i]);
        }
    }
    if (region.w == 0 || minWood < 0 || program[0] == nullptr) {
        fail("usage: xwatch launch --region X,Y,W,H --min-wood N [--timeout MS] -- PROGRAM");
    }
    const Connection connection;
    Grabber grabber(connection.get(), region);

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0) fail(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        execvp(program[0], program);
        std::fprintf(stderr, "xwatch: exec %s: %s\n", program[0], std::strerror(errno));
        _exit(127);
    }
    std::printf("pid=%d\n", static_cast<int>(pid));
    std::fflush(stdout);
    for (;;) {
        const bool read = grabber.grab();
        const double at = nowMs();
        if (read && woodPixels(grabber.pixels()) >= minWood) {
            std::printf("visible_ms=%.2f\n", at - start);
            if (end) {
                // Its own rusage counts every thread, ended ones too, to the microsecond.
                ::kill(pid, SIGKILL);
                rusage usage{};
                int status = 0;
                if (::wait4(pid, &status, 0, &usage) == pid) {
                    const auto ms = [](const timeval& t) {
                        return t.tv_sec * 1e3 + t.tv_usec / 1e3;
                    };
                    std::printf("cpu_ms=%.2f\n", ms(usage.ru_utime) + ms(usage.ru_stime));
                }
            }
            return 0;
        }
        if (at - start > timeout) {
            std::fprintf(stderr, "xwatch: the board did not appear within %.0f ms\n", timeout);
            return 2;
        }
        // The two cores belong to the starting program and the X server: a short nap between
        // reads keeps the watcher's share small at a cost of well under a millisecond.
        sleepMs(0.2);
    }
}

int press(const std::vector<std::string>& args) {
    Rect region;
    std::vector<Rect> settleRegions;
    int px = -1, py = -1, pid = 0;
    double timeout = 5000, settle = 0;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--at") {
            const std::vector<int> at = parseList(args[i + 1], 2, "--at");
            px = at[0];
            py = at[1];
        } else if (args[i] == "--region") {
            region = parseRect(args[i + 1]);
        } else if (args[i] == "--timeout") {
            timeout = parseInt(args[i + 1], "--timeout");
        } else if (args[i] == "--pid") {
            pid = parseInt(args[i + 1], "--pid");
        } else if (args[i] == "--settle") {
            settle = parseInt(args[i + 1], "--settle");
        } else if (args[i] == "--settle-region") {
            settleRegions.push_back(parseRect(args[i + 1]));
        } else {
            fail("unknown option " + args[i]);
        }
    }
    if (args.size() % 2 != 0 || px < 0 || region.w == 0 ||
        (pid != 0 && (settle <= 0 || settleRegions.empty()))) {
        fail(
            "usage: xwatch press --at PX,PY --region X,Y,W,H [--timeout MS] "
            "[--pid PID --settle MS --settle-region X,Y,W,H ...]");
    }

    const Connection connection;
    Display* display = connection.get();
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        fail("the X server has no XTEST extension");
    }
    Grabber watched(display, region);
    std::vector<std::unique_ptr<Grabber>> settling;
    if (pid != 0) {
        for (const Rect& r : settleRegions)
            settling.push_back(std::make_unique<Grabber>(display, r));
    }
    // Everything the settle regions show, one after the other.
    auto settleBytes = [&settling] {
        std::vector<char> all;
        for (const auto& grabber : settling) {
            if (!grabber->grab()) fail("cannot read a settle region");
            const std::vector<char> one = grabber->bytes();
            all.insert(all.end(), one.begin(), one.end());
        }
        return all;
    };

    XTestFakeMotionEvent(display, DefaultScreen(display), px, py, CurrentTime);
    XSync(display, False);
    sleepMs(100);  // let the program see the pointer arrive before the press

    if (!watched.grab()) fail("cannot read the region");
    const std::vector<char> before = watched.bytes();
    std::vector<char> settleBefore = settleBytes();

    const double cpuStart = pid != 0 ? cpuMs(pid) : 0;
    // The clock starts before the flush: on a busy machine the watcher may lose its core the
    // moment the request is written, and a later reading would shorten the figure.
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    const double pressed = nowMs();
    XFlush(display);

    // The first change: reads as fast as the server answers, with a nap of a tenth of a
    // millisecond so the program and the server keep their cores.
    double first = -1;
    for (;;) {
        const bool read = watched.grab();
        const double at = nowMs();
        if (!read) fail("cannot read the region");
        if (watched.bytes() != before) {
            first = at;
            break;
        }
        if (at - pressed > timeout) {
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
            XSync(display, False);
            std::fprintf(stderr, "xwatch: no change within %.0f ms of the press\n", timeout);
            return 2;
        }
        sleepMs(0.1);
    }
    std::printf("latency_ms=%.2f\n", first - pressed);
    std::fflush(stdout);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    if (pid == 0) return 0;

    // Then every few milliseconds until the settle regions stay as they are.
    double last = first;
    double cpuLast = cpuMs(pid);
    for (;;) {
        sleepMs(5);
        std::vector<char> now = settleBytes();
        const double at = nowMs();
        if (now != settleBefore) {
            last = at;
            cpuLast = cpuMs(pid);
            settleBefore = std::move(now);
        }
        if (at - last > settle) break;
        if (at - pressed > timeout + settle) {
            std::fprintf(stderr, "xwatch: still changing %.0f ms after the press\n", at - pressed);
            return 2;
        }
    }
    const double busy = last - pressed;
    const double cpu = cpuLast - cpuStart;
    std::printf("busy_ms=%.1f cpu_ms=%.1f cpu_percent=%.1f\n", busy, cpu,
                busy > 0 ? 100.0 * cpu / busy : 0.0);
    return 0;
}

int changes(const std::vector<std::string>& args) {
    std::vector<Rect> regions;
    double span = -1, settle = 0;
    for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
        if (args[i] == "--region") {
            regions.push_back(parseRect(args[i + 1]));
        } else if (args[i] == "--for") {
            span = parseInt(args[i + 1], "--for");
        } else if (args[i] == "--settle") {
            settle = parseInt(args[i + 1], "--settle");
        } else {
            fail("unknown option " + args[i]);
        }
    }
    if (args.size() % 2 != 0 || regions.empty() || span < 0) {
        fail("usage: xwatch changes --region X,Y,W,H [--region ...] --for MS [--settle MS]");
    }
    const Connection connection;
    std::vector<std::unique_ptr<Grabber>> grabbers;
    std::vector<std::vector<char>> last;
    for (const Rect& r : regions) {
        grabbers.push_back(std::make_unique<Grabber>(connection.get(), r));
        if (!grabbers.back()->grab()) fail("cannot read a region");
        last.push_back(grabbers.back()->bytes());
    }
    std::vector<int> counts(regions.size(), 0);
    std::printf("ready\n");
    std::fflush(stdout);
    const double start = nowMs();
    double lastChange = -1;
    while (nowMs() - start < span &&
           (settle <= 0 || lastChange < 0 || nowMs() - lastChange < settle)) {
        // A blink's phase lasts 200 ms: reading every 2 ms sees each one many times over.
        sleepMs(2);
        for (std::size_t i = 0; i < grabbers.size(); ++i) {
            if (!grabbers[i]->grab()) fail("cannot read a region");
            std::vector<char> now = grabbers[i]->bytes();
            if (now != last[i]) {
                ++counts[i];
                lastChange = nowMs();
                last[i] = std::move(now);
            }
        }
    }
    for (const int n : counts)
        std::printf("changes=%d\n", n);
    return 0;
}

}

int main(int argc, char** argv) {
    const std::string mode = argc >= 2 ? argv[1] : "";
    std::vector<std::string> args;
    int i = 2;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        args.emplace_back(argv[i]);
    if (mode == "launch") {
        if (i >= argc) fail("launch needs -- PROGRAM");
        return launch(args, argv + i + 1);
    }
    if (mode == "press") return press(args);
    if (mode == "changes") return changes(args);
    std::fprintf(stderr,
                 "usage: xwatch launch --region X,Y,W,H --min-wood N [--timeout MS] -- PROGRAM "
                 "[ARG...]\n"
                 "       xwatch press --at PX,PY --region X,Y,W,H [--timeout MS]\n"
                 "                    [--pid PID --settle MS --settle-region X,Y,W,H ...]\n"
                 "       xwatch changes --region X,Y,W,H [--region ...] --for MS [--settle MS]\n");
    return 1;
}

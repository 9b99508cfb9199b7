// Start-up as a user sees it: starts a program, then reads a 64 x 64 square
// at the centre of the X screen every 5 ms (XGetImage) until it holds more
// than a few colours, the moment a picture is on the screen. Optionally keeps
// the program running a while longer and reads its peak resident memory from
// /proc, then ends it (SIGTERM, then SIGKILL) by its process id.
//
//   screen_poller [--hold SECONDS] [--timeout SECONDS] COMMAND [ARGS...]
//
// Prints, counted from just before the program is started:
//   changed SECONDS   the square first differs from what it showed before
//                     (a window, black or not, has appeared)
//   drawn SECONDS     the square first holds more than kFewColours colours
//   peak KIB          VmHWM of the program (the process started, which `wine`
//                     becomes) just before it is ended; with --hold only
// and exits 1 when nothing was drawn within the timeout (default 60 s).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kSquare = 64;
constexpr int kFewColours = 8;
constexpr long kPollNanoseconds = 5000000;

double now() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

// The pixels of the centre square, as the server stores them.
std::vector<unsigned long> centreSquare(Display* display) {
    const int screen = DefaultScreen(display);
    const int x = DisplayWidth(display, screen) / 2 - kSquare / 2;
    const int y = DisplayHeight(display, screen) / 2 - kSquare / 2;
    std::vector<unsigned long> pixels;
    XImage* image =
        XGetImage(display, RootWindow(display, screen), x, y, kSquare, kSquare, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return pixels;
    }
    pixels.reserve(kSquare * kSquare);
    for (int row = 0; row < kSquare; ++row) {
        for (int column = 0; column < kSquare; ++column) {
            pixels.push_back(XGetPixel(image, column, row) & 0xFFFFFF);
        }
    }
    XDestroyImage(image);
    return pixels;
}

std::size_t colourCount(const std::vector<unsigned long>& pixels) {
    return std::set<unsigned long>(pixels.begin(), pixels.end()).size();
}

long peakKib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return -1;
}

bool exited(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

void end(pid_t pid) {
    if (exited(pid)) {
        return;
    }
    kill(pid, SIGTERM);
    const double deadline = now() + 5.0;
    while (now() < deadline) {
        if (exited(pid)) {
            return;
        }
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    double hold = -1.0;
    double timeout = 60.0;
    int first = 1;
    while (first + 1 < argc && std::strncmp(argv[first], "--", 2) == 0) {
        const double value = std::atof(argv[first + 1]);
        if (std::strcmp(argv[first], "--hold") == 0) {
            hold = value;
        } else if (std::strcmp(argv[first], "--timeout") == 0) {
            timeout = value;
        } else {
            break;
        }
        first += 2;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: screen_poller [--hold S] [--timeout S] COMMAND [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "screen_poller: no X display\n");
        return 2;
    }
    const std::vector<unsigned long> before = centreSquare(display);
    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Standard output is this program's report alone.
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[first], argv + first);
        std::perror("screen_poller: exec");
        _exit(127);
    }
    double changed = -1.0, drawn = -1.0;
    const timespec pause = {0, kPollNanoseconds};
    while (drawn < 0.0 && now() - start < timeout) {
        const std::vector<unsigned long> pixels = centreSquare(display);
        const double at = now() - start;
        if (changed < 0.0 && !pixels.empty() && pixels != before) {
            changed = at;
        }
        if (colourCount(pixels) > kFewColours) {
            drawn = at;
        }
        nanosleep(&pause, nullptr);
    }
    std::printf("changed %.4f\n", changed);
    std::printf("drawn %.4f\n", drawn);
    if (drawn >= 0.0 && hold > 0.0) {
        const double until = now() + hold;
        while (now() < until && !exited(pid)) {
            usleep(50000);
        }
        std::printf("peak %ld\n", peakKib(pid));
    }
    std::fflush(stdout);
    end(pid);
    XCloseDisplay(display);
    return drawn >= 0.0 ? 0 : 1;
}

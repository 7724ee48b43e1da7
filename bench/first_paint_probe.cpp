// Starts the game and measures the time from the start of its process to
// the first time its board shows on the X display: the centre pixel of the
// "Kalmora" window turns into the board's cell colour. Then, one second after
// the start, reads the idle game's resident memory (VmRSS). Prints the
// milliseconds and the KiB, then ends the game with SIGTERM.
// Usage: first_paint_probe PROGRAM

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr unsigned long BoardCell = 0xFFFFF0; // 255, 255, 240

Window FindNamed(Display* display, Window parent, const char* name) {
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) {
        return 0;
    }
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* title = nullptr;
        if (XFetchName(display, children[i], &title) && title != nullptr) {
            if (std::strcmp(title, name) == 0) {
                found = children[i];
            }
            XFree(title);
        }
        if (found == 0) {
            found = FindNamed(display, children[i], name);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

bool ShowsBoard(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
        return false;
    }
    XImage* image = XGetImage(display, window, attributes.width / 2, attributes.height / 2, 1, 1,
                              AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel == BoardCell;
}

// VmRSS of the process in KiB, or -1 when it cannot be read.
long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

int IgnoreErrors(Display*, XErrorEvent*) {
    return 0; // the window may vanish between the query and the read
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_paint_probe PROGRAM\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "first_paint_probe: no X display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    char* args[] = {argv[1], nullptr};
    if (posix_spawn(&pid, argv[1], nullptr, nullptr, args, environ) != 0) {
        std::fprintf(stderr, "first_paint_probe: cannot start %s\n", argv[1]);
        return 1;
    }
    Window window = 0;
    bool shown = false;
    while (!shown && std::chrono::steady_clock::now() - start < std::chrono::seconds(20)) {
        if (window == 0) {
            window = FindNamed(display, DefaultRootWindow(display), "Kalmora");
        }
        shown = window != 0 && ShowsBoard(display, window);
    }
    const auto end = std::chrono::steady_clock::now();
    std::this_thread::sleep_until(start + std::chrono::seconds(1));
    const long resident = ResidentKiB(pid);
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    XCloseDisplay(display);
    if (!shown) {
        std::fprintf(stderr, "first_paint_probe: the board never showed\n");
        return 1;
    }
    std::printf("%.2f %ld\n", std::chrono::duration<double, std::milli>(end - start).count(),
                resident);
    return 0;
}

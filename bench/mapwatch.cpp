// Launch to a mapped window: starts a program and times it until a window
// whose title contains TITLE is mapped on the X display, watching the root
// window's map events (no polling, so nothing competes with the program).
// Prints "<milliseconds> <pid>" and leaves the program running for the
// caller to measure and end; exits 1 when no such window shows in 30 s.
// Usage: bench_mapwatch TITLE PROGRAM [ARGUMENTS...]

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

double nowms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

std::string windowtitle(Display *display, Window window)
{
    static const Atom netname = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netname, 0, 1024, False, utf8, &type, &format, &count, &after, &data)
            == Success
        && data) {
        title.assign(reinterpret_cast<char *>(data), count);
        XFree(data);
    }
    if (title.empty()) {
        char *name = nullptr;
        if (XFetchName(display, window, &name) && name) {
            title = name;
            XFree(name);
        }
    }
    return title;
}

// The window or one of its descendants (a window manager's frame holds the
// program's window) carries the title.
bool holdstitle(Display *display, Window window, const char *wanted, int depth = 0)
{
    if (windowtitle(display, window).find(wanted) != std::string::npos)
        return true;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (depth > 3 || !XQueryTree(display, window, &root, &parent, &children, &n))
        return false;
    bool found = false;
    for (unsigned int i = 0; i < n && !found; ++i)
        found = holdstitle(display, children[i], wanted, depth + 1);
    if (children)
        XFree(children);
    return found;
}

int ignoreerrors(Display *, XErrorEvent *)
{
    return 0; // a window that went away while looked at
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreerrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = nowms();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        // Its output is not ours: the caller reads only the figures.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    if (pid < 0)
        return 2;

    const double deadline = start + 30000;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (nowms() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && holdstitle(display, event.xmap.window, argv[1])) {
                std::printf("%.1f %d\n", nowms() - start, int(pid));
                return 0;
            }
        }
        poll(&fd, 1, 100);
    }
    kill(pid, SIGTERM);
    std::fprintf(stderr, "no window titled \"%s\" was mapped in 30 s\n", argv[1]);
    return 1;
}

// Starts a program as a user's desktop would and reports, from the X server's side, how long it
// took until its window was mapped and first drawn into:
//
//   mapwait -o FILE [-s WIDTHxHEIGHT] [-t SECONDS] PROGRAM [ARGUMENT...]
//
// The process itself becomes PROGRAM (so a shell's $! is the program's pid); a forked watcher
// writes "mapped_ms N" and "painted_ms N" to FILE once the first window of that pid (of the given
// client size, to skip e.g. a dialog shown first) is mapped and drawn, or "failed" after SECONDS.
// The clock starts just before the program is executed. The program's own view of its first
// paint would miss the loading of the executable and its libraries, which is part of a start.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

double msSince(const timespec &start) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec - start.tv_sec) * 1e3 + double(now.tv_nsec - start.tv_nsec) / 1e6;
}

// Windows come and go while we look at them; a vanished window is simply not the one sought.
int ignoreXErrors(Display *, XErrorEvent *) {
    return 0;
}

struct Wanted {
    pid_t pid = 0;
    int width = 0; // 0: any size
    int height = 0;
};

bool isWanted(Display *display, Window window, const Wanted &wanted) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success ||
        !data)
        return false;
    const bool samePid =
        format == 32 && count == 1 && pid_t(*reinterpret_cast<long *>(data)) == wanted.pid;
    XFree(data);
    if (!samePid)
        return false;
    if (wanted.width == 0)
        return true;
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.width == wanted.width &&
           attributes.height == wanted.height;
}

void writeResult(const std::string &file, const std::string &text) {
    const std::string part = file + ".part";
    if (FILE *out = std::fopen(part.c_str(), "w")) {
        std::fputs(text.c_str(), out);
        std::fclose(out);
        std::rename(part.c_str(), file.c_str()); // the reader sees all of it or nothing
    }
}

int usage() {
    std::fprintf(stderr,
                 "usage: mapwait -o FILE [-s WIDTHxHEIGHT] [-t SECONDS] PROGRAM [ARG...]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[]) {
    std::string resultFile;
    Wanted wanted;
    int timeoutSeconds = 30;
    int option = 0;
    while ((option = getopt(argc, argv, "+o:s:t:")) != -1) {
        switch (option) {
        case 'o':
            resultFile = optarg;
            break;
        case 's':
            if (std::sscanf(optarg, "%dx%d", &wanted.width, &wanted.height) != 2)
                return usage();
            break;
        case 't':
            timeoutSeconds = std::atoi(optarg);
            break;
        default:
            return usage();
        }
    }
    if (resultFile.empty() || optind >= argc)
        return usage();

    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "mapwait: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    int damageEvent = 0, damageError = 0;
    const bool haveDamage = XDamageQueryExtension(display, &damageEvent, &damageError);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    wanted.pid = getpid();
    const pid_t watcher = fork();
    if (watcher < 0) {
        std::perror("mapwait: fork");
        return 2;
    }
    if (watcher > 0) {
        // Xlib opens its connection close-on-exec, so the program starts without it.
        execvp(argv[optind], argv + optind);
        std::perror("mapwait: exec");
        _exit(127);
    }

    Window mapped = None;
    double mappedMs = 0;
    const auto consider = [&](Window window) {
        if (mapped != None || !isWanted(display, window, wanted))
            return;
        mapped = window;
        mappedMs = msSince(start);
    };

    while (true) {
        if (msSince(start) > timeoutSeconds * 1e3 || kill(wanted.pid, 0) != 0) {
            writeResult(resultFile, "failed\n");
            return 1;
        }
        if (!XPending(display)) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root &&
            !event.xcreatewindow.override_redirect) {
            const Window window = event.xcreatewindow.window;
            XSelectInput(display, window, StructureNotifyMask);
            // Watched from its creation on, so not even a paint right after the map is missed.
            if (haveDamage)
                XDamageCreate(display, window, XDamageReportRawRectangles);
            XWindowAttributes attributes{};
            if (XGetWindowAttributes(display, window, &attributes) &&
                attributes.map_state != IsUnmapped)
                consider(window);
        } else if (event.type == MapNotify && !event.xmap.override_redirect) {
            consider(event.xmap.window);
        } else if (haveDamage && event.type == damageEvent + XDamageNotify) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            if (mapped != None && damage.drawable == mapped)
                break;
        }
        if (mapped != None && !haveDamage)
            break;
    }
    char text[128];
    std::snprintf(text, sizeof text, "mapped_ms %.1f\npainted_ms %.1f\n", mappedMs,
                  haveDamage ? msSince(start) : mappedMs);
    writeResult(resultFile, text);
    return 0;
}

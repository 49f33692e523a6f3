// Starts a program and prints the milliseconds from its exec until the X server maps a
// top-level window of at least the given width, then stops the program:
//   voxlet_window_watcher MIN_WIDTH PROGRAM [ARGS...]
// One process watching the server's own map events, so the measure neither polls nor
// takes the CPU from the program it measures. Needs a display without a window manager
// (a reparenting one maps frames, not the program's windows, on the root).
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
double nowMs()
{
    timespec t {};
    clock_gettime (CLOCK_MONOTONIC, &t);
    return (double) t.tv_sec * 1000.0 + (double) t.tv_nsec / 1.0e6;
}

// A window can be gone by the time it is looked at (the program's short-lived ones);
// the default handler would end the watcher for that.
int ignoreError (Display*, XErrorEvent*) { return 0; }
} // namespace

int main (int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf (stderr, "usage: voxlet_window_watcher MIN_WIDTH PROGRAM [ARGS...]\n");
        return 2;
    }

    const auto minWidth = std::atoi (argv[1]);
    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
    {
        std::fprintf (stderr, "voxlet_window_watcher: no display\n");
        return 2;
    }

    XSetErrorHandler (ignoreError);

    // Listening before the program starts, so no map is missed.
    XSelectInput (display, DefaultRootWindow (display), SubstructureNotifyMask);
    XSync (display, False);

    const auto start = nowMs();
    const auto child = fork();

    if (child == 0)
    {
        // The program's output would hold the caller's pipe open after the watcher ends.
        if (const auto quiet = open ("/dev/null", O_WRONLY); quiet >= 0)
        {
            dup2 (quiet, STDOUT_FILENO);
            dup2 (quiet, STDERR_FILENO);
            close (quiet);
        }

        execvp (argv[2], argv + 2);
        _exit (127);
    }

    // The framework maps its window before giving it its size, so the window counts
    // once it is both mapped and wide enough, whichever comes last.
    std::set<Window> mapped;
    int result = 1;

    for (;;)
    {
        XEvent event;
        XNextEvent (display, &event);
        Window window = 0;

        if (event.type == MapNotify && ! event.xmap.override_redirect)
            mapped.insert (window = event.xmap.window);
        else if (event.type == UnmapNotify)
            mapped.erase (event.xunmap.window);
        else if (event.type == ConfigureNotify)
            window = event.xconfigure.window;

        XWindowAttributes attributes;

        if (window != 0 && mapped.count (window) > 0 && XGetWindowAttributes (display, window, &attributes) != 0 && attributes.width >= minWidth)
        {
            std::printf ("%.0f\n", nowMs() - start);
            result = 0;
            break;
        }
    }

    kill (child, SIGTERM);
    waitpid (child, nullptr, 0);
    XCloseDisplay (display);
    return result;
}

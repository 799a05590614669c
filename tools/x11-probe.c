/*
 * Starts a program on the current X display, waits until it maps a top-level
 * window with the given title, and reports the time from start to map and
 * the program's resident memory after it has been idle for a moment.  Then
 * closes the window the way a window manager does (WM_DELETE_WINDOW) and
 * reports how the program ended.  Used by the start-up benchmark and by the
 * package test, which need a real window but no person.
 *
 *   x11-probe TITLE IDLE_MS -- PROGRAM [ARGS...]
 *
 * Prints one line: "mapped_ms=<ms> rss_kb=<kB> exit=<status>
 * wm_class=<instance>,<class>" and exits 0 when the window was mapped and
 * the program then ended with status 0.
 */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <errno.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static long rss_kb(pid_t pid)
{
    char path[64], line[256];
    long kb = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE* f = fopen(path, "r");
    if (!f)
        return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmRSS: %ld kB", &kb) == 1)
            break;
    fclose(f);
    return kb;
}

static int has_title(Display* d, Window w, const char* title)
{
    char* name = NULL;
    int match = XFetchName(d, w, &name) && name && strcmp(name, title) == 0;
    if (name)
        XFree(name);
    return match;
}

static int ignore_errors(Display* d, XErrorEvent* e)
{
    (void)d;
    (void)e;
    return 0; /* windows may vanish while we look at them */
}

int main(int argc, char** argv)
{
    if (argc < 5 || strcmp(argv[3], "--") != 0) {
        fprintf(stderr, "usage: x11-probe TITLE IDLE_MS -- PROGRAM [ARGS...]\n");
        return 2;
    }
    const char* title = argv[1];
    const int idle_ms = atoi(argv[2]);
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "x11-probe: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const double start = now_ms();
    pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[4], argv + 4);
        _exit(127);
    }

    Window target = 0;
    double mapped = -1;
    const int fd = ConnectionNumber(d);
    while (mapped < 0 && now_ms() - start < 20000) {
        while (XPending(d)) {
            XEvent ev;
            XNextEvent(d, &ev);
            if (ev.type == MapNotify && has_title(d, ev.xmap.window, title)) {
                target = ev.xmap.window;
                mapped = now_ms() - start;
                break;
            }
        }
        if (mapped >= 0 || waitpid(pid, NULL, WNOHANG) == pid)
            break;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(fd, &set);
        struct timeval tv = {0, 5000};
        select(fd + 1, &set, NULL, NULL, &tv);
    }
    if (mapped < 0) {
        fprintf(stderr, "x11-probe: no window titled \"%s\" appeared\n", title);
        kill(pid, SIGKILL);
        waitpid(pid, NULL, 0);
        return 1;
    }

    usleep((useconds_t)idle_ms * 1000);
    const long kb = rss_kb(pid);
    /* Docks match the window's class against the desktop entry. */
    XClassHint hint = {NULL, NULL};
    XGetClassHint(d, target, &hint);

    /* Ask the window to close, as a window manager's close button does. */
    XEvent msg;
    memset(&msg, 0, sizeof msg);
    msg.xclient.type = ClientMessage;
    msg.xclient.window = target;
    msg.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    msg.xclient.format = 32;
    msg.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
    msg.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, target, False, NoEventMask, &msg);
    XFlush(d);

    int status = -1;
    const double close_start = now_ms();
    while (now_ms() - close_start < 10000) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            break;
        usleep(10000);
    }
    if (now_ms() - close_start >= 10000) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        fprintf(stderr, "x11-probe: the program did not end after the close request\n");
    }
    const int exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    printf("mapped_ms=%.1f rss_kb=%ld exit=%d wm_class=%s,%s\n", mapped, kb, exit_code,
           hint.res_name ? hint.res_name : "", hint.res_class ? hint.res_class : "");
    if (hint.res_name)
        XFree(hint.res_name);
    if (hint.res_class)
        XFree(hint.res_class);
    XCloseDisplay(d);
    return exit_code == 0 ? 0 : 1;
}

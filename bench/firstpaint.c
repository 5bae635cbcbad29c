/* Starts a command and reports how long it took until a WIDTHxHEIGHT window
 * is viewable on the X display with the colour RRGGBB on screen at its
 * client point (CX, CY): the time to the first paint, seen from outside.
 *   firstpaint WIDTH HEIGHT CX CY RRGGBB TIMEOUT_S command [args...]
 * Prints "MILLISECONDS PID CPU_MILLISECONDS" and leaves the command running:
 * the CPU time is what the process (all its threads) ran until then, less
 * disturbed than the wall clock by whatever else the machine is doing. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The pixel on screen at (x, y) of the first matching window, or -1. */
static long painted_pixel(Display* display, Window root, int width, int height, int cx, int cy) {
    Window parent, *children = NULL;
    unsigned int count = 0;
    long pixel = -1;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) return -1;
    for (unsigned int n = 0; n < count && pixel < 0; ++n) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(display, children[n], &a)) continue;
        if (a.map_state != IsViewable || a.width != width || a.height != height) continue;
        XImage* image = XGetImage(display, root, a.x + cx, a.y + cy, 1, 1, AllPlanes, ZPixmap);
        if (!image) continue;
        pixel = (long)(XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
    }
    if (children) XFree(children);
    return pixel;
}

/* The run time of all the process's threads, from /proc/PID/task/TID/schedstat. */
static double cpu_ms(pid_t pid) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (!tasks) return -1;
    double ns = 0;
    struct dirent* task;
    while ((task = readdir(tasks)) != NULL) {
        if (task->d_name[0] == '.') continue;
        char file[128];
        snprintf(file, sizeof file, "%s/%s/schedstat", path, task->d_name);
        FILE* stat = fopen(file, "r");
        if (!stat) continue;
        unsigned long long run = 0;
        if (fscanf(stat, "%llu", &run) == 1) ns += (double)run;
        fclose(stat);
    }
    closedir(tasks);
    return ns / 1e6;
}

static int ignore_errors(Display* display, XErrorEvent* error) {
    (void)display;
    (void)error;
    return 0; /* windows come and go while we look */
}

int main(int argc, char** argv) {
    if (argc < 8) {
        fprintf(stderr, "usage: %s WIDTH HEIGHT CX CY RRGGBB TIMEOUT_S command [args...]\n",
                argv[0]);
        return 2;
    }
    const int width = atoi(argv[1]), height = atoi(argv[2]), cx = atoi(argv[3]), cy = atoi(argv[4]);
    const long want = strtol(argv[5], NULL, 16);
    const double timeout_ms = atof(argv[6]) * 1e3;
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignore_errors);
    const Window root = DefaultRootWindow(display);

    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[7], argv + 7);
        _exit(127);
    }
    while (now_ms() - start < timeout_ms) {
        if (painted_pixel(display, root, width, height, cx, cy) == want) {
            const double elapsed = now_ms() - start;
            printf("%.0f %d %.1f\n", elapsed, (int)child, cpu_ms(child));
            return 0;
        }
        usleep(2000);
    }
    fprintf(stderr, "no %dx%d window showing %06lx at (%d,%d) within %.0f s\n", width, height, want,
            cx, cy, timeout_ms / 1e3);
    printf("- %d -\n", (int)child);
    return 1;
}

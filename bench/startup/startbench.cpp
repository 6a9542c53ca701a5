// Starts a program on the current X display and prints the milliseconds from exec to the
// first map of a top-level window with the given title, then the PSS of the program's
// process tree once that window shows. The program is started with PELUMO_STARTUP_TRACE
// naming a file, where it marks its steps ("<step> <monotonic ns>"); each step is printed
// as a line "step <ms after exec> <name>", in the order of the marks.
//
//   bench-startup TITLE SETTLE_MS PROGRAM [ARGS...]
//   (BENCH_SIZE=WxH: only a window of that size counts)
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string windowName(Display* d, Window w) {
    Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &n, &after,
                           &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), n);
        XFree(data);
    }
    if (name.empty()) {
        char* wm = nullptr;
        if (XFetchName(d, w, &wm) && wm) {
            name = wm;
            XFree(wm);
        }
    }
    return name;
}

std::set<int> processTree(int root) {
    std::set<int> tree{root};
    bool grew = true;
    while (grew) {
        grew = false;
        DIR* dir = opendir("/proc");
        while (dirent* e = dir ? readdir(dir) : nullptr) {
            const int pid = std::atoi(e->d_name);
            if (pid <= 0 || tree.count(pid))
                continue;
            std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
            std::string s;
            std::getline(stat, s);
            const auto close = s.rfind(')');
            if (close == std::string::npos)
                continue;
            std::istringstream rest(s.substr(close + 2));
            char state;
            int ppid;
            rest >> state >> ppid;
            if (tree.count(ppid)) {
                tree.insert(pid);
                grew = true;
            }
        }
        if (dir)
            closedir(dir);
    }
    return tree;
}

// With BENCH_SIZE=WxH only a window of that size counts (the splash shares the title).
bool sizeMatches(Display* d, Window w) {
    const char* want = getenv("BENCH_SIZE");
    if (!want)
        return true;
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return false;
    return std::to_string(a.width) + "x" + std::to_string(a.height) == want;
}

long pssKb(int pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long value;
    std::string unit;
    while (f >> key) {
        if (key == "Pss:") {
            f >> value >> unit;
            return value;
        }
        std::getline(f, unit);
    }
    return 0;
}

// The program's own marks, in milliseconds after `start` (the same monotonic clock).
void printSteps(const char* path, std::chrono::steady_clock::time_point start) {
    const long long startNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count();
    std::ifstream f(path);
    std::string line;
    while (std::getline(f, line)) {
        const auto space = line.rfind(' ');
        if (space == std::string::npos)
            continue;
        const long long ns = std::atoll(line.c_str() + space + 1);
        std::printf("step %.1f %s\n", double(ns - startNs) / 1e6, line.substr(0, space).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s TITLE SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const int settleMs = std::atoi(argv[2]);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    char tracePath[] = "/tmp/bench-startup-XXXXXX";
    const int traceFd = mkstemp(tracePath);
    if (traceFd < 0) {
        std::perror("mkstemp");
        return 2;
    }
    close(traceFd);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("PELUMO_STARTUP_TRACE", tracePath, 1);
        if (int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, 1);
            dup2(null, 2);
        }
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    double mappedMs = -1;
    while (mappedMs < 0) {
        while (XPending(d)) {
            XEvent ev;
            XNextEvent(d, &ev);
            if (ev.type == MapNotify && getenv("BENCH_VERBOSE"))
                std::fprintf(stderr, "mapped 0x%lx '%s'\n", ev.xmap.window,
                             windowName(d, ev.xmap.window).c_str());
            if (ev.type == MapNotify && windowName(d, ev.xmap.window) == title &&
                sizeMatches(d, ev.xmap.window))
                mappedMs = std::chrono::duration<double, std::milli>(
                               std::chrono::steady_clock::now() - start)
                               .count();
        }
        if (mappedMs >= 0)
            break;
        int status;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "program ended before its window showed\n");
            return 1;
        }
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(30)) {
            std::fprintf(stderr, "no window titled '%s' within 30 s\n", title.c_str());
            kill(child, SIGKILL);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    long pss = 0;
    const std::set<int> tree = processTree(child);
    for (int pid : tree)
        pss += pssKb(pid);
    std::printf("%s: window mapped after %.1f ms; PSS of %zu processes %.1f MB\n", title.c_str(),
                mappedMs, tree.size(), pss / 1024.0);
    printSteps(tracePath, start);
    unlink(tracePath);
    for (int pid : tree)
        kill(pid, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(d);
    return 0;
}

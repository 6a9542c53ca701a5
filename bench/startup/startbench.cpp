// Starts a program on the current X display and prints the milliseconds from exec to the
// first map of a top-level window with the given title, then the PSS of the program's
// process tree once that window shows.
//
//   bench-startup TITLE SETTLE_MS PROGRAM [ARGS...]
//   (BENCH_SIZE=WxH: only a window of that size counts)
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
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

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
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
    for (int pid : tree)
        kill(pid, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(d);
    return 0;
}

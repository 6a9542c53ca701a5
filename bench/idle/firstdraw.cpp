// How soon a window shows its picture: runs a command (the click that opens the window),
// then watches the screen for the top-level window titled TITLE and prints, in
// milliseconds from the command's start, when the window mapped, when its picture (or
// the part x,y,w,h of it) first stood as it finally stays (nearly: most of it), when it
// settled (no longer changed at all, a finer look), and for how long in all it showed a
// blank (one colour) picture, before that or after.
//
//   bench-firstdraw TITLE [X Y W H] -- COMMAND [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string nameOf(Display* d, Window w) {
    const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
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
    return name;
}

// The viewable top-level window titled `title` (children of the root, and their children
// where a window manager frames them), or 0.
Window findViewable(Display* d, Window parent, const std::string& title, int depth = 0) {
    Window root, up, *kids = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, parent, &root, &up, &kids, &n))
        return 0;
    Window found = 0;
    for (unsigned int i = n; i-- > 0 && !found;) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, kids[i], &a) || a.map_state != IsViewable)
            continue;
        if (nameOf(d, kids[i]) == title)
            found = kids[i];
        else if (depth < 2)
            found = findViewable(d, kids[i], title, depth + 1);
    }
    if (kids)
        XFree(kids);
    return found;
}

struct Shot {
    double ms;
    std::vector<unsigned long> samples;
};

constexpr int kGridX = 96, kGridY = 72;

// A grid of pixels of the part of the window.
std::vector<unsigned long> sample(Display* d, Window w, int x, int y, int width, int height) {
    XImage* img = XGetImage(d, w, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    std::vector<unsigned long> out;
    if (!img)
        return out;
    for (int j = 0; j < kGridY; ++j)
        for (int i = 0; i < kGridX; ++i)
            out.push_back(XGetPixel(img, (2 * i + 1) * width / (2 * kGridX),
                                    (2 * j + 1) * height / (2 * kGridY)) &
                          0xffffff);
    XDestroyImage(img);
    return out;
}

bool close(unsigned long a, unsigned long b, int tolerance = 24) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xff) - int((b >> shift) & 0xff)) > tolerance)
            return false;
    return true;
}

double matching(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b,
                int tolerance = 24) {
    if (a.empty() || a.size() != b.size())
        return 0;
    size_t same = 0;
    for (size_t i = 0; i < a.size(); ++i)
        same += close(a[i], b[i], tolerance) ? 1 : 0;
    return double(same) / double(a.size());
}

// Pictures that differ only by the odd pixel of rounding.
bool same(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b) {
    return matching(a, b, 12) >= 0.998;
}

// True when nearly the whole picture is one colour: nothing drawn yet.
bool blank(const std::vector<unsigned long>& s) {
    std::map<unsigned long, size_t> counts;
    for (unsigned long p : s)
        ++counts[p];
    size_t most = 0;
    for (const auto& c : counts)
        most = std::max(most, c.second);
    return !s.empty() && double(most) / double(s.size()) >= 0.9;
}

// The window's whole picture as a PPM file (FIRSTDRAW_SAVE: to look at what changed).
void savePicture(Display* d, Window w, const std::string& path) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a))
        return;
    XImage* img = XGetImage(d, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    FILE* f = img ? std::fopen(path.c_str(), "wb") : nullptr;
    if (f) {
        std::fprintf(f, "P6\n%d %d\n255\n", a.width, a.height);
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) {
                const unsigned long p = XGetPixel(img, x, y);
                const unsigned char rgb[3] = {(unsigned char)(p >> 16), (unsigned char)(p >> 8),
                                              (unsigned char)p};
                std::fwrite(rgb, 1, 3, f);
            }
        std::fclose(f);
    }
    if (img)
        XDestroyImage(img);
}

// Windows come and go while the tree is walked; a vanished one is simply not the window.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

} // namespace

int main(int argc, char** argv) {
    int sep = 1;
    while (sep < argc && std::strcmp(argv[sep], "--") != 0)
        ++sep;
    if (sep < 2 || sep + 1 >= argc) {
        std::fprintf(stderr, "usage: %s TITLE [X Y W H] -- COMMAND [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    const bool part = sep == 6;
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return 2;
    XSetErrorHandler(ignoreErrors);
    const auto t0 = Clock::now();
    const auto ms = [&t0] {
        return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    };
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[sep + 1], argv + sep + 1);
        _exit(127);
    }
    Window w = 0;
    double mapped = -1;
    std::vector<Shot> shots;
    while (ms() < 10000 && (mapped < 0 || ms() < mapped + 2000)) {
        if (!w) {
            w = findViewable(d, DefaultRootWindow(d), title);
            if (w)
                mapped = ms();
        }
        if (w) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(d, w, &a))
                break;
            const int x = part ? std::atoi(argv[2]) : 0, y = part ? std::atoi(argv[3]) : 0;
            const int width = part ? std::atoi(argv[4]) : a.width;
            const int height = part ? std::atoi(argv[5]) : a.height;
            const double at = ms();
            shots.push_back({at, sample(d, w, x, y, width, height)});
            const char* save = std::getenv("FIRSTDRAW_SAVE");
            if (save && shots.size() == 4)
                savePicture(d, w, std::string(save) + "-early.ppm");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
    }
    if (const char* save = std::getenv("FIRSTDRAW_SAVE"); save && w)
        savePicture(d, w, std::string(save) + "-final.ppm");
    waitpid(child, nullptr, 0);
    if (shots.empty()) {
        std::printf("no window\n");
        return 1;
    }
    const std::vector<unsigned long>& last = shots.back().samples;
    double drawn = -1, blankMs = 0, settled = shots.back().ms;
    for (size_t i = shots.size(); i-- > 0 && same(shots[i].samples, last);)
        settled = shots[i].ms;
    for (size_t i = 0; i < shots.size(); ++i) {
        if (drawn < 0 && matching(shots[i].samples, last) >= 0.85)
            drawn = shots[i].ms;
        // Blank at any time: before the picture, or a flash after it.
        if (blank(shots[i].samples) && i + 1 < shots.size())
            blankMs += shots[i + 1].ms - shots[i].ms;
    }
    std::printf("mapped %.0f ms, drawn %.0f ms, blank %.0f ms, settled %.0f ms\n", mapped, drawn,
                blankMs, settled);
    XCloseDisplay(d);
    return 0;
}

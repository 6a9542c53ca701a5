#include "flashhost/WebPlayer.h"

#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <dlfcn.h>
#include <future>
#include <mutex>
#include <string>

// Defined by the web player's code: in its library, and in programs linked with that code
// (then nothing is loaded).
extern "C" const flashhost::WebPlayerEntry* pelumo_web_player() __attribute__((weak));

namespace flashhost {
namespace {

constexpr char kLibraryName[] = "libpelumo_webplayer.so";

QString libraryPath() {
    return QDir(platform::programDir()).filePath(QLatin1String(kLibraryName));
}

struct Loaded {
    const WebPlayerEntry* entry = nullptr;
    std::string error;
};

// The library stays mapped for the life of the program: its players and the engine's
// threads outlive any owner that could unload it.
Loaded load(const std::string& path) {
    Loaded out;
    void* lib = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        const char* why = dlerror();
        out.error = why ? why : "cannot be loaded";
        return out;
    }
    using Entry = const WebPlayerEntry* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(lib, "pelumo_web_player"));
    out.entry = entry ? entry() : nullptr;
    if (!out.entry)
        out.error = "no player entry in " + path;
    return out;
}

std::mutex& lock() {
    static std::mutex m;
    return m;
}

std::shared_future<Loaded>& pending() {
    static std::shared_future<Loaded> f;
    return f;
}

// Starts the load once; the caller holds lock().
void startLoad() {
    if (pending().valid())
        return;
    pending() = std::async(std::launch::async, load,
                           std::string(QFile::encodeName(libraryPath()).constData()))
                    .share();
}

} // namespace

bool webPlayerPresent() {
    return pelumo_web_player || QFileInfo(libraryPath()).isFile();
}

void loadWebPlayerInBackground() {
    if (pelumo_web_player || !webPlayerPresent())
        return;
    std::lock_guard guard(lock());
    startLoad();
}

const WebPlayerEntry* webPlayer() {
    if (pelumo_web_player)
        return pelumo_web_player();
    std::shared_future<Loaded> result;
    {
        std::lock_guard guard(lock());
        startLoad();
        result = pending();
    }
    const Loaded& loaded = result.get();
    if (!loaded.entry) {
        static std::once_flag told;
        std::call_once(told, [&] {
            qWarning("flashhost: the web player library did not load: %s", loaded.error.c_str());
        });
    }
    return loaded.entry;
}

void warmUpWebPlayer() {
    if (const WebPlayerEntry* player = webPlayer())
        player->warmUp();
}

} // namespace flashhost

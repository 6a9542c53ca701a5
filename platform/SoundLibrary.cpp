#include "platform/SoundLibrary.h"

#include "platform/LibraryFile.h"
#include "platform/ProgramDir.h"

#include <QDebug>
#include <QFile>

#include <dlfcn.h>

namespace platform {

using BOOL = int;
using QWORD = quint64;

struct SoundLibrary::Api {
    DWORD (*getVersion)();
    BOOL (*init)(int, DWORD, DWORD, void*, const void*);
    HSTREAM (*streamCreateFile)(BOOL, const void*, QWORD, QWORD, DWORD);
    BOOL (*channelPlay)(DWORD, BOOL);
    BOOL (*channelStop)(DWORD);
    BOOL (*streamFree)(HSTREAM);
    BOOL (*free)();
    BOOL (*playMemory)(const void*, DWORD);
    // Test-only queries; a library without them still plays.
    DWORD (*channelState)(DWORD);
    QWORD (*channelPosition)(DWORD);
    DWORD (*streamCount)();
};

namespace {

template <typename Fn> bool resolve(void* lib, const char* name, Fn& fn, QString& error) {
    fn = reinterpret_cast<Fn>(dlsym(lib, name));
    if (!fn && error.isEmpty())
        error = QStringLiteral("missing call %1").arg(QLatin1String(name));
    return fn != nullptr;
}

} // namespace

// The library is never unloaded: its audio thread may be running until the process ends.
SoundLibrary::~SoundLibrary() {
    if (loader_.joinable())
        loader_.join();
    delete api_;
}

namespace {
QString libraryPath() {
    return dataPath(QStringLiteral("Data\\systxt\\snd.txt"));
}
} // namespace

void SoundLibrary::loadInBackground() {
    if (tried_ || loader_.joinable())
        return;
    // The path is found here: the program folder is only known on the main thread.
    loader_ = std::thread([this, path = libraryPath()] { load(path); });
}

void SoundLibrary::load(const QString& path) {
    tried_ = true;
    // A damaged file is refused before the loader maps it: a cut one would crash.
    error_ = libraryFileProblem(path);
    if (!error_.isEmpty()) {
        qWarning().noquote() << "sound library" << path << "unusable:" << error_;
        return;
    }
    void* lib = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
        error_ = QString::fromLocal8Bit(dlerror());
        return;
    }
    Api api{};
    bool ok = resolve(lib, "BASS_GetVersion", api.getVersion, error_);
    ok = resolve(lib, "BASS_Init", api.init, error_) && ok;
    ok = resolve(lib, "BASS_StreamCreateFile", api.streamCreateFile, error_) && ok;
    ok = resolve(lib, "BASS_ChannelPlay", api.channelPlay, error_) && ok;
    ok = resolve(lib, "BASS_ChannelStop", api.channelStop, error_) && ok;
    ok = resolve(lib, "BASS_StreamFree", api.streamFree, error_) && ok;
    ok = resolve(lib, "BASS_Free", api.free, error_) && ok;
    ok = resolve(lib, "SND_PlayMemory", api.playMemory, error_) && ok;
    if (!ok) {
        dlclose(lib); // nothing of it has run yet
        return;
    }
    QString ignored;
    resolve(lib, "SND_ChannelState", api.channelState, ignored);
    resolve(lib, "SND_ChannelPosition", api.channelPosition, ignored);
    resolve(lib, "SND_StreamCount", api.streamCount, ignored);
    api_ = new Api(api);
}

bool SoundLibrary::isLoaded() {
    if (loader_.joinable())
        loader_.join();
    if (!tried_)
        load(libraryPath());
    return api_ != nullptr;
}

SoundLibrary::DWORD SoundLibrary::GetVersion() {
    return isLoaded() ? api_->getVersion() : 0;
}

bool SoundLibrary::Init(int device, DWORD freq, DWORD flags, void* win, const void* clsid) {
    return isLoaded() && api_->init(device, freq, flags, win, clsid) != 0;
}

SoundLibrary::HSTREAM SoundLibrary::StreamCreateFile(const QString& path, DWORD flags) {
    if (!isLoaded() || path.isEmpty())
        return 0;
    // The file system's own encoding (UTF-8), which the library takes as it is: a
    // conversion to GBK would lose every character GBK cannot hold.
    const QByteArray bytes = QFile::encodeName(path);
    return api_->streamCreateFile(0, bytes.constData(), 0, 0, flags);
}

bool SoundLibrary::ChannelPlay(DWORD handle, bool restart) {
    return isLoaded() && api_->channelPlay(handle, restart ? 1 : 0) != 0;
}

bool SoundLibrary::ChannelStop(DWORD handle) {
    return isLoaded() && api_->channelStop(handle) != 0;
}

bool SoundLibrary::StreamFree(HSTREAM handle) {
    return isLoaded() && api_->streamFree(handle) != 0;
}

bool SoundLibrary::Free() {
    return isLoaded() && api_->free() != 0;
}

bool SoundLibrary::PlayMemory(const QByteArray& wav) {
    return isLoaded() && api_->playMemory(wav.isEmpty() ? nullptr : wav.constData(),
                                          static_cast<DWORD>(wav.size())) != 0;
}

SoundLibrary::DWORD SoundLibrary::ChannelState(DWORD handle) {
    return isLoaded() && api_->channelState ? api_->channelState(handle) : 0;
}

quint64 SoundLibrary::ChannelPosition(DWORD handle) {
    return isLoaded() && api_->channelPosition ? api_->channelPosition(handle) : 0;
}

SoundLibrary::DWORD SoundLibrary::StreamCount() {
    return isLoaded() && api_->streamCount ? api_->streamCount() : 0;
}

SoundLibrary& soundLibrary() {
    static SoundLibrary library;
    return library;
}

} // namespace platform

#pragma once
// The program's side of the sound library: loads "Data\systxt\snd.txt" at run
// time and calls into it.
//
// When the file is missing or damaged, or one of its calls is missing, every call
// answers 0 (false) and nothing plays; the caller reports that as it reports any sound
// failure (GetVersion answers 0, which is not version 2.4).

#include <QByteArray>
#include <QString>

#include <thread>

namespace platform {

class SoundLibrary {
public:
    using DWORD = quint32;
    using HSTREAM = quint32;
    static constexpr DWORD kLoop = 4; // StreamCreateFile flag: play the file over and over

    SoundLibrary() = default;
    ~SoundLibrary();
    SoundLibrary(const SoundLibrary&) = delete;
    SoundLibrary& operator=(const SoundLibrary&) = delete;

    // Loads the library from the data folder on first use; later calls answer at once.
    bool isLoaded();
    // Starts loading the library on a thread of its own, so that the caller goes on while
    // the system maps it and its codecs; the first call waits for it to finish.
    void loadInBackground();
    // Why loading failed; empty when it did not.
    QString errorString() const { return error_; }

    DWORD GetVersion();
    bool Init(int device, DWORD freq, DWORD flags, void* win, const void* clsid = nullptr);
    // The path goes to the library in UTF-8, which it accepts beside GBK. 0 on failure.
    HSTREAM StreamCreateFile(const QString& path, DWORD flags);
    bool ChannelPlay(DWORD handle, bool restart);
    bool ChannelStop(DWORD handle);
    bool StreamFree(HSTREAM handle);
    bool Free();
    // The click sound: restarts the WAV image on the library's own channel; an empty
    // image stops it. Each distinct image is decoded once, so repeated clicks are cheap.
    bool PlayMemory(const QByteArray& wav);

    // For tests only: 0 stopped or finished (or unknown), 1 playing, 3 paused;
    // frames played since the start; streams alive.
    DWORD ChannelState(DWORD handle);
    quint64 ChannelPosition(DWORD handle);
    DWORD StreamCount();

private:
    struct Api;
    void load(const QString& path);

    std::thread loader_;
    bool tried_ = false;
    Api* api_ = nullptr;
    QString error_;
};

// The instance the program uses.
SoundLibrary& soundLibrary();

} // namespace platform

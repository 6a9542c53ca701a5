// The sound library's exported calls. The program loads this file at run time
// and finds the calls by name, so their names and signatures are fixed.

#include "Engine.h"

#include <cstdint>

#define SND_EXPORT extern "C" __attribute__((visibility("default")))

using DWORD = std::uint32_t;
using BOOL = int;
using QWORD = std::uint64_t;
using HSTREAM = std::uint32_t;

namespace {

// Nothing may escape into the caller, which knows only C.
template <typename Result, typename Fn> Result guarded(Fn fn) noexcept {
    try {
        return static_cast<Result>(fn());
    } catch (...) {
        return Result{0};
    }
}

snd::Engine& engine() {
    return snd::Engine::instance();
}

} // namespace

SND_EXPORT DWORD BASS_GetVersion(void) {
    return 0x02040000;
}

SND_EXPORT BOOL BASS_Init(int /*device*/, DWORD freq, DWORD /*flags*/, void* /*win*/,
                          const void* /*clsid*/) {
    return guarded<BOOL>([&] { return engine().init(freq); });
}

SND_EXPORT HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length,
                                         DWORD flags) {
    return guarded<HSTREAM>(
        [&] { return engine().createStream(mem != 0, file, offset, length, flags); });
}

SND_EXPORT BOOL BASS_ChannelPlay(DWORD handle, BOOL restart) {
    return guarded<BOOL>([&] { return engine().play(handle, restart != 0); });
}

SND_EXPORT BOOL BASS_ChannelStop(DWORD handle) {
    return guarded<BOOL>([&] { return engine().stop(handle); });
}

SND_EXPORT BOOL BASS_StreamFree(HSTREAM handle) {
    return guarded<BOOL>([&] { return engine().freeStream(handle); });
}

SND_EXPORT BOOL BASS_Free(void) {
    return guarded<BOOL>([&] { return engine().shutdown(); });
}

// Stands in for the platform's "play a WAV image from memory" call: restarts the
// click on its own channel; null or length 0 stops it.
SND_EXPORT BOOL SND_PlayMemory(const void* wav, DWORD length) {
    return guarded<BOOL>([&] { return engine().playClick(wav, length); });
}

// Test-only queries; the program does not use them.
SND_EXPORT DWORD SND_ChannelState(DWORD handle) {
    return guarded<DWORD>([&] { return engine().channelState(handle); });
}

SND_EXPORT QWORD SND_ChannelPosition(DWORD handle) {
    return guarded<QWORD>([&] { return engine().channelPosition(handle); });
}

SND_EXPORT DWORD SND_StreamCount(void) {
    return guarded<DWORD>([&] { return engine().streamCount(); });
}

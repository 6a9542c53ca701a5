#include "Device.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace snd {
namespace {

constexpr int kInitialChannels = 16;
constexpr int kMaxChannels = 256;
constexpr int kSilenceFrames = 4096;

} // namespace

Device::~Device() {
    close();
}

bool Device::open(int rate) {
    if (open_)
        return true;
    // SDL would otherwise take over SIGINT and SIGTERM and the program could no longer be
    // ended by a signal (log-out, shutdown).
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    format_.rate = frequency;
    format_.channels = channels;
    silenceData_.assign(static_cast<std::size_t>(kSilenceFrames * format_.frameBytes()), 0);
    silence_ = Mix_QuickLoad_RAW(silenceData_.data(), static_cast<Uint32>(silenceData_.size()));
    if (format != AUDIO_S16SYS || channels < 1 || !silence_) {
        open_ = true;
        close();
        return false;
    }
    inUse_.assign(static_cast<std::size_t>(Mix_AllocateChannels(kInitialChannels)), false);
    Mix_ReserveChannels(1);
    open_ = true;
    return true;
}

void Device::close() {
    if (!open_)
        return;
    Mix_HaltChannel(-1);
    if (silence_)
        Mix_FreeChunk(silence_);
    silence_ = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    silenceData_.clear();
    inUse_.clear();
    open_ = false;
}

int Device::acquireChannel() {
    if (!open_)
        return -1;
    for (std::size_t i = kClickChannel + 1; i < inUse_.size(); ++i) {
        if (!inUse_[i]) {
            inUse_[i] = true;
            return static_cast<int>(i);
        }
    }
    const int count = static_cast<int>(inUse_.size());
    if (count >= kMaxChannels)
        return -1;
    inUse_.resize(static_cast<std::size_t>(Mix_AllocateChannels(count * 2)), false);
    if (static_cast<int>(inUse_.size()) <= count)
        return -1;
    inUse_[static_cast<std::size_t>(count)] = true;
    return count;
}

void Device::releaseChannel(int channel) {
    if (channel > kClickChannel && channel < static_cast<int>(inUse_.size()))
        inUse_[static_cast<std::size_t>(channel)] = false;
}

} // namespace snd

#include "Engine.h"

#include "AnsiPath.h"

#include <SDL2/SDL_mixer.h>

namespace snd {
namespace {

constexpr std::uint32_t kLoopFlag = 4;
constexpr int kDefaultRate = 44100;

void streamEffect(int /*channel*/, void* buffer, int bytes, void* stream) {
    static_cast<Stream*>(stream)->fill(static_cast<std::uint8_t*>(buffer), bytes);
}

} // namespace

Engine& Engine::instance() {
    // Never destroyed: the audio thread may still call in while the process exits.
    static Engine* engine = new Engine;
    return *engine;
}

bool Engine::init(std::uint32_t frequency) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shutDown_ || initialised_)
        return false;
    const int rate =
        frequency >= 8000 && frequency <= 192000 ? static_cast<int>(frequency) : kDefaultRate;
    initialised_ = device_.open(rate);
    return initialised_;
}

std::uint32_t Engine::createStream(bool fromMemory, const void* file, std::uint64_t offset,
                                   std::uint64_t length, std::uint32_t flags) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shutDown_ || !initialised_ || fromMemory || !file || offset != 0 || length != 0)
        return 0;
    if (nextHandle_ == 0) // every handle has been given out once
        return 0;
    const std::optional<std::string> path = localPathFromAnsi(static_cast<const char*>(file));
    if (!path)
        return 0;
    std::unique_ptr<Decoder> decoder = Decoder::open(*path, device_.format());
    if (!decoder)
        return 0;
    const std::uint32_t handle = nextHandle_++;
    streams_[handle] = std::make_unique<Stream>(handle, std::move(decoder),
                                                (flags & kLoopFlag) != 0, device_.format());
    return handle;
}

bool Engine::play(std::uint32_t handle, bool restart) {
    std::lock_guard<std::mutex> lock(mutex_);
    sweepFinished();
    Stream* s = find(handle);
    if (!s)
        return false;
    switch (s->state) {
    case Stream::State::Playing:
        return !restart || s->restart();
    case Stream::State::Paused:
        if (restart && !s->restart())
            return false;
        Mix_Resume(s->channel);
        s->state = Stream::State::Playing;
        return true;
    case Stream::State::Stopped:
        break;
    }
    // A stream that played to its end starts over.
    if ((restart || s->finished()) && !s->restart())
        return false;
    const int channel = device_.acquireChannel();
    if (channel < 0)
        return false;
    if (!Mix_RegisterEffect(channel, streamEffect, nullptr, s)) {
        device_.releaseChannel(channel);
        return false;
    }
    if (Mix_PlayChannel(channel, device_.silence(), -1) < 0) {
        Mix_UnregisterAllEffects(channel);
        device_.releaseChannel(channel);
        return false;
    }
    s->channel = channel;
    s->state = Stream::State::Playing;
    return true;
}

bool Engine::stop(std::uint32_t handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    sweepFinished();
    Stream* s = find(handle);
    if (!s)
        return false;
    // Pausing keeps the channel and the position, so that a later play resumes.
    if (s->state == Stream::State::Playing) {
        Mix_Pause(s->channel);
        s->state = Stream::State::Paused;
    }
    return true;
}

bool Engine::freeStream(std::uint32_t handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    sweepFinished();
    Stream* s = find(handle);
    if (!s)
        return false;
    detach(*s); // after this the audio thread no longer sees the stream
    streams_.erase(handle);
    return true;
}

bool Engine::shutdown() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shutDown_)
        return false;
    shutDown_ = true;
    for (auto& entry : streams_)
        detach(*entry.second);
    streams_.clear();
    click_.clear();
    device_.close();
    return initialised_;
}

bool Engine::playClick(const void* wav, std::uint32_t length) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (shutDown_)
        return false;
    if (!wav || length == 0) {
        click_.stop();
        return true;
    }
    // The click does not depend on init: it opens the device itself when needed.
    if (!device_.open(kDefaultRate))
        return false;
    return click_.play(wav, length);
}

std::uint32_t Engine::channelState(std::uint32_t handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    sweepFinished();
    const Stream* s = find(handle);
    if (!s)
        return 0;
    switch (s->state) {
    case Stream::State::Playing:
        return 1;
    case Stream::State::Paused:
        return 3;
    case Stream::State::Stopped:
        break;
    }
    return 0;
}

std::uint64_t Engine::channelPosition(std::uint32_t handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    const Stream* s = find(handle);
    return s ? s->position() : 0;
}

std::uint32_t Engine::streamCount() {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::uint32_t>(streams_.size());
}

Stream* Engine::find(std::uint32_t handle) {
    if (shutDown_ || handle == 0)
        return nullptr;
    const auto it = streams_.find(handle);
    return it == streams_.end() ? nullptr : it->second.get();
}

void Engine::detach(Stream& stream) {
    if (stream.channel >= 0) {
        // Halting takes the device lock: once it returns, the stream's effect is
        // removed and no longer running.
        Mix_HaltChannel(stream.channel);
        Mix_UnregisterAllEffects(stream.channel);
        device_.releaseChannel(stream.channel);
    }
    stream.channel = -1;
    stream.state = Stream::State::Stopped;
}

void Engine::sweepFinished() {
    for (auto& entry : streams_) {
        if (entry.second->channel >= 0 && entry.second->finished())
            detach(*entry.second);
    }
}

} // namespace snd

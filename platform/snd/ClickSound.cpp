#include "ClickSound.h"

#include <SDL2/SDL_mixer.h>

#include <climits>

namespace snd {
namespace {

constexpr std::size_t kMaxCached = 8;

// The same buffer may be refilled with another sound; its address alone is not enough.
std::uint64_t checksum(const void* data, std::uint32_t length) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    std::uint64_t h = 14695981039346656037ull;
    for (std::uint32_t i = 0; i < length; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

} // namespace

ClickSound::~ClickSound() {
    clear();
}

Mix_Chunk* ClickSound::decoded(const void* wav, std::uint32_t length) {
    const std::uint64_t sum = checksum(wav, length);
    for (const Entry& e : cache_) {
        if (e.data == wav && e.length == length && e.checksum == sum)
            return e.chunk;
    }
    if (length > INT_MAX)
        return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(wav, static_cast<int>(length));
    Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (!chunk)
        return nullptr;
    if (cache_.size() >= kMaxCached) {
        Mix_HaltChannel(Device::kClickChannel); // the evicted image may be the one playing
        Mix_FreeChunk(cache_.front().chunk);
        cache_.erase(cache_.begin());
    }
    cache_.push_back({wav, length, sum, chunk});
    return chunk;
}

bool ClickSound::play(const void* wav, std::uint32_t length) {
    if (!device_.isOpen())
        return false;
    Mix_Chunk* chunk = decoded(wav, length);
    return chunk && Mix_PlayChannel(Device::kClickChannel, chunk, 0) >= 0;
}

void ClickSound::stop() {
    if (device_.isOpen())
        Mix_HaltChannel(Device::kClickChannel);
}

void ClickSound::clear() {
    if (cache_.empty())
        return;
    stop();
    for (const Entry& e : cache_)
        Mix_FreeChunk(e.chunk);
    cache_.clear();
}

} // namespace snd

#pragma once
// The click played from a WAV image in memory, on the device's reserved channel.
// Each distinct image is decoded once and kept.

#include "Device.h"

#include <cstdint>
#include <vector>

namespace snd {

class ClickSound {
public:
    explicit ClickSound(Device& device) : device_(device) {}
    ~ClickSound();
    ClickSound(const ClickSound&) = delete;
    ClickSound& operator=(const ClickSound&) = delete;

    // Starts the click from the beginning; the device must be open.
    bool play(const void* wav, std::uint32_t length);
    void stop();
    // Drops every decoded image (before the device closes).
    void clear();

private:
    struct Entry {
        const void* data;
        std::uint32_t length;
        std::uint64_t checksum;
        Mix_Chunk* chunk;
    };
    Mix_Chunk* decoded(const void* wav, std::uint32_t length);

    Device& device_;
    std::vector<Entry> cache_; // oldest first
};

} // namespace snd

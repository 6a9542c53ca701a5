#pragma once
// The output device and its mixer channels.
//
// Channel 0 is kept for the click sound; every playing stream holds one of the
// others, on which a silent looping chunk runs and the stream's audio is written
// over it.

#include "Decoder.h"

#include <vector>

struct Mix_Chunk;

namespace snd {

class Device {
public:
    static constexpr int kClickChannel = 0;

    Device() = default;
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    // Opens the device once; true when it is (or already was) open.
    bool open(int rate);
    void close();
    bool isOpen() const { return open_; }

    const OutputFormat& format() const { return format_; }
    Mix_Chunk* silence() const { return silence_; }

    // A free stream channel, or -1.
    int acquireChannel();
    void releaseChannel(int channel);

private:
    bool open_ = false;
    OutputFormat format_;
    std::vector<std::uint8_t> silenceData_;
    Mix_Chunk* silence_ = nullptr;
    std::vector<bool> inUse_;
};

} // namespace snd

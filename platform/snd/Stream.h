#pragma once
// One playing file: its decoder, fed to the device from the audio thread.
//
// The audio thread calls fill(); the API thread only restarts the stream and
// reads its counters. Both sides meet under the stream's own mutex, which is
// never held while calling into the mixer, so neither can wait for the other.

#include "Decoder.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace snd {

class Stream {
public:
    enum class State { Stopped, Playing, Paused };

    Stream(std::uint32_t handle, std::unique_ptr<Decoder> decoder, bool loop, OutputFormat format);

    std::uint32_t handle() const { return handle_; }

    // Audio thread: the next `bytes` of output; silence once a non-looping file has ended.
    void fill(std::uint8_t* out, int bytes);

    // Back to the first frame. False when the file cannot be read again.
    bool restart();

    bool finished() const { return finished_.load(); }
    std::uint64_t position() const { return position_.load(); }

    // Kept by the API thread only.
    State state = State::Stopped;
    int channel = -1;

private:
    const std::uint32_t handle_;
    const bool loop_;
    const OutputFormat format_;
    std::mutex mutex_;
    std::unique_ptr<Decoder> decoder_;
    std::atomic<std::uint64_t> position_{0};
    std::atomic<bool> finished_{false};
};

} // namespace snd

#pragma once
// The state behind the exported calls: the device, the streams by handle and the click.
//
// Every call takes one lock, so the calls may come from any thread; the audio
// thread never takes it.

#include "ClickSound.h"
#include "Device.h"
#include "Stream.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace snd {

class Engine {
public:
    static Engine& instance();

    bool init(std::uint32_t frequency);
    std::uint32_t createStream(bool fromMemory, const void* file, std::uint64_t offset,
                               std::uint64_t length, std::uint32_t flags);
    bool play(std::uint32_t handle, bool restart);
    bool stop(std::uint32_t handle);
    bool freeStream(std::uint32_t handle);
    bool shutdown();
    bool playClick(const void* wav, std::uint32_t length);

    // For tests: 0 stopped or finished, 1 playing, 3 paused.
    std::uint32_t channelState(std::uint32_t handle);
    std::uint64_t channelPosition(std::uint32_t handle);
    std::uint32_t streamCount();

private:
    Engine() = default;

    Stream* find(std::uint32_t handle);
    void detach(Stream& stream);
    // Channels of streams that reached their end are halted from here, never
    // from the audio thread.
    void sweepFinished();

    std::mutex mutex_;
    Device device_;
    ClickSound click_{device_};
    bool initialised_ = false;
    bool shutDown_ = false;
    std::uint32_t nextHandle_ = 1;
    std::map<std::uint32_t, std::unique_ptr<Stream>> streams_;
};

} // namespace snd

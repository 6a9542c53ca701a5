#include "Stream.h"

#include <cstring>

namespace snd {

Stream::Stream(std::uint32_t handle, std::unique_ptr<Decoder> decoder, bool loop,
               OutputFormat format)
    : handle_(handle), loop_(loop), format_(format), decoder_(std::move(decoder)) {}

void Stream::fill(std::uint8_t* out, int bytes) {
    const int frameBytes = format_.frameBytes();
    const int frames = bytes / frameBytes;
    int done = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        bool justRewound = false;
        while (!finished_ && done < frames) {
            const int n = decoder_->read(reinterpret_cast<std::int16_t*>(out + done * frameBytes),
                                         frames - done);
            done += n;
            position_ += static_cast<std::uint64_t>(n);
            if (done == frames)
                break;
            // The file has ended. A loop starts over, unless the file gives nothing
            // even from the start (it would spin here forever).
            if (!loop_ || (justRewound && n == 0) || !decoder_->rewind()) {
                finished_ = true;
                break;
            }
            justRewound = true;
        }
    }
    std::memset(out + done * frameBytes, 0, static_cast<std::size_t>(bytes - done * frameBytes));
}

bool Stream::restart() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!decoder_->rewind())
        return false;
    position_ = 0;
    finished_ = false;
    return true;
}

} // namespace snd

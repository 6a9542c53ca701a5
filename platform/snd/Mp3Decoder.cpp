#include "Mp3Decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <cstring>
#include <mutex>

namespace snd {
namespace {

// Older libmpg123 needs one global set-up before the first handle.
void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

bool isFrameHeader(const std::uint8_t* h) {
    const int version = (h[1] >> 3) & 3;
    const int layer = (h[1] >> 1) & 3;
    const int bitrate = h[2] >> 4;
    const int rate = (h[2] >> 2) & 3;
    return h[0] == 0xFF && (h[1] & 0xE0) == 0xE0 && version != 1 && layer != 0 && bitrate != 15 &&
           rate != 3;
}

} // namespace

Mp3Decoder::Mp3Decoder(FileHandle file, const OutputFormat& out)
    : Decoder(out), file_(std::move(file)) {}

Mp3Decoder::~Mp3Decoder() {
    if (handle_) {
        mpg123_close(handle_);
        mpg123_delete(handle_);
    }
}

bool Mp3Decoder::sniff(const std::uint8_t* head, std::size_t length) {
    if (length >= 3 && std::memcmp(head, "ID3", 3) == 0)
        return true;
    return length >= 4 && isFrameHeader(head);
}

std::unique_ptr<Decoder> Mp3Decoder::create(FileHandle file, const OutputFormat& out) {
    initLibrary();
    std::unique_ptr<Mp3Decoder> decoder(new Mp3Decoder(std::move(file), out));
    int error = MPG123_OK;
    decoder->handle_ = mpg123_new(nullptr, &error);
    mpg123_handle* mh = decoder->handle_;
    if (!mh)
        return nullptr;
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Any rate and channel count the file has, always as 16-bit samples; the
    // base class converts to the device.
    mpg123_format_none(mh);
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (std::size_t i = 0; i < rateCount; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_fd(mh, decoder->file_.fd()) != MPG123_OK)
        return nullptr;
    int encoding = 0;
    if (mpg123_getformat(mh, &decoder->rate_, &decoder->channels_, &encoding) != MPG123_OK)
        return nullptr;
    if (!decoder->setSourceFormat(AUDIO_S16SYS, decoder->channels_,
                                  static_cast<int>(decoder->rate_)))
        return nullptr;
    return decoder;
}

Decoder::Block Mp3Decoder::fetch(std::uint8_t* buffer, std::size_t capacity) {
    Block block;
    std::size_t done = 0;
    const int rc = mpg123_read(handle_, buffer, capacity, &done);
    block.bytes = done;
    if (rc == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        if (mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
            block.end = true;
        } else if (rate != rate_ || channels != channels_) {
            rate_ = rate;
            channels_ = channels;
            if (setSourceFormat(AUDIO_S16SYS, channels, static_cast<int>(rate)))
                block.newFormat = true;
            else
                block.end = true;
        }
    } else if (rc != MPG123_OK) {
        block.end = true; // MPG123_DONE, or damage the decoder cannot get past
    }
    return block;
}

bool Mp3Decoder::rewindSource() {
    return mpg123_seek(handle_, 0, SEEK_SET) >= 0;
}

} // namespace snd

#include "WavDecoder.h"

#include <algorithm>
#include <cstring>

namespace snd {
namespace {

constexpr int kMaxChunks = 4096;

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct WavFormat {
    std::uint16_t tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bits = 0;
    std::uint16_t subFormat = 0; // the format code inside WAVE_FORMAT_EXTENSIBLE

    bool isPcm() const { return tag == 1 || (tag == 0xFFFE && subFormat == 1); }
};

} // namespace

WavDecoder::WavDecoder(FileHandle file, const OutputFormat& out)
    : Decoder(out), file_(std::move(file)) {}

bool WavDecoder::sniff(const std::uint8_t* head, std::size_t length) {
    return length >= 12 && std::memcmp(head, "RIFF", 4) == 0 &&
           std::memcmp(head + 8, "WAVE", 4) == 0;
}

std::unique_ptr<Decoder> WavDecoder::create(FileHandle file, const OutputFormat& out) {
    const std::uint64_t fileSize = file.size();
    WavFormat fmt;
    bool haveFormat = false;
    bool haveData = false;
    std::uint64_t dataStart = 0;
    std::uint64_t dataBytes = 0;
    std::uint64_t offset = 12;
    for (int i = 0; i < kMaxChunks && offset + 8 <= fileSize && !(haveFormat && haveData); ++i) {
        std::uint8_t header[8];
        if (file.readAt(offset, header, sizeof header) != sizeof header)
            return nullptr;
        const std::uint32_t size = le32(header + 4);
        const std::uint64_t body = offset + 8;
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFormat) {
            std::uint8_t f[26] = {};
            const std::size_t want = std::min<std::size_t>(size, sizeof f);
            if (size < 16 || file.readAt(body, f, want) != want)
                return nullptr;
            fmt.tag = le16(f);
            fmt.channels = le16(f + 2);
            fmt.rate = le32(f + 4);
            fmt.blockAlign = le16(f + 12);
            fmt.bits = le16(f + 14);
            if (want >= 26)
                fmt.subFormat = le16(f + 24);
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0 && !haveData) {
            dataStart = body;
            // A file cut short keeps what it has.
            dataBytes = std::min<std::uint64_t>(size, fileSize - std::min(fileSize, body));
            haveData = true;
        }
        offset = body + size + (size & 1u);
    }
    if (!haveFormat || !haveData || !fmt.isPcm() || (fmt.bits != 8 && fmt.bits != 16))
        return nullptr;
    if (fmt.channels == 0 || fmt.blockAlign != fmt.channels * fmt.bits / 8)
        return nullptr;
    const std::uint64_t frames = dataBytes / fmt.blockAlign;
    if (frames == 0)
        return nullptr;

    std::unique_ptr<WavDecoder> decoder(new WavDecoder(std::move(file), out));
    decoder->dataStart_ = dataStart;
    decoder->dataEnd_ = dataStart + frames * fmt.blockAlign;
    decoder->position_ = dataStart;
    decoder->blockAlign_ = fmt.blockAlign;
    const SDL_AudioFormat format = fmt.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (!decoder->setSourceFormat(format, fmt.channels, static_cast<int>(fmt.rate)))
        return nullptr;
    return decoder;
}

Decoder::Block WavDecoder::fetch(std::uint8_t* buffer, std::size_t capacity) {
    Block block;
    const std::uint64_t remaining = dataEnd_ - position_;
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(capacity, remaining));
    want -= want % blockAlign_;
    std::size_t got = want > 0 ? file_.readAt(position_, buffer, want) : 0;
    got -= got % blockAlign_;
    position_ += got;
    block.bytes = got;
    block.end = got < want || position_ >= dataEnd_;
    return block;
}

bool WavDecoder::rewindSource() {
    position_ = dataStart_;
    return file_.valid();
}

} // namespace snd

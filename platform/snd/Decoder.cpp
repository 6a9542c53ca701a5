#include "Decoder.h"

#include "FileHandle.h"
#include "Mp3Decoder.h"
#include "WavDecoder.h"

#include <algorithm>
#include <cstring>

namespace snd {
namespace {

constexpr std::size_t kBlockBytes = 16384;
// A source that keeps answering with nothing is treated as ended.
constexpr int kMaxEmptyFetches = 64;

} // namespace

Decoder::Decoder(const OutputFormat& out) : out_(out), block_(kBlockBytes) {}

Decoder::~Decoder() {
    if (converter_)
        SDL_FreeAudioStream(converter_);
}

std::unique_ptr<Decoder> Decoder::open(const std::string& path, const OutputFormat& out) {
    FileHandle file = FileHandle::openRegular(path);
    if (!file.valid())
        return nullptr;
    std::uint8_t head[12] = {};
    if (file.readAt(0, head, sizeof head) != sizeof head)
        return nullptr;
    if (WavDecoder::sniff(head, sizeof head))
        return WavDecoder::create(std::move(file), out);
    if (Mp3Decoder::sniff(head, sizeof head))
        return Mp3Decoder::create(std::move(file), out);
    return nullptr;
}

bool Decoder::setSourceFormat(SDL_AudioFormat format, int channels, int rate) {
    if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000)
        return false;
    srcFormat_ = format;
    srcChannels_ = channels;
    srcRate_ = rate;
    if (!converter_)
        return buildConverter();
    converterStale_ = true;
    return true;
}

bool Decoder::buildConverter() {
    if (converter_)
        SDL_FreeAudioStream(converter_);
    converter_ = SDL_NewAudioStream(srcFormat_, static_cast<Uint8>(srcChannels_), srcRate_,
                                    AUDIO_S16SYS, static_cast<Uint8>(out_.channels), out_.rate);
    convFormat_ = srcFormat_;
    convChannels_ = srcChannels_;
    convRate_ = srcRate_;
    framesIn_ = framesOut_ = limit_ = 0;
    draining_ = converterStale_ = false;
    return converter_ != nullptr;
}

void Decoder::startDraining() {
    // The resampler holds back the last few hundred input frames and its flush
    // does not always give them out; silence behind them pushes them through, and
    // the limit cuts the output where the real input ends.
    const int frameBytes = convChannels_ * static_cast<int>(SDL_AUDIO_BITSIZE(convFormat_)) / 8;
    const std::uint8_t silence = convFormat_ == AUDIO_U8 ? 0x80 : 0;
    const int paddingFrames = 1024 * (2 + convRate_ / out_.rate); // more than it keeps back
    std::vector<std::uint8_t> padding(static_cast<std::size_t>(paddingFrames * frameBytes),
                                      silence);
    SDL_AudioStreamPut(converter_, padding.data(), static_cast<int>(padding.size()));
    SDL_AudioStreamFlush(converter_);
    limit_ = (framesIn_ * static_cast<std::uint64_t>(out_.rate) +
              static_cast<std::uint64_t>(convRate_) / 2) /
             static_cast<std::uint64_t>(convRate_);
    draining_ = true;
}

int Decoder::read(std::int16_t* out, int frames) {
    const int frameBytes = out_.frameBytes();
    auto* dst = reinterpret_cast<std::uint8_t*>(out);
    int done = 0;
    int emptyFetches = 0;
    while (done < frames && converter_) {
        std::uint64_t available =
            static_cast<std::uint64_t>(std::max(0, SDL_AudioStreamAvailable(converter_))) /
            static_cast<std::uint64_t>(frameBytes);
        if (draining_)
            available = std::min(available, limit_ > framesOut_ ? limit_ - framesOut_ : 0);
        if (available > 0) {
            const int want = static_cast<int>(
                std::min<std::uint64_t>(available, static_cast<std::uint64_t>(frames - done)));
            const int got =
                SDL_AudioStreamGet(converter_, dst + done * frameBytes, want * frameBytes);
            if (got < frameBytes) {
                ended_ = true;
                break;
            }
            done += got / frameBytes;
            framesOut_ += static_cast<std::uint64_t>(got / frameBytes);
            continue;
        }
        if (!draining_) {
            const Block block = fetch(block_.data(), block_.size());
            const int srcFrameBytes =
                convChannels_ * static_cast<int>(SDL_AUDIO_BITSIZE(convFormat_)) / 8;
            bool stop = block.end || block.newFormat;
            if (block.bytes > 0) {
                emptyFetches = 0;
                framesIn_ += block.bytes / static_cast<std::size_t>(srcFrameBytes);
                if (SDL_AudioStreamPut(converter_, block_.data(), static_cast<int>(block.bytes)) !=
                    0)
                    ended_ = stop = true;
            } else if (!block.newFormat && ++emptyFetches > kMaxEmptyFetches) {
                ended_ = stop = true;
            }
            if (block.end)
                ended_ = true;
            if (stop)
                startDraining();
            continue;
        }
        // Everything of this converter is out.
        if (ended_ || !converterStale_ || !buildConverter()) {
            ended_ = true;
            break;
        }
    }
    return done;
}

bool Decoder::rewind() {
    if (!rewindSource())
        return false;
    if (converterStale_ || !converter_) {
        if (!buildConverter())
            return false;
    } else {
        SDL_AudioStreamClear(converter_);
        framesIn_ = framesOut_ = limit_ = 0;
        draining_ = false;
    }
    ended_ = false;
    return true;
}

} // namespace snd

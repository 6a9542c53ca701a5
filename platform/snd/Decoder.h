#pragma once
// A sound file decoded piece by piece into the output format of the device.
//
// Subclasses read their file format in small blocks (PCM of the file's own rate
// and channels); this base converts those blocks to the device's rate and
// channels, so a long file never sits in memory whole.

#include <SDL2/SDL_audio.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace snd {

// What the device plays: signed 16-bit samples in host byte order.
struct OutputFormat {
    int rate = 44100;
    int channels = 2;
    int frameBytes() const { return channels * 2; }
};

class Decoder {
public:
    virtual ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Opens a WAV or MP3 file, told apart by its content. Null when the file
    // cannot be opened or holds no decodable audio.
    static std::unique_ptr<Decoder> open(const std::string& path, const OutputFormat& out);

    // Fills up to `frames` frames; fewer than asked means the file has ended.
    int read(std::int16_t* out, int frames);

    // Back to the first frame. False when the file can no longer be read.
    bool rewind();

protected:
    explicit Decoder(const OutputFormat& out);

    // One block of source PCM: `bytes` were written to the buffer given to fetch().
    // `end` marks the end of the file (or an error that ends it); `newFormat`
    // that the following blocks come in the format passed to setSourceFormat().
    struct Block {
        std::size_t bytes = 0;
        bool end = false;
        bool newFormat = false;
    };
    virtual Block fetch(std::uint8_t* buffer, std::size_t capacity) = 0;
    virtual bool rewindSource() = 0;

    // The format of the source PCM; the converter is (re)built from it.
    bool setSourceFormat(SDL_AudioFormat format, int channels, int rate);

private:
    bool buildConverter();
    // No more input for the converter: pushes what it holds back out.
    void startDraining();

    OutputFormat out_;
    // The format setSourceFormat() announced last.
    SDL_AudioFormat srcFormat_ = AUDIO_S16SYS;
    int srcChannels_ = 0;
    int srcRate_ = 0;
    // The converter and the format it was built for.
    SDL_AudioStream* converter_ = nullptr;
    SDL_AudioFormat convFormat_ = AUDIO_S16SYS;
    int convChannels_ = 0;
    int convRate_ = 0;
    std::uint64_t framesIn_ = 0;  // source frames put into the converter
    std::uint64_t framesOut_ = 0; // output frames taken from it
    std::uint64_t limit_ = 0;     // output frames the input amounts to, once draining
    bool draining_ = false;
    bool converterStale_ = false; // a format change waits until the old data is out
    bool ended_ = false;
    std::vector<std::uint8_t> block_;
};

} // namespace snd

#pragma once
// RIFF WAVE files of 8- or 16-bit PCM, read from the file as they play.

#include "Decoder.h"
#include "FileHandle.h"

namespace snd {

class WavDecoder : public Decoder {
public:
    // True when the first bytes carry the RIFF/WAVE magic.
    static bool sniff(const std::uint8_t* head, std::size_t length);
    // Null when the header is damaged, the format unsupported or there is no audio.
    static std::unique_ptr<Decoder> create(FileHandle file, const OutputFormat& out);

protected:
    Block fetch(std::uint8_t* buffer, std::size_t capacity) override;
    bool rewindSource() override;

private:
    WavDecoder(FileHandle file, const OutputFormat& out);

    FileHandle file_;
    std::uint64_t dataStart_ = 0;
    std::uint64_t dataEnd_ = 0;
    std::uint64_t position_ = 0;
    unsigned blockAlign_ = 0;
};

} // namespace snd

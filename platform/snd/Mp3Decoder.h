#pragma once
// MPEG audio files, decoded frame by frame through libmpg123.

#include "Decoder.h"
#include "FileHandle.h"

struct mpg123_handle_struct;

namespace snd {

class Mp3Decoder : public Decoder {
public:
    ~Mp3Decoder() override;

    // True when the file starts with an ID3 tag or an MPEG audio frame header.
    static bool sniff(const std::uint8_t* head, std::size_t length);
    // Null when no audio frame can be found.
    static std::unique_ptr<Decoder> create(FileHandle file, const OutputFormat& out);

protected:
    Block fetch(std::uint8_t* buffer, std::size_t capacity) override;
    bool rewindSource() override;

private:
    Mp3Decoder(FileHandle file, const OutputFormat& out);

    FileHandle file_;
    mpg123_handle_struct* handle_ = nullptr;
    long rate_ = 0;
    int channels_ = 0;
};

} // namespace snd

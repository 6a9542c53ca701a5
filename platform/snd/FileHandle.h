#pragma once
// An open file descriptor that closes itself.

#include <cstddef>
#include <cstdint>
#include <string>

namespace snd {

class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Opens a regular, non-empty file for reading; invalid otherwise.
    static FileHandle openRegular(const std::string& path);

    bool valid() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    std::uint64_t size() const { return size_; }

    // Reads up to `length` bytes at `offset`; the count read (short at the end), 0 on error.
    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t length) const;

private:
    void close();

    int fd_ = -1;
    std::uint64_t size_ = 0;
};

} // namespace snd

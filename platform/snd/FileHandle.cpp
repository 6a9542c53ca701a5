#include "FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace snd {

FileHandle::~FileHandle() {
    close();
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(std::exchange(other.size_, 0)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

FileHandle FileHandle::openRegular(const std::string& path) {
    FileHandle file;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return file;
    file.fd_ = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0) {
        file.close();
        return file;
    }
    file.size_ = static_cast<std::uint64_t>(st.st_size);
    return file;
}

std::size_t FileHandle::readAt(std::uint64_t offset, void* buffer, std::size_t length) const {
    if (fd_ < 0)
        return 0;
    auto* dst = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd_, dst + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void FileHandle::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

} // namespace snd

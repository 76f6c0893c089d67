// An open descriptor of a folder, closed when the handle goes. Work relative to it (openat,
// renameat, unlinkat) stays in that folder even when its path is changed meanwhile.
#pragma once

#include <unistd.h>

#include <utility>

namespace nimbus::fileio {

class FolderHandle {
public:
    FolderHandle() = default;
    explicit FolderHandle(int fd) : fd_(fd) {}
    ~FolderHandle() { reset(); }
    FolderHandle(FolderHandle &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FolderHandle &operator=(FolderHandle &&other) noexcept
    {
        if (this != &other)
            reset(std::exchange(other.fd_, -1));
        return *this;
    }
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    int fd() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

} // namespace nimbus::fileio

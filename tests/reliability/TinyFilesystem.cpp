// Mounting, filling and unmounting the full-disk tests' tmpfs.
#include "reliability/TinyFilesystem.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace nimbus::test {

TinyFilesystem::TinyFilesystem(std::string folder, std::uint64_t bytes)
    : folder_(std::move(folder)), filler_(folder_ + "/.filler")
{
    if (::geteuid() != 0) {
        reason_ = "mounting a tmpfs needs root";
        return;
    }
    // A private mount namespace makes the mount vanish with this process, whatever happens.
    if (::unshare(CLONE_NEWNS) == 0)
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0700";
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        reason_ = std::string("mount: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

TinyFilesystem::~TinyFilesystem()
{
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
}

std::uint64_t TinyFilesystem::freeBytes() const
{
    struct statvfs st {};
    if (::statvfs(folder_.c_str(), &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.f_bavail) * st.f_frsize;
}

bool TinyFilesystem::leaveFree(std::uint64_t bytes)
{
    freeSpace();
    const std::uint64_t available = freeBytes();
    if (available < bytes)
        return false;
    int fd = ::open(filler_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const std::vector<char> block(64 * 1024, 'x');
    std::uint64_t left = available - bytes;
    while (left > 0) {
        const std::size_t n = left < block.size() ? static_cast<std::size_t>(left) : block.size();
        const ssize_t written = ::write(fd, block.data(), n);
        if (written <= 0)
            break;
        left -= static_cast<std::uint64_t>(written);
    }
    ::close(fd);
    return true;
}

void TinyFilesystem::freeSpace()
{
    ::unlink(filler_.c_str());
}

} // namespace nimbus::test

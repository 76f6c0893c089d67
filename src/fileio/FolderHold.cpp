// Locks on folders; see FolderHold.h.
#include "fileio/FolderHold.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nimbus::fileio {

int holdFolder(const std::string &folder, bool wait)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat held {
    }, named{};
    if (::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
        ::stat(folder.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
        return fd;
    ::close(fd);
    return -1;
}

} // namespace nimbus::fileio

// The data folder's lock file.
#include "fileio/DataFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace nimbus::fileio {

DataFolderLock::~DataFolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool DataFolderLock::tryTake(const std::string &dataFolder, bool create)
{
    if (fd_ >= 0)
        return true;
    heldByOther_ = false;
    const std::string path = dataFolder + kFileName;
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0), 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldByOther_ = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldByOther_;
    }
    fd_ = fd;
    return true;
}

bool DataFolderLock::take(const std::string &dataFolder, bool create,
                          std::chrono::milliseconds patience,
                          const std::function<void()> &onWaiting)
{
    const auto until = std::chrono::steady_clock::now() + patience;
    bool waiting = false;
    while (!tryTake(dataFolder, create)) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        if (!waiting && onWaiting)
            onWaiting();
        waiting = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace nimbus::fileio

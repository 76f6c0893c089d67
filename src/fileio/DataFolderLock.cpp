// The data folder's lock file.
#include "fileio/DataFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "fileio/FolderOps.h"
#include "fileio/UiText.h"

namespace nimbus::fileio {

namespace {

// Why a lock file cannot be used, in English for the log and translated where it is shown.
constexpr const char *kContext = "nimbus::fileio";
constexpr const char *kSymbolicLink = NIMBUS_TEXT_NOOP("nimbus::fileio", "it is a symbolic link");
constexpr const char *kFolder = NIMBUS_TEXT_NOOP("nimbus::fileio", "it is a folder");
constexpr const char *kNotPlain = NIMBUS_TEXT_NOOP("nimbus::fileio", "it is not a plain file");

} // namespace

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
    problem_ = {};
    const std::string path = dataFolder + kFileName;
    // A link in the lock's place is refused, never locked through; a FIFO does not stall.
    const int fd = ::open(
        path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | (create ? O_CREAT : 0), 0600);
    if (fd < 0) {
        if (errno == ENOENT && !create)
            return true;
        problem_ = errno == ELOOP    ? text::Sentence(kContext, kSymbolicLink)
                   : errno == EISDIR ? text::Sentence(kContext, kFolder)
                                     : text::Sentence(lastErrorText());
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        problem_ = text::Sentence(kContext, kNotPlain);
    } else if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldByOther_ = errno == EWOULDBLOCK;
        if (!heldByOther_)
            problem_ = lastErrorText();
    } else {
        fd_ = fd;
        return true;
    }
    ::close(fd);
    return false;
}

bool DataFolderLock::take(const std::string &dataFolder, bool create,
                          std::chrono::milliseconds patience,
                          const std::function<void()> &onWaiting)
{
    const auto until = std::chrono::steady_clock::now() + patience;
    bool waiting = false;
    while (!tryTake(dataFolder, create)) {
        if (!heldByOther_ || std::chrono::steady_clock::now() > until)
            return false;
        if (!waiting && onWaiting)
            onWaiting();
        waiting = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

} // namespace nimbus::fileio

// Locks on folders; see FolderHold.h.
#include "fileio/FolderHold.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include "fileio/FolderAt.h"

namespace nimbus::fileio {

FolderHandle holdFolderAt(int parentFd, const std::string &name, bool wait)
{
    FolderHandle held = openFolderAt(parentFd, name);
    if (!held)
        return held;
    struct stat locked {
    }, named{};
    if (::flock(held.fd(), wait ? LOCK_EX : LOCK_EX | LOCK_NB) == 0 &&
        ::fstat(held.fd(), &locked) == 0 &&
        ::fstatat(parentFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        locked.st_dev == named.st_dev && locked.st_ino == named.st_ino)
        return held;
    return {};
}

} // namespace nimbus::fileio

// Links refused, names unpredictable, modes from the shared folder.
#include "sharing/SharedFolderFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"

namespace nimbus::sharing {

namespace {

std::string withoutSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

bool isRealFolder(const std::string &path)
{
    struct stat st {};
    return ::lstat(withoutSlash(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeSharedFolder(const std::string &path, const SharedAccess &access, std::string &problem)
{
    const std::string folder = withoutSlash(path);
    struct stat st {};
    bool made = false;
    if (::lstat(folder.c_str(), &st) != 0) {
        made = true;
        if (::mkdir(folder.c_str(), access.known ? 0700 : 0777) != 0 && errno != EEXIST) {
            problem = fileio::lastErrorText();
            return false;
        }
        if (::lstat(folder.c_str(), &st) != 0) {
            problem = fileio::lastErrorText();
            return false;
        }
    }
    if (S_ISLNK(st.st_mode)) {
        problem = "it is a symbolic link";
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        problem = "it is not a folder";
        return false;
    }
    if (!access.known)
        return true;
    if (made) {
        // chmod sets the bits whatever the umask.
        ::chmod(folder.c_str(), access.folderMode);
    } else if (st.st_uid == ::geteuid()) {
        // An inbox this user made under a narrow umask (older copies) gets the group and other
        // access the shared folder gives; bits already there, the owner's above all, stay.
        const unsigned current = st.st_mode & 07777;
        const unsigned wanted = current | (access.folderMode & (0077 | S_ISGID));
        if (wanted != current)
            ::chmod(folder.c_str(), wanted);
    }
    return true;
}

std::string unpredictableTempName(const std::string &path)
{
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[12];
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        std::random_device device;
        for (unsigned char &byte : random)
            byte = static_cast<unsigned char>(device());
    }
    std::string name = fileio::folderOf(path) + "." + fileio::fileNameOf(path) + ".";
    for (unsigned char byte : random)
        name += kChars[byte % (sizeof kChars - 1)];
    return name;
}

int createExclusive(const std::string &path, const SharedAccess &access)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          access.known ? 0600 : 0666);
    if (fd >= 0 && access.known)
        ::fchmod(fd, access.fileMode);
    return fd;
}

bool appendSharedLine(const std::string &path, std::string_view text, const SharedAccess &access,
                      std::string &problem)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC |
                                            O_NONBLOCK,
                          access.known ? 0600 : 0666);
    if (fd < 0) {
        problem = errno == ELOOP ? "it is a symbolic link" : fileio::lastErrorText();
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        problem = "it is not a plain file";
        return false;
    }
    if (access.known && st.st_size == 0 && st.st_uid == ::geteuid())
        ::fchmod(fd, access.fileMode);
    std::string line;
    line.reserve(text.size() + 2);
    line.append(text).append("\r\n");
    // One write with O_APPEND: lines from several writers never interleave.
    const bool written = fileio::writeAll(fd, line);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed)
        problem = fileio::lastErrorText();
    return written && closed;
}

} // namespace nimbus::sharing

// Single-file operations over POSIX calls: existence, copy, delete, rename, whole reads, sizes,
// and the system's text for the last error.
#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nimbus::fileio {

namespace {

// strerror_r comes in a GNU form (returns the text) and an XSI form (fills the buffer).
[[maybe_unused]] std::string errorTextFrom(const char *result, const char *)
{
    return result;
}
[[maybe_unused]] std::string errorTextFrom(int, const char *buffer)
{
    return buffer;
}

// Opens a regular file for reading without blocking on a FIFO or device someone put there;
// path is taken relative to the open folder folderFd.
int openRegularForReading(const std::string &path, struct stat &st, int folderFd = AT_FDCWD,
                          int extraFlags = 0)
{
    int fd = ::openat(folderFd, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | extraFlags);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

} // namespace

std::string lastErrorText()
{
    const int code = errno;
    char buffer[256] = {};
    return errorTextFrom(::strerror_r(code, buffer, sizeof buffer), buffer);
}

bool fileExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool entryExists(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

int lastByteOf(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st;
    unsigned char byte = 0;
    const bool read = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0
                      && ::pread(fd, &byte, 1, st.st_size - 1) == 1;
    ::close(fd);
    return read ? byte : -1;
}

bool folderExists(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool createFolder(const std::string &path, unsigned mode)
{
    if (::mkdir(path.c_str(), mode) == 0)
        return true;
    return folderExists(path);
}

bool copyFile(const std::string &source, const std::string &target, std::string *errorText)
{
    struct stat st;
    int in = openRegularForReading(source, st);
    if (in < 0) {
        if (errorText)
            *errorText = "Cannot open " + source + ": " + lastErrorText();
        return false;
    }
    AtomicFile out(target);
    out.setMode(st.st_mode & 07777); // a copy of a private file stays private
    bool ok = out.open();
    // Streamed in pieces so that copying a large file needs little memory.
    std::string chunk(256 * 1024, '\0');
    while (ok) {
        ssize_t n = ::read(in, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (errorText)
                *errorText = "Cannot read " + source + ": " + lastErrorText();
            ::close(in);
            return false;
        }
        if (n == 0)
            break;
        ok = out.write(chunk.data(), static_cast<std::size_t>(n));
    }
    ::close(in);
    ok = ok && out.commit();
    if (!ok && errorText)
        *errorText = out.errorText();
    return ok;
}

bool deleteFile(const std::string &path)
{
    return ::unlink(path.c_str()) == 0;
}

bool renameFile(const std::string &from, const std::string &to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool readWholeFile(const std::string &path, std::string &bytes)
{
    return readWholeFileAt(AT_FDCWD, path, bytes, false);
}

bool readWholeFileAt(int folderFd, const std::string &name, std::string &bytes, bool noLink)
{
    bytes.clear();
    struct stat st;
    int fd = openRegularForReading(name, st, folderFd, noLink ? O_NOFOLLOW : 0);
    if (fd < 0)
        return false;
    // Sized from fstat, then read to the true end: the file may have grown meanwhile.
    std::size_t capacity = static_cast<std::size_t>(st.st_size) + 1;
    bytes.resize(capacity);
    std::size_t used = 0;
    bool ok = true;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
        ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(ok ? used : 0);
    return ok;
}

std::int64_t fileSize(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_size) : -1;
}

std::int64_t fileModifiedTime(const std::string &path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtime) : -1;
}

} // namespace nimbus::fileio

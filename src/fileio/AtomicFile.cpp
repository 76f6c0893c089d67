// Atomic whole-file replacement: temporary file beside the target, fsync, rename, fsync folder.
// The temporary name starts with "." so that folder listings of the program never show it.
#include "fileio/AtomicFile.h"

#include "fileio/FolderOps.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace nimbus::fileio {

namespace {

constexpr std::size_t kBufferLimit = 64 * 1024;

// Six random letters or digits; O_EXCL retries on the rare clash.
std::string randomSuffix()
{
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        static_cast<std::uint64_t>(::getpid()));
    std::string suffix(6, 'x');
    for (char &c : suffix)
        c = kChars[generator() % (sizeof(kChars) - 1)];
    return suffix;
}

// A symbolic link is replaced through: the file it points at gets the new content.
std::string resolveLink(const std::string &path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

void syncFolder(const std::string &folder)
{
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

AtomicFile::AtomicFile(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicFile::~AtomicFile()
{
    abandon();
}

void AtomicFile::setMode(unsigned mode)
{
    modeSet_ = true;
    mode_ = mode & 07777;
}

void AtomicFile::fail(const char *what)
{
    if (!failed_)
        error_ = std::string(what) + " " + temp_ + ": " + std::strerror(errno);
    failed_ = true;
}

bool AtomicFile::open()
{
    abandon();
    failed_ = false;
    error_.clear();
    const std::string real = resolveLink(target_);
    const std::string folder = folderOf(real);
    const std::string name = fileNameOf(real);
    if (name.empty()) {
        error_ = "No file name in " + target_;
        return false;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = folder + "." + name + "." + randomSuffix();
        // 0666 lets the umask decide a new file's permissions, as for any other new file.
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        error_ = "Cannot create " + temp_ + ": " + std::strerror(errno);
        temp_.clear();
        return false;
    }
    struct stat st;
    if (modeSet_) {
        ::fchmod(fd_, mode_);
    } else if (::stat(real.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        // The replacement keeps the old file's permissions and, where allowed, its owner.
        ::fchmod(fd_, st.st_mode & 07777);
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not allowed: the new file stays ours, which only an administrator would notice.
        }
    }
    return true;
}

bool AtomicFile::flush()
{
    std::size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            fail("Cannot write");
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return !failed_;
}

bool AtomicFile::write(const void *bytes, std::size_t count)
{
    if (fd_ < 0 || failed_)
        return false;
    buffer_.append(static_cast<const char *>(bytes), count);
    if (buffer_.size() >= kBufferLimit)
        return flush();
    return true;
}

bool AtomicFile::commit()
{
    if (fd_ < 0)
        return false;
    flush();
    if (!failed_ && ::fsync(fd_) != 0)
        fail("Cannot sync");
    if (::close(fd_) != 0)
        fail("Cannot close");
    fd_ = -1;
    const std::string real = resolveLink(target_);
    if (!failed_ && ::rename(temp_.c_str(), real.c_str()) != 0)
        fail("Cannot rename");
    if (failed_) {
        ::unlink(temp_.c_str());
        temp_.clear();
        return false;
    }
    temp_.clear();
    syncFolder(folderOf(real));
    return true;
}

void AtomicFile::abandon()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    buffer_.clear();
}

int removeStaleTemporaries(const std::string &folder)
{
    std::vector<std::string> names;
    listFiles(folder + ".*", names);
    int removed = 0;
    for (const std::string &name : names) {
        // "." + target name + "." + the six characters randomSuffix() makes.
        const std::size_t dot = name.rfind('.');
        if (dot < 2 || name.size() - dot != 7)
            continue;
        const bool suffix =
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(dot) + 1, name.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
        if (suffix && deleteFile(folder + name))
            ++removed;
    }
    return removed;
}

bool writeFileAtomically(const std::string &path, std::string_view bytes, std::string *errorText)
{
    AtomicFile file(path);
    bool ok = file.open() && file.write(bytes) && file.commit();
    if (!ok && errorText)
        *errorText = file.errorText();
    return ok;
}

} // namespace nimbus::fileio

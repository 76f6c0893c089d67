// Quick atomic writes, bounded reads and setting files aside.
#include "sharing/PacketFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "sharing/SharedFolderFiles.h"

namespace nimbus::sharing {

namespace {

bool fail(std::string *error, const std::string &what)
{
    if (error)
        *error = what + ": " + fileio::lastErrorText();
    return false;
}

} // namespace

bool writeQuick(const std::string &path, std::string_view bytes, std::string *error,
                const SharedAccess &access)
{
    // Hidden, so folder listings ("*.str", "*.pkt") never pick up a file being written.
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
        temp = unpredictableTempName(path);
        fd = createExclusive(temp, access);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(error, "Cannot create " + temp);
    const bool written = fileio::writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        const std::string text = fileio::lastErrorText();
        ::unlink(temp.c_str());
        if (error)
            *error = "Cannot write " + path + ": " + text;
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        fail(error, "Cannot replace " + path);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool copyQuick(const std::string &source, const std::string &target, std::string *error,
               const SharedAccess &access)
{
    std::string bytes;
    if (!fileio::readWholeFile(source, bytes))
        return fail(error, "Cannot read " + source);
    return writeQuick(target, bytes, error, access);
}

bool isPlainFile(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool readBounded(const std::string &path, std::int64_t maxBytes, std::string &bytes,
                 std::string &problem)
{
    bytes.clear();
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
        problem = "it cannot be read: " + fileio::lastErrorText();
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        problem = "it is not a plain file";
        return false;
    }
    if (st.st_size > maxBytes) {
        problem = "it is too large (" + std::to_string(st.st_size) + " bytes)";
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) {
        problem = "it cannot be read: " + fileio::lastErrorText();
        return false;
    }
    // Read at most one byte more than allowed: a file that grew after the size check is
    // refused rather than read without bound.
    bytes.resize(static_cast<std::size_t>(maxBytes) + 1);
    std::size_t used = 0;
    bool ok = true;
    while (used < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(used);
    if (!ok) {
        problem = "it cannot be read: " + fileio::lastErrorText();
        return false;
    }
    if (static_cast<std::int64_t>(used) > maxBytes) {
        problem = "it is too large";
        bytes.clear();
        return false;
    }
    return true;
}

void forEachLine(const std::string &bytes, const std::function<bool(const std::string &)> &line)
{
    // The line-file object over bytes already in memory: the same line rules as every file.
    fileio::OMFILE file;
    file.content = bytes;
    file.contentSize = file.content.size();
    std::string text;
    while (fileio::readLine(file, text) >= 0)
        if (!line(text))
            return;
}

void parsePairs(const std::string &bytes, std::vector<std::string> &names,
                std::vector<std::string> &values)
{
    fileio::OMFILE file;
    file.content = bytes;
    file.contentSize = file.content.size();
    fileio::readPairs(file, names, values);
}

bool setAside(const std::string &folder, const std::string &name, const SharedAccess &access,
              std::string *refusal)
{
    const std::string rejected = folder + kRejectedFolder;
    std::string problem;
    if (makeSharedFolder(rejected, access, problem)) {
        if (fileio::renameFile(folder + name, rejected + name))
            return true;
    } else if (refusal) {
        *refusal = "the folder " + rejected + " is not used: " + problem;
    }
    return fileio::renameFile(folder + name, folder + name + ".rejected");
}

} // namespace nimbus::sharing

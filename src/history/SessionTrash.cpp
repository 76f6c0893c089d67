// The session's folder of removed content files.
#include "history/SessionTrash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "fileio/FolderAt.h"
#include "fileio/FolderHold.h"
#include "fileio/FolderOps.h"
#include "history/TrashLeftovers.h"

namespace nimbus::history {

namespace {

std::string withoutSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Names are unique among the sessions that run: the process id, and a count for the
// sessions of one process (tests make several).
std::string nextSessionName()
{
    static std::atomic<unsigned long> made{0};
    return std::to_string(::getpid()) + "-" + std::to_string(++made);
}

} // namespace

SessionTrash::SessionTrash(std::string root, StoreLog &log, StillStored stillStored)
    : root_(std::move(root)), log_(log)
{
    if (!root_.empty() && root_.back() != '/')
        root_ += '/';
    if (!openRoot())
        return;
    usable_ = claimOwnFolder();
    if (!usable_)
        log_.AddErrorToLog("*** The folder for removed topics' pages could not be made: ", root_);
    takeOverLeftovers(root_, rootHeld_.fd(), fileio::folderOf(withoutSlash(root_)), ownName_,
                      stillStored, log_);
}

SessionTrash::~SessionTrash()
{
    if (list_)
        std::fclose(list_);
    if (usable_) {
        emptyKeptFolder(ownHeld_.fd(), folder_, log_);
        ::unlinkat(rootHeld_.fd(), ownName_.c_str(), AT_REMOVEDIR);
    }
    ownHeld_.reset();
    if (!rootHeld_)
        return; // not ours to remove: a link, or not there
    rootHeld_.reset();
    // Another session's folder keeps the shared one; then this fails and that is right.
    ::rmdir(withoutSlash(root_).c_str());
}

bool SessionTrash::openRoot()
{
    const std::string path = withoutSlash(root_);
    const std::string dataFolder = fileio::folderOf(path);
    const std::string name = fileio::fileNameOf(path);
    // The folder is opened by its plain name inside the data folder, never through a link:
    // everything this class empties then lies inside the data folder.
    const fileio::FolderHandle data(
        ::open(dataFolder.empty() ? "." : dataFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!data || (::mkdirat(data.fd(), name.c_str(), 0700) != 0 && errno != EEXIST)) {
        log_.AddErrorToLog("*** The folder for removed topics' pages could not be made: ", root_);
        return false;
    }
    rootHeld_ = fileio::openFolderAt(data.fd(), name);
    if (rootHeld_)
        return true;
    if (errno == ELOOP || errno == ENOTDIR)
        log_.AddToLog("*** The folder for removed topics' pages is a symbolic link or not a "
                      "folder, and is neither used nor emptied; pages of topics removed now "
                      "stay where they are: " +
                      path);
    else
        log_.AddErrorToLog("*** The folder for removed topics' pages could not be opened: ", root_);
    return false;
}

bool SessionTrash::claimOwnFolder()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = nextSessionName();
        if (::mkdirat(rootHeld_.fd(), name.c_str(), 0700) != 0)
            continue; // a folder of that name is there (an ended process had the same id)
        // Another session starting may have found the new folder unlocked and taken it over
        // (it is empty, so nothing was lost): the lock counts only on the folder still there.
        if (fileio::FolderHandle held = fileio::holdFolderAt(rootHeld_.fd(), name, true)) {
            ownHeld_ = std::move(held);
            ownName_ = name;
            folder_ = root_ + name + "/";
            return true;
        }
    }
    return false;
}

std::string SessionTrash::keep(const std::string &path, const std::string &topicId)
{
    if (!usable_)
        return {};
    // A number keeps names from different topics and removals apart.
    const std::string name = std::to_string(++next_) + "-" + fileio::fileNameOf(path);
    // Listed before it moves: a crash between the two leaves a line without a file, never a
    // file nobody can place.
    noteKept(name, topicId, path);
    if (::renameat(AT_FDCWD, path.c_str(), ownHeld_.fd(), name.c_str()) != 0) {
        log_.AddErrorToLog("*** A removed topic's page could not be kept for undo: ", path);
        return {};
    }
    if (!topicId.empty())
        topicOf_[name] = topicId;
    return name;
}

void SessionTrash::noteKept(const std::string &kept, const std::string &topicId,
                            const std::string &path)
{
    const std::string dataFolder = fileio::folderOf(withoutSlash(root_));
    if (topicId.empty() || path.rfind(dataFolder, 0) != 0)
        return;
    const std::string relative = path.substr(dataFolder.size());
    auto oneField = [](const std::string &text) {
        return text.find_first_of("\t\r\n") == std::string::npos;
    };
    if (!oneField(kept) || !oneField(topicId) || !oneField(relative))
        return; // a name the list cannot hold: such a file is only dropped after a crash
    // A line with no kept name says the file went back to its place (see giveBack).
    const std::string line = kept + '\t' + topicId + '\t' + relative + '\n';
    if (!list_) {
        const int fd = ::openat(ownHeld_.fd(), kListName,
                                O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 && !(list_ = ::fdopen(fd, "a")))
            ::close(fd);
    }
    if (!list_)
        return;
    // Flushed at once: the line must be in the file before the file moves.
    std::fwrite(line.data(), 1, line.size(), list_);
    std::fflush(list_);
}

bool SessionTrash::giveBack(const std::string &kept, const std::string &path)
{
    if (kept.empty())
        return false;
    if (fileio::entryExists(path)) {
        log_.AddToLog("*** A restored topic's page was not put back: another file has its name: " +
                      path);
        return false;
    }
    // Listed before it moves: a session killed before its store holds the topic again leaves
    // the page where no topic names it, and the next session removes it from there.
    const auto topic = topicOf_.find(kept);
    if (topic != topicOf_.end())
        noteKept({}, topic->second, path);
    if (::renameat(ownHeld_.fd(), kept.c_str(), AT_FDCWD, path.c_str()) != 0) {
        log_.AddErrorToLog("*** A restored topic's page could not be put back: ", path);
        return false;
    }
    if (topic != topicOf_.end())
        topicOf_.erase(topic);
    return true;
}

void SessionTrash::discard(const std::string &kept)
{
    // Names are this session's own, made by keep(): never a path.
    if (!usable_ || kept.empty() || kept.find('/') != std::string::npos)
        return;
    if (::unlinkat(ownHeld_.fd(), kept.c_str(), 0) != 0 && errno != ENOENT)
        log_.AddErrorToLog("*** A removed topic's page could not be deleted: ", folder_ + kept);
    topicOf_.erase(kept);
}

bool SessionTrash::holds(const std::string &kept) const
{
    struct stat st {};
    return !kept.empty() && usable_ &&
           ::fstatat(ownHeld_.fd(), kept.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(st.st_mode);
}

} // namespace nimbus::history

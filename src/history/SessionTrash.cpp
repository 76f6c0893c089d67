// The session's folder of removed content files.
#include "history/SessionTrash.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

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
    if (!fileio::folderExists(root_))
        fileio::createFolder(root_);
    usable_ = claimOwnFolder();
    if (!usable_)
        log_.AddErrorToLog("*** The folder for removed topics' pages could not be made: ", root_);
    takeOverLeftovers(root_, fileio::folderOf(withoutSlash(root_)), folder_, stillStored, log_);
}

SessionTrash::~SessionTrash()
{
    if (list_)
        std::fclose(list_);
    if (usable_) {
        fileio::emptyFolderTree(folder_);
        ::rmdir(withoutSlash(folder_).c_str());
    }
    if (lockFd_ >= 0)
        ::close(lockFd_);
    // Another session's folder keeps the shared one; then this fails and that is right.
    ::rmdir(withoutSlash(root_).c_str());
}

bool SessionTrash::claimOwnFolder()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = root_ + nextSessionName();
        if (::mkdir(path.c_str(), 0700) != 0)
            continue; // a folder of that name is there (an ended process had the same id)
        // Another session starting may have found the new folder unlocked and taken it over
        // (it is empty, so nothing was lost): the lock counts only on the folder still there.
        const int fd = fileio::holdFolder(path, true);
        if (fd >= 0) {
            lockFd_ = fd;
            folder_ = path + "/";
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
    if (!fileio::renameFile(path, folder_ + name)) {
        log_.AddErrorToLog("*** A removed topic's page could not be kept for undo: ", path);
        return {};
    }
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
    const std::string line = kept + '\t' + topicId + '\t' + relative + '\n';
    if (!list_)
        list_ = std::fopen((folder_ + kListName).c_str(), "abe");
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
    if (!fileio::renameFile(folder_ + kept, path)) {
        log_.AddErrorToLog("*** A restored topic's page could not be put back: ", path);
        return false;
    }
    return true;
}

bool SessionTrash::holds(const std::string &kept) const
{
    return !kept.empty() && usable_ && fileio::fileExists(folder_ + kept);
}

} // namespace nimbus::history

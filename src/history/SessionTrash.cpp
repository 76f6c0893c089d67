// The session's folder of removed content files.
#include "history/SessionTrash.h"

#include <cstdio>

#include "fileio/FolderOps.h"

namespace nimbus::history {

SessionTrash::SessionTrash(std::string folder, StoreLog &log) : folder_(std::move(folder)), log_(log)
{
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
    if (fileio::folderExists(folder_))
        fileio::emptyFolderTree(folder_);
    usable_ = fileio::folderExists(folder_) || fileio::createFolder(folder_);
    if (!usable_)
        log_.AddErrorToLog("*** The folder for removed topics' pages could not be made: ", folder_);
}

SessionTrash::~SessionTrash()
{
    if (!usable_)
        return;
    fileio::emptyFolderTree(folder_);
    ::remove(folder_.c_str());
}

std::string SessionTrash::keep(const std::string &path)
{
    if (!usable_)
        return {};
    // A number keeps names from different topics and removals apart.
    const std::string name = std::to_string(++next_) + "-" + fileio::fileNameOf(path);
    if (!fileio::renameFile(path, folder_ + name)) {
        log_.AddErrorToLog("*** A removed topic's page could not be kept for undo: ", path);
        return {};
    }
    return name;
}

bool SessionTrash::giveBack(const std::string &kept, const std::string &path)
{
    if (kept.empty())
        return false;
    if (fileio::entryExists(path)) {
        log_.AddToLog("*** A restored topic's page was not put back: another file has its name: " + path);
        return false;
    }
    if (!fileio::renameFile(folder_ + kept, path)) {
        log_.AddErrorToLog("*** A restored topic's page could not be put back: ", path);
        return false;
    }
    return true;
}

} // namespace nimbus::history

// Taking over the folders of removed topics' files that ended sessions left behind.
#include "history/TrashLeftovers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "fileio/FolderAt.h"
#include "fileio/FolderHold.h"
#include "fileio/FolderOps.h"

namespace nimbus::history {

namespace {

// A path below the data folder read back from a list: every piece a plain name.
bool staysInside(const std::string &relative)
{
    if (relative.empty() || relative.front() == '/')
        return false;
    std::size_t from = 0;
    for (;;) {
        const std::size_t slash = relative.find('/', from);
        if (!fileio::isSafeFileName(relative.substr(from, slash - from)))
            return false;
        if (slash == std::string::npos)
            return true;
        from = slash + 1;
    }
}

void noteLinkRemoved(const std::string &path, StoreLog &log)
{
    log.AddToLog("*** A symbolic link in the folder of removed topics' pages was removed, not "
                 "followed: " +
                 path);
}

bool isKeptFile(int folderFd, const std::string &name)
{
    struct stat st {};
    return ::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
}

// Puts back the files of topics the store still holds, as listed in the open folder's list.
void putBack(int folderFd, const std::string &dataFolder,
             const SessionTrash::StillStored &stillStored, StoreLog &log)
{
    std::string list;
    if (!stillStored || !fileio::readWholeFileAt(folderFd, SessionTrash::kListName, list))
        return;
    std::size_t from = 0;
    while (from < list.size()) {
        std::size_t end = list.find('\n', from);
        if (end == std::string::npos)
            end = list.size(); // a line cut by the crash names no file that moved
        const std::string line = list.substr(from, end - from);
        from = end + 1;
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos)
            continue;
        const std::string kept = line.substr(0, tab1);
        const std::string topic = line.substr(tab1 + 1, tab2 - tab1 - 1);
        const std::string relative = line.substr(tab2 + 1);
        if (!fileio::isSafeFileName(kept) || !staysInside(relative) ||
            !isKeptFile(folderFd, kept) || !stillStored(topic))
            continue;
        const std::string path = dataFolder + relative;
        if (fileio::entryExists(path)) {
            log.AddToLog("*** A page of topic " + topic +
                         " kept aside by a session that did not close was not put back: another "
                         "file has its name: " +
                         path);
            continue;
        }
        if (::renameat(folderFd, kept.c_str(), AT_FDCWD, path.c_str()) == 0)
            log.AddToLog("A page of topic " + topic +
                         ", whose removal was never saved, was put back: " + path);
        else
            log.AddErrorToLog("*** A page of topic " + topic + " could not be put back: ", path);
    }
}

} // namespace

void takeOverLeftovers(const std::string &root, int rootFd, const std::string &dataFolder,
                       const std::string &ownName, const SessionTrash::StillStored &stillStored,
                       StoreLog &log)
{
    std::vector<std::pair<std::string, fileio::EntryKind>> entries;
    fileio::forEachEntryAt(rootFd, [&](const std::string &name, fileio::EntryKind kind) {
        if (name != ownName && name.front() != '.')
            entries.emplace_back(name, kind);
    });
    for (const auto &[name, kind] : entries) {
        if (kind != fileio::EntryKind::Folder) {
            // The older layout kept every session's files loose in the shared folder.
            if (::unlinkat(rootFd, name.c_str(), 0) == 0 && kind == fileio::EntryKind::Link)
                noteLinkRemoved(root + name, log);
            continue;
        }
        // A running session holds its folder locked: its undo history still needs the files.
        const fileio::FolderHandle held = fileio::holdFolderAt(rootFd, name, false);
        if (!held)
            continue;
        putBack(held.fd(), dataFolder, stillStored, log);
        emptyKeptFolder(held.fd(), root + name + "/", log);
        ::unlinkat(rootFd, name.c_str(), AT_REMOVEDIR);
    }
}

void emptyKeptFolder(int folderFd, const std::string &folder, StoreLog &log)
{
    for (const std::string &link : fileio::emptyFolderAt(folderFd).links)
        noteLinkRemoved(folder + link, log);
}

} // namespace nimbus::history

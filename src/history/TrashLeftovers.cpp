// Taking over the folders of removed topics' files that ended sessions left behind.
#include "history/TrashLeftovers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
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

struct ListLine {
    std::string kept; // empty: the file went back to its place
    std::string topic;
    std::string relative;
};

std::vector<ListLine> readList(int folderFd)
{
    std::vector<ListLine> lines;
    std::string list;
    if (!fileio::readWholeFileAt(folderFd, SessionTrash::kListName, list))
        return lines;
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
        ListLine read{line.substr(0, tab1), line.substr(tab1 + 1, tab2 - tab1 - 1),
                      line.substr(tab2 + 1)};
        if ((read.kept.empty() || fileio::isSafeFileName(read.kept)) && staysInside(read.relative))
            lines.push_back(std::move(read));
    }
    return lines;
}

// Removes the regular file at relative below the data folder, each folder on the way opened
// by its plain name, so that nothing is removed through a link.
bool removeBelow(const std::string &dataFolder, const std::string &relative)
{
    fileio::FolderHandle folder(
        ::open(dataFolder.empty() ? "." : dataFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::size_t from = 0;
    for (std::size_t slash; folder && (slash = relative.find('/', from)) != std::string::npos;
         from = slash + 1)
        folder = fileio::openFolderAt(folder.fd(), relative.substr(from, slash - from));
    const std::string name = relative.substr(from);
    return folder && isKeptFile(folder.fd(), name) && ::unlinkat(folder.fd(), name.c_str(), 0) == 0;
}

// Puts back the files of topics the store still holds, as listed in the open folder's list,
// and removes the files put back for an undo of topics it does not hold.
void putBack(int folderFd, const std::string &dataFolder,
             const SessionTrash::StillStored &stillStored, StoreLog &log)
{
    if (!stillStored)
        return;
    const std::vector<ListLine> lines = readList(folderFd);
    std::map<std::string, const ListLine *> lastOf; // by path: what happened to it last
    for (const ListLine &line : lines)
        lastOf[line.relative] = &line;
    for (const ListLine &line : lines) {
        const std::string path = dataFolder + line.relative;
        if (line.kept.empty()) {
            if (lastOf[line.relative] == &line && !stillStored(line.topic) &&
                removeBelow(dataFolder, line.relative))
                log.AddToLog("A page of topic " + line.topic +
                             ", put back by an undo that was never saved, was removed: " + path);
            continue;
        }
        if (!isKeptFile(folderFd, line.kept) || !stillStored(line.topic))
            continue;
        if (fileio::entryExists(path)) {
            log.AddToLog("*** A page of topic " + line.topic +
                         " kept aside by a session that did not close was not put back: another "
                         "file has its name: " +
                         path);
            continue;
        }
        if (::renameat(folderFd, line.kept.c_str(), AT_FDCWD, path.c_str()) == 0)
            log.AddToLog("A page of topic " + line.topic +
                         ", whose removal was never saved, was put back: " + path);
        else
            log.AddErrorToLog("*** A page of topic " + line.topic + " could not be put back: ",
                              path);
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

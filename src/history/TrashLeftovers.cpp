// Taking over the folders of removed topics' files that ended sessions left behind.
#include "history/TrashLeftovers.h"

#include <unistd.h>

#include <vector>

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

// Puts back the files of topics the store still holds, as listed in the folder's list.
void putBack(const std::string &folder, const std::string &dataFolder,
             const SessionTrash::StillStored &stillStored, StoreLog &log)
{
    std::string list;
    if (!stillStored || !fileio::readWholeFile(folder + SessionTrash::kListName, list))
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
            !fileio::fileExists(folder + kept) || !stillStored(topic))
            continue;
        const std::string path = dataFolder + relative;
        if (fileio::entryExists(path)) {
            log.AddToLog("*** A page of topic " + topic +
                         " kept aside by a session that did not close was not put back: another "
                         "file has its name: " +
                         path);
            continue;
        }
        if (fileio::renameFile(folder + kept, path))
            log.AddToLog("A page of topic " + topic +
                         ", whose removal was never saved, was put back: " + path);
        else
            log.AddErrorToLog("*** A page of topic " + topic + " could not be put back: ", path);
    }
}

} // namespace

void takeOverLeftovers(const std::string &root, const std::string &dataFolder,
                       const std::string &ownFolder, const SessionTrash::StillStored &stillStored,
                       StoreLog &log)
{
    std::vector<std::string> names;
    fileio::listFolders(root, names);
    for (const std::string &name : names) {
        const std::string folder = root + name + "/";
        if (folder == ownFolder)
            continue;
        // A running session holds its folder locked: its undo history still needs the files.
        const int fd = fileio::holdFolder(folder, false);
        if (fd < 0)
            continue;
        putBack(folder, dataFolder, stillStored, log);
        fileio::emptyFolderTree(folder);
        ::rmdir(folder.substr(0, folder.size() - 1).c_str());
        ::close(fd);
    }
    // The older layout kept every session's files loose in the shared folder.
    std::vector<std::string> loose;
    fileio::listFiles(root, loose);
    for (const std::string &name : loose)
        fileio::deleteFile(root + name);
}

} // namespace nimbus::history

// Listing the files or sub-folders of a folder, and emptying a folder tree.
#include "fileio/FolderOps.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cerrno>

#include "fileio/FolderAt.h"

namespace nimbus::fileio {

namespace {

// Calls visit(name, isFolder) for every entry but "." and ".."; links are followed, so a link
// to a folder counts as a folder.
template <typename Visit> void forEachEntry(const std::string &folder, Visit visit)
{
    const std::string dirPath = folder.empty() ? std::string(".") : folder;
    DIR *dir = ::opendir(dirPath.c_str());
    if (dir == nullptr)
        return;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st;
            isFolder = ::stat((prefix + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        }
        visit(name, isFolder);
    }
    ::closedir(dir);
}

} // namespace

void listFiles(const std::string &patternOrFolder, std::vector<std::string> &list)
{
    std::string folder = folderOf(patternOrFolder);
    std::string pattern = fileNameOf(patternOrFolder);
    // "*.*" is the traditional spelling of "every file", names without a dot included.
    if (pattern.empty() || pattern == "*.*")
        pattern.assign(1, '*');
    forEachEntry(folder, [&](const std::string &name, bool isFolder) {
        // FNM_PERIOD: a hidden name (our temporary files among them) only matches a pattern
        // that itself starts with ".".
        if (!isFolder && ::fnmatch(pattern.c_str(), name.c_str(), FNM_PERIOD) == 0)
            list.push_back(name);
    });
}

void listFolders(const std::string &folder, std::vector<std::string> &list)
{
    forEachEntry(folder, [&](const std::string &name, bool isFolder) {
        if (isFolder && name[0] != '.')
            list.push_back(name);
    });
}

bool emptyFolderTree(const std::string &folder)
{
    // Opened without following a link: a link in the folder's place leads nowhere.
    const FolderHandle held = openFolderNoFollow(folder);
    if (!held)
        return errno == ENOENT;
    return emptyFolderAt(held.fd()).complete;
}

} // namespace nimbus::fileio

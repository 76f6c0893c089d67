// Folder work that never goes through a symbolic link: folders are opened one plain name at a
// time inside a folder already open (O_NOFOLLOW | O_DIRECTORY), and emptied with unlinkat
// relative to them. A folder the program empties is then the real folder under the one it
// started from, whatever links someone planted on the way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "fileio/FolderHandle.h"

namespace nimbus::fileio {

// What an entry is, as the entry itself says (a link is a link, whatever it points to).
enum class EntryKind { Folder, Link, Other };

// Opens name, one plain component inside the open folder parentFd, as a folder. Empty with
// errno ELOOP or ENOTDIR when it is a link or not a folder.
FolderHandle openFolderAt(int parentFd, const std::string &name);
// Opens a folder by path; the last component must not be a link (trailing "/" are dropped,
// since they would make the system follow one).
FolderHandle openFolderNoFollow(const std::string &path);

// Calls visit(name, kind) for every entry of the open folder but "." and "..".
void forEachEntryAt(int folderFd, const std::function<void(const std::string &, EntryKind)> &visit);

// What emptying a folder met: the links it removed (paths below the folder), and whether
// everything could be removed.
struct EmptiedFolder {
    std::vector<std::string> links;
    bool complete = true;
};
// Deletes everything below the open folder; the folder itself stays. A link is removed
// itself, never followed, so nothing outside the folder is touched.
EmptiedFolder emptyFolderAt(int folderFd);

} // namespace nimbus::fileio

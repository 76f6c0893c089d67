// Folder work relative to open folders, never through links; see FolderAt.h.
#include "fileio/FolderAt.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace nimbus::fileio {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// Deeper trees are left partly full rather than kept open a descriptor per level.
constexpr int kDeepestLevel = 64;

EntryKind kindOf(int folderFd, const char *name, unsigned char type)
{
    if (type == DT_UNKNOWN) {
        struct stat st {};
        if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryKind::Other;
        return S_ISDIR(st.st_mode)   ? EntryKind::Folder
               : S_ISLNK(st.st_mode) ? EntryKind::Link
                                     : EntryKind::Other;
    }
    return type == DT_DIR ? EntryKind::Folder : type == DT_LNK ? EntryKind::Link : EntryKind::Other;
}

void emptyInto(int folderFd, const std::string &below, int level, EmptiedFolder &emptied)
{
    std::vector<std::pair<std::string, EntryKind>> entries;
    forEachEntryAt(folderFd, [&](const std::string &name, EntryKind kind) {
        entries.emplace_back(name, kind);
    });
    for (const auto &[name, kind] : entries) {
        const std::string path = below + name;
        bool link = kind == EntryKind::Link;
        if (kind == EntryKind::Folder) {
            FolderHandle child = openFolderAt(folderFd, name);
            if (child && level < kDeepestLevel) {
                emptyInto(child.fd(), path + "/", level + 1, emptied);
                child.reset();
                if (::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) != 0)
                    emptied.complete = false;
                continue;
            }
            if (child || (errno != ELOOP && errno != ENOTDIR)) {
                emptied.complete = false;
                continue;
            }
            // It became a link or a file since it was listed: it goes as such below.
            link = errno == ELOOP;
        }
        if (link)
            emptied.links.push_back(path);
        if (::unlinkat(folderFd, name.c_str(), 0) != 0)
            emptied.complete = false;
    }
}

} // namespace

FolderHandle openFolderAt(int parentFd, const std::string &name)
{
    return FolderHandle(::openat(parentFd, name.c_str(), kFolderFlags));
}

FolderHandle openFolderNoFollow(const std::string &path)
{
    std::string plain = path;
    while (plain.size() > 1 && plain.back() == '/')
        plain.pop_back();
    return openFolderAt(AT_FDCWD, plain.empty() ? std::string(".") : plain);
}

void forEachEntryAt(int folderFd, const std::function<void(const std::string &, EntryKind)> &visit)
{
    // A copy of the descriptor for the listing; it shares the read position, hence the rewind.
    const int listing = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (listing < 0)
        return;
    DIR *dir = ::fdopendir(listing);
    if (dir == nullptr) {
        ::close(listing);
        return;
    }
    ::rewinddir(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            visit(name, kindOf(folderFd, entry->d_name, entry->d_type));
    }
    ::closedir(dir);
}

EmptiedFolder emptyFolderAt(int folderFd)
{
    EmptiedFolder emptied;
    emptyInto(folderFd, {}, 0, emptied);
    return emptied;
}

} // namespace nimbus::fileio

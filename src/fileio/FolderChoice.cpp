// The folder chooser's rules.
#include "fileio/FolderChoice.h"

#include "fileio/FolderOps.h"

namespace nimbus::fileio::folder_choice {

namespace {

std::string withoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string StartFolder(const std::string &start, const std::string &home)
{
    if (!start.empty() && folderExists(start))
        return withoutTrailingSlash(start);
    return withoutTrailingSlash(home.empty() ? "/" : home);
}

std::string SubFolderPath(const std::string &folder, const std::string &name)
{
    std::string path = withoutTrailingSlash(folder);
    if (path != "/")
        path += '/';
    return path + name;
}

SubFolderOutcome CreateSubFolder(const std::string &folder, const std::string &name,
                                 std::string &path)
{
    if (name.empty())
        return SubFolderOutcome::Nothing;
    path = SubFolderPath(folder, name);
    if (!isSafeFileName(name))
        return SubFolderOutcome::Invalid;
    // The folder shown may itself have gone meanwhile: its missing parents are made too.
    std::string partial;
    std::size_t from = 1;
    while (from <= path.size()) {
        const std::size_t slash = path.find('/', from);
        partial = path.substr(0, slash);
        if (!folderExists(partial) && !createFolder(partial, 0777))
            return SubFolderOutcome::Invalid;
        if (slash == std::string::npos)
            break;
        from = slash + 1;
    }
    return folderExists(path) ? SubFolderOutcome::Created : SubFolderOutcome::Invalid;
}

} // namespace nimbus::fileio::folder_choice

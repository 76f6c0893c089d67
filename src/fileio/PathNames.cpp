// Splitting paths into folder, name, base and extension, and checking names from outside.
// Paths use "/"; a folder value keeps its trailing "/".
#include "fileio/FolderOps.h"

namespace nimbus::fileio {

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The extension starts at the last "." of the name. A leading "." marks a hidden file on
// POSIX, not an extension, so ".profile" has the base ".profile" and no extension.
static std::size_t extensionStart(const std::string &name)
{
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name.size() : dot;
}

std::string baseNameOf(const std::string &path)
{
    const std::string name = fileNameOf(path);
    return name.substr(0, extensionStart(name));
}

std::string extensionOf(const std::string &path)
{
    const std::string name = fileNameOf(path);
    return name.substr(extensionStart(name));
}

bool isSafeFileName(const std::string &name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

} // namespace nimbus::fileio

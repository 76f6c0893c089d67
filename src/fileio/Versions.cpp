// Listing, making, pruning and deleting the numbered old versions kept beside a file.
#include "fileio/Versions.h"

#include "fileio/FolderOps.h"
#include "fileio/VersionNames.h"

#include <algorithm>
#include <sys/stat.h>

namespace nimbus::fileio {

namespace {

// Every file (not folder) of file's folder whose name could belong to it. Hidden names are only
// looked at when the base itself is hidden, which keeps temporary files out.
std::vector<std::string> candidateNames(const std::string &file)
{
    const std::string base = baseNameOf(file);
    std::vector<std::string> names;
    listFiles(folderOf(file) + (base.starts_with('.') ? ".*" : "*"), names);
    return names;
}

bool pathExists(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

// Deletion on POSIX needs no write permission on the file itself, but a read-only version is
// made writable first so that nothing of it lingers as a protected file if unlink fails.
bool deleteEvenIfReadOnly(const std::string &path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & S_IWUSR))
        ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
    return deleteFile(path);
}

bool isDateStamp(std::string_view text)
{
    if (text.size() != 13 || text[6] != '-')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != 6 && (text[i] < '0' || text[i] > '9'))
            return false;
    return true;
}

} // namespace

void listVersions(const std::string &file, std::vector<std::string> &list)
{
    list.clear();
    const std::string base = baseNameOf(file);
    const std::string ext = extensionOf(file);
    for (const std::string &name : candidateNames(file)) {
        const std::string_view number = versionNumberIn(name, base, ext);
        // Only numbers the program itself writes: "a(007).txt" would read back as "a(7).txt"
        // and a ten-digit number starting with 999 as a sorting form, so pruning would delete
        // the wrong file. Such names are left alone.
        if (!isCanonicalNumber(number) || (number.size() == 10 && number.starts_with("999")))
            continue;
        list.push_back(toSortingForm(name));
    }
    std::sort(list.begin(), list.end());
}

std::string makeVersion(const std::string &file, std::vector<std::string> &versions,
                        const std::string &method, std::string &errorText)
{
    errorText.clear();
    if (!fileExists(file))
        return {};
    long long n = versions.empty() ? 0 : sortingFormNumber(versions.back());
    const std::string stem = folderOf(file) + baseNameOf(file) + "(";
    const std::string ext = extensionOf(file);
    std::string candidate = stem + std::to_string(n + 1) + ")" + ext;
    while (pathExists(candidate)) {
        ++n;
        candidate = stem + std::to_string(n + 1) + ")" + ext;
    }
    if (method == "R") {
        if (!renameFile(file, candidate)) {
            errorText = "***** Backup - access not allowed to rename file " + file;
            return {};
        }
    } else if (!copyFile(file, candidate)) {
        errorText = "***** Backup - access not allowed to copy file " + file;
        return {};
    }
    if (!fileExists(candidate)) {
        errorText = "***** Unable to back up file " + file;
        return {};
    }
    return candidate;
}

void pruneVersions(const std::string &file, int keep, std::vector<std::string> &versions,
                   std::vector<std::string> *deleted)
{
    const std::size_t limit = keep > 0 ? static_cast<std::size_t>(keep) : 0;
    if (versions.size() <= limit)
        return;
    const std::size_t excess = versions.size() - limit;
    const std::string folder = folderOf(file);
    for (std::size_t i = 0; i < excess; ++i) {
        const std::string name = fromSortingForm(versions[i]);
        // A list entry never reaches outside the file's folder.
        if (!isSafeFileName(name))
            continue;
        const std::string path = folder + name;
        deleteEvenIfReadOnly(path);
        if (deleted && !pathExists(path))
            deleted->push_back(path);
    }
    versions.erase(versions.begin(), versions.begin() + static_cast<std::ptrdiff_t>(excess));
}

void rotateVersions(const std::string &file, int versionsToKeep)
{
    if (versionsToKeep < 1 || !fileExists(file))
        return;
    std::vector<std::string> versions;
    listVersions(file, versions);
    // Room is made before the new version appears, so that a rewrite cut short at any instant
    // (a crash, a kill) never leaves more than versionsToKeep old versions.
    // The numbering goes on from the newest version, even when pruning took it.
    std::vector<std::string> newest;
    if (!versions.empty())
        newest.push_back(versions.back());
    pruneVersions(file, versionsToKeep - 1, versions);
    std::string errorText;
    makeVersion(file, newest, "C", errorText);
}

void listVersionFiles(const std::string &file, std::vector<std::string> &list)
{
    listVersions(file, list);
    std::vector<std::string> onDisk;
    onDisk.reserve(list.size());
    for (const std::string &entry : list) {
        std::string name = fromSortingForm(entry);
        if (isVersionName(name))
            onDisk.push_back(std::move(name));
    }
    list = std::move(onDisk);
}

void listBaseNameFiles(const std::string &file, std::vector<std::string> &list)
{
    list.clear();
    const std::string base = baseNameOf(file);
    for (std::string &name : candidateNames(file))
        if (name.starts_with(base))
            list.push_back(std::move(name));
    std::sort(list.begin(), list.end());
}

void deleteAllVersions(const std::string &file)
{
    const std::string base = baseNameOf(file);
    const std::string ext = extensionOf(file);
    const std::string folder = folderOf(file);
    for (const std::string &name : candidateNames(file)) {
        const bool numbered = !versionNumberIn(name, base, ext).empty();
        bool stamped = false;
        if (!numbered && name.size() == base.size() + ext.size() + 15 && name.starts_with(base) &&
            name.ends_with(ext)) {
            const std::string_view inner = std::string_view(name).substr(base.size(), 15);
            stamped =
                inner.front() == '(' && inner.back() == ')' && isDateStamp(inner.substr(1, 13));
        }
        if (numbered || stamped)
            deleteEvenIfReadOnly(folder + name);
    }
}

} // namespace nimbus::fileio

// Choosing, creating and checking the per-user channel folder.
#include "ipc/ChannelFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "fileio/UiText.h"

namespace nimbus::ipc {

namespace {

// The reasons a folder is not used: English in the log, translated where they are shown.
constexpr const char *kContext = "nimbus::ipc";

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::string withoutSlash(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// mkdir -p with mode 0700 for every level it makes.
bool makeFolders(const std::string &folder)
{
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST)
        return true;
    if (errno != ENOENT)
        return false;
    const auto slash = folder.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return false;
    if (!makeFolders(folder.substr(0, slash)))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace

std::string channelFolderFor(const std::string &overrideFolder, const std::string &runtimeDir)
{
    if (!overrideFolder.empty())
        return withSlash(overrideFolder);
    if (!runtimeDir.empty())
        return withSlash(runtimeDir) + "nimbus/";
    return "/tmp/nimbus-" + std::to_string(::geteuid()) + "/";
}

std::string channelFolderFromEnvironment()
{
    return channelFolderChoiceFromEnvironment().folder;
}

ChannelFolderChoice channelFolderChoiceFromEnvironment()
{
    const char *overrideFolder = std::getenv(kChannelFolderVariable);
    const char *runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    return chooseChannelFolder(overrideFolder ? overrideFolder : "", runtimeDir ? runtimeDir : "",
                               ::geteuid());
}

text::Sentence channelFolderProblem(const std::string &folder)
{
    struct stat st {};
    const std::string path = withoutSlash(folder);
    if (::lstat(path.c_str(), &st) != 0)
        return {};
    if (S_ISLNK(st.st_mode))
        return {kContext, NIMBUS_TEXT_NOOP("nimbus::ipc", "it is a symbolic link")};
    if (!S_ISDIR(st.st_mode))
        return {kContext, NIMBUS_TEXT_NOOP("nimbus::ipc", "it is not a folder")};
    if (st.st_uid != ::geteuid())
        return {kContext,
                NIMBUS_TEXT_NOOP("nimbus::ipc", "it belongs to another account (user id %1)"),
                {std::to_string(st.st_uid)}};
    return {};
}

ChannelFolderChoice chooseChannelFolder(const std::string &overrideFolder,
                                        const std::string &runtimeDir, uid_t uid,
                                        const std::string &tmpRoot, const std::string &runUserRoot)
{
    if (!overrideFolder.empty() || !runtimeDir.empty())
        return {channelFolderFor(overrideFolder, runtimeDir), {}};
    const std::string usual = withSlash(tmpRoot) + "nimbus-" + std::to_string(uid) + "/";
    const text::Sentence problem = channelFolderProblem(usual);
    if (problem.empty())
        return {usual, {}};
    // Anyone may make folders in /tmp, so another account can take the name first; the
    // user's own runtime folder is private and nobody else's.
    const std::string runtime = withSlash(runUserRoot) + std::to_string(uid) + "/";
    struct stat st {};
    if (::lstat(withoutSlash(runtime).c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == uid && (st.st_mode & 077) == 0)
        return {runtime + "nimbus/",
                {kContext,
                 NIMBUS_TEXT_NOOP("nimbus::ipc",
                                  "The folder %1, where this program finds its running copy, "
                                  "cannot be used: %2. %3 is used instead."),
                 {usual, problem, runtime + "nimbus/"}}};
    return {{},
            {kContext,
             NIMBUS_TEXT_NOOP("nimbus::ipc",
                              "The folder %1, where this program finds its running copy, cannot "
                              "be used: %2. Remove that folder, or set XDG_RUNTIME_DIR to a "
                              "private folder of yours, and start the program again."),
             {usual, problem}}};
}

bool prepareChannelFolder(const std::string &folder)
{
    const std::string path = withoutSlash(folder);
    if (path.empty() || !makeFolders(path))
        return false;
    // lstat: a symbolic link planted in a shared /tmp must not lead the sockets elsewhere.
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), st.st_mode & 0700) != 0)
        return false;
    return true;
}

bool channelFolderTrusted(const std::string &folder)
{
    struct stat st {};
    const std::string path = withoutSlash(folder);
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace nimbus::ipc

// fork/exec of /bin/sh for RunProcess, posix_spawn of xdg-open for OpenDocument.
#include "ipc/RunProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "ipc/ProcessObj.h"

extern char **environ;

namespace nimbus::ipc {

namespace {

// A child that is not waited for is reaped by a thread of its own once it ends.
void reapInBackground(pid_t pid)
{
    std::thread([pid] {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

bool allBlank(const std::string &text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    }
    return true;
}

bool isAddress(const std::string &target)
{
    return target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0;
}

} // namespace

bool RunProcess(const std::string &commandLine, bool wait, std::uint32_t timeoutMs,
                std::uint32_t creationFlags, std::uint16_t showCode)
{
    (void)showCode; // window states are the window system's business (see the Spawner)
    if (allBlank(commandLine))
        return false;
    std::string shell = "/bin/sh", dashC = "-c", command = commandLine;
    char *argv[] = {shell.data(), dashC.data(), command.data(), nullptr};
    const bool idle = (creationFlags & kIdlePriorityClass) != 0;

    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec: the parent has other threads.
        if (idle)
            ::setpriority(PRIO_PROCESS, 0, 19);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::signal(SIGPIPE, SIG_DFL);
        ::close_range(3, ~0U, 0);
        ::execve(argv[0], argv, environ);
        ::_exit(127);
    }
    if (!wait) {
        reapInBackground(pid);
        return true;
    }
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const pid_t r = ::waitpid(pid, nullptr, WNOHANG);
        if (r == pid)
            return true;
        if (r < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() >= until)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reapInBackground(pid);
    return false;
}

bool OpenDocument(const std::string &target)
{
    if (target.empty() || target.find('\0') != std::string::npos)
        return false;
    std::string argument = target;
    if (!isAddress(target)) {
        struct stat st {};
        if (::stat(target.c_str(), &st) != 0)
            return false;
        // A path is never taken for an option of the opener.
        if (argument.front() == '-')
            argument = "./" + argument;
    }
    std::string opener = "xdg-open";
    char *argv[] = {opener.data(), argument.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = -1;
    const int error = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return false;
    reapInBackground(pid);
    return true;
}

} // namespace nimbus::ipc

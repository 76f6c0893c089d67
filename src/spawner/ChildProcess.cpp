// Starting and watching the child with posix_spawn and waitpid.
#include "ChildProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

extern char **environ;

namespace spawner {

bool ChildProcess::start(const std::string &commandLine)
{
    pid_ = 0;
    reaped_ = false;
    exitCode_.reset();
    failureText_.clear();

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own; default signal handling and an empty signal mask, whatever this
    // process has set up for itself.
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int signalNumber : {SIGINT, SIGTERM, SIGUSR1, SIGHUP, SIGQUIT, SIGPIPE, SIGCHLD})
        sigaddset(&defaults, signalNumber);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETSIGDEF);

    std::string shell = "/bin/sh";
    std::string option = "-c";
    std::string command = commandLine;
    char *argv[] = {shell.data(), option.data(), command.data(), nullptr};
    pid_t pid = 0;
    const int result = posix_spawn(&pid, shell.c_str(), nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        failureText_ = std::strerror(result);
        return false;
    }
    pid_ = pid;
    return true;
}

bool ChildProcess::running()
{
    if (pid_ == 0 || reaped_)
        return false;
    int status = 0;
    pid_t result;
    do {
        result = waitpid(pid_, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0)
        return true;
    reaped_ = true; // ended, or (ECHILD) reaped elsewhere
    if (result == pid_ && WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    return false;
}

void ChildProcess::signalGroup(int signalNumber)
{
    if (pid_ == 0 || reaped_)
        return;
    kill(-pid_, signalNumber);
}

void ChildProcess::release()
{
    pid_ = 0;
    reaped_ = false;
}

} // namespace spawner

// One started command line: /bin/sh -c in a process group of its own, so that it can be
// stopped as a whole.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace spawner {

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Starts the command line unchanged through the shell. False when no process could be
    // created; failureText() then holds the system's reason.
    bool start(const std::string &commandLine);

    // True while the started shell (the group leader) has not ended; reaps it when it has.
    bool running();

    // The process id of the started shell, which is also the id of its process group;
    // 0 when nothing was started.
    pid_t processGroup() const { return pid_; }

    // The exit code when the shell ended normally.
    std::optional<int> exitCode() const { return exitCode_; }

    // True when the shell ended with its codes for a command it could not find (127) or not
    // execute (126), that is, the command line could not be run.
    bool couldNotRun() const { return exitCode_ == 126 || exitCode_ == 127; }

    // Sends a signal to the whole process group while its leader has not been reaped
    // (after that the group id could name someone else's group).
    void signalGroup(int signalNumber);

    // Forgets the started process; it keeps running on its own.
    void release();

    const std::string &failureText() const { return failureText_; }

private:
    pid_t pid_ = 0;
    bool reaped_ = false;
    std::optional<int> exitCode_;
    std::string failureText_;
};

} // namespace spawner

// Starts a program as a child process with a chosen environment, and makes sure it is gone
// when the test ends.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace nimbus::test {

class ChildProcess {
public:
    // extraEnvironment entries ("NAME=value") are added to (and override) this process's.
    ChildProcess(const std::string &program, const std::vector<std::string> &arguments,
                 const std::vector<std::string> &extraEnvironment)
    {
        std::vector<std::string> env;
        for (char **e = environ; *e; ++e) {
            const std::string entry = *e;
            const std::string name = entry.substr(0, entry.find('='));
            bool overridden = false;
            for (const auto &extra : extraEnvironment)
                overridden |= extra.substr(0, extra.find('=')) == name;
            if (!overridden)
                env.push_back(entry);
        }
        env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());

        std::vector<std::string> args{program};
        args.insert(args.end(), arguments.begin(), arguments.end());
        std::vector<char *> argv, envp;
        for (auto &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (auto &e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        start(program, argv.data(), envp.data());
    }
    ~ChildProcess()
    {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    void signal(int s) { ::kill(pid_, s); }

    // Waits at most limit for the child to end; true when it ended (status then holds it).
    bool waitForExit(std::chrono::milliseconds limit)
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!exited_) {
            int status = 0;
            const pid_t r = ::waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                exited_ = true;
                status_ = status;
                break;
            }
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }
    bool exitedNormally() const { return exited_ && WIFEXITED(status_); }
    int exitCode() const { return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1; }

private:
    // fork and exec rather than posix_spawn, for the parent-death signal: a test that crashes
    // or is killed takes its children (servers above all) with it. Between fork and exec the
    // child makes system calls only. A program that cannot be run is reported through a
    // close-on-exec pipe, as posix_spawn would report it.
    void start(const std::string &program, char *const *argv, char *const *envp)
    {
        int report[2];
        if (::pipe2(report, O_CLOEXEC) != 0)
            return;
        const pid_t parent = ::getpid();
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(report[0]);
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() == parent)
                ::execve(program.c_str(), argv, envp);
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(report[1], &error, sizeof error);
            ::_exit(127);
        }
        ::close(report[1]);
        int error = 0;
        ssize_t n;
        do
            n = ::read(report[0], &error, sizeof error);
        while (n < 0 && errno == EINTR);
        ::close(report[0]);
        if (pid_ > 0 && n > 0) {  // exec failed
            ::waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
    }

    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = 0;
};

// Polls condition until it holds or limit passes; the limit only bounds a failing test.
inline bool waitFor(const std::function<bool()> &condition, std::chrono::milliseconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace nimbus::test

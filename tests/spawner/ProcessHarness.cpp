// Process helpers for the end-to-end tests.
#include "ProcessHarness.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char **environ;

namespace spawnertest {

using namespace std::chrono_literals;

bool pollUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const std::string &path)
{
    return std::filesystem::exists(path);
}

void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool processGroupAlive(pid_t processGroup)
{
    if (processGroup <= 0)
        return false;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        // /proc/<pid>/stat: pid (comm) state ppid pgrp ...; comm may hold blanks and brackets.
        const std::string stat = readFile(entry.path().string() + "/stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::istringstream fields(stat.substr(close + 1));
        char state = 0;
        long parent = 0;
        long group = 0;
        if (fields >> state >> parent >> group && group == processGroup && state != 'Z')
            return true;
    }
    return false;
}

std::vector<std::string> environmentWith(const std::vector<std::string> &entries)
{
    std::vector<std::string> result;
    auto overridden = [&](const std::string &variable) {
        const std::string name = variable.substr(0, variable.find('=') + 1);
        if (name == "DISPLAY=" || name == "WAYLAND_DISPLAY=")
            return true;
        for (const auto &entry : entries)
            if (entry.compare(0, name.size(), name) == 0)
                return true;
        return false;
    };
    for (char **variable = environ; *variable != nullptr; ++variable)
        if (!overridden(*variable))
            result.emplace_back(*variable);
    result.insert(result.end(), entries.begin(), entries.end());
    return result;
}

void becomeSubreaper()
{
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

void reapEndedChildren()
{
    while (waitpid(-1, nullptr, WNOHANG) > 0) {
    }
}

GroupKiller::~GroupKiller()
{
    if (group_ > 0 && processGroupAlive(group_))
        kill(-group_, SIGKILL);
    reapEndedChildren();
}

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "spawner-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr)
        path_ = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code error;
    if (!path_.empty())
        std::filesystem::remove_all(path_, error);
}

SpawnedProcess::SpawnedProcess(const std::vector<std::string> &argv,
                               const std::vector<std::string> &environment,
                               const std::string &folder, const std::string &stderrPath)
{
    std::vector<char *> args;
    for (const auto &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<char *> env;
    for (const auto &entry : environment)
        env.push_back(const_cast<char *>(entry.c_str()));
    env.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        const int errorFile = open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (errorFile >= 0)
            dup2(errorFile, STDERR_FILENO);
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        execve(args[0], args.data(), env.data());
        _exit(127);
    }
}

SpawnedProcess::~SpawnedProcess()
{
    if (pid_ > 0 && running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool SpawnedProcess::running()
{
    if (pid_ <= 0 || ended_)
        return false;
    int status = 0;
    const pid_t result = waitpid(pid_, &status, WNOHANG);
    if (result == 0)
        return true;
    ended_ = true;
    if (result == pid_) {
        if (WIFEXITED(status))
            exitStatus_ = WEXITSTATUS(status);
        endedBySignal_ = WIFSIGNALED(status);
    }
    return false;
}

std::optional<int> SpawnedProcess::waitForExit(std::chrono::milliseconds limit)
{
    pollUntil([this] { return !running(); }, limit);
    return exitStatus_;
}

void SpawnedProcess::sendSignal(int signalNumber)
{
    if (running())
        kill(pid_, signalNumber);
}

} // namespace spawnertest

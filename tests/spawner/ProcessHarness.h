// Helpers for tests that start real processes: start with a chosen environment and folder,
// poll for conditions with generous failure limits, and leave no process behind.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace spawnertest {

// Polls until the condition holds or the limit passes; the limit only catches failures.
bool pollUntil(const std::function<bool()> &condition,
               std::chrono::milliseconds limit = std::chrono::seconds(60));

std::string readFile(const std::string &path);
bool fileExists(const std::string &path);
void writeFile(const std::string &path, const std::string &text);

// True while a process of the group exists that is not a zombie.
bool processGroupAlive(pid_t processGroup);

// The current environment without display variables, plus the given NAME=value entries.
std::vector<std::string> environmentWith(const std::vector<std::string> &entries);

// Makes this process the reaper of orphaned descendants, so that processes whose parent ended
// are still collected by the test (and not left to whatever runs as process 1).
void becomeSubreaper();

// Collects every ended child without waiting.
void reapEndedChildren();

// Kills a whole process group when the test leaves its scope, passed or failed.
class GroupKiller {
public:
    explicit GroupKiller(pid_t processGroup = 0) : group_(processGroup) {}
    ~GroupKiller();
    GroupKiller(const GroupKiller &) = delete;
    GroupKiller &operator=(const GroupKiller &) = delete;
    void watch(pid_t processGroup) { group_ = processGroup; }

private:
    pid_t group_;
};

// A temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// One started executable with its standard error in a file. Killed (SIGKILL) and collected
// when it is still running at destruction.
class SpawnedProcess {
public:
    SpawnedProcess(const std::vector<std::string> &argv,
                   const std::vector<std::string> &environment, const std::string &folder,
                   const std::string &stderrPath);
    ~SpawnedProcess();
    SpawnedProcess(const SpawnedProcess &) = delete;
    SpawnedProcess &operator=(const SpawnedProcess &) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // The exit status when it ended normally within the limit; nullopt otherwise.
    std::optional<int> waitForExit(std::chrono::milliseconds limit = std::chrono::seconds(60));
    bool endedBySignal() const { return endedBySignal_; }
    void sendSignal(int signalNumber);

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    bool endedBySignal_ = false;
    std::optional<int> exitStatus_;
};

} // namespace spawnertest

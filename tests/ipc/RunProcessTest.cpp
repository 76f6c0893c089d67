// Starting programs through /bin/sh and opening documents with the desktop's handler.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "ipc/ProcessObj.h"
#include "ipc/RunProcess.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

using namespace nimbus::ipc;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::waitFor;
using namespace std::chrono_literals;

namespace {

pid_t readPid(const std::string &file)
{
    pid_t pid = 0;
    std::ifstream(file) >> pid;
    return pid;
}

bool processGone(pid_t pid)
{
    // A zombie still answers kill(pid, 0): gone means reaped.
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

TEST(RunProcess, EmptyCommandLinesStartNothing)
{
    EXPECT_FALSE(RunProcess("", false, 0, 0, kShowNormal));
    EXPECT_FALSE(RunProcess(" \t ", true, 1000, 0, kShowNormal));
}

TEST(RunProcess, WaitingReportsWhetherTheProgramEndedInTime)
{
    TempFolder dir;
    EXPECT_TRUE(RunProcess("exit 3", true, 20000, 0, kShowHide)) << "ended in time, any code";

    // A zero time-out only looks once; the program keeps running and is reaped later.
    const std::string pidFile = dir / "pid";
    EXPECT_FALSE(RunProcess("echo $$ > '" + pidFile + ".tmp'; mv '" + pidFile + ".tmp' '" +
                                pidFile + "'; exec sleep 60",
                            true, 0, 0, kShowNormal));
    ASSERT_TRUE(waitFor([&] { return readPid(pidFile) > 0; }, 20s));
    const pid_t pid = readPid(pidFile);
    EXPECT_EQ(::kill(pid, 0), 0) << "still running";
    ::kill(pid, SIGKILL);
    EXPECT_TRUE(waitFor([&] { return processGone(pid); }, 20s)) << "left as a zombie";
}

TEST(RunProcess, IdlePriorityAndNoInheritedDescriptors)
{
    TempFolder dir;
    // Deliberately without O_CLOEXEC, and at a number the shell itself never uses for its
    // pipes and saved descriptors, so that finding it open can only mean it was inherited.
    const int opened = ::open(dir.path().c_str(), O_RDONLY);
    ASSERT_GE(opened, 0);
    const int fd = ::fcntl(opened, F_DUPFD, 250);
    ::close(opened);
    ASSERT_GE(fd, 250);
    const std::string out = dir / "out";
    const std::string probe = "echo $(nice) $([ -e /proc/$$/fd/" + std::to_string(fd) +
                              " ] && echo open || echo closed) > '" + out + "'";
    ASSERT_TRUE(RunProcess(probe, true, 20000, kIdlePriorityClass, kShowNormal));
    EXPECT_EQ(readFile(out), "19 closed\n");

    ASSERT_TRUE(RunProcess(probe, true, 20000, 0, kShowNormal));
    EXPECT_EQ(readFile(out), std::to_string(::getpriority(PRIO_PROCESS, 0)) + " closed\n");
    ::close(fd);
}

TEST(RunProcess, ProgramsNotWaitedForAreReaped)
{
    TempFolder dir;
    const std::string pidFile = dir / "pid";
    ASSERT_TRUE(
        RunProcess("echo $$ > '" + pidFile + ".tmp'; mv '" + pidFile + ".tmp' '" + pidFile + "'",
                   false, 0, kIdlePriorityClass, kShowMinimized));
    ASSERT_TRUE(waitFor([&] { return readPid(pidFile) > 0; }, 20s));
    EXPECT_TRUE(waitFor([&] { return processGone(readPid(pidFile)); }, 20s));
}

TEST(OpenDocument, MissingPathsAreFalseAndTheHandlerGetsOneArgument)
{
    TempFolder dir;
    EXPECT_FALSE(OpenDocument(""));
    EXPECT_FALSE(OpenDocument(dir / "no such file.txt"));

    // A stand-in for the desktop's opener, found first on PATH.
    const std::string bin = dir / "bin";
    std::filesystem::create_directory(bin);
    nimbus::test::writeFile(bin + "/xdg-open",
                            "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"" + dir.path() + "opened\"\n");
    ::chmod((bin + "/xdg-open").c_str(), 0755);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin + ":" + savedPath).c_str(), 1);

    const std::string document = dir / "my notes.txt";
    nimbus::test::writeFile(document, "x");
    std::filesystem::create_directory(dir / "-folder");
    EXPECT_TRUE(OpenDocument(document));
    EXPECT_TRUE(OpenDocument(dir.path()));
    EXPECT_TRUE(OpenDocument("https://example.org/a b"));
    ::chdir(dir.path().c_str());
    EXPECT_TRUE(OpenDocument("-folder"));
    // Each opener runs on its own, in any order; one line per argument.
    const std::set<std::string> expected = {document, dir.path(), "https://example.org/a b",
                                            "./-folder"};
    auto opened = [&] {
        std::set<std::string> lines;
        std::istringstream in(readFile(dir / "opened"));
        for (std::string line; std::getline(in, line);)
            lines.insert(line);
        return lines;
    };
    EXPECT_TRUE(waitFor([&] { return opened() == expected; }, 20s)) << readFile(dir / "opened");

    // No opener at all.
    ::setenv("PATH", (dir / "empty").c_str(), 1);
    EXPECT_FALSE(OpenDocument(document));
    ::setenv("PATH", savedPath.c_str(), 1);
    ::chdir("/");
}

// Starting command lines through the shell, their exit codes and their process groups.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "ChildProcess.h"
#include "ProcessHarness.h"

using spawner::ChildProcess;
using namespace spawnertest;

namespace {

std::string quoted(const std::string &path)
{
    std::string text;
    text += '\'';
    text += path;
    text += '\'';
    return text;
}

bool endsWithin(ChildProcess &child)
{
    return pollUntil([&] { return !child.running(); });
}

} // namespace

TEST(SpawnerChildProcess, CommandLineRunsThroughTheShellUnchanged)
{
    TempFolder folder;
    ChildProcess child;
    ASSERT_TRUE(
        child.start("printf '%s|' \"a  b\" c > " + quoted(folder.file("out")) + "; exit 3"));
    ASSERT_TRUE(endsWithin(child));
    EXPECT_EQ(child.exitCode(), 3);
    EXPECT_FALSE(child.couldNotRun());
    EXPECT_EQ(readFile(folder.file("out")), "a  b|c|");
}

TEST(SpawnerChildProcess, CommandsTheShellCannotRunAreRecognised)
{
    TempFolder folder;
    writeFile(folder.file("not-executable"), "echo never\n");
    for (const std::string &command :
         {std::string("no-such-command-for-spawner-test"), quoted(folder.file("not-executable"))}) {
        ChildProcess child;
        ASSERT_TRUE(child.start(command)) << command;
        ASSERT_TRUE(endsWithin(child)) << command;
        EXPECT_TRUE(child.couldNotRun()) << command;
    }
}

TEST(SpawnerChildProcess, WholeGroupIsStoppedTogether)
{
    TempFolder folder;
    ChildProcess child;
    // A background grandchild: the shell alone would not take it along.
    ASSERT_TRUE(
        child.start("sleep 300 & echo $! > " + quoted(folder.file("grandchild")) + "; wait"));
    GroupKiller killer(child.processGroup());
    ASSERT_TRUE(pollUntil([&] { return !readFile(folder.file("grandchild")).empty(); }));
    const pid_t grandchild = std::stoi(readFile(folder.file("grandchild")));
    EXPECT_EQ(getpgid(child.processGroup()), child.processGroup());
    EXPECT_EQ(getpgid(grandchild), child.processGroup());
    EXPECT_NE(getpgid(0), child.processGroup());

    becomeSubreaper(); // the grandchild is collected here once the shell has gone
    child.signalGroup(SIGKILL);
    EXPECT_TRUE(endsWithin(child));
    EXPECT_TRUE(pollUntil([&] {
        reapEndedChildren();
        return !processGroupAlive(child.processGroup());
    }));
}

TEST(SpawnerChildProcess, StopSignalsIgnoredHereStillStopTheChild)
{
    // A Spawner started with SIGTERM ignored must not pass that on to what it starts.
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGTERM, &ignore, &previous);
    ChildProcess child;
    const bool started = child.start("exec sleep 300");
    sigaction(SIGTERM, &previous, nullptr);
    ASSERT_TRUE(started);
    GroupKiller killer(child.processGroup());
    child.signalGroup(SIGTERM);
    EXPECT_TRUE(endsWithin(child));
    EXPECT_FALSE(child.exitCode().has_value()); // ended by the signal
}

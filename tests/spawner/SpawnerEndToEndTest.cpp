// The real spawner executable, started in a temporary folder under the offscreen platform.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>

#include "ProcessHarness.h"

using namespace spawnertest;

namespace {

class SpawnerEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { becomeSubreaper(); }
    void TearDown() override { reapEndedChildren(); }

    std::unique_ptr<SpawnedProcess> start(const std::vector<std::string> &arguments)
    {
        std::vector<std::string> argv{SPAWNER_EXE};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return std::make_unique<SpawnedProcess>(argv,
                                                environmentWith({"QT_QPA_PLATFORM=offscreen"}),
                                                folder_.path(), folder_.file("stderr"));
    }
    std::string file(const std::string &name) const { return folder_.file(name); }
    std::string errors() const { return readFile(folder_.file("stderr")); }
    bool errorShown(const std::string &text) const
    {
        return errors().find(text) != std::string::npos;
    }
    pid_t recordedGroup() const
    {
        const std::string text = readFile(file("pid"));
        return text.empty() ? 0 : static_cast<pid_t>(std::stoi(text));
    }

    TempFolder folder_;
};

// Commands record their process group in "pid" and wait for the file "go" before they finish.
const std::string kGatedCommand =
    "echo $$ > pid; while [ ! -e go ]; do sleep 0.05; done; echo ok > marker";

} // namespace

TEST_F(SpawnerEndToEnd, PauseAloneEndsByItself)
{
    auto spawner = start({"/d=2"});
    EXPECT_EQ(spawner->waitForExit(), 0);
    EXPECT_FALSE(errorShown("Spawner Problem"));
}

TEST_F(SpawnerEndToEnd, CommandStartsAndTheSpawnerEndsWithoutWaiting)
{
    GroupKiller killer;
    auto spawner = start({"/s=f", "/e='sh -c \"" + kGatedCommand + "\"'"});
    // The command cannot finish before "go" exists, yet the Spawner ends.
    EXPECT_EQ(spawner->waitForExit(), 0);
    ASSERT_TRUE(pollUntil([&] { return recordedGroup() != 0; }));
    killer.watch(recordedGroup());
    EXPECT_FALSE(fileExists(file("marker")));
    writeFile(file("go"), "");
    EXPECT_TRUE(pollUntil([&] { return readFile(file("marker")) == "ok\n"; }));
    EXPECT_FALSE(errorShown("Spawner Problem"));
}

TEST_F(SpawnerEndToEnd, WaitLastsUntilTheCommandEnds)
{
    GroupKiller killer;
    auto spawner = start({"/W=Y", "/e=" + kGatedCommand});
    ASSERT_TRUE(pollUntil([&] { return recordedGroup() != 0; }));
    killer.watch(recordedGroup());
    EXPECT_TRUE(spawner->running());
    writeFile(file("go"), "");
    EXPECT_EQ(spawner->waitForExit(), 0);
    EXPECT_EQ(readFile(file("marker")), "ok\n"); // already there when the Spawner has ended
}

TEST_F(SpawnerEndToEnd, CommandLineErrorsStartNothingAndAreReported)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"/e=echo ok > marker", "/w=x"}, "Spawner Problem: *** Wait parameter must be Y or N"},
        {{"/x=1", "/e=echo ok > marker"}, "Spawner Problem: *** Unrecognised parameter: /x=1"},
        {{"/s=z", "/e=echo ok > marker"}, "Spawner Problem: *** Screen mode must be M, F , H or N"},
    };
    for (const auto &[arguments, message] : cases) {
        auto spawner = start(arguments);
        EXPECT_TRUE(pollUntil([&] { return errorShown(message); })) << message << "\n" << errors();
        // After an error the Spawner stays until it is closed.
        EXPECT_TRUE(spawner->running()) << message;
        spawner->sendSignal(SIGTERM);
        EXPECT_EQ(spawner->waitForExit(), 0) << message;
        EXPECT_FALSE(fileExists(file("marker"))) << message;
    }
}

TEST_F(SpawnerEndToEnd, SingleApostropheIsAnEmptyCommand)
{
    auto spawner = start({"/e='", "/w=y"});
    EXPECT_EQ(spawner->waitForExit(), 0);
    // Nothing reached the shell (a lone apostrophe would be a shell syntax error).
    EXPECT_EQ(errors().find("sh:"), std::string::npos) << errors();
    EXPECT_FALSE(errorShown("Spawner Problem"));
}

TEST_F(SpawnerEndToEnd, CommandThatCannotRunIsReported)
{
    auto spawner = start({"/w=y", "/e=no-such-command-for-spawner-test"});
    EXPECT_EQ(spawner->waitForExit(), 0);
    EXPECT_TRUE(errorShown("Spawner Problem: *** Unable to run the specified activity."))
        << errors();
}

// SIGUSR1 ends the wait without ending the Spawner; closing it (SIGTERM) then ends the program,
// by SIGTERM or, for a program that ignores it, by SIGKILL after the grace period.
TEST_F(SpawnerEndToEnd, StopMessageThenClosingEndsTheStartedProgram)
{
    for (const std::string program :
         {"exec sleep 300", "trap '' TERM; while :; do sleep 0.2; done"}) {
        const std::string pidFile = file("pid");
        std::remove(pidFile.c_str());
        GroupKiller killer;
        auto spawner = start({"/w=y", "/e=echo $$ > pid; " + program});
        ASSERT_TRUE(pollUntil([&] { return recordedGroup() != 0; })) << program;
        const pid_t group = recordedGroup();
        killer.watch(group);
        spawner->sendSignal(SIGUSR1);
        EXPECT_TRUE(spawner->running()) << program;
        EXPECT_TRUE(processGroupAlive(group)) << program;
        spawner->sendSignal(SIGTERM);
        EXPECT_EQ(spawner->waitForExit(), 0) << program;
        EXPECT_TRUE(pollUntil([&] {
            reapEndedChildren();
            return !processGroupAlive(group);
        })) << program;
    }
}

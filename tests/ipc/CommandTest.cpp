// Command lines from other processes: key and field splitting, the decided actions, and the
// handler passing them on in order while the program is not terminating.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "ipc/CommandHandler.h"
#include "ipc/CommandParser.h"
#include "ipc/RunProcess.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

using namespace nimbus::ipc;
using Kind = CommandAction::Kind;
using Fields = std::vector<std::string>;
using namespace std::chrono_literals;

TEST(CommandParser, KeysAreLowerCasedAndWakeupNeedsNoValue)
{
    for (const char *line : {"wakeup=now", "WAKEUP=NOW", "WakeUp", "wakeup=", "wakeup\tnow"})
        EXPECT_EQ(decideCommand(line).kind, Kind::Wakeup) << line;
    for (const char *line : {"close", "CLOSE=1"})
        EXPECT_EQ(decideCommand(line).kind, Kind::Close) << line;
    for (const char *line : {"start=c:\\x.exe", "", "=run", "wake up", "runner=x", "run2=/bin/x"})
        EXPECT_EQ(decideCommand(line).kind, Kind::None) << line;
    EXPECT_EQ(lowerCaseAscii("ÄBC-xyz\xC3\x84"), "Äbc-xyz\xC3\x84");
}

TEST(CommandParser, RunFieldSplit)
{
    const std::vector<std::pair<std::string, Fields>> cases = {
        {"", {""}},
        {"   ", {""}},
        {"a", {"a"}},
        {"  a ,  b  ,c", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"a,b,", {"a", "b"}},
        {"a, ,", {"a", ""}},
        {"\"x, y\",z", {"x, y", "z"}},
        {"\" keep \"dropped,next", {" keep ", "next"}},
        {"\"unterminated, to the end", {"unterminated, to the end"}},
        {"a,\"\",c", {"a", "", "c"}},
        {"\tab\t,b", {"ab", "b"}},
    };
    for (const auto &[value, fields] : cases)
        EXPECT_EQ(splitRunFields(value), fields) << "[" << value << "]";
}

TEST(CommandParser, RunRecordShowCodesAndCommandLine)
{
    auto run = [](const std::string &line) {
        const CommandAction action = decideCommand(line);
        EXPECT_EQ(action.kind, Kind::Run) << line;
        return action.process;
    };
    // Paths keep their case: on a case-sensitive file system a lower-cased path is another file.
    ProcessObj p = run("run=/opt/Tools/App,Report.txt");
    EXPECT_EQ(p.program, "/opt/Tools/App");
    EXPECT_EQ(p.parameter, "Report.txt");
    EXPECT_EQ(p.showCode, kShowNormal);
    EXPECT_EQ(p.commandLine, "\"/opt/Tools/App\" \"Report.txt\"");

    p = run("RUN=/Opt/App");
    EXPECT_EQ(p.commandLine, "\"/Opt/App\" \"\"") << "an empty parameter keeps its quotes";
    EXPECT_EQ(run("run=/x,,hidden").showCode, kShowHide);
    EXPECT_EQ(run("run=/x,,MINIMIZED").showCode, kShowMinimized);
    EXPECT_EQ(run("run=/x,,maximized").showCode, kShowNormal);
    EXPECT_EQ(run("run=c:\\tools\\app.exe").commandLine, "\"c:\\\\tools\\\\app.exe\" \"\"");

    p = run("run=/x,p,w,free,e1,e2,-42,ignored");
    EXPECT_EQ(p.control, "free");
    EXPECT_EQ(p.extra1, "e1");
    EXPECT_EQ(p.extra2, "e2");
    EXPECT_EQ(p.extra3, "-42");
    EXPECT_EQ(p.extraNumber, -42);
    EXPECT_EQ(p.reserved, 0);
    for (const char *notANumber : {"x", "12x", "99999999999", ""})
        EXPECT_EQ(makeProcessObj(std::string("/x,,,,,,") + notANumber).extraNumber, 0);

    // "controlled", or no program at all, starts nothing.
    EXPECT_EQ(decideCommand("run=/x,,minimized,controlled").kind, Kind::None);
    EXPECT_EQ(decideCommand("run=/x,,Minimized,CONTROLLED").kind, Kind::None);
    EXPECT_EQ(decideCommand("run=/x,,minimized,controlled").process.showCode, kShowMinimized);
    EXPECT_EQ(decideCommand("run=").kind, Kind::None);
    EXPECT_EQ(decideCommand("run=,param").kind, Kind::None);
}

TEST(CommandParser, BatchStopsAtCloseAndRunsKeepTheirOwnFields)
{
    const auto actions =
        decideCommands({"run=/a,one,hidden", "bogus", "run=/b", "wakeup", "close", "wakeup=now"});
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0].process.commandLine, "\"/a\" \"one\"");
    EXPECT_EQ(actions[0].process.showCode, kShowHide);
    EXPECT_EQ(actions[1].process.commandLine, "\"/b\" \"\"");
    EXPECT_EQ(actions[1].process.showCode, kShowNormal);
    EXPECT_EQ(actions[2].kind, Kind::Wakeup);
    EXPECT_EQ(actions[3].kind, Kind::Close);
}

// The fields come from another process: whatever they hold, the program gets them as one
// argument each and the shell runs nothing else.
TEST(CommandParser, ShellCharactersInFieldsArriveVerbatim)
{
    nimbus::test::TempFolder dir;
    const std::string script = dir / "echo-arg";
    nimbus::test::writeFile(script, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.out\"\n");
    ::chmod(script.c_str(), 0755);
    const std::string hostile = "a\" ; touch " + dir.path() + "pwned1; echo \"$(touch " +
                                dir.path() + "pwned2)`touch " + dir.path() + "pwned3`$HOME\\";
    ProcessObj p;
    p.program = script;
    p.parameter = hostile;
    const std::string commandLine = quoteForShell(p.program) + " " + quoteForShell(p.parameter);
    ASSERT_TRUE(RunProcess(commandLine, true, 20000, 0, kShowNormal));
    EXPECT_EQ(nimbus::test::readFile(script + ".out"), hostile);
    for (const char *name : {"pwned1", "pwned2", "pwned3"})
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
}

namespace {

struct RecordingTarget : CommandTarget {
    std::vector<std::string> calls;
    void wakeup() override { calls.push_back("wakeup"); }
    void close() override { calls.push_back("close"); }
    void run(const ProcessObj &p) override { calls.push_back("run " + p.commandLine); }
};

} // namespace

TEST(CommandHandler, PassesActionsOnInOrderUntilCloseOrTermination)
{
    ShutdownFlags flags;
    RecordingTarget target;
    const CommandHandler handler(target, flags);
    handler({"Run=/p,x", "run=/q,,,controlled", "close", "wakeup=now"});
    EXPECT_EQ(target.calls, (std::vector<std::string>{"run \"/p\" \"x\"", "close"}));

    target.calls.clear();
    flags.setApplicationTerminating();
    handler({"wakeup=now", "run=/p"});
    EXPECT_TRUE(target.calls.empty());
}

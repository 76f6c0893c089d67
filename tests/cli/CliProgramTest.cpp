// nimbus-cli while the real program runs (offscreen): changes go to it over the channel, it
// applies them as the user's own and its save writes the store; twenty nimbus-cli processes
// adding at once lose nothing.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "CliRun.h"
#include "fileio/DataFolderLock.h"
#include "support/ChildProcess.h"

using namespace std::chrono_literals;
using nimbus::test::ChildProcess;
using nimbus::test::CliHome;
using nimbus::test::readFile;
using nimbus::test::waitFor;

namespace {

struct RunningProgram {
    const CliHome &home;
    std::unique_ptr<ChildProcess> nimbus;
    explicit RunningProgram(const CliHome &h) : home(h)
    {
        nimbus = std::make_unique<ChildProcess>(
            NIMBUS_EXECUTABLE, std::vector<std::string>{},
            std::vector<std::string>{"HOMEDRIVE=" + home.home, "HOME=" + home.home, "QT_QPA_PLATFORM=offscreen",
                                     "NIMBUS_CHANNEL_DIR=" + home.channels});
        EXPECT_TRUE(waitFor([&] { return log().find("Nimbus Desk started") != std::string::npos; }, 30s)) << log();
    }
    ~RunningProgram()
    {
        nimbus->signal(SIGTERM);
        EXPECT_TRUE(nimbus->waitForExit(30s));
    }
    std::string log() const { return readFile(home.data + "MainLog.txt"); }
};

// nimbus-cli run from cron or another login: it finds another runtime folder than the
// program's, so it cannot reach the program.
nimbus::test::CliResult runWithOtherChannels(const CliHome &home,
                                             const std::vector<std::string> &words)
{
    const std::string elsewhere = home.root / "other-channels/";
    std::filesystem::create_directories(elsewhere);
    std::string line = home.commandLine(words);
    line.replace(line.find(nimbus::test::shellQuoted(home.channels)),
                 nimbus::test::shellQuoted(home.channels).size(),
                 nimbus::test::shellQuoted(elsewhere));
    const std::string out = home.root / "cron.out", err = home.root / "cron.err";
    const int raw = std::system(
        (line + " >" + nimbus::test::shellQuoted(out) + " 2>" + nimbus::test::shellQuoted(err))
            .c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

int countOf(const std::string &text, const std::string &what)
{
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(CliWithProgram, ChangesGoThroughTheProgramAndItsSave)
{
    CliHome home;
    RunningProgram program(home);

    auto added = home.run({"add", "Live Topic", "--due", "2020-01-05", "--priority", "3"});
    ASSERT_EQ(added.status, 0) << added.err;
    const std::string id = added.out.substr(6, added.out.size() - 7);
    // The program made it: its log says so, and its own save already wrote the store.
    EXPECT_NE(program.log().find("Topic " + id + ": topic-add from nimbus-cli"), std::string::npos);
    EXPECT_NE(home.store().find("text=Live Topic"), std::string::npos);
    EXPECT_NE(home.run({"list", "overdue"}).out.find("Topics/Live Topic"), std::string::npos);
    // Search answers from a private copy of the program's index; export reads the saved store.
    auto found = home.run({"search", "live"});
    EXPECT_EQ(found.status, 0) << found.err;
    EXPECT_NE(found.out.find("title  Topics/Live Topic"), std::string::npos) << found.out;
    EXPECT_TRUE(std::filesystem::is_empty(home.temp));
    EXPECT_NE(home.run({"export", "--ics", "--under", id}).out.find("SUMMARY:Live Topic"), std::string::npos);

    ASSERT_EQ(home.run({"set", id, "title=Renamed Live", "urgent=yes"}).status, 0);
    EXPECT_NE(home.store().find("text=Renamed Live"), std::string::npos);
    ASSERT_EQ(home.run({"done", id}).status, 0);
    EXPECT_NE(home.run({"show", id}).out.find("Task completed"), std::string::npos);

    // Refusals come back from the program with the same statuses, and change nothing.
    const std::string before = home.store();
    auto unknown = home.run({"done", "999"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("no topic has the id 999"), std::string::npos) << unknown.err;
    auto section = home.run({"remove", "STD020x"});
    EXPECT_EQ(section.status, 1);
    EXPECT_EQ(home.store(), before);

    ASSERT_EQ(home.run({"remove", id}).status, 0);
    EXPECT_EQ(home.store().find("text=Renamed Live"), std::string::npos);
}

// A script that retries a change with its request id (it gave up waiting, or was killed
// before it read the answer) gets the first answer: nothing is made twice, by the program or,
// once it has closed, by nimbus-cli itself.
TEST(CliWithProgram, ARetriedRequestIsAnsweredAndMadeOnce)
{
    CliHome home;
    std::string first;
    {
        RunningProgram program(home);
        auto added = home.run({"add", "Pay once", "--request-id", "rent-2026-12"});
        ASSERT_EQ(added.status, 0) << added.err;
        first = added.out;
        EXPECT_EQ(home.run({"add", "Pay once", "--request-id", "rent-2026-12"}).out, first);
        EXPECT_NE(program.log().find("was asked for again and not made twice"), std::string::npos);
    }
    EXPECT_EQ(home.run({"add", "Pay once", "--request-id", "rent-2026-12"}).out, first);
    const std::string store = home.store();
    EXPECT_EQ(store.find("text=Pay once"), store.rfind("text=Pay once"));
    // Another request id is another change.
    EXPECT_NE(home.run({"add", "Pay once", "--request-id", "rent-2027-01"}).out, first);
    EXPECT_EQ(home.run({"add", "X", "--request-id", "no spaces"}).status, 2);
}

TEST(CliWithProgram, TwentyConcurrentAddsLoseNone)
{
    CliHome home;
    RunningProgram program(home);
    std::string script;
    for (int i = 0; i < 20; ++i)
        script += home.commandLine({"add", "Parallel " + std::to_string(i)}) + " >/dev/null 2>&1 || echo failed &\n";
    script += "wait\n";
    const std::string out = home.root / "parallel.out";
    ASSERT_EQ(std::system(("(" + script + ") >" + nimbus::test::shellQuoted(out)).c_str()), 0);
    EXPECT_EQ(readFile(out), "") << "some nimbus-cli add failed";
    const std::string store = home.store();
    std::set<std::string> ids;
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(countOf(store, "text=Parallel " + std::to_string(i) + "\r\n"), 1) << i;
    EXPECT_EQ(countOf(program.log(), "topic-add from nimbus-cli"), 20);
}

TEST(CliWithProgram, TheProgramStartingWhileNimbusCliWritesWaitsForItsLockAndThenRuns)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Written offline"}).status, 0);
    // nimbus-cli's hold on the marker channel while it writes the store, made as long as the
    // test needs: a socket of the test's own at the marker's place.
    const std::string marker = home.channels + "nimbus_active";
    const int held = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    ASSERT_GE(held, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, marker.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(held, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(held, 8), 0);

    ChildProcess nimbus(NIMBUS_EXECUTABLE, {},
                        {"HOMEDRIVE=" + home.home, "HOME=" + home.home, "QT_QPA_PLATFORM=offscreen",
                         "NIMBUS_CHANNEL_DIR=" + home.channels});
    // The program has found the marker held: its probe arrives. Then the writer lets go.
    pollfd probe{held, POLLIN, 0};
    ASSERT_EQ(::poll(&probe, 1, 30000), 1);
    ::close(::accept(held, nullptr, nullptr));
    ::close(held);
    ::unlink(marker.c_str());

    const auto log = [&] { return readFile(home.data + "MainLog.txt"); };
    EXPECT_TRUE(waitFor([&] { return log().find("Nimbus Desk started") != std::string::npos; }, 30s))
        << "the program ended instead of waiting for the lock";
    if (log().find("Nimbus Desk started") != std::string::npos) {
        // It runs as the one copy: nimbus-cli's changes now go through it, none is lost.
        ASSERT_EQ(home.run({"add", "Through the program"}).status, 0);
        EXPECT_NE(log().find("topic-add from nimbus-cli"), std::string::npos);
    }
    nimbus.signal(SIGTERM);
    EXPECT_TRUE(nimbus.waitForExit(30s));
    EXPECT_NE(home.store().find("text=Written offline"), std::string::npos);
    EXPECT_NE(home.store().find("text=Through the program"), std::string::npos);
}

TEST(CliWithProgram, NimbusCliWithAnotherChannelFolderNeverWritesUnderTheProgram)
{
    CliHome home;
    RunningProgram program(home);
    // Run from cron or another login, nimbus-cli finds another runtime folder: it cannot reach
    // the program, and its own save would be overwritten by the program's next one.
    const auto fromCron = runWithOtherChannels(home, {"add", "From cron"});
    const bool refused = fromCron.status == 3;
    EXPECT_TRUE(refused) << fromCron.err;
    if (refused) {
        EXPECT_NE(fromCron.err.find("does not answer on this nimbus-cli's channel folder"),
                  std::string::npos);
    }
    // Whatever nimbus-cli said, a change it reported made is still there once the program saved.
    ASSERT_EQ(home.run({"add", "Through the program"}).status, 0);
    if (!refused) {
        EXPECT_NE(home.store().find("text=From cron"), std::string::npos) << "the program saved over the change";
    }
}

TEST(CliWithProgram, AWindowThatCannotTakeItsLockSaysSoAndNimbusCliFromCronWritesNothing)
{
    // The window runs without its lock and says so; a nimbus-cli from cron, which cannot reach
    // it, must not write the store that the window's next save would replace.
    const std::map<std::string, std::function<void(const CliHome &)>> plants = {
        {"it is a symbolic link",
         [](const CliHome &home) {
             nimbus::test::writeFile(home.root / "elsewhere.txt", "someone's file");
             std::filesystem::create_symlink(home.root / "elsewhere.txt",
                                             home.data + "Running.lock");
         }},
        {"it is a folder",
         [](const CliHome &home) {
             std::filesystem::create_directory(home.data + "Running.lock");
         }},
    };
    for (const auto &[why, plant] : plants) {
        CliHome home;
        plant(home);
        RunningProgram program(home);
        const std::string log = program.log();
        EXPECT_NE(log.find("*** The data folder's lock file cannot be used: " + home.data +
                           "Running.lock"),
                  std::string::npos)
            << log;
        EXPECT_NE(log.find(why), std::string::npos) << log;

        auto fromCron = runWithOtherChannels(home, {"add", "From cron"});
        EXPECT_EQ(fromCron.status, 3) << why;
        EXPECT_NE(fromCron.err.find("Running.lock cannot be used (" + why), std::string::npos)
            << fromCron.err;
        // nimbus-cli that reaches the program still works, and the program's save keeps it.
        ASSERT_EQ(home.run({"add", "Through the program"}).status, 0);
        EXPECT_NE(home.store().find("text=Through the program"), std::string::npos);
        EXPECT_EQ(home.store().find("text=From cron"), std::string::npos);
        if (std::filesystem::exists(home.root / "elsewhere.txt")) {
            EXPECT_EQ(readFile(home.root / "elsewhere.txt"), "someone's file");
        }
    }
}

TEST(CliWithProgram, AStartWhileTheLastCopyStillWritesItsCloseReadsTheStoreAfterThatSave)
{
    CliHome home;
    // A copy that is closing has let go of its channels; its last save is still to come.
    auto closing = std::make_unique<nimbus::fileio::DataFolderLock>();
    ASSERT_TRUE(closing->tryTake(home.data, true));
    ChildProcess nimbus(NIMBUS_EXECUTABLE, {},
                        {"HOMEDRIVE=" + home.home, "HOME=" + home.home, "QT_QPA_PLATFORM=offscreen",
                         "NIMBUS_CHANNEL_DIR=" + home.channels});
    const auto log = [&] { return readFile(home.data + "MainLog.txt"); };
    ASSERT_TRUE(waitFor(
        [&] {
            return log().find("Nimbus Desk started") != std::string::npos ||
                   log().find("Waiting for the copy of Nimbus Desk") != std::string::npos;
        },
        30s));
    // The last save lands, with a topic made just before the close, and the copy ends.
    std::string store = home.store();
    const std::string root = "topnode=Y\r\n";
    store.insert(store.find(root) + root.size(), "uni=900\r\ntext=Saved at close\r\nlev=1\r\ntype=1\r\n");
    nimbus::test::writeFile(home.data + "Structure.dat", store);
    closing.reset();

    EXPECT_TRUE(waitFor([&] { return log().find("Nimbus Desk started") != std::string::npos; }, 30s));
    // The new copy's own saves keep it.
    EXPECT_EQ(home.run({"add", "After the start"}).status, 0);
    nimbus.signal(SIGTERM);
    EXPECT_TRUE(nimbus.waitForExit(30s));
    EXPECT_NE(home.store().find("text=After the start"), std::string::npos);
    EXPECT_NE(home.store().find("text=Saved at close"), std::string::npos) << "the start read the store before the last save";
}

// The channel layer over real sockets: batches, message limits, existence, stale sockets,
// concurrent starts, shutdown and the private folder.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "BatchRecorder.h"
#include "ipc/ChannelSocket.h"
#include "ipc/Channels.h"
#include "ipc/CommsThreadRead.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

using namespace nimbus::ipc;
using nimbus::test::BatchRecorder;
using nimbus::test::TempFolder;
using nimbus::test::waitFor;
using Batch = std::vector<std::string>;
using namespace std::chrono_literals;

namespace {

struct ChannelFixture : ::testing::Test {
    TempFolder dir;
    std::string folder = dir / "channels/";
    ChannelLog serverLog, clientLog;
    ShutdownFlags flags;
    BatchRecorder recorder;
    PipeList list{&serverLog, folder, &flags};

    void serve(const std::string &name = "nimbusslavemode")
    {
        ASSERT_FALSE(CreateServerChannel(list, name, recorder.handler()));
    }
    bool send(const Batch &lines, const std::string &name = "nimbusslavemode")
    {
        return SendToChannel(PipeLine(name, true, folder), &clientLog, lines);
    }
};

// A socket file whose server is gone, as a crashed copy leaves it.
void leaveStaleSocket(const std::string &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ::close(fd);
}

} // namespace

TEST_F(ChannelFixture, OneLineBatchReachesTheHandlerWithEveryLogLine)
{
    serve();
    const std::string path = folder + "nimbusslavemode";
    ASSERT_TRUE(send({"wakeup=now"}));
    ASSERT_TRUE(recorder.waitFor(1));
    EXPECT_EQ(recorder.batches(), std::vector<Batch>{{"wakeup=now"}});

    EXPECT_EQ(clientLog.lines(), (Batch{"Connecting to: " + path, "Writing data: wakeup=now"}));
    ASSERT_TRUE(waitFor([&] { return serverLog.lines().size() >= 6; }, 20s));
    EXPECT_EQ(serverLog.lines(), (Batch{"Channel created OK: nimbusslavemode", path + " waiting",
                                        "nimbusslavemode client connected", "wakeup=now",
                                        "InstanceThread: client disconnected", path + " waiting"}));
}

TEST_F(ChannelFixture, EmptyBatchesFromEmptySendsAndProbes)
{
    serve();
    ASSERT_TRUE(send({}));
    ASSERT_TRUE(recorder.waitFor(1));
    // The existence probe connects and closes: the handler sees one more empty batch.
    EXPECT_TRUE(ChannelExists(PipeLine("nimbusslavemode", true, folder)));
    ASSERT_TRUE(recorder.waitFor(2));
    EXPECT_EQ(recorder.batches(), (std::vector<Batch>{{}, {}}));
}

TEST_F(ChannelFixture, MessageLimitZeroBytesAndOrder)
{
    serve();
    // 2047 bytes and the zero byte make the largest message; one byte more ends the batch.
    const std::string largest(2047, 'x'), tooLong(2048, 'y');
    ASSERT_TRUE(send({"first", largest, "last"}));
    ASSERT_TRUE(recorder.waitFor(1));
    // The server drops the connection at the long message, so the send may see its last write
    // fail; either way the handler gets what came before it.
    send({"one", "two", tooLong, "four"});
    ASSERT_TRUE(recorder.waitFor(2));
    ASSERT_TRUE(waitFor([&] { return serverLog.contains("InstanceThread ReadFile failed"); }, 20s));

    Batch many;
    for (int i = 0; i < 300; ++i)
        many.push_back("line " + std::to_string(i));
    many.push_back(std::string("cut\0here", 8));
    ASSERT_TRUE(send(many));
    ASSERT_TRUE(recorder.waitFor(3));

    const auto batches = recorder.batches();
    EXPECT_EQ(batches[0], (Batch{"first", largest, "last"}));
    EXPECT_EQ(batches[1], (Batch{"one", "two"}));
    many.back() = "cut";
    EXPECT_EQ(batches[2], many);
}

TEST_F(ChannelFixture, NoServerMeansFalseAndNothingCreated)
{
    const PipeLine line("nobody", true, folder);
    EXPECT_FALSE(ChannelExists(line));
    EXPECT_FALSE(SendToChannel(line, &clientLog, {"wakeup=now"}));
    EXPECT_EQ(clientLog.lines().back(), "Could not open pipe(1): nobody");
    EXPECT_FALSE(std::filesystem::exists(folder)) << "clients create no folder";
}

TEST_F(ChannelFixture, SecondCreateOfEitherKindFindsTheFirst)
{
    ASSERT_FALSE(CreateChannel(list, "nimbus_active"));
    serve();
    PipeList other{&clientLog, folder};
    EXPECT_TRUE(CreateChannel(other, "nimbus_active"));
    EXPECT_TRUE(CreateServerChannel(other, "nimbusslavemode", recorder.handler()));
    EXPECT_TRUE(other.items.empty());
    EXPECT_EQ(clientLog.lines(), (Batch{"Channel already exists: nimbus_active",
                                        "Channel already exists: nimbusslavemode"}));
    EXPECT_TRUE(serverLog.contains("Channel created OK: nimbus_active"));
    EXPECT_EQ(list.items.size(), 2u);
    EXPECT_EQ(list.items[0]->serverThread, nullptr) << "a marker channel is never served";

    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(ChannelFixture, StaleSocketIsReplacedButOtherFilesAreNot)
{
    ASSERT_TRUE(prepareChannelFolder(folder));
    leaveStaleSocket(folder + "nimbus_active");
    EXPECT_FALSE(CreateChannel(list, "nimbus_active"));
    EXPECT_TRUE(ChannelExists(PipeLine("nimbus_active", true, folder)));

    nimbus::test::writeFile(folder + "nimbusslavemode", "not a socket");
    EXPECT_TRUE(CreateServerChannel(list, "nimbusslavemode", recorder.handler()));
    EXPECT_EQ(nimbus::test::readFile(folder + "nimbusslavemode"), "not a socket");
}

TEST_F(ChannelFixture, ConcurrentStartsHaveExactlyOneWinner)
{
    for (bool stale : {false, true}) {
        std::vector<std::unique_ptr<PipeList>> lists;
        for (int i = 0; i < 4; ++i)
            lists.push_back(std::make_unique<PipeList>(nullptr, folder));
        if (stale) {
            ASSERT_TRUE(prepareChannelFolder(folder));
            leaveStaleSocket(folder + "nimbus_active");
        }
        std::atomic<int> winners{0};
        std::vector<std::thread> threads;
        for (auto &l : lists)
            threads.emplace_back([&, l = l.get()] {
                if (!CreateChannel(*l, "nimbus_active"))
                    ++winners;
            });
        for (auto &t : threads)
            t.join();
        EXPECT_EQ(winners.load(), 1) << (stale ? "over a stale socket" : "fresh");
    }
}

TEST_F(ChannelFixture, DestroyingTheListEndsTheThreadEvenWithASilentClientAndCleansUp)
{
    serve();
    // A client that connects and never writes or closes.
    detail::ConnectResult result;
    int silent = detail::connectWithin(folder + "nimbusslavemode", 1000ms, result);
    ASSERT_GE(silent, 0);
    ASSERT_TRUE(
        waitFor([&] { return serverLog.contains("nimbusslavemode client connected"); }, 20s));
    list.items.clear(); // must return: the thread is woken, not waited out
    detail::closeSocket(silent);
    EXPECT_FALSE(std::filesystem::exists(folder + "nimbusslavemode"));
    EXPECT_FALSE(ChannelExists(PipeLine("nimbusslavemode", true, folder)));
    // The name is free again at once.
    EXPECT_FALSE(CreateServerChannel(list, "nimbusslavemode", recorder.handler()));
}

TEST_F(ChannelFixture, UpdateShutdownFlagEndsTheService)
{
    serve();
    flags.setShutdownForUpdate();
    ChannelExists(PipeLine("nimbusslavemode", true, folder)); // wakes the waiting loop
    ASSERT_TRUE(waitFor([&] { return list.items[0]->serverThread->finished(); }, 20s));
    EXPECT_FALSE(send({"wakeup=now"}) && recorder.waitFor(1, 300ms));
}

TEST_F(ChannelFixture, ClientsRefuseAFolderOthersCanWriteInto)
{
    serve();
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    EXPECT_FALSE(send({"wakeup=now"}));
    EXPECT_EQ(clientLog.lines().back(), "Could not open pipe(1): nimbusslavemode");
    // A server start puts the folder right again.
    EXPECT_TRUE(prepareChannelFolder(folder));
    EXPECT_TRUE(send({"wakeup=now"}));

    // A symbolic link is never taken for the folder.
    const std::string link = dir / "link";
    std::filesystem::create_directory_symlink(dir / "elsewhere", link);
    EXPECT_FALSE(prepareChannelFolder(link + "/"));
}

TEST_F(ChannelFixture, ConnectionFromAnotherUserIsRefusedAndLogged)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a client as another user";
    std::vector<std::string> refusals;
    std::mutex mutex;
    list.onRefused = [&](const std::string &text) {
        std::lock_guard lock(mutex);
        refusals.push_back(text);
    };
    serve();
    // Open the folder and socket to everybody, so that only the peer check stands in the way.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    ASSERT_EQ(::chmod((folder + "nimbusslavemode").c_str(), 0777), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, (folder + "nimbusslavemode").c_str());
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            ::_exit(3);
        const char line[] = "run=/bin/touch,/tmp/should-not-exist";
        [[maybe_unused]] ssize_t n = ::send(fd, line, sizeof line, MSG_NOSIGNAL);
        ::close(fd);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the other user's client could not connect";

    ASSERT_TRUE(waitFor(
        [&] {
            std::lock_guard lock(mutex);
            return !refusals.empty();
        },
        20s));
    EXPECT_NE(refusals[0].find("user id 65534"), std::string::npos) << refusals[0];
    EXPECT_TRUE(serverLog.contains(refusals[0]));
    // The refused batch never reaches the handler; this user's next batch does.
    ASSERT_TRUE(send({"wakeup=now"}));
    ASSERT_TRUE(recorder.waitFor(1));
    EXPECT_EQ(recorder.batches(), std::vector<Batch>{{"wakeup=now"}});
}

namespace nimbus::ipc {
namespace {

// Without XDG_RUNTIME_DIR the channels live in /tmp, where any account may take the name
// "nimbus-<uid>" first. That must not pass for a running copy: the user's private runtime
// folder is used where there is one, and otherwise the notice says what is wrong.
TEST(ChannelFolderChoice, AFolderAnotherAccountTookIsNotUsedAndTheUserIsTold)
{
    test::TempFolder root;
    const std::string tmp = root / "tmp/";
    const std::string run = root / "run/user/";
    std::filesystem::create_directories(tmp);
    std::filesystem::create_directories(run);
    const uid_t me = ::geteuid();
    const std::string usual = tmp + "nimbus-" + std::to_string(me) + "/";

    ChannelFolderChoice choice = chooseChannelFolder("", "", me, tmp, run);
    EXPECT_EQ(choice.folder, usual);
    EXPECT_TRUE(choice.notice.empty());
    EXPECT_EQ(chooseChannelFolder("", "/run/user/7", me, tmp, run).folder, "/run/user/7/nimbus/");
    EXPECT_EQ(chooseChannelFolder("/x/y", "", me, tmp, run).folder, "/x/y/");

    // Taken: by another account when the test may give folders away, else by a link.
    if (me == 0) {
        ASSERT_EQ(::mkdir(usual.c_str(), 0700), 0);
        ASSERT_EQ(::chown(usual.c_str(), 65534, 65534), 0);
    } else {
        std::filesystem::create_directories(root / "elsewhere");
        std::filesystem::create_directory_symlink(root / "elsewhere", usual.substr(0, usual.size() - 1));
    }
    EXPECT_FALSE(channelFolderProblem(usual).empty());
    choice = chooseChannelFolder("", "", me, tmp, run);
    EXPECT_TRUE(choice.folder.empty());
    const std::string notice = choice.notice.english();
    EXPECT_NE(notice.find("The folder " + usual), std::string::npos) << notice;
    EXPECT_NE(notice.find(me == 0 ? "another account" : "symbolic link"), std::string::npos)
        << notice;
    EXPECT_NE(notice.find("XDG_RUNTIME_DIR"), std::string::npos);

    // A runtime folder others can read is not private; the user's own 0700 one is.
    const std::string runtime = run + std::to_string(me) + "/";
    ASSERT_EQ(::mkdir(runtime.c_str(), 0755), 0);
    EXPECT_TRUE(chooseChannelFolder("", "", me, tmp, run).folder.empty());
    ASSERT_EQ(::chmod(runtime.c_str(), 0700), 0);
    choice = chooseChannelFolder("", "", me, tmp, run);
    EXPECT_EQ(choice.folder, runtime + "nimbus/");
    EXPECT_NE(choice.notice.english().find(runtime + "nimbus/ is used instead"), std::string::npos);
    EXPECT_TRUE(prepareChannelFolder(choice.folder));
}

} // namespace
} // namespace nimbus::ipc

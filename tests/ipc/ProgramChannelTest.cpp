// The real program and its channels: a second copy hands over to the first and touches no
// file; other processes make it close or start programs.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "ipc/Channels.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

using namespace std::chrono_literals;
using nimbus::ipc::PipeLine;
using nimbus::ipc::SendToChannel;
using nimbus::test::ChildProcess;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::waitFor;

namespace {

// A copy of the program in its own folder, with its own home and channel folder.
struct ProgramCopy {
    TempFolder root;
    std::string home = root / "home";
    std::string program = root / "prog/nimbus";
    std::string data = root / "home/$Nimbus/";
    std::string channels = root / "channels/";

    ProgramCopy()
    {
        std::filesystem::create_directories(root / "prog");
        std::filesystem::create_directories(home);
        std::filesystem::copy_file(NIMBUS_EXECUTABLE, program);
    }
    std::unique_ptr<ChildProcess> start() const
    {
        return std::make_unique<ChildProcess>(
            program, std::vector<std::string>{},
            std::vector<std::string>{"HOMEDRIVE=" + home, "HOME=" + home,
                                     "QT_QPA_PLATFORM=offscreen",
                                     "NIMBUS_CHANNEL_DIR=" + channels});
    }
    std::string log() const { return readFile(data + "MainLog.txt"); }
    bool logHas(const std::string &text) const { return log().find(text) != std::string::npos; }
    bool send(const std::vector<std::string> &lines) const
    {
        return SendToChannel(PipeLine("nimbusslavemode", true, channels), nullptr, lines);
    }
};

// Every file and folder below folder, with its bytes and mode.
std::map<std::string, std::string> snapshot(const std::string &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        struct stat st {};
        ::lstat(entry.path().c_str(), &st);
        files[entry.path().string()] = std::to_string(st.st_mode) + ":" +
                                       (entry.is_regular_file() ? readFile(entry.path()) : "");
    }
    return files;
}

// A folder whose path has no capital letters: "run" lines are lower-cased on the way in.
struct LowerCaseFolder {
    std::string path =
        (std::filesystem::temp_directory_path() /
         ("nimbus-run-" + std::to_string(::getpid()) + "-" +
          std::to_string(std::chrono::steady_clock::now().time_since_epoch().count())))
            .string() +
        "/";
    LowerCaseFolder() { std::filesystem::create_directories(path); }
    ~LowerCaseFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

void stop(ChildProcess &nimbus)
{
    nimbus.signal(SIGTERM);
    EXPECT_TRUE(nimbus.waitForExit(20s));
}

} // namespace

TEST(ProgramChannels, SecondCopyWakesTheFirstAndTouchesNoFile)
{
    ProgramCopy copy;
    auto first = copy.start();
    ASSERT_TRUE(waitFor([&] { return copy.logHas("started"); }, 30s)) << copy.log();
    const auto before = snapshot(copy.data);
    const std::string logBefore = copy.log();

    const auto began = std::chrono::steady_clock::now();
    auto second = copy.start();
    ASSERT_TRUE(second->waitForExit(20s));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - began);
    RecordProperty("second_copy_ms", static_cast<int>(took.count()));
    EXPECT_EQ(second->exitCode(), 0);

    // The first copy logs that it came to the front; that line is the only change.
    const std::string woken = "Brought to the front at the request of another program\r\n";
    ASSERT_TRUE(waitFor([&] { return copy.logHas(woken); }, 20s)) << copy.log();
    auto after = snapshot(copy.data);
    const std::string logAfter = copy.log();
    ASSERT_GT(logAfter.size(), logBefore.size());
    EXPECT_EQ(logAfter.substr(0, logBefore.size()), logBefore);
    const std::string added = logAfter.substr(logBefore.size());
    EXPECT_EQ(added.find("\r\n"), added.size() - 2) << "one line only: " << added;
    EXPECT_EQ(added.substr(added.size() - woken.size()), woken);
    after[copy.data + "MainLog.txt"] = before.at(copy.data + "MainLog.txt");
    // The first copy's search index is a cache its worker builds on its own time after start.
    auto withoutIndex = [&](std::map<std::string, std::string> files) {
        std::erase_if(files, [&](const auto &file) {
            return file.first.rfind(copy.data + "Search.db", 0) == 0;
        });
        return files;
    };
    EXPECT_EQ(withoutIndex(after), withoutIndex(before));

    stop(*first);
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_TRUE(copy.logHas("closed"));
    EXPECT_FALSE(std::filesystem::exists(copy.channels + "nimbusslavemode"));
    EXPECT_FALSE(std::filesystem::exists(copy.channels + "nimbus_active"));
}

TEST(ProgramChannels, CloseCommandClosesOrderlyAndLaterLinesAreNotLookedAt)
{
    ProgramCopy copy;
    LowerCaseFolder scratch;
    auto nimbus = copy.start();
    ASSERT_TRUE(waitFor([&] { return copy.logHas("started"); }, 30s)) << copy.log();
    ASSERT_TRUE(copy.send({"CLOSE", "run=/usr/bin/touch," + scratch.path + "after-close"}));
    ASSERT_TRUE(nimbus->waitForExit(20s));
    EXPECT_TRUE(nimbus->exitedNormally());
    EXPECT_EQ(nimbus->exitCode(), 0);
    const std::string log = copy.log();
    const auto asked = log.find("Closing at the request of another program");
    ASSERT_NE(asked, std::string::npos) << log;
    EXPECT_NE(log.find("Nimbus Desk closed", asked), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists(scratch.path + "after-close"));

    // With the first copy gone a new start is a first copy again.
    auto again = copy.start();
    EXPECT_TRUE(
        waitFor([&] { return copy.log().find("started", asked) != std::string::npos; }, 30s));
    stop(*again);
}

TEST(ProgramChannels, RunStartsTheProgramWithItsArgumentUnlessControlled)
{
    ProgramCopy copy;
    LowerCaseFolder scratch;
    // Writes its priority into the file it is given.
    const std::string probe = scratch.path + "probe.sh";
    nimbus::test::writeFile(probe, "#!/bin/sh\nnice > \"$1.tmp\" && mv \"$1.tmp\" \"$1\"\n");
    ::chmod(probe.c_str(), 0755);

    auto nimbus = copy.start();
    ASSERT_TRUE(waitFor([&] { return copy.logHas("started"); }, 30s)) << copy.log();
    ASSERT_TRUE(copy.send({"run=" + probe + "," + scratch.path + "controlled,,controlled",
                           "Run=" + probe + "," + scratch.path + "started,hidden"}));
    ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(scratch.path + "started"); }, 20s))
        << copy.log();
    EXPECT_EQ(readFile(scratch.path + "started"), "19\n") << "idle priority";
    EXPECT_FALSE(std::filesystem::exists(scratch.path + "controlled"));
    EXPECT_TRUE(copy.logHas("Started at the request of another program: \"" + probe + "\""));
    stop(*nimbus);
}

// The real program, started as a user would start it, against a temporary home folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include "fileio/OMFILE.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

using namespace std::chrono_literals;
using nimbus::test::ChildProcess;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::waitFor;
using nimbus::test::writeFile;

namespace {

// A copy of the program in its own folder, so that files placed next to it belong to this
// test alone.
struct ProgramCopy {
    TempFolder root;
    std::string home = root / "home";
    std::string program = root / "prog/nimbus";
    std::string data = root / "home/$Nimbus/";

    ProgramCopy()
    {
        std::filesystem::create_directories(root / "prog");
        std::filesystem::create_directories(home);
        std::filesystem::copy_file(NIMBUS_EXECUTABLE, program);
    }
    std::vector<std::string> environment() const
    {
        return {"HOMEDRIVE=" + home, "HOME=" + home, "QT_QPA_PLATFORM=offscreen",
                "NIMBUS_CHANNEL_DIR=" + root / "channels"};
    }
    std::string log() const { return readFile(data + "MainLog.txt"); }
    bool logHas(const std::string &text) const { return log().find(text) != std::string::npos; }
};

unsigned modeOf(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

}  // namespace

TEST(ProgramRun, FirstStartLaysOutTheDataFolderAndClosesOrderlyOnSigterm)
{
    ProgramCopy copy;
    ChildProcess nimbus(copy.program, {}, copy.environment());
    ASSERT_TRUE(nimbus.started());
    ASSERT_TRUE(waitFor([&] { return copy.logHas("started"); }, 30s)) << copy.log();

    EXPECT_EQ(modeOf(copy.data), 0700u);
    for (const char *sub : {"Text", "CheckList", "Packs", "Outbox", "Formats", "$Control"})
        EXPECT_EQ(modeOf(copy.data + sub), 0700u) << sub;

    nimbus.signal(SIGTERM);
    ASSERT_TRUE(nimbus.waitForExit(20s));
    EXPECT_TRUE(nimbus.exitedNormally());
    EXPECT_EQ(nimbus.exitCode(), 0);

    const std::string log = copy.log();
    EXPECT_NE(log.find("closed\r\n"), std::string::npos) << log;
    const std::regex line(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d  \S.*)");
    std::size_t start = 0, lines = 0;
    while (start < log.size()) {
        const std::size_t end = log.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        EXPECT_TRUE(std::regex_match(log.substr(start, end - start), line))
            << log.substr(start, end - start);
        start = end + 2;
        ++lines;
    }
    EXPECT_GE(lines, 2u);
}

TEST(ProgramRun, InterruptAndHangupCloseLikeExit)
{
    for (int s : {SIGINT, SIGHUP}) {
        ProgramCopy copy;
        ChildProcess nimbus(copy.program, {}, copy.environment());
        ASSERT_TRUE(waitFor([&] { return copy.logHas("started"); }, 30s));
        nimbus.signal(s);
        ASSERT_TRUE(nimbus.waitForExit(20s)) << "signal " << s;
        EXPECT_EQ(nimbus.exitCode(), 0);
        EXPECT_TRUE(copy.logHas("closed")) << "signal " << s;
    }
}

TEST(ProgramRun, InstallationRecordNextToTheProgramIsTakenOver)
{
    ProgramCopy copy;
    {
        auto out = nimbus::fileio::openPlain(copy.root / "prog/Install.pre", "W", 0);
        ASSERT_TRUE(out);
        nimbus::fileio::writePairs(*out, {"product", "licence"}, {"Nimbus Desk Team", "42"});
        nimbus::fileio::close(out);
    }
    writeFile(copy.root / "prog/Start.~txt", "seed");

    ChildProcess nimbus(copy.program, {}, copy.environment());
    ASSERT_TRUE(waitFor([&] { return copy.logHas("started"); }, 30s));
    nimbus.signal(SIGTERM);
    ASSERT_TRUE(nimbus.waitForExit(20s));

    EXPECT_TRUE(copy.logHas("Nimbus Desk Team started"));
    EXPECT_EQ(readFile(copy.data + "Install.dat").substr(0, 8), "ZQENCR01");
    EXPECT_TRUE(std::filesystem::exists(copy.data + "Install.pre"));
    EXPECT_FALSE(std::filesystem::exists(copy.root / "prog/Install.pre"));
    EXPECT_EQ(readFile(copy.data + "Start.~txt"), "seed");

    auto in = nimbus::fileio::openEnciphered(copy.data + "Install.dat", "R", 0);
    ASSERT_TRUE(in);
    std::vector<std::string> names, values;
    nimbus::fileio::readPairs(*in, names, values);
    EXPECT_EQ(names, (std::vector<std::string>{"product", "licence"}));
    EXPECT_EQ(values, (std::vector<std::string>{"Nimbus Desk Team", "42"}));
}

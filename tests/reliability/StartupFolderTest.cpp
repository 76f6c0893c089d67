// The real program started with a data folder it cannot use: one that cannot be created, and
// one that is read-only (run as an unprivileged user when the test runs as root). The program
// neither crashes nor hangs, says what is wrong on standard error (the log cannot be written),
// closes normally, and leaves every file as it was.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <thread>

#include "support/ChildProcess.h"
#include "support/TempFolder.h"

using namespace std::chrono_literals;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::waitFor;
using nimbus::test::writeFile;

namespace {

constexpr const char *kProblem = "*** The data folder cannot be written: ";

// The program in a folder of its own, started as `uid` (the current user when -1) with its
// standard error in a file.
class ProgramUnderTest {
public:
    ProgramUnderTest(const TempFolder &root, const std::string &home, uid_t uid, gid_t gid)
        : stderrFile_(root / "stderr.txt")
    {
        std::filesystem::create_directories(root / "prog");
        const std::string program = root / "prog/nimbus";
        std::filesystem::copy_file(NIMBUS_EXECUTABLE, program);
        const std::vector<std::string> env{"HOMEDRIVE=" + home,
                                           "HOME=" + home,
                                           "QT_QPA_PLATFORM=offscreen",
                                           "NIMBUS_CHANNEL_DIR=" + root / "channels",
                                           "XDG_RUNTIME_DIR=" + root / "runtime",
                                           "PATH=/usr/bin:/bin"};
        pid_ = ::fork();
        if (pid_ == 0) {
            const int err = ::open(stderrFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            if (err >= 0)
                ::dup2(err, STDERR_FILENO);
            if (uid != static_cast<uid_t>(-1) &&
                (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
                ::_exit(126);
            std::vector<char *> envp;
            std::vector<std::string> copy = env;
            for (auto &e : copy)
                envp.push_back(e.data());
            envp.push_back(nullptr);
            char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
            ::execve(program.c_str(), argv, envp.data());
            ::_exit(127);
        }
    }
    ~ProgramUnderTest()
    {
        if (pid_ > 0 && !ended_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    std::string errors() const { return readFile(stderrFile_); }
    // Asks the program to close as a logout would; its exit status, or -1 when it did not end.
    int closeAndWait()
    {
        ::kill(pid_, SIGTERM);
        int status = 0;
        const bool ended = waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, 30s);
        if (!ended)
            return -1;
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    std::string stderrFile_;
    pid_t pid_ = -1;
    bool ended_ = false;
};

std::map<std::string, std::string> contentsOf(const std::string &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string()] = readFile(entry.path().string());
    return files;
}

} // namespace

TEST(StartupFolder, ADataFolderThatCannotBeCreatedIsReportedAndNothingIsWritten)
{
    TempFolder root;
    const std::string home = root / "unplugged/drive"; // its parent does not exist either
    ProgramUnderTest nimbus(root, home, static_cast<uid_t>(-1), 0);
    ASSERT_TRUE(waitFor([&] { return nimbus.errors().find("started") != std::string::npos; }, 60s))
        << nimbus.errors();
    const std::string errors = nimbus.errors();
    EXPECT_NE(errors.find(kProblem + home + "/$Nimbus/"), std::string::npos) << errors;
    EXPECT_NE(errors.find(std::string(20, ' ') + std::strerror(ENOENT)), std::string::npos)
        << errors;
    EXPECT_EQ(nimbus.closeAndWait(), 0);
    EXPECT_NE(nimbus.errors().find("closed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(root / "unplugged"));
}

TEST(StartupFolder, AReadOnlyDataFolderIsReportedAndKeepsEveryFile)
{
    TempFolder root;
    uid_t uid = static_cast<uid_t>(-1);
    gid_t gid = 0;
    if (::geteuid() == 0) {
        // Root writes into read-only folders anyway; an ordinary user does not.
        const passwd *nobody = ::getpwnam("nobody");
        if (nobody == nullptr)
            GTEST_SKIP() << "no unprivileged user to run as";
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
    }
    const std::string home = root / "home";
    const std::string data = home + "/$Nimbus/";
    for (const char *sub : {"Text", "CheckList", "Packs", "Outbox", "Formats", "$Control"})
        std::filesystem::create_directories(data + sub);
    writeFile(data + "Structure.dat", "uni=STD0001\r\ntext=Topics\r\nlev=0\r\ntype=1\r\n");
    writeFile(data + "pref.txt", "date=2\r\nfont=Sans\r\n");
    writeFile(data + "MainLog.txt", "01/06/2025 10:00:00  Nimbus Desk started\r\n");
    writeFile(data + "CheckList/5-2.lst", "chk=1\r\ntxt=Keep me\r\n");
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root.path()))
        if (uid != static_cast<uid_t>(-1))
            ::lchown(entry.path().c_str(), uid, gid);
    if (uid != static_cast<uid_t>(-1))
        ::chown(root.path().c_str(), uid, gid);
    const auto before = contentsOf(data);
    for (const auto &entry : std::filesystem::recursive_directory_iterator(data))
        if (entry.is_directory())
            ::chmod(entry.path().c_str(), 0500);
    ::chmod(data.c_str(), 0500);
    for (const auto &[path, bytes] : before)
        ::chmod(path.c_str(), 0400);

    ProgramUnderTest nimbus(root, home, uid, gid);
    ASSERT_TRUE(waitFor([&] { return nimbus.errors().find("started") != std::string::npos; }, 60s))
        << nimbus.errors();
    EXPECT_NE(nimbus.errors().find(kProblem + data), std::string::npos) << nimbus.errors();
    EXPECT_NE(nimbus.errors().find(std::strerror(EACCES)), std::string::npos) << nimbus.errors();
    EXPECT_EQ(nimbus.closeAndWait(), 0) << nimbus.errors();
    ::chmod(data.c_str(), 0700);
    EXPECT_EQ(contentsOf(data), before);
}

// The update installed end to end with the real programs: the check against a local HTTP
// server writes the install script, the real Spawner pauses and restarts, and the real
// program, when it is itself replaced, starts the script and closes orderly.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <mutex>
#include <sstream>

#include "ProgramSweep.h"
#include "ipc/Channels.h"
#include "ipc/PipeList.h"
#include "store/Clock.h"
#include "support/ChildProcess.h"
#include "support/SiteServer.h"
#include "support/TempFolder.h"
#include "update/CurlDownloader.h"
#include "update/ExecutableCloser.h"
#include "update/RegList.h"
#include "update/ScriptStarter.h"
#include "update/ShutdownFlag.h"
#include "update/SoftwareMonitor.h"
#include "update/UpdateView.h"

namespace {

using namespace std::chrono_literals;
using namespace nimbus;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::waitFor;
using nimbus::test::writeFile;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

Lines lines(const std::string &path)
{
    Lines found;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        found.push_back(line);
    }
    return found;
}

bool contains(const Lines &all, const std::string &line)
{
    return std::find(all.begin(), all.end(), line) != all.end();
}

// The log's event texts, without the date and time in front.
Lines logEvents(const std::string &path)
{
    Lines events;
    for (const std::string &line : lines(path))
        events.push_back(line.size() > 20 ? line.substr(20) : line);
    return events;
}

void writeExecutable(const std::string &path, const std::string &text)
{
    writeFile(path, text);
    ::chmod(path.c_str(), 0755);
}

// A shell script run in a process group of its own, ended as a whole when the test ends.
class ScriptRun {
public:
    ScriptRun(const std::string &script, const Lines &environment)
    {
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
        std::string sh = "/bin/sh", path = script;
        char *argv[] = {sh.data(), path.data(), nullptr};
        Lines env = environment;
        std::vector<char *> envp;
        for (std::string &e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        if (posix_spawn(&pid_, "/bin/sh", nullptr, &attributes, argv, envp.data()) != 0)
            pid_ = -1;
        posix_spawnattr_destroy(&attributes);
    }
    ~ScriptRun()
    {
        if (pid_ > 0) {
            ::kill(-pid_, SIGKILL);
            if (!ended_)
                ::waitpid(pid_, nullptr, 0);
        }
    }
    // True when the script ended within limit with exit status 0.
    bool endsWithin(std::chrono::milliseconds limit)
    {
        int status = 0;
        ended_ = waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, limit);
        return ended_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

class RecordingStarter : public update::ScriptStarter {
public:
    bool startScript(const std::string &path) override
    {
        started.push_back(path);
        return true;
    }
    Lines started;
};

class NoChannels : public update::ExecutableCloser {
public:
    bool closeExecutable(const std::string &, const std::string &) override { return false; }
};

// A temporary installation: the program folder with the real Spawner, a data folder, the
// site's folder with its server, and a folder for the marks the scripts leave.
class Installation : public ::testing::Test {
protected:
    Installation()
    {
        for (const std::string &folder : {program, data, site + "files/", marks})
            fs::create_directories(folder);
        fs::copy_file(SPAWNER_EXECUTABLE, program + "spawner");
    }
    ~Installation() override { test::killProgramsUnder(root.path()); }

    void offer(const std::string &application, const std::string &version)
    {
        fs::create_directories(site + "downloads/" + application);
        writeFile(site + "downloads/" + application + "/updatelist.txt",
                  "application=" + application + "\r\nversion=" + version +
                      "\r\nurl=" + server.address() + "/files/setup.sh\r\n");
    }

    TempFolder root;
    std::string program = root / "prog dir/";
    std::string data = root / "home/$Nimbus/";
    std::string site = root / "site/";
    std::string marks = root / "marks/";
    bool folders = fs::create_directories(site);
    test::SiteServer server{NIMBUS_PYTHON3, UPDATE_SERVER_SCRIPT, site};
};

TEST_F(Installation, ADueEntryWithANewerOfferInstallsThroughTheSpawner)
{
    ASSERT_FALSE(server.address().empty()) << "the test server did not start";
    // The setup notes its switches; the restarted program notes whether the setup ran first.
    writeFile(site + "files/setup.sh", "#!/bin/sh\necho \"$@\" > '" + marks + "setup'\n");
    writeExecutable(program + "nimbus", "#!/bin/sh\nif [ -f '" + marks +
                                            "setup' ]; then echo after setup; else echo "
                                            "before setup; fi > '" +
                                            marks + "restart'\n");
    offer("Nimbus", "2.1.0");

    FixedClock clock(DateTime::fromCivil(2026, 3, 10, 12, 0, 0));
    update::RegList reg(data, clock);
    update::RegProduct &entry = reg.add({.supplier = "Maker",
                                         .product = "Nimbus Desk",
                                         .application = "Nimbus",
                                         .version = "2.0.9",
                                         .installfolder = program,
                                         .autoupgrade = "Y",
                                         .status = "A"});
    update::CurlDownloader downloader;
    NoChannels closer;
    RecordingStarter starter;
    update::UpdateView view;
    update::ShutdownFlag shutdown;
    // The pause is the one setting the test shortens; the script writer reads it.
    const update::UpdateSettings settings{program,       program,          "nimbus",
                                          "Nimbus Desk", server.address(), 1};
    update::UpdateCheck check(reg, downloader, closer, starter, view, shutdown, settings);
    update::SoftwareMonitor monitor(reg, check, view, shutdown, program);

    EXPECT_EQ(monitor.RunMonitorPass(), update::PassOutcome::Completed);
    EXPECT_EQ(entry.errorcodes, "Up to date");
    EXPECT_EQ(entry.datelastchecked, "20260310");
    const Lines events = logEvents(reg.logPath);
    EXPECT_TRUE(contains(events, "Nimbus - Versions - update: 200100000 installed: 200090000"));
    EXPECT_TRUE(contains(events, "Nimbus - New version found - 2.1.0"));
    EXPECT_EQ(readFile(data + "Download/Setup.exe"), readFile(site + "files/setup.sh"));
    const std::string script = data + "Download/install.sh";
    ASSERT_EQ(starter.started, Lines{script});

    const Lines steps = lines(script);
    ASSERT_EQ(steps.size(), 5u);
    EXPECT_EQ(steps[2], "'" + program + "spawner' /d=1");

    ScriptRun run(script,
                  {"PATH=/usr/bin:/bin", "QT_QPA_PLATFORM=offscreen", "HOME=" + root.path()});
    ASSERT_TRUE(run.endsWithin(60s));
    EXPECT_EQ(readFile(marks + "setup"), "/w /s /v/qn /v/lx " + data + "InstallLog.txt\n");
    // The Spawner starts the program and ends without waiting for it.
    ASSERT_TRUE(waitFor([&] { return fs::exists(marks + "restart"); }, 30s));
    EXPECT_TRUE(waitFor([&] { return readFile(marks + "restart") == "after setup\n"; }, 10s));
}

// The served channel of another executable of the product, which must be asked to close.
class HelperChannel {
public:
    HelperChannel(const std::string &folder, const std::string &name) : pipes_(nullptr, folder)
    {
        created_ = !ipc::CreateServerChannel(pipes_, name, [this](const Lines &batch) {
            std::lock_guard<std::mutex> lock(mutex_);
            received_.insert(received_.end(), batch.begin(), batch.end());
        });
    }
    bool created() const { return created_; }
    Lines received()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

private:
    std::mutex mutex_;
    Lines received_;
    ipc::PipeList pipes_;
    bool created_ = false;
};

TEST_F(Installation, TheRunningProgramStartsTheScriptClosesOrderlyAndIsRestarted)
{
    ASSERT_FALSE(server.address().empty()) << "the test server did not start";
    const std::string home = root / "home/";
    const std::string channels = root / "channels/";
    fs::copy_file(NIMBUS_EXECUTABLE, program + "nimbus");
    if (fs::exists(NIMBUS_TEMPLATE))
        fs::copy_file(NIMBUS_TEMPLATE, program + "Structure.dat");
    // The setup replaces the program by one that leaves a mark when it is started.
    writeFile(site + "files/setup.sh",
              "#!/bin/sh\necho \"$@\" > '" + marks + "setup'\nrm -f '" + program +
                  "nimbus'\nprintf '#!/bin/sh\\necho restarted > \"%s\"\\n' '" + marks +
                  "restart' > '" + program + "nimbus'\nchmod 755 '" + program + "nimbus'\n");
    offer("Nimbus", "2.1.0");
    fs::create_directories(data);
    writeFile(data + "VersionReg.lst",
              "supplier=Maker\r\nproduct=Nimbus Desk\r\napplication=Nimbus\r\nversion=2.0.9\r\n"
              "installfolder=" +
                  program +
                  "\r\nautoupgrade=Y\r\nstatus=A\r\n"
                  "exec=helper\r\npipe=helperpipe\r\ncommand=close\r\n"
                  "exec=nimbus\r\npipe=nimbusslavemode\r\ncommand=close\r\n"
                  "supplier=Maker\r\nproduct=Later\r\napplication=Later\r\nversion=1.0\r\n"
                  "installfolder=" +
                  program + "\r\nautoupgrade=Y\r\nstatus=A\r\n");
    HelperChannel helper(channels, "helperpipe");
    ASSERT_TRUE(helper.created());

    test::ChildProcess nimbus(program + "nimbus", {},
                              {"HOMEDRIVE=" + home, "HOME=" + home, "QT_QPA_PLATFORM=offscreen",
                               "NIMBUS_CHANNEL_DIR=" + channels,
                               "NIMBUS_DOWNLOAD_SITE=" + server.address(),
                               "NIMBUS_UPDATE_PAUSE=1"});
    ASSERT_TRUE(nimbus.started());
    ASSERT_TRUE(nimbus.waitForExit(120s)) << readFile(data + "VersionReg.log");
    EXPECT_EQ(nimbus.exitCode(), 0);

    const Lines events = logEvents(data + "VersionReg.log");
    EXPECT_TRUE(contains(events, "Nimbus - New version found - 2.1.0"));
    EXPECT_TRUE(contains(events, "Closing helper on pipe helperpipe"));
    EXPECT_TRUE(contains(events, "Installing new version - Product=Nimbus Desk, Version=2.1.0, "
                                 "Dir=" +
                                     program));
    EXPECT_EQ(events.back(), "Shutting down");
    EXPECT_TRUE(waitFor([&] { return helper.received() == Lines{"close"}; }, 10s));
    // The entry after the program's own was not looked at: the program was closing.
    FixedClock clock;
    update::RegList saved(data, clock);
    ASSERT_TRUE(saved.Load(saved.registerPath, "L"));
    ASSERT_EQ(saved.entries.size(), 2u);
    EXPECT_EQ(saved.entries[0]->errorcodes, "Up to date");
    EXPECT_EQ(saved.entries[1]->url, "");
    EXPECT_EQ(saved.entries[1]->errorcodes, "");

    // Closed the normal way: the store was written (through its .tmp copy) and the log ends.
    EXPECT_TRUE(fs::exists(data + "Structure.tmp"));
    EXPECT_EQ(readFile(data + "Structure.dat"), readFile(data + "Structure.tmp"));
    const std::string mainLog = readFile(data + "MainLog.txt");
    EXPECT_NE(mainLog.find("closed\r\n"), std::string::npos) << mainLog;

    // The detached script pauses, runs the setup and restarts the program it installed.
    ASSERT_TRUE(waitFor([&] { return fs::exists(marks + "restart"); }, 60s));
    EXPECT_EQ(readFile(marks + "setup"), "/w /s /v/qn /v/lx " + data + "InstallLog.txt\n");
}

} // namespace

// The update check against a real HTTP server on 127.0.0.1 (tests/update/update_server.py):
// a newer offer is downloaded and installed through the script, older offers are up to date,
// and every faulty site ends in a recorded message.
#include "UpdateTestSupport.h"

#include <map>

#include "support/ChildProcess.h"
#include "support/RecordingProgress.h"
#include "support/SiteServer.h"

#include "update/CurlDownloader.h"
#include "update/DetachedScriptStarter.h"
#include "update/DownloadSecurity.h"
#include "update/InstallScript.h"
#include "update/ShutdownFlag.h"
#include "update/UpdateCheck.h"
#include "update/UpdateView.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace nimbus::update::test {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The test server, serving the files of one folder; stopped when the object goes.
class SiteServer : public nimbus::test::SiteServer {
public:
    explicit SiteServer(const std::string &folder)
        : nimbus::test::SiteServer(NIMBUS_PYTHON3, UPDATE_SERVER_SCRIPT, folder)
    {
    }
};

// A port on 127.0.0.1 on which nothing listens.
std::string closedAddress()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a);
    ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &length);
    ::close(s);
    return "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port));
}

using nimbus::test::ProgressReport;
using nimbus::test::RecordingProgress;

// Hands the reports of a display the view opened to one recording that outlives it.
class ForwardedProgress : public fileio::OperationProgress {
public:
    explicit ForwardedProgress(RecordingProgress &to) : to_(to) {}
    void report(std::int64_t done, std::int64_t total, const std::string &text) override
    {
        to_.report(done, total, text);
    }
    bool cancelled() const override { return to_.cancelled(); }

private:
    RecordingProgress &to_;
};

class RecordingView : public UpdateView {
public:
    void showWaitWindow(const std::string &text) override { texts.push_back("show " + text); }
    void finishWaitWindow(const std::string &text, int ms) override
    {
        texts.push_back("finish " + text + " " + std::to_string(ms));
    }
    std::unique_ptr<fileio::OperationProgress> startProgress(const std::string &title) override
    {
        progressTitles.push_back(title);
        return std::make_unique<ForwardedProgress>(download);
    }
    Lines texts;
    Lines progressTitles;
    RecordingProgress download;
};

// Presses Cancel once at least this many bytes have come in.
std::function<bool(const ProgressReport &)> stopAfterBytes(std::int64_t bytes)
{
    return [bytes](const ProgressReport &report) { return report.done >= bytes; };
}

class UpdateCheckEndToEnd : public ::testing::Test {
protected:
    UpdateCheckEndToEnd()
        : data(temp / "$Nimbus/"), install(temp / "prog dir/"), site(temp / "site/"),
          marks(temp / "marks/"), clock(DateTime::fromCivil(2026, 3, 10, 12, 0, 0)),
          reg(data, clock), server(site)
    {
        check.listLimits = {2000, 3000, 2, 64 * 1024, 5};
        check.setupLimits = {2000, 3000, 2, 1024 * 1024, 5};
    }

    void SetUp() override
    {
        ASSERT_FALSE(server.address().empty()) << "the test server did not start";
        // Stand-ins for the Spawner and the program: each leaves a trace in marks/.
        writeExecutable(install + "spawner",
                        "#!/bin/sh\n"
                        "case \"$1\" in\n"
                        "/d=*) echo \"pause $1\" >> '" + marks + "spawner' ;;\n"
                        "/E=*) v=\"${1#/E=}\"; v=\"${v#\\'}\"; v=\"${v%\\'}\";\n"
                        "      echo \"start $v\" >> '" + marks + "spawner'; /bin/sh -c \"$v\" ;;\n"
                        "esac\n");
        writeExecutable(install + "nimbus", "#!/bin/sh\necho restarted > '" + marks + "restart'\n");
        writeFile(site + "files/setup.sh", "#!/bin/sh\necho \"$@\" > '" + marks + "setup'\n");
    }

    static void writeExecutable(const std::string &path, const std::string &text)
    {
        writeFile(path, text);
        ::chmod(path.c_str(), 0755);
    }

    void offer(const std::string &path, const std::string &application,
               const std::string &version, const std::string &setupUrl)
    {
        fs::create_directories(fs::path(site + path).parent_path());
        writeFile(site + path, "application=" + application + "\r\nversion=" + version +
                                   "\r\ndate=20260301\r\nurl=" + setupUrl + "\r\n");
    }

    RegProduct &entry(const std::string &application, const std::string &version,
                      const std::string &url = "", std::vector<RegExec> execs = {})
    {
        RegProduct &e = reg.add({.supplier = "Maker", .product = application + " product",
                                 .application = application, .version = version,
                                 .installfolder = install, .url = url, .status = "A",
                                 .execs = std::move(execs)});
        reg.checkList.push_back(&e);
        return e;
    }

    Lines requestsFor(const std::string &path)
    {
        Lines found;
        for (const std::string &line : fileLines(site + "requests.log"))
            if (line.substr(0, line.find('\t')) == path)
                found.push_back(line);
        return found;
    }

    nimbus::test::TempFolder temp;
    std::string data, install, site, marks;
    bool made = fs::create_directories(data) && fs::create_directories(install) &&
                fs::create_directories(site + "files") && fs::create_directories(marks);
    FixedClock clock;
    RegList reg;
    SiteServer server;
    UpdateSettings settings{install, install, "nimbus", "Nimbus Desk", server.address()};
    CurlDownloader downloader;
    RecordingCloser closer{{"helperpipe"}};
    DetachedScriptStarter starter;
    RecordingView view;
    ShutdownFlag shutdown;
    UpdateCheck check{reg, downloader, closer, starter, view, shutdown, settings};
};

TEST_F(UpdateCheckEndToEnd, NewerOfferOfTheRunningProgramInstallsAndShutsDown)
{
    offer("downloads/Nimbus/updatelist.txt", "nimbus", "2.1.0", server.address() + "/files/setup.sh");
    RegProduct &nimbus = entry("Nimbus", "2.0.9", "",
                               {{"helper", "helperpipe", "close"},
                                {"NIMBUS", "nimbus_active", "close"},
                                {"viewer", "viewerpipe", "close"}});
    RegProduct &later = entry("Later", "1.0");
    reg.showProgress = true;

    EXPECT_EQ(check.CheckForUpdates(), PassOutcome::ShutDownForUpdate);
    EXPECT_TRUE(shutdown.isSet());
    EXPECT_EQ(view.texts, (Lines{"show Checking for updates - please wait ...",
                                 "finish Update found.  Nimbus Desk will now close down and "
                                 "restart shortly. 5000"}));
    EXPECT_EQ(closer.asked, (Lines{"helperpipe close", "viewerpipe close"}));
    EXPECT_EQ(logEvents(reg),
              (Lines{"Nimbus - Versions - update: 200100000 installed: 200090000",
                     "Nimbus - New version found - 2.1.0", "Nimbus - Up to date",
                     "Closing helper on pipe helperpipe",
                     "Installing new version - Product=Nimbus product, Version=2.1.0, Dir=" +
                         install,
                     "Shutting down"}));
    EXPECT_EQ(nimbus.errorcodes, "Up to date");
    EXPECT_EQ(nimbus.url, server.address() + "/downloads/Nimbus/updatelist.txt");
    EXPECT_NE(readFile(reg.registerPath).find("url=" + nimbus.url + "\r\n"), std::string::npos);
    EXPECT_TRUE(later.errorcodes.empty()); // not looked at: the program is closing
    EXPECT_TRUE(later.url.empty());

    const std::string setup = data + "Download/Setup.exe";
    EXPECT_EQ(readFile(setup), readFile(site + "files/setup.sh"));
    EXPECT_EQ(::access(setup.c_str(), X_OK), 0);
    std::string script;
    for (const std::string &line : installScriptLines({"Nimbus", install, data, setup, "nimbus"}))
        script += line + "\n";
    EXPECT_EQ(readFile(data + "Download/install.sh"), script);

    // The script runs on its own: pause, setup with its switches, restart through the Spawner.
    ASSERT_TRUE(nimbus::test::waitFor([&] { return fs::exists(marks + "restart"); }, 20s));
    EXPECT_EQ(readFile(marks + "setup"), "/w /s /v/qn /v/lx " + data + "InstallLog.txt\n");
    EXPECT_EQ(fileLines(marks + "spawner"),
              (Lines{"pause /d=20", "start '" + install + "nimbus'"}));

    const Lines requests = requestsFor("/downloads/Nimbus/updatelist.txt");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(requests[0].find('\t') + 1),
              "Mozilla/3.0 (compatible; Indy Library)\ttext/html, */*");
}

TEST_F(UpdateCheckEndToEnd, OtherProductsInstallWhileThePassGoesOnAndOlderOffersAreUpToDate)
{
    offer("downloads/Tool/updatelist.txt", "Tool", "1.1", server.address() + "/files/setup.sh");
    offer("custom/list.txt", "NIMBUS", "1.10", server.address() + "/files/setup.sh");
    RegProduct &tool = entry("Tool", "1.0", "", {{"tool", "toolpipe", "close"}});
    RegProduct &nimbus = entry("Nimbus", "2.0", server.address() + "/custom/list.txt");
    reg.showProgress = true;

    EXPECT_EQ(check.CheckForUpdates(), PassOutcome::Completed);
    EXPECT_FALSE(shutdown.isSet());
    EXPECT_TRUE(reg.checkList.empty());
    EXPECT_EQ(tool.errorcodes, "Up to date");
    EXPECT_EQ(nimbus.errorcodes, "Up to date");
    EXPECT_EQ(requestsFor("/custom/list.txt").size(), 1u); // a stored address is used as it is
    const Lines events = logEvents(reg);
    EXPECT_EQ((Lines(events.end() - 2, events.end())),
              (Lines{"Nimbus - Versions - update: 101000000 installed: 200000000",
                     "Nimbus - Up to date"}));
    EXPECT_EQ(view.texts.back(), "finish No updates found 1000");
    EXPECT_TRUE(nimbus::test::waitFor([&] { return fs::exists(marks + "restart"); }, 20s));
}

// A site reached over https: its update lists come from memory, and every setup asked for is
// noted (and never served).
class HttpsSite : public Downloader {
public:
    DownloadResult getToMemory(const std::string &url, const DownloadLimits &,
                               std::string &body) override
    {
        const auto found = lists.find(url);
        if (found == lists.end())
            return {DownloadResult::TransferFailed, "not found"};
        body = found->second;
        return {DownloadResult::Ok, ""};
    }
    DownloadResult getToFile(const std::string &url, const DownloadLimits &, const std::string &,
                             unsigned) override
    {
        setups.push_back(url);
        return {DownloadResult::TransferFailed, "not served here"};
    }
    std::map<std::string, std::string> lists;
    Lines setups;
};

// An update list that came over https may not send the setup download to http; a list
// fetched over http may name either. Redirects from https keep to https.
TEST_F(UpdateCheckEndToEnd, HttpsIsNeverGivenUpForTheSetup)
{
    HttpsSite https;
    const auto list = [](const std::string &application, const std::string &setup) {
        return "application=" + application + "\r\nversion=9.0\r\nurl=" + setup + "\r\n";
    };
    https.lists["https://maker.example/a/updatelist.txt"] = list("A", "http://maker.example/a.sh");
    https.lists["HTTPS://maker.example/b/updatelist.txt"] = list("B", "https://maker.example/b.sh");
    https.lists["http://maker.example/c/updatelist.txt"] = list("C", "http://maker.example/c.sh");
    RegProduct &downgraded = entry("A", "1.0", "https://maker.example/a/updatelist.txt");
    entry("B", "1.0", "HTTPS://maker.example/b/updatelist.txt");
    entry("C", "1.0", "http://maker.example/c/updatelist.txt");
    UpdateCheck pass{reg, https, closer, starter, view, shutdown, settings};
    EXPECT_EQ(pass.CheckForUpdates(), PassOutcome::Completed);
    EXPECT_EQ(downgraded.errorcodes,
              "*** Setup refused, not on https like the update list: http://maker.example/a.sh");
    EXPECT_EQ(https.setups,
              (Lines{"https://maker.example/b.sh", "http://maker.example/c.sh"}));
    const Lines events = logEvents(reg);
    EXPECT_NE(std::find(events.begin(), events.end(), "A - " + downgraded.errorcodes),
              events.end());

    EXPECT_STREQ(RedirectSchemesFor("https://maker.example/x"), "https");
    EXPECT_STREQ(RedirectSchemesFor("Https://maker.example/x"), "https");
    EXPECT_STREQ(RedirectSchemesFor("http://maker.example/x"), "http,https");
    EXPECT_FALSE(IsDowngrade("http://a/list", "http://a/setup"));
    EXPECT_FALSE(IsDowngrade("https://a/list", "https://b/setup"));
    EXPECT_TRUE(IsDowngrade("https://a/list", "ftp://a/setup"));
    EXPECT_TRUE(IsDowngrade("https://a/list", "httpsx://a/setup"));
}

TEST_F(UpdateCheckEndToEnd, FaultySitesEndInARecordedMessage)
{
    const std::string site_ = server.address();
    offer("mismatch.txt", "Other", "9.0", site_ + "/files/setup.sh");
    offer("nosetup.txt", "Nosetup", "9.0", site_ + "/files/missing.exe");
    offer("hugesetup.txt", "Hugesetup", "9.0", site_ + "/huge");
    offer("loopsetup.txt", "Loopsetup", "9.0", site_ + "/loop");
    offer("filesetup.txt", "Filesetup", "9.0", "file:///bin/sh");
    fs::create_directories(data + "Download");
    writeFile(data + "Download/Setup.exe", "an older setup");

    RegProduct &noServer = entry("NoServer", "1.0", closedAddress() + "/list.txt");
    RegProduct &loop = entry("Loop", "1.0", site_ + "/loop");
    RegProduct &huge = entry("Huge", "1.0", site_ + "/huge");
    RegProduct &stall = entry("Stall", "1.0", site_ + "/stall");
    RegProduct &missing = entry("Missing", "1.0", site_ + "/nothing-here.txt");
    RegProduct &mismatch = entry("Mine", "1.0", site_ + "/mismatch.txt");
    RegProduct &noSetup = entry("Nosetup", "1.0", site_ + "/nosetup.txt");
    RegProduct &hugeSetup = entry("Hugesetup", "1.0", site_ + "/hugesetup.txt");
    RegProduct &loopSetup = entry("Loopsetup", "1.0", site_ + "/loopsetup.txt");
    RegProduct &fileSetup = entry("Filesetup", "1.0", site_ + "/filesetup.txt");

    EXPECT_EQ(check.CheckForUpdates(), PassOutcome::Completed);
    for (RegProduct *e : {&noServer, &loop, &huge, &stall, &missing})
        EXPECT_EQ(e->errorcodes, "*** Unable to connect") << e->application;
    EXPECT_EQ(mismatch.errorcodes, "*** Application does not match: Other");
    EXPECT_EQ(noSetup.errorcodes, "Unable to connect to: " + site_ + "/files/missing.exe");
    EXPECT_EQ(hugeSetup.errorcodes, "Unable to connect to: " + site_ + "/huge");
    EXPECT_EQ(loopSetup.errorcodes, "Unable to connect to: " + site_ + "/loop");
    EXPECT_EQ(fileSetup.errorcodes, "Unable to connect to: file:///bin/sh");

    // Every message is in the log too, after the entry's application.
    const Lines events = logEvents(reg);
    for (const auto &e : reg.entries)
        EXPECT_NE(std::find(events.begin(), events.end(), e->application + " - " + e->errorcodes),
                  events.end())
            << e->application;
    // No setup, whole or partial, is left for a script to run, and no script was written.
    std::vector<std::string> left;
    for (const auto &item : fs::directory_iterator(data + "Download"))
        left.push_back(item.path().filename());
    EXPECT_TRUE(left.empty()) << left.front();
    EXPECT_FALSE(fs::exists(marks + "setup"));
}

} // namespace
} // namespace nimbus::update::test

namespace nimbus::update::test {
namespace {

TEST_F(UpdateCheckEndToEnd, DownloadReportsItsBytesAndACancelLeavesTheTargetAsItWas)
{
    const std::string target = temp / "Download/Setup.exe";
    fs::create_directories(temp / "Download");
    writeFile(target, "an older setup");

    RecordingProgress whole;
    const DownloadResult done = downloader.getToFile(server.address() + "/files/setup.sh",
                                                     check.setupLimits, target, 0700, whole);
    ASSERT_TRUE(done.ok()) << done.errorText;
    const auto size = static_cast<std::int64_t>(readFile(target).size());
    EXPECT_TRUE(whole.countsUp());
    ASSERT_FALSE(whole.reports.empty());
    EXPECT_EQ(whole.reports.back().done, size);
    EXPECT_EQ(whole.reports.back().total, size);
    EXPECT_EQ(whole.reports.back().text, "Downloading Setup.exe");

    writeFile(target, "an older setup");
    RecordingProgress stopped;
    stopped.stopWhen = stopAfterBytes(64 * 1024);
    const DownloadResult cancelled = downloader.getToFile(server.address() + "/huge",
                                                          check.setupLimits, target, 0700, stopped);
    EXPECT_EQ(cancelled.status, DownloadResult::Cancelled) << cancelled.errorText;
    EXPECT_TRUE(stopped.countsUp());
    EXPECT_EQ(readFile(target), "an older setup");
    EXPECT_EQ(nimbus::test::allFilesIn(temp / "Download"), Lines{"Setup.exe"})
        << "no temporary file is left";
}

TEST_F(UpdateCheckEndToEnd, CancelledSetupDownloadInstallsNothingAndEndsThePass)
{
    const std::string site_ = server.address();
    offer("hugesetup.txt", "Hugesetup", "9.0", site_ + "/huge");
    offer("later.txt", "Later", "9.0", site_ + "/files/setup.sh");
    RegProduct &huge = entry("Hugesetup", "1.0", site_ + "/hugesetup.txt");
    RegProduct &later = entry("Later", "1.0", site_ + "/later.txt");
    view.download.stopWhen = stopAfterBytes(64 * 1024);
    reg.showProgress = true;

    EXPECT_EQ(check.CheckForUpdates(), PassOutcome::Completed);
    EXPECT_EQ(huge.errorcodes, UpdateCheck::kDownloadCancelled);
    EXPECT_TRUE(later.errorcodes.empty()) << "the pass ends at the cancel";
    EXPECT_TRUE(requestsFor("/later.txt").empty());
    EXPECT_TRUE(reg.checkList.empty());
    EXPECT_EQ(view.progressTitles, Lines{"Update of Hugesetup"});
    EXPECT_EQ(view.texts, (Lines{"show " + std::string(UpdateCheck::kCheckingText),
                                 "finish Update cancelled 1000"}));
    const Lines events = logEvents(reg);
    EXPECT_NE(std::find(events.begin(), events.end(), "Hugesetup - Update download cancelled"),
              events.end());
    for (const std::string &event : events)
        EXPECT_EQ(event.find("***"), std::string::npos) << event;
    EXPECT_TRUE(nimbus::test::allFilesIn(data + "Download").empty());
    EXPECT_FALSE(fs::exists(check.scriptPath()));
    EXPECT_FALSE(shutdown.isSet());
}

} // namespace
} // namespace nimbus::update::test

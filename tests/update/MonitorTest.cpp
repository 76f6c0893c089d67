// The software monitor: registration files into register entries, superseded and removed
// versions, instances, refused values, and which entries are due for a check.
#include "UpdateTestSupport.h"

#include "update/CheckDue.h"
#include "update/ScriptStarter.h"
#include "update/ShutdownFlag.h"
#include "update/SoftwareMonitor.h"
#include "update/UpdateView.h"

#include <filesystem>

namespace nimbus::update::test {
namespace {

class NoScripts : public ScriptStarter {
public:
    bool startScript(const std::string &) override { return false; }
};

class MonitorTest : public RegisterTest {
protected:
    MonitorTest()
        : check(reg, site, closer, scripts, view, shutdown,
                UpdateSettings{program.path(), program.path(), "nimbus", "Nimbus Desk",
                               "http://127.0.0.1:9"}),
          monitor(reg, check, view, shutdown, program.path())
    {
        std::filesystem::create_directory(program / "one");
        std::filesystem::create_directory(program / "two");
    }

    // A registration file for a product installed in program/folder.
    void announce(const std::string &file, const std::string &product, const std::string &version,
                  const std::string &folder = "one/", const std::string &extra = "")
    {
        writeFile(data / file, "supplier=Maker\r\nproduct=" + product + "\r\nversion=" + version +
                                   "\r\ninstallfolder=" + program / folder + "\r\n" + extra);
    }

    RegProduct *find(const std::string &product, const std::string &version)
    {
        for (auto &e : reg.entries)
            if (e->product == product && e->version == version)
                return e.get();
        return nullptr;
    }

    TempFolder program;
    UnreachableSite site;
    RecordingCloser closer;
    NoScripts scripts;
    UpdateView view;
    ShutdownFlag shutdown;
    UpdateCheck check;
    SoftwareMonitor monitor;
};

TEST_F(MonitorTest, FirstRegistrationMakesAnActiveEntryWithItsFolders)
{
    announce("setup.pre", "Tool", "1.0");
    EXPECT_EQ(monitor.RunMonitorPass(), PassOutcome::Completed);

    ASSERT_EQ(reg.entries.size(), 1u);
    const RegProduct &e = *reg.entries[0];
    EXPECT_EQ(e.instance, "1");
    EXPECT_EQ(e.status, "A");
    EXPECT_EQ(e.dateinstalled, "20260310");
    EXPECT_EQ(e.versionfolder, data / "Tool_1/1.0/");
    EXPECT_TRUE(std::filesystem::is_directory(data / "Tool_1/1.0"));
    EXPECT_EQ(fileLines(data / "Tool_1/History.lst"),
              (Lines{"10/03/2026 12:00:00 New version: 1.0"}));
    EXPECT_FALSE(std::filesystem::exists(data / "setup.pre"));
    EXPECT_TRUE(reg.newList.empty());
    EXPECT_EQ(logEvents(reg),
              (Lines{"New file found - " + data / "setup.pre",
                     "Registration file found - " + data / "setup.pre",
                     "Supplier=Maker, Product=Tool, Version=1.0, Dir=" + program / "one/",
                     "Version accepted OK"}));
    RegList saved(data.path(), clock);
    saved.Load(saved.registerPath, "L");
    ASSERT_EQ(saved.entries.size(), 1u);
    EXPECT_EQ(*saved.entries[0], e);
}

TEST_F(MonitorTest, HigherVersionSupersedesAndLowerOneMarksTheHigherReregistered)
{
    announce("a.pre", "Tool", "1.5");
    monitor.RunMonitorPass();
    reg.entries[0]->errorcodes = "Up to date";
    announce("b.pre", "Tool", "2.0");
    monitor.RunMonitorPass();
    EXPECT_EQ(find("Tool", "1.5")->status, "S");
    EXPECT_EQ(find("Tool", "1.5")->errorcodes, "");
    EXPECT_EQ(find("Tool", "2.0")->status, "A");

    announce("c.pre", "Tool", "1.5");
    monitor.RunMonitorPass();
    EXPECT_EQ(find("Tool", "2.0")->status, "R");
    ASSERT_EQ(reg.entries.size(), 3u);
    EXPECT_EQ(reg.entries[2]->status, "A");
    EXPECT_EQ(reg.entries[2]->instance, "1");
    EXPECT_EQ(fileLines(data / "Tool_1/History.lst").size(), 3u);
}

TEST_F(MonitorTest, SecondFolderGetsTheNextInstanceAndARepeatIsRefused)
{
    announce("a.pre", "Tool", "1.0", "one/");
    announce("b.pre", "Tool", "1.0", "two/");
    monitor.RunMonitorPass();
    ASSERT_EQ(reg.entries.size(), 2u);
    EXPECT_EQ(reg.entries[1]->instance, "2");
    EXPECT_TRUE(std::filesystem::is_directory(data / "Tool_2/1.0"));

    announce("c.pre", "Tool", "1.0", "two/");
    monitor.RunMonitorPass();
    EXPECT_EQ(reg.entries.size(), 2u);
    const Lines events = logEvents(reg);
    EXPECT_EQ((Lines(events.end() - 2, events.end())),
              (Lines{"Already installed", "Version ignored due to errors"}));
    EXPECT_FALSE(std::filesystem::exists(data / "c.pre"));
}

TEST_F(MonitorTest, FileWithoutKnownKeysIsDeletedAndMissingValuesAreReported)
{
    writeFile(data / "junk.pre", "colour=blue\r\n");
    writeFile(data / "poor.pre", "supplier=\r\nversion=1\r\ninstallfolder=/no/such/folder/\r\n");
    writeFile(data / "big.pre", "supplier=Maker\r\nproduct=" + std::string(100'000, 'x') + "\r\n");
    monitor.RunMonitorPass();
    EXPECT_TRUE(reg.entries.empty());
    EXPECT_EQ(logEvents(reg)[1], "No valid data found - file deleted - " + data / "big.pre");
    EXPECT_FALSE(std::filesystem::exists(data / "big.pre"));
    EXPECT_FALSE(std::filesystem::exists(data / "junk.pre"));
    EXPECT_FALSE(std::filesystem::exists(data / "poor.pre"));
    const Lines events = logEvents(reg);
    EXPECT_EQ(events[3], "No valid data found - file deleted - " + data / "junk.pre");
    EXPECT_EQ((Lines(events.end() - 4, events.end())),
              (Lines{"Invalid supplier", "Invalid product", "Invalid installation folder name",
                     "Version ignored due to errors"}));
}

TEST_F(MonitorTest, EmptyInstallFolderMeansTheProgramFolder)
{
    writeFile(data / "a.pre", "supplier=Maker\r\nproduct=Tool\r\nversion=1\r\n");
    monitor.RunMonitorPass();
    ASSERT_EQ(reg.entries.size(), 1u);
    EXPECT_EQ(reg.entries[0]->installfolder, program.path());
}

TEST_F(MonitorTest, ValuesThatWouldLeaveTheDataFolderAreRefused)
{
    announce("1.pre", "../../escape", "1.0");
    announce("2.pre", "Tool", "..");
    announce("3.pre", "Tool", "1.0/../../../escape");
    monitor.RunMonitorPass();
    EXPECT_TRUE(reg.entries.empty());
    const Lines events = logEvents(reg);
    EXPECT_EQ(std::count(events.begin(), events.end(), "Version ignored due to errors"), 3);
    EXPECT_FALSE(std::filesystem::exists(data.path() + "../../escape_1"));

    // A hand-edited register whose instance text is a path.
    RegProduct &edited = reg.add({.supplier = "Maker", .product = "Tool", .version = "0.9",
                                  .installfolder = program / "one/", .instance = "1/../../x",
                                  .status = "A"});
    announce("4.pre", "Tool", "1.0");
    monitor.RunMonitorPass();
    EXPECT_EQ(reg.entries.size(), 1u);
    EXPECT_EQ(edited.status, "A"); // refused before anything was changed
    EXPECT_EQ(logEvents(reg).back(), "Version ignored due to errors");
    std::vector<std::string> made;
    for (const auto &item : std::filesystem::directory_iterator(data.path()))
        made.push_back(item.path().filename());
    for (const auto &name : made)
        EXPECT_EQ(name.find("Tool"), std::string::npos) << name;
}

TEST(CheckDue, MonthsWeeksDaysAndDatesThatDoNotExist)
{
    const auto day = [](int y, int m, int d) { return DateTime::fromCivil(y, m, d, 9, 30); };
    EXPECT_FALSE(IsCheckDue("20260115", "M", "1", day(2026, 2, 14)));
    EXPECT_TRUE(IsCheckDue("20260115", "M", "1", day(2026, 2, 15)));
    EXPECT_FALSE(IsCheckDue("20260115", "W", "2", day(2026, 1, 28)));
    EXPECT_TRUE(IsCheckDue("20260115", "W", "2", day(2026, 1, 29)));
    EXPECT_TRUE(IsCheckDue("20260131", "M", "1", day(2026, 1, 31))); // 31 February
    EXPECT_TRUE(IsCheckDue("20251215", "M", "1", day(2026, 1, 15)));   // into the next year
    EXPECT_FALSE(IsCheckDue("20251215", "M", "13", day(2026, 12, 31)));
    EXPECT_TRUE(IsCheckDue("20260110", "D", "x", day(2026, 1, 11)));    // not a number: 1
    EXPECT_FALSE(IsCheckDue("20260110", "D", "99999999999", day(2100, 1, 1)));
    EXPECT_TRUE(IsCheckDue("20260110", "D", "99999999999999999999", day(2026, 1, 11))); // as 1
    EXPECT_FALSE(IsCheckDue("2026011", "D", "1", day(2030, 1, 1)));
}

TEST_F(MonitorTest, DueEntriesAreCheckedAndDatedToday)
{
    reg.add({.supplier = "M", .product = "Never", .application = "never", .version = "1",
             .installfolder = program / "one/", .autoupgrade = "N", .status = "A"});
    RegProduct &fresh = reg.add({.supplier = "M", .product = "Fresh", .application = "fresh",
                                 .version = "1", .installfolder = program / "one/",
                                 .autoupgrade = "Y", .status = "A"});
    RegProduct &recent = reg.add({.supplier = "M", .product = "Recent", .application = "recent",
                                  .version = "1", .installfolder = program / "one/",
                                  .autoupgrade = "Y", .checkperiod = "W", .checknumber = "1",
                                  .status = "A", .datelastchecked = "20260305"});
    RegProduct &gone = reg.add({.supplier = "M", .product = "Gone", .version = "1",
                                .installfolder = program / "missing/", .autoupgrade = "Y",
                                .status = "A"});

    EXPECT_EQ(monitor.RunMonitorPass(), PassOutcome::Completed);
    EXPECT_EQ(site.requested, (Lines{"http://127.0.0.1:9/downloads/fresh/updatelist.txt"}));
    EXPECT_EQ(fresh.datelastchecked, "20260310");
    EXPECT_EQ(fresh.errorcodes, "*** Unable to connect");
    EXPECT_EQ(recent.errorcodes, "");
    EXPECT_EQ(gone.status, "D");
    EXPECT_TRUE(reg.checkList.empty());

    // The button makes every auto-upgrade entry due, but never one without auto-upgrade.
    site.requested.clear();
    EXPECT_EQ(monitor.CheckVersionNow(), PassOutcome::Completed);
    EXPECT_EQ(site.requested, (Lines{"http://127.0.0.1:9/downloads/fresh/updatelist.txt",
                                     "http://127.0.0.1:9/downloads/recent/updatelist.txt"}));
    EXPECT_FALSE(monitor.forceCheck);
}

TEST_F(MonitorTest, SkippedRunRecordsDueEntriesWithoutChecking)
{
    RegProduct &entry = reg.add({.supplier = "M", .product = "Tool", .application = "tool",
                                 .version = "1", .installfolder = program / "one/",
                                 .autoupgrade = "Y", .status = "A", .errorcodes = "old"});
    monitor.skipUpdateThisRun = true;
    monitor.RunMonitorPass();
    EXPECT_TRUE(site.requested.empty());
    EXPECT_EQ(entry.datelastchecked, "20260310");
    EXPECT_EQ(entry.errorcodes, "");
    EXPECT_TRUE(reg.checkList.empty());
}

TEST_F(MonitorTest, ErroneousLastRegistrationHoldsTheCheckBack)
{
    reg.add({.supplier = "M", .product = "Tool", .application = "tool", .version = "1",
             .installfolder = program / "one/", .autoupgrade = "Y", .status = "A"});
    announce("z.pre", "Other", "");
    monitor.RunMonitorPass();
    EXPECT_TRUE(site.requested.empty());
    monitor.RunMonitorPass();
    EXPECT_EQ(site.requested.size(), 1u);
}

TEST_F(MonitorTest, NothingHappensOnceTheProgramIsShuttingDown)
{
    announce("a.pre", "Tool", "1.0");
    shutdown.set();
    EXPECT_EQ(monitor.RunMonitorPass(), PassOutcome::Stopped);
    EXPECT_TRUE(std::filesystem::exists(data / "a.pre"));
}

} // namespace
} // namespace nimbus::update::test

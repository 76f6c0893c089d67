// The register file: reading entries and executables, writing all keys in order, the log and
// the software list rows.
#include "UpdateTestSupport.h"

#include "fileio/Versions.h"
#include "update/SoftwareList.h"

namespace nimbus::update::test {
namespace {

using RegListTest = RegisterTest;

TEST_F(RegListTest, ReadsEntriesWithTheirExecutablesAndSkipsWhatComesFirst)
{
    writeFile(reg.registerPath, "product=before any entry\r\npipe=nowhere\r\n"
                                "supplier=A\r\nproduct=P\r\nexec=x\r\npipe=p\r\ncommand=close\r\n"
                                "unknown=1\r\nsupplier=B\r\npipe=dropped\r\n");
    ASSERT_TRUE(reg.Load(reg.registerPath, "L"));
    ASSERT_EQ(reg.entries.size(), 2u);
    EXPECT_EQ(reg.entries[0]->supplier, "A");
    EXPECT_EQ(reg.entries[0]->product, "P");
    EXPECT_EQ(reg.entries[0]->execs, (std::vector<RegExec>{{"x", "p", "close"}}));
    EXPECT_EQ(reg.entries[1]->supplier, "B");
    EXPECT_TRUE(reg.entries[1]->execs.empty());
    EXPECT_TRUE(reg.entries[1]->product.empty());
}

TEST_F(RegListTest, KeysInCapitalsAndInProgressInAnyCase)
{
    writeFile(reg.registerPath, "SUPPLIER=A\r\nErrorCodes=In PROGRESS\r\nSupplier=B\r\n"
                                "errorcodes=*** Unable to connect\r\nsupplier=C\r\n"
                                "errorcodes=in progress!\r\n");
    ASSERT_TRUE(reg.Load(reg.registerPath, "L"));
    ASSERT_EQ(reg.entries.size(), 3u);
    EXPECT_EQ(reg.entries[0]->errorcodes, "");
    EXPECT_EQ(reg.entries[1]->errorcodes, "*** Unable to connect");
    EXPECT_EQ(reg.entries[2]->errorcodes, "in progress!");
}

TEST_F(RegListTest, NothingKnownOrNoFileReadsAsEmpty)
{
    EXPECT_FALSE(reg.Load(reg.registerPath, "L"));
    writeFile(reg.registerPath, "colour=blue\r\n");
    EXPECT_FALSE(reg.Load(reg.registerPath, "L"));
    RegProduct target;
    writeFile(data / "x.pre", "nothing=here\r\n");
    EXPECT_FALSE(reg.Load(data / "x.pre", "S", &target));
    EXPECT_TRUE(reg.entries.empty());
}

TEST_F(RegListTest, SingleEntryKindReadsEveryKeyIntoTheTarget)
{
    writeFile(data / "a.pre", "product=P\r\nsupplier=S1\r\nsupplier=S2\r\nexec=e\r\npipe=p\r\n");
    RegProduct target;
    ASSERT_TRUE(reg.Load(data / "a.pre", "S", &target));
    EXPECT_EQ(target.product, "P");
    EXPECT_EQ(target.supplier, "S2");
    EXPECT_EQ(target.execs, (std::vector<RegExec>{{"e", "p", ""}}));
    EXPECT_TRUE(reg.entries.empty());
}

TEST_F(RegListTest, SaveWritesAllKeysInOrderAndLoadGivesTheSameEntriesBack)
{
    RegProduct a;
    a.supplier = "Maker";
    a.product = "Nimbus Desk";
    a.application = "Nimbus";
    a.version = "2.0.9";
    a.installfolder = "/opt/nimbus/";
    a.autoupgrade = "Y";
    a.checkperiod = "M";
    a.checknumber = "1";
    a.status = "A";
    a.errorcodes = "Up to date";
    a.execs = {{"nimbus", "nimbus_active", "close"}, {"helper", "helperpipe", "quit=now"}};
    RegProduct b;
    b.supplier = "Other";
    b.checkresult = "kept";
    reg.add(a);
    reg.add(b);
    ASSERT_TRUE(reg.Save());

    const Lines lines = fileLines(reg.registerPath);
    ASSERT_EQ(lines.size(), 18u + 6u + 18u);
    EXPECT_EQ(lines[0], "supplier=Maker");
    EXPECT_EQ(lines[7], "url=");
    EXPECT_EQ(lines[15], "errorcodes=Up to date");
    EXPECT_EQ(lines[17], "checkresult=");
    EXPECT_EQ((Lines(lines.begin() + 18, lines.begin() + 24)),
              (Lines{"exec=nimbus", "pipe=nimbus_active", "command=close", "exec=helper",
                     "pipe=helperpipe", "command=quit=now"}));
    EXPECT_EQ(lines[24], "supplier=Other");
    EXPECT_EQ(readFile(reg.registerPath).substr(0, 16), "supplier=Maker\r\n");

    RegList again(data.path(), clock);
    ASSERT_TRUE(again.Load(again.registerPath, "L"));
    ASSERT_EQ(again.entries.size(), 2u);
    EXPECT_EQ(*again.entries[0], a);
    EXPECT_EQ(*again.entries[1], b);
}

TEST_F(RegListTest, ALargeRegisterIsReadWhole)
{
    for (int i = 0; i < 3000; ++i)
        reg.add(RegProduct{.supplier = std::to_string(i)});
    ASSERT_TRUE(reg.Save());
    RegList again(data.path(), clock);
    again.Load(again.registerPath, "L");
    ASSERT_EQ(again.entries.size(), 3000u);
    EXPECT_EQ(again.entries.back()->supplier, "2999");
}

TEST_F(RegListTest, EachSaveKeepsAtMostFiveOldVersions)
{
    reg.add(RegProduct{.supplier = "A"});
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(reg.Save());
    std::vector<std::string> versions;
    fileio::listVersionFiles(reg.registerPath, versions);
    EXPECT_EQ(versions.size(), 5u);
}

TEST_F(RegListTest, RecordResultLogsInTheUserDateOrderAndSaves)
{
    RegProduct &entry = reg.add(RegProduct{.supplier = "A", .application = "App"});
    reg.RecordResult(entry, "Up to date");
    reg.dateOrder = 2;
    reg.Log("Shutting down");
    EXPECT_EQ(fileLines(reg.logPath),
              (Lines{"10/03/2026 12:00:00 App - Up to date", "2026/03/10 12:00:00 Shutting down"}));
    EXPECT_EQ(entry.errorcodes, "Up to date");
    EXPECT_NE(readFile(reg.registerPath).find("errorcodes=Up to date\r\n"), std::string::npos);
}

TEST_F(RegListTest, SoftwareListShowsEntriesWithAStatusOnly)
{
    reg.add({.product = "Active one", .version = "2.0", .dateinstalled = "20260301",
             .status = "A", .errorcodes = "Up to date", .datelastchecked = "20260310"});
    reg.add({.product = "Hidden", .status = ""});
    RegProduct &old = reg.add({.product = "Old one", .status = "S", .errorcodes = "stale"});
    reg.add({.product = "Gone", .status = "D"});
    reg.add({.product = "Again", .status = "R"});
    reg.dateOrder = 1;

    const std::vector<SoftwareRow> rows = Display(reg);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].columns(), (std::array<std::string, 6>{"Active one", "2.0", "Active",
                                                             "03/01/2026", "03/10/2026",
                                                             "Up to date"}));
    EXPECT_EQ(rows[1].status, "Old");
    EXPECT_EQ(rows[1].installed, "");
    EXPECT_EQ(rows[1].message, "");
    EXPECT_EQ(old.errorcodes, "");
    EXPECT_EQ(rows[2].status, "Removed");
    EXPECT_EQ(rows[3].status, "");
}

} // namespace
} // namespace nimbus::update::test

// Add-on packs: a new pack, the same pack again, topics under an existing parent or section,
// "Addons.dat", and moving content files with a name prefix.
#include <gtest/gtest.h>

#include "SharingTestSupport.h"
#include "fileio/FolderOps.h"
#include "sharing/AddonInstaller.h"
#include "sharing/AddonMerge.h"
#include "sharing/ContentImport.h"
#include "sharing/TAddonList.h"
#include "support/RecordingProgress.h"

namespace nimbus::test {
namespace {

class Addons : public ::testing::Test {
protected:
    Addons()
        : clock(DateTime::fromCivil(2024, 3, 10, 9, 30, 0)),
          paths(SharingPaths::inDataFolder(root / "data/", root / "install/")),
          installer(paths, gate, clock, log)
    {
        makeFolders(paths.DataFolder);
        std::filesystem::create_directories(paths.InstallFolder);
        store.SetUniqueFileName(paths.DataFolder + "StructUnique.dat");
        addNode(store, "STD0001", 0, "Topics", 1);
        addNode(store, "5", 1, "Garden", 1);
        addNode(store, "6", 2, "Pond", 1);
        addNode(store, "STD0005", 0, "Product information", 5);
    }

    std::string dropPack(const std::string &name, const std::string &structure)
    {
        const std::string folder = paths.InstallFolder + name + "/";
        std::filesystem::create_directories(folder);
        writeFile(folder + "structure.dat", structure);
        return folder;
    }

    std::string financePack(const std::string &title)
    {
        return records({"uni=FIN1", "text=Finance", "lev=0", "type=7", "uni=FIN2", "text=" + title,
                        "lev=1", "type=7", "parent=FIN1"});
    }

    TempFolder root;
    FixedClock clock;
    SharingPaths paths;
    RecordingLog log;
    MergeGate gate;
    AddonInstaller installer;
    RecordingHost host;
    TNimbusStructure store;
};

TEST_F(Addons, NewPackIsAppendedRecordedAndRemoved)
{
    EXPECT_EQ(installer.timerAddonTimer(store, host).interval, 5000) << "no pack yet";
    const std::string folder = dropPack("addon-finance-2", financePack("Budget"));
    writeFile(folder + "FIN2.pkt", "con=0\r\nuni=1\r\nfile=FIN2-1.txt\r\n");
    writeFile(folder + "FIN2-1.txt", "budget details");
    const int before = store.Count();

    const AddonOutcome outcome = installer.timerAddonTimer(store, host);
    EXPECT_EQ(outcome.interval, 3600000);
    EXPECT_EQ(outcome.packsMerged, 1);
    ASSERT_EQ(store.Count(), before + 2);
    EXPECT_EQ(idsOf(store).back(), "FIN2");
    EXPECT_EQ(store.Find("FIN1")->lev, 0);
    EXPECT_EQ(store.Find("FIN2")->lev, 1);
    EXPECT_TRUE(log.mentions("Addon - new section: Finance"));
    EXPECT_TRUE(log.mentions("Addon - new topic: Budget"));
    EXPECT_FALSE(fileio::folderExists(folder));
    EXPECT_EQ(readFile(paths.TextFolder + "FIN2-1.txt"), "budget details");
    EXPECT_TRUE(fileio::fileExists(paths.PacksFolder + "FIN2.pkt"));
    EXPECT_EQ(readFile(paths.DataFolder + "Addons.dat"),
              "name=finance\r\nsrc=install\r\ncre=20240310\r\nupd=2\r\ndate=\r\n");
    EXPECT_EQ(host.holdOffs, 1);
    EXPECT_EQ(host.resumes, 1);

    // The same pack again, in a later version: matched, nothing duplicated, record kept.
    dropPack("addon-finance-3", financePack("Budget 2025"));
    installer.timerAddonTimer(store, host);
    EXPECT_EQ(store.Count(), before + 2);
    EXPECT_EQ(store.Find("FIN2")->text, "Budget 2025");
    EXPECT_TRUE(log.mentions("Addon - matched section: Finance"));
    EXPECT_TRUE(log.mentions("Addon - matched topic: Budget 2025"));
    TAddonList list;
    list.SetDataFolder(paths.DataFolder);
    ASSERT_TRUE(list.Load());
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.items[0].upd, "2");
    EXPECT_FALSE(fileio::folderExists(paths.InstallFolder + "addon-finance-3"));
}

TEST_F(Addons, CancelStopsBetweenPacksAndTheRestComesSoon)
{
    dropPack("addon-finance-2", financePack("Budget"));
    const std::string later = dropPack("addon-garden-1", records({"uni=GAR1", "text=Seeds",
                                                                  "lev=2", "type=1",
                                                                  "parent=5"}));
    RecordingProgress progress;
    progress.stopWhen = [](const ProgressReport &report) { return report.done == 1; };
    const AddonOutcome first = installer.timerAddonTimer(store, host, progress);
    EXPECT_EQ(first.packsMerged, 1);
    EXPECT_EQ(first.packsLeft, 1);
    EXPECT_EQ(first.interval, AddonInstaller::kFirstInterval) << "the rest comes soon";
    EXPECT_TRUE(store.Find("FIN2"));
    EXPECT_FALSE(store.Find("GAR1"));
    EXPECT_TRUE(fileio::folderExists(later));
    EXPECT_EQ(progress.offers, (std::vector<bool>{true, false}));
    EXPECT_TRUE(log.mentions("Addon - installing cancelled, 1 pack(s) stay for later"));
    EXPECT_EQ(host.holdOffs, host.resumes);

    RecordingProgress next;
    const AddonOutcome second = installer.timerAddonTimer(store, host, next);
    EXPECT_EQ(second.packsMerged, 1);
    EXPECT_EQ(second.interval, AddonInstaller::kLaterInterval);
    EXPECT_EQ(next.offers, (std::vector<bool>{false, false})) << "one pack: nothing to stop";
    EXPECT_EQ(next.reports.back().done, 1);
    EXPECT_TRUE(store.Find("GAR1"));
    EXPECT_FALSE(fileio::folderExists(later));
}

TEST_F(Addons, TopicsGoUnderTheirParentOrTheirSectionKind)
{
    // Under Garden after its last descendant; under Product information (kind 5) when the
    // parent is unknown; and a lone topic of an unknown kind becomes a section at the end.
    dropPack("addon-extras", records({"uni=X1", "text=Fountain", "lev=4", "type=1", "parent=5",
                                      "uni=X2", "text=Manual", "lev=3", "type=5", "parent=nowhere",
                                      "uni=X3", "text=Odd", "lev=2", "type=9", "parent=nowhere"}));
    installer.timerAddonTimer(store, host);
    EXPECT_EQ(idsOf(store),
              (std::vector<std::string>{"STD0001", "5", "6", "X1", "STD0005", "X2", "X3"}));
    EXPECT_EQ(store.Find("X1")->lev, 2);
    EXPECT_EQ(store.Find("X2")->lev, 1);
    EXPECT_EQ(store.Find("X3")->lev, 0);
    EXPECT_EQ(addon::FindLastchild(store, store.IndexOf("5")), store.IndexOf("STD0005"));
    TAddonList list;
    list.SetDataFolder(paths.DataFolder);
    list.Load();
    ASSERT_EQ(list.items.size(), 1u);
    EXPECT_EQ(list.items[0].name, "extras");
    EXPECT_EQ(list.items[0].upd, "");
}

TEST_F(Addons, BrokenPackIsLeftAloneAndNotRecorded)
{
    const std::string noStore = paths.InstallFolder + "addon-empty-1/";
    std::filesystem::create_directories(noStore);
    const std::string broken = dropPack("addon-broken-1", records({"uni=B1", "lev=one"}));
    const std::string escaping = dropPack("addon-escape-1", records({"uni=../B2", "lev=0"}));
    const int before = store.Count();
    installer.timerAddonTimer(store, host);
    EXPECT_EQ(store.Count(), before);
    EXPECT_TRUE(fileio::folderExists(noStore));
    EXPECT_TRUE(fileio::folderExists(broken));
    EXPECT_TRUE(fileio::folderExists(escaping));
    EXPECT_FALSE(fileio::fileExists(paths.DataFolder + "Addons.dat"));
    EXPECT_TRUE(log.mentions("*** Addon pack refused: "));
}

TEST_F(Addons, ListIsSortedWithoutRegardToCase)
{
    TAddonList list;
    list.SetDataFolder(paths.DataFolder);
    EXPECT_TRUE(list.Add({"zeta", "install", "20240101", "1", ""}));
    EXPECT_TRUE(list.Add({"Alpha", "install", "20240102", "", ""}));
    EXPECT_FALSE(list.Add({"ZETA", "install", "20240103", "9", ""})) << "the first record stays";
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(list.Save());
    TAddonList read;
    read.SetDataFolder(paths.DataFolder);
    read.Load();
    ASSERT_EQ(read.items.size(), 2u);
    EXPECT_EQ(read.items[0].name, "Alpha");
    EXPECT_EQ(read.items[1].upd, "1");
    std::vector<std::string> files;
    fileio::listFiles(paths.DataFolder + "Addons(*", files);
    EXPECT_GE(files.size(), 1u);
    EXPECT_LE(files.size(), 3u) << "three old versions at most";
}

TEST_F(Addons, ImportContentStripsThePrefix)
{
    const std::string inbox = root / "inbox/";
    std::filesystem::create_directories(inbox);
    writeFile(inbox + "bob-1234.txt", "details");
    writeFile(inbox + "bob-1234.pkt", "con=0\r\nuni=1\r\nfile=bob-1234-1.txt\r\n");
    writeFile(inbox + "alice-9.pkt", "con=1\r\nuni=2\r\nfile=alice-9-2.lst\r\n");
    writeFile(inbox + "alice-bob-3.lst", "chk=0\r\ntxt=x\r\n");
    ImportOptions options;
    options.setAsideRefused = true;
    const ImportReport report =
        content_import::ImportContent(inbox, "bob-", paths.content(), log, options);
    EXPECT_EQ(report.moved, 4);
    EXPECT_EQ(readFile(paths.TextFolder + "1234.txt"), "details");
    EXPECT_EQ(readFile(paths.PacksFolder + "1234.pkt"), "con=0\r\nuni=1\r\nfile=1234-1.txt\r\n");
    EXPECT_EQ(readFile(paths.PacksFolder + "alice-9.pkt"),
              "con=1\r\nuni=2\r\nfile=alice-9-2.lst\r\n");
    EXPECT_TRUE(fileio::fileExists(paths.CheckListFolder + "alice-bob-3.lst"))
        << "only a leading prefix is this user's";
    std::vector<std::string> left;
    fileio::listFiles(inbox, left);
    EXPECT_TRUE(left.empty());
}

} // namespace
} // namespace nimbus::test

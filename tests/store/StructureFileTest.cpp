// Structure.dat, the unique counter and the id lists, against real files in a temporary folder.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "store/Clock.h"
#include "store/ContentFiles.h"
#include "store/TopicCodes.h"
#include "store/TNimbusStructure.h"
#include "store/UniqueCounter.h"
#include "store/RecordingLog.h"
#include "support/TempFolder.h"

namespace nimbus {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

// Every key of the record table, in its order, the way another program following the format
// would write it.
const std::string kThirdPartyStore =
    "uni=STD0001\r\ntext=Topics\r\nlev=0\r\ntype=1\r\nexp=Y\r\nsys=Y\r\ntopnode=Y\r\nttype=2\r\n"
    "uni=57\r\ntext=Renew insurance\r\nlev=1\r\ntype=1\r\nsel=Y\r\ndac=2\r\ndam=3\r\nurgent=Y\r\n"
    "fav=Y\r\nsend=Y\r\nttype=4\r\nstatus=2\r\noldttype=5\r\npri=2\r\nrecur=Y\r\nlock=Y\r\ndl=Y\r\n"
    "dlDate=20240314\r\ndlTime=09:30:00\r\nrsDate=20240314\r\nrsTime=09:30:00\r\nrno=1\r\n"
    "rtype=4\r\ncalpr=N\r\npr%=40\r\nprog=1\r\nflno=3\r\nfltyp=2\r\nauto=Y\r\nfdate=20240214\r\n"
    "fTime=09:30:00\r\ncre=20240302-101500\r\nsta=20240303-080000\r\nfrom=anna\r\n"
    "sent=20240302-111500\r\ndurno=2\r\ndurtype=2\r\n"
    "uni=58\r\ntext=a = b == c\r\nlev=2\r\ntype=1\r\ndone=Y\r\ntop=Y\r\nttype=3\r\n"
    "uni=x-9\r\ntext=\r\nlev=1\r\ntype=1\r\nttype=7\r\n";

class StructureFileTest : public ::testing::Test {
protected:
    StructureFileTest()
    {
        store.setLog(&log);
        store.setClock(&clock);
        store.SetFileName(folder / "Structure.dat");
        store.SetUniqueFileName(folder / "StructUnique.dat");
    }
    TempFolder folder;
    test::RecordingLog log;
    FixedClock clock{DateTime::fromCivil(2024, 3, 10, 12, 0, 0)};
    TNimbusStructure store;
};

TEST_F(StructureFileTest, ThirdPartyFileSavesBackByteForByte)
{
    writeFile(folder / "Structure.dat", kThirdPartyStore);
    ASSERT_TRUE(store.LoadStructure());
    ASSERT_EQ(store.Count(), 4);
    EXPECT_TRUE(store.LoadProblems().empty());

    const TNimbusNode &task = *store.Find("57");
    EXPECT_EQ(task.lev, 1);
    EXPECT_TRUE(task.recur && task.autoComplete && task.prog && task.lock && task.send);
    EXPECT_FALSE(task.calpr);
    EXPECT_EQ(task.percent, 40);
    EXPECT_EQ(task.rtype, 4);
    EXPECT_EQ(task.from, "anna");
    EXPECT_EQ(store.Find("58")->text, "a = b == c");
    EXPECT_TRUE(store.sendableKinds.test(1));
    EXPECT_FALSE(store.modified);

    ASSERT_TRUE(store.SaveStructure());
    EXPECT_EQ(readFile(folder / "Structure.dat"), kThirdPartyStore);
    EXPECT_EQ(readFile(folder / "Structure.tmp"), kThirdPartyStore);
}

TEST_F(StructureFileTest, ReaderRulesForBlanksTimesFlagsAndLineEnds)
{
    // LF, CR and LF CR line ends, blanks around keys and values, a quoted key, a TAB
    // separator, a NUL byte, keys before the first record and unknown keys.
    const std::string input = std::string("lev=5\nuni=1\r") + "text=  Padded title \t\n\r"
                              + "\"lev\"=1\n" + "dlDate\t20240101\n" + "dl=Y\n"
                              + "dlTime=00:00:00\n" + "calpr=N\n" + "colour=red\n"
                              + "pri=high\n" + "type=none\n" + "ur" + std::string(1, '\0')
                              + "gent=Y\n" + "fav=y\n";
    writeFile(folder / "Structure.dat", input);
    store.LoadStructure();
    ASSERT_EQ(store.Count(), 1);
    const TNimbusNode &n = *store.Node(0);
    EXPECT_EQ(n.text, "Padded title");
    EXPECT_EQ(n.lev, 1);
    EXPECT_EQ(n.dlDate, "20240101");
    EXPECT_FALSE(n.calpr);
    EXPECT_EQ(n.pri, 0);     // not a number
    EXPECT_EQ(n.type, -1);   // not a number, for "type" only
    EXPECT_TRUE(n.urgent);   // the NUL byte is skipped
    EXPECT_FALSE(n.fav);     // only "Y" is true

    ASSERT_TRUE(store.SaveStructure());
    const std::string saved = readFile(folder / "Structure.dat");
    EXPECT_EQ(saved.find("dlTime"), std::string::npos);  // midnight means no time
    EXPECT_NE(saved.find("calpr=N\r\n"), std::string::npos);
    TNimbusStructure again;
    again.SetFileName(folder / "Structure.dat");
    again.LoadStructure();
    EXPECT_EQ(again.Node(0)->dlTime, "");
    EXPECT_FALSE(again.Node(0)->calpr);
}

TEST_F(StructureFileTest, DefaultNodeWritesOnlyItsRequiredKeys)
{
    store.Append(std::make_unique<TNimbusNode>("7"));
    ASSERT_TRUE(store.SaveStructure());
    EXPECT_EQ(readFile(folder / "Structure.dat"), "uni=7\r\ntext=\r\nlev=0\r\nttype=4\r\n");
}

TEST_F(StructureFileTest, EmptyIdTakesNextNumberFromCounter)
{
    writeFile(folder / "StructUnique.dat", "00000041");
    writeFile(folder / "Structure.dat", "uni=\r\ntext=No id\r\nlev=0\r\nuni=41\r\ntext=Later\r\nlev=1\r\n");
    store.LoadStructure();
    ASSERT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Id(0), "42");
    EXPECT_EQ(store.Node(0)->text, "No id");
    EXPECT_EQ(readFile(folder / "StructUnique.dat"), "00000042");
}

TEST_F(StructureFileTest, RepeatedIdIsGivenFreshNumberSoNoTopicIsLost)
{
    writeFile(folder / "StructUnique.dat", "00000010");
    writeFile(folder / "Structure.dat", "uni=5\r\ntext=First\r\nlev=0\r\nuni=5\r\ntext=Second\r\nlev=1\r\n");
    store.LoadStructure();
    ASSERT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Find("5")->text, "First");
    EXPECT_EQ(store.Find("11")->text, "Second");
    EXPECT_EQ(store.LoadProblems().size(), 1u);
}

TEST_F(StructureFileTest, BadLevelIsReportedAndNoLaterTopicIsLost)
{
    const std::string damaged =
        "uni=1\r\ntext=Section\r\nlev=0\r\nuni=2\r\ntext=Parent\r\nlev=1\r\n"
        "uni=3\r\ntext=Broken\r\nlev=one\r\nuni=4\r\ntext=After\r\nlev=2\r\n";
    writeFile(folder / "Structure.dat", damaged);
    EXPECT_TRUE(store.LoadStructure());
    ASSERT_EQ(store.Count(), 4);
    EXPECT_EQ(store.Find("3")->lev, 1);  // the level of the topic before it
    EXPECT_EQ(store.Find("4")->lev, 2);
    ASSERT_EQ(store.LoadProblems().size(), 1u);
    EXPECT_NE(store.LoadProblems()[0].english().find("line 9"), std::string::npos);
    EXPECT_TRUE(log.mentions("line 9"));

    // The file as read is kept under a name that old-version pruning never removes.
    const std::string copy = folder / "Structure-damaged-20240310-120000.dat";
    EXPECT_EQ(readFile(copy), damaged);
    EXPECT_TRUE(log.mentions(copy));

    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(store.SaveStructure());
    EXPECT_EQ(readFile(copy), damaged);
    const std::string saved = readFile(folder / "Structure.dat");
    EXPECT_NE(saved.find("text=After"), std::string::npos);
    EXPECT_NE(saved.find("uni=3\r\ntext=Broken\r\nlev=1\r\n"), std::string::npos);
}

TEST_F(StructureFileTest, SaveKeepsFiveOldVersionsAndTmpCopy)
{
    for (int i = 0; i < 8; ++i) {
        store.Clear();
        store.Append(std::make_unique<TNimbusNode>(std::to_string(i)));
        store.modified = true;
        ASSERT_TRUE(store.SaveStructure());
        EXPECT_FALSE(store.modified);
    }
    EXPECT_EQ(readFile(folder / "Structure.dat"), "uni=7\r\ntext=\r\nlev=0\r\nttype=4\r\n");
    EXPECT_EQ(readFile(folder / "Structure.tmp"), readFile(folder / "Structure.dat"));
    int versions = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().filename().string().rfind("Structure(", 0) == 0)
            ++versions;
    EXPECT_EQ(versions, 5);
}

TEST_F(StructureFileTest, StoreFileIsReplacedNotRewrittenInPlace)
{
    // A second name for the old file sees the old bytes after the save: the new content came
    // in by rename, so no reader (and no crash) ever meets a half-written store.
    writeFile(folder / "Structure.dat", kThirdPartyStore);
    std::filesystem::create_hard_link(folder / "Structure.dat", folder / "held.dat");
    store.LoadStructure();
    store.Delete(store.IndexOf("58"));
    ASSERT_TRUE(store.SaveStructure());
    EXPECT_EQ(readFile(folder / "held.dat"), kThirdPartyStore);
    EXPECT_EQ(readFile(folder / "Structure(1).dat"), kThirdPartyStore);
    EXPECT_EQ(readFile(folder / "Structure.dat").find("uni=58"), std::string::npos);
}

TEST_F(StructureFileTest, FolderNamedLikeTheTmpCopyDoesNotStopSaving)
{
    writeFile(folder / "Structure.dat", kThirdPartyStore);
    store.LoadStructure();
    // Something made a folder where the temporary copy goes: the store is saved all the same,
    // with its old version, and the log says so once.
    std::filesystem::create_directory(folder / "Structure.tmp");
    store.Delete(store.IndexOf("58"));
    store.modified = true;
    ASSERT_TRUE(store.SaveStructure());
    EXPECT_FALSE(store.modified);
    EXPECT_EQ(readFile(folder / "Structure(1).dat"), kThirdPartyStore);
    EXPECT_EQ(readFile(folder / "Structure.dat").find("uni=58"), std::string::npos);
    store.Find("57")->text = "Renewed";
    ASSERT_TRUE(store.SaveStructure());
    EXPECT_NE(readFile(folder / "Structure.dat").find("text=Renewed"), std::string::npos);
    int reports = 0;
    for (const std::string &line : log.lines)
        reports += line.find("is a folder") != std::string::npos;
    EXPECT_EQ(reports, 1);
}

TEST_F(StructureFileTest, UnreadableStoreIsNeverReplacedByAnEmptyOne)
{
    writeFile(folder / "Structure.dat", kThirdPartyStore);
    std::filesystem::permissions(folder / "Structure.dat", std::filesystem::perms::none);
    if (::access((folder / "Structure.dat").c_str(), R_OK) == 0)
        GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_TRUE(store.LoadStructure());
    EXPECT_TRUE(store.LoadFailed());
    EXPECT_EQ(store.Count(), 0);
    EXPECT_FALSE(store.SaveStructure().ok);
    std::filesystem::permissions(folder / "Structure.dat", std::filesystem::perms::owner_read);
    EXPECT_EQ(readFile(folder / "Structure.dat"), kThirdPartyStore);
}

TEST_F(StructureFileTest, TemplateSeedsNewDataFolderAndResetsCounter)
{
    TempFolder program;
    writeFile(program / "Structure.dat",
              "uni=STD0001\r\ntext=Topics\r\nlev=0\r\nuni=120\r\nlev=1\r\nuni=98\r\nlev=1\r\n"
              "uni=9abc\r\nlev=1\r\nuni=STD9999\r\nlev=0\r\n");
    TNimbusStructure main;
    main.SetPaths(folder.path(), program.path());
    EXPECT_TRUE(main.reseedUnique);
    main.LoadStructure();
    EXPECT_FALSE(main.reseedUnique);
    EXPECT_EQ(main.Count(), 5);
    EXPECT_EQ(readFile(folder / "StructUnique.dat"), "00000121");
    EXPECT_EQ(main.NextUnique(), 122);

    // An existing store is never overwritten by the template.
    writeFile(folder / "Structure.dat", "uni=1\r\n");
    TNimbusStructure second;
    second.SetPaths(folder.path(), program.path());
    EXPECT_FALSE(second.reseedUnique);
    EXPECT_EQ(readFile(folder / "Structure.dat"), "uni=1\r\n");
}

TEST_F(StructureFileTest, ShippedTemplateHoldsTheFixedSections)
{
    // The build copies the template beside the executables, where the program finds it.
    const std::string programFolder = std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
    TNimbusStructure main;
    main.SetPaths(folder.path(), programFolder);
    main.LoadStructure();
    ASSERT_EQ(main.Count(), 6);
    const char *ids[] = {"STD0001", "STD0002", "STD0003", "STD0005", "STD0006"};
    const int kinds[] = {1, 2, 3, 5, 6};
    for (int i = 0; i < 5; ++i) {
        const TNimbusNode &section = *main.Node(i == 0 ? 0 : i + 1);
        EXPECT_EQ(section.uni, ids[i]);
        EXPECT_EQ(section.type, kinds[i]);
        EXPECT_EQ(section.lev, 0);
        EXPECT_EQ(section.text, sectionKindName(kinds[i]));
        EXPECT_TRUE(section.sys);
        EXPECT_EQ(section.top, kinds[i] != 1 && kinds[i] != 6);
    }
    EXPECT_EQ(main.NextUnique(), 2);  // no numeric id: the counter restarts at 1

    // "Getting started" under "Topics", with its two pages shipped beside the program.
    const TNimbusNode &guide = *main.Node(1);
    EXPECT_EQ(guide.uni, "STD020");
    EXPECT_EQ(guide.text, "Getting started");
    EXPECT_EQ(guide.lev, 1);
    EXPECT_EQ(guide.type, kSectionTopics);
    EXPECT_FALSE(guide.sys);
    EXPECT_EQ(guide.dac, 2);
    TContent &content = const_cast<TNimbusNode &>(guide).LoadContent(
        ContentFolders::inDataFolder(folder.path()), log);
    ASSERT_EQ(content.pages.size(), 2u);
    THyperData &details = *content.pages[0];
    EXPECT_EQ(details.con, kPageDetails);
    std::string bytes;
    const ContentFolders folders = ContentFolders::inDataFolder(folder.path());
    ASSERT_TRUE(content::LoadPageDescription(details, folders, log));
    EXPECT_TRUE(details.rtf);
    ASSERT_TRUE(content::LoadDetails(details, folders, bytes, log));
    EXPECT_EQ(bytes.rfind("{\\rtf1", 0), 0u);
    THyperData &list = *content.pages[1];
    ASSERT_TRUE(content::LoadPageDescription(list, folders, log));
    std::vector<ChecklistItem> items;
    ASSERT_TRUE(content::LoadChecklist(list, folders, items, log));
    EXPECT_EQ(items.size(), 6u);
    EXPECT_EQ(list.columns.size(), 2u);
}

TEST_F(StructureFileTest, TemplatePagesAreCopiedOnceAndNeverOverAUsersFiles)
{
    TempFolder program;
    writeFile(program / "Structure.dat", "uni=STD0001\r\nlev=0\r\nuni=STD020\r\nlev=1\r\n");
    std::filesystem::create_directories(program / "Template/Packs");
    std::filesystem::create_directories(program / "Template/Text");
    writeFile(program / "Template/Packs/STD020.pkt", "con=0\r\nuni=1\r\nfile=STD020-1.txt\r\n");
    writeFile(program / "Template/Text/STD020-1.txt", "template text");
    writeFile(program / "Template/Text/notes.txt", "template notes");
    // A data folder with pages already there (a restored backup) but no store yet.
    std::filesystem::create_directories(folder / "Text");
    writeFile(folder / "Text/STD020-1.txt", "the user's text");

    TNimbusStructure first;
    first.setLog(&log);
    first.SetPaths(folder.path(), program.path());
    EXPECT_EQ(readFile(folder / "Packs/STD020.pkt"), readFile(program / "Template/Packs/STD020.pkt"));
    EXPECT_EQ(readFile(folder / "Text/STD020-1.txt"), "the user's text");
    EXPECT_EQ(readFile(folder / "Text/notes.txt"), "template notes");
    EXPECT_FALSE(std::filesystem::exists(folder / "CheckList"));

    // Once the store exists, pages the user removed stay removed.
    std::filesystem::remove(folder / "Packs/STD020.pkt");
    TNimbusStructure second;
    second.SetPaths(folder.path(), program.path());
    EXPECT_FALSE(std::filesystem::exists(folder / "Packs/STD020.pkt"));

    // Without a template folder a new data folder still starts.
    TempFolder bare;
    writeFile(bare / "Structure.dat", "uni=STD0001\r\nlev=0\r\n");
    TempFolder fresh;
    TNimbusStructure third;
    third.SetPaths(fresh.path(), bare.path());
    EXPECT_TRUE(std::filesystem::exists(fresh / "Structure.dat"));
    EXPECT_FALSE(std::filesystem::exists(fresh / "Packs"));
}

TEST_F(StructureFileTest, UniqueCounter)
{
    const std::string path = folder / "StructUnique.dat";
    EXPECT_EQ(counter::NextUnique(path), 1);
    EXPECT_EQ(readFile(path), "00000001");
    EXPECT_EQ(counter::NextUnique(path), 2);
    EXPECT_EQ(counter::SetUnique(path, 120), 120);
    EXPECT_EQ(readFile(path), "00000120");
    EXPECT_EQ(counter::NextUnique(path), 121);
    writeFile(path, "garbage!");
    EXPECT_EQ(counter::NextUnique(path), -1);
    EXPECT_EQ(counter::NextUnique(folder / "no-such-folder/StructUnique.dat"), -1);

    // The store never hands out a number that is already one of its ids.
    counter::SetUnique(path, 4);
    store.Append(std::make_unique<TNimbusNode>("5"));
    store.Append(std::make_unique<TNimbusNode>("6"));
    EXPECT_EQ(store.NextUnique(), 7);

    // A batch is taken in one write and skips the ids in use the same way; the counter then
    // holds the last number handed out, and one past the eight digits is refused.
    counter::SetUnique(path, 3);
    EXPECT_EQ(store.NextUniques(4), (std::vector<int>{4, 7, 8, 9}));
    EXPECT_EQ(readFile(path), "00000009");
    EXPECT_EQ(store.NextUniques(0), std::vector<int>{});
    counter::SetUnique(path, 99999998);
    EXPECT_EQ(store.NextUniques(2), std::vector<int>{});
    EXPECT_EQ(readFile(path), "99999998");
    EXPECT_EQ(store.NextUniques(1), std::vector<int>{99999999});
}

TEST_F(StructureFileTest, IdListsSaveLoadAndResolve)
{
    TNimbusStructure main;
    for (int i = 1; i <= 100; ++i)
        main.Append(std::make_unique<TNimbusNode>(std::to_string(i)));

    TNimbusStructure recent(TNimbusStructure::Role::IdList);
    recent.SetFileName(folder / "strnew.dat");
    for (int i = 60; i >= 1; --i)
        recent.AppendId(std::to_string(i));
    recent.AppendId("");
    recent.ResolveIdList(main, 50);
    EXPECT_EQ(recent.Count(), 50);
    EXPECT_TRUE(recent.modified);
    EXPECT_EQ(recent.Node(0), main.Find("60"));

    ASSERT_TRUE(recent.SaveIdList());
    EXPECT_FALSE(recent.modified);
    const std::string saved = readFile(folder / "strnew.dat");
    EXPECT_EQ(saved.substr(0, 16), "uni=60\r\nuni=59\r\n");

    // An id that no longer exists is dropped; an empty one too.
    main.Delete(main.IndexOf("59"));
    writeFile(folder / "strnew.dat", "uni=60\r\nuni=\r\nuni=59\r\nother=3\r\nuni=58\r\n");
    TNimbusStructure loaded(TNimbusStructure::Role::IdList);
    loaded.SetFileName(folder / "strnew.dat");
    EXPECT_TRUE(loaded.LoadIdList());
    EXPECT_EQ(loaded.Count(), 4);
    loaded.ResolveIdList(main, 50);
    EXPECT_EQ(loaded.Count(), 2);
    EXPECT_TRUE(loaded.modified);

    // Without a limit the list becomes sorted, and unchanged lists are not marked modified.
    loaded.ResolveIdList(main, -1);
    EXPECT_TRUE(loaded.Sorted());
    EXPECT_FALSE(loaded.modified);
    EXPECT_EQ(loaded.Id(0), "58");
    loaded.AppendId("100", main.Find("100"));
    EXPECT_EQ(loaded.Id(0), "100");
    EXPECT_EQ(loaded.IndexOf("60"), 2);
}

TEST_F(StructureFileTest, LinesWithoutASeparatorAddNothing)
{
    // A lone "uni" (a damaged or hand-edited line) must not become a topic with a fresh id.
    writeFile(folder / "Structure.dat",
              "uni=1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\nuni\r\ntext Garden\r\n"
              "uni=2\r\ntext=Call Anna\r\nlev=1\r\nlev\r\n\"urgent\"\r\n");
    ASSERT_TRUE(store.LoadStructure());
    ASSERT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Node(0)->text, "Topics");
    EXPECT_EQ(store.Node(1)->lev, 1);
    EXPECT_FALSE(store.Node(1)->urgent);
    // Reported once, with the first line, and the file as read is kept.
    ASSERT_EQ(store.LoadProblems().size(), 1u);
    EXPECT_NE(store.LoadProblems()[0].english().find("line 5"), std::string::npos)
        << store.LoadProblems()[0].english();
    EXPECT_TRUE(log.mentions("The structure file as it was read is kept"));
}

TEST_F(StructureFileTest, SavingUnchangedContentKeepsTheOldVersions)
{
    writeFile(folder / "Structure.dat", kThirdPartyStore);
    ASSERT_TRUE(store.LoadStructure());
    // Each real change makes one old version.
    for (const char *title : {"one", "two", "three"}) {
        store.Find("58")->text = title;
        ASSERT_TRUE(store.SaveStructure());
    }
    const std::string newest = readFile(folder / "Structure.dat");
    const std::string oldest = readFile(folder / "Structure(3).dat");
    // Saving the same content again, as often as a timer might, rewrites nothing.
    for (int i = 0; i < 8; ++i) {
        store.modified = true;
        ASSERT_TRUE(store.SaveStructure());
        EXPECT_FALSE(store.modified);
    }
    EXPECT_EQ(readFile(folder / "Structure.dat"), newest);
    EXPECT_EQ(readFile(folder / "Structure(3).dat"), oldest);
    EXPECT_FALSE(std::filesystem::exists(folder / "Structure(4).dat"));
    EXPECT_NE(readFile(folder / "Structure(1).dat"), newest);
}

TEST_F(StructureFileTest, DamagedRecordsChangeNoOtherTopic)
{
    // The counter fell far behind; an empty and a repeated id come early in the file. Every
    // other topic keeps its own id (and so its pages), the two get ids above all in use, and
    // the counter moves past them in one step.
    writeFile(folder / "StructUnique.dat", "00000003");
    std::string file = "uni=1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\n"
                       "uni=\r\ntext=No id\r\nlev=1\r\n"
                       "uni=1\r\ntext=Repeated\r\nlev=1\r\n";
    for (int id = 2; id <= 3000; ++id)
        file += "uni=" + std::to_string(id) + "\r\ntext=t" + std::to_string(id) + "\r\nlev=1\r\n";
    writeFile(folder / "Structure.dat", file);
    store.LoadStructure();
    ASSERT_EQ(store.Count(), 3002);
    for (int id = 2; id <= 3000; ++id)
        ASSERT_EQ(store.Find(std::to_string(id))->text, "t" + std::to_string(id));
    EXPECT_EQ(store.Find("3001")->text, "No id");
    EXPECT_EQ(store.Find("3002")->text, "Repeated");
    EXPECT_EQ(readFile(folder / "StructUnique.dat"), "00003002");
    EXPECT_EQ(store.NextUnique(), 3003);

    // A counter that is merely behind is moved up to the highest id at load.
    writeFile(folder / "StructUnique.dat", "00000003");
    TNimbusStructure again;
    again.SetFileName(folder / "Structure.dat");
    again.SetUniqueFileName(folder / "StructUnique.dat");
    writeFile(folder / "Structure.dat", "uni=1\r\nlev=0\r\nuni=900\r\nlev=1\r\n");
    again.LoadStructure();
    EXPECT_EQ(readFile(folder / "StructUnique.dat"), "00000900");
}

TEST_F(StructureFileTest, MissingOrNegativeLevelsKeepTheLevelBefore)
{
    writeFile(folder / "Structure.dat",
              "uni=1\r\ntext=Topics\r\nlev=-1\r\ntype=1\r\nuni=2\r\ntext=Task\r\nlev=1\r\n"
              "uni=3\r\ntext=No level\r\nttype=4\r\nuni=4\r\ntext=Child\r\nlev=2\r\n"
              "uni=5\r\ntext=Last, no level\r\n");
    store.LoadStructure();
    ASSERT_EQ(store.Count(), 5);
    EXPECT_EQ(store.Find("1")->lev, 0);
    EXPECT_EQ(store.Find("3")->lev, 1);
    EXPECT_EQ(store.Find("5")->lev, 2);
    EXPECT_EQ(store.LoadProblems().size(), 3u);
    EXPECT_TRUE(log.mentions("The structure file as it was read is kept"));
}

TEST_F(StructureFileTest, ByteOrderMarksAndCutFiles)
{
    // A UTF-8 mark is skipped: the first record stays.
    writeFile(folder / "Structure.dat", "\xEF\xBB\xBFuni=1\r\ntext=Topics\r\nlev=0\r\n");
    store.LoadStructure();
    ASSERT_EQ(store.Count(), 1);
    EXPECT_EQ(store.Id(0), "1");
    EXPECT_TRUE(store.LoadProblems().empty());

    // UTF-16 is refused: nothing is read and nothing is saved over it.
    const std::string wide("\xFF\xFEu\0n\0i\0=\0" "1\0\r\0\n\0", 16);
    writeFile(folder / "Structure.dat", wide);
    TNimbusStructure utf16;
    utf16.SetFileName(folder / "Structure.dat");
    utf16.LoadStructure();
    EXPECT_TRUE(utf16.LoadFailed());
    ASSERT_FALSE(utf16.LoadProblems().empty());
    EXPECT_NE(utf16.LoadProblems()[0].english().find("UTF-16"), std::string::npos);
    EXPECT_FALSE(utf16.SaveStructure());
    EXPECT_EQ(readFile(folder / "Structure.dat"), wide);

    // A file cut in the middle of its last line is damaged, and a copy is kept.
    writeFile(folder / "Structure.dat", "uni=1\r\ntext=Topics\r\nlev=0\r\nuni=2\r\nlev=1\r\ntext=Cut tit");
    TNimbusStructure cut;
    test::RecordingLog cutLog;
    cut.setLog(&cutLog);
    cut.SetFileName(folder / "Structure.dat");
    cut.LoadStructure();
    EXPECT_EQ(cut.Count(), 2);
    ASSERT_EQ(cut.LoadProblems().size(), 1u);
    EXPECT_NE(cut.LoadProblems()[0].english().find("cut short"), std::string::npos);
    EXPECT_TRUE(cutLog.mentions("is kept as"));
}

TEST_F(StructureFileTest, StoreThatCannotBeReachedIsNeverReplaced)
{
    // A link to a store on a disk that is not there: no template over it, no save over it.
    std::filesystem::create_directories(folder / "prog");
    writeFile(folder / "prog/Structure.dat", "uni=1\r\ntext=Topics\r\nlev=0\r\n");
    std::filesystem::create_directories(folder / "data");
    std::filesystem::create_symlink(folder / "gone/Structure.dat", folder / "data/Structure.dat");
    TNimbusStructure linked;
    linked.SetPaths(folder / "data/", folder / "prog/");
    EXPECT_FALSE(linked.reseedUnique);
    linked.LoadStructure();
    EXPECT_TRUE(linked.LoadFailed());
    EXPECT_FALSE(linked.LoadProblems().empty());
    EXPECT_FALSE(linked.SaveStructure());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "data/Structure.dat"));
    EXPECT_FALSE(std::filesystem::exists(folder / "gone"));
}

TEST_F(StructureFileTest, HugeValuesReachTheLogAsExcerpts)
{
    const std::string huge(1 << 20, '7');
    writeFile(folder / "Structure.dat", "uni=1\r\nlev=0\r\nuni=2\r\nlev=x" + huge + "\r\n");
    store.LoadStructure();
    ASSERT_EQ(store.LoadProblems().size(), 1u);
    EXPECT_LT(store.LoadProblems()[0].english().size(), 300u);
    for (const std::string &line : log.lines)
        EXPECT_LT(line.size(), 1000u);
}

TEST_F(StructureFileTest, SavingADamagedStorePushesOutNoCompleteOldVersion)
{
    const std::string complete = "uni=1\r\ntext=Topics\r\nlev=0\r\nuni=2\r\ntext=Task\r\nlev=1\r\n";
    for (int n = 1; n <= 5; ++n)
        writeFile(folder / ("Structure(" + std::to_string(n) + ").dat"), complete);
    writeFile(folder / "Structure.dat", complete.substr(0, complete.size() - 4));
    store.LoadStructure();
    ASSERT_FALSE(store.LoadProblems().empty());
    store.modified = true;
    ASSERT_TRUE(store.SaveStructure());
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(readFile(folder / ("Structure(" + std::to_string(n) + ").dat")), complete) << n;
    // Later saves keep old versions as always.
    store.Find("2")->text = "Changed";
    ASSERT_TRUE(store.SaveStructure());
    EXPECT_NE(readFile(folder / "Structure(6).dat"), "");
}

}  // namespace
}  // namespace nimbus

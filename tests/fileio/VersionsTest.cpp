// Numbered old versions: names and their sorting form, numbering, rotation before rewrites,
// pruning and deleting.
#include "TempFolder.h"

#include "fileio/OMFILE.h"
#include "fileio/Versions.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace nimbus::fileio;

namespace {

using Strings = std::vector<std::string>;

class VersionsTest : public TempFolderTest {
protected:
    std::string nextVersionOf(const std::string &name)
    {
        Strings versions;
        listVersions(path(name), versions);
        std::string error;
        const std::string made = makeVersion(path(name), versions, "C", error);
        EXPECT_EQ(error, "");
        return fileNameOf(made);
    }

    // Rewrites name through OMFILE keeping `keep` old versions.
    void rewrite(const std::string &name, const std::string &text, int keep)
    {
        OMFILEPtr file = openPlain(path(name), "W", keep);
        ASSERT_TRUE(file);
        writeLine(*file, text);
        ASSERT_TRUE(close(file));
    }

    static std::string fileNameOf(const std::string &path)
    {
        return path.substr(path.rfind('/') + 1);
    }
};

TEST(VersionNames, SortingFormRoundTripAndOrder)
{
    EXPECT_EQ(toSortingForm("a(12).txt"), "a(9990000012).txt");
    EXPECT_EQ(toSortingForm("a(1).txt"), "a(9990000001).txt");
    EXPECT_EQ(toSortingForm("a(1234567890).txt"), "a(1234567890).txt");
    EXPECT_EQ(toSortingForm("plain.txt"), "plain.txt");
    EXPECT_LT(toSortingForm("a(9).txt"), toSortingForm("a(10).txt"));
    for (const char *name : {"a(1).txt", "a(10).txt", "x(3)(4).txt", "Makefile(7)", "a(0).dat"})
        EXPECT_EQ(fromSortingForm(toSortingForm(name)), name);
    EXPECT_EQ(fromSortingForm("a(9990000012).txt"), "a(12).txt");
    // Not a sorting form: left as it is.
    EXPECT_EQ(fromSortingForm("a(999).txt"), "a(999).txt");
    EXPECT_EQ(fromSortingForm("a(99912345678).txt"), "a(99912345678).txt");
}

TEST(VersionNames, WhatCountsAsAnOldVersion)
{
    EXPECT_TRUE(isVersionName("Structure(3).dat"));
    EXPECT_TRUE(isVersionName("a.b(0).txt"));
    EXPECT_TRUE(isVersionName("Makefile(2)"));
    EXPECT_FALSE(isVersionName("Structure.dat"));
    EXPECT_FALSE(isVersionName("a(x).txt"));
    EXPECT_FALSE(isVersionName("a(-1).txt"));
    EXPECT_FALSE(isVersionName("a().txt"));
    EXPECT_FALSE(isVersionName("a(1)b.txt"));
    EXPECT_FALSE(isVersionName(")1(.txt"));
}

TEST_F(VersionsTest, NumberingContinuesAfterTheHighestVersion)
{
    put("Structure.dat", "s");
    EXPECT_EQ(nextVersionOf("Structure.dat"), "Structure(1).dat");
    put("Structure(2).dat", "2");
    put("Structure(3).dat", "3");
    EXPECT_EQ(nextVersionOf("Structure.dat"), "Structure(4).dat");

    put("lone.txt", "l");
    put("lone(7).txt", "7");
    EXPECT_EQ(nextVersionOf("lone.txt"), "lone(8).txt");

    // Ten versions: 10 sorts after 9 and the next is 11.
    put("ten.txt", "t");
    for (int i = 1; i <= 10; ++i)
        put("ten(" + std::to_string(i) + ").txt", "v");
    Strings versions;
    listVersionFiles(path("ten.txt"), versions);
    ASSERT_EQ(versions.size(), 10u);
    EXPECT_EQ(versions[8], "ten(9).txt");
    EXPECT_EQ(versions[9], "ten(10).txt");
    EXPECT_EQ(nextVersionOf("ten.txt"), "ten(11).txt");
}

TEST_F(VersionsTest, VersionsUseTheLastDotAndOnlyTheirOwnBase)
{
    put("a.b.txt", "content");
    EXPECT_EQ(nextVersionOf("a.b.txt"), "a.b(1).txt");
    EXPECT_EQ(get("a.b(1).txt"), "content");
    // Names that only look similar are not versions of a.b.txt.
    for (const char *other : {"a(1).txt", "a.b(copy).txt", "a.b(007).txt", "a.b(2).txt.bak",
                              "xa.b(3).txt", "a.b(4).dat"})
        put(other, "other");
    Strings versions;
    listVersionFiles(path("a.b.txt"), versions);
    EXPECT_EQ(versions, Strings{"a.b(1).txt"});
}

TEST_F(VersionsTest, RenameMethodMovesTheFile)
{
    put("c.txt", "x");
    Strings versions;
    std::string error;
    EXPECT_EQ(makeVersion(path("c.txt"), versions, "R", error), path("c(1).txt"));
    EXPECT_FALSE(exists("c.txt"));
    EXPECT_EQ(makeVersion(path("c.txt"), versions, "R", error), "");
    EXPECT_EQ(error, "");
}

TEST_F(VersionsTest, RewritesKeepTheNewestVersions)
{
    rewrite("pref.txt", "v0", 1);
    EXPECT_EQ(entries(), Strings{"pref.txt"}); // nothing to keep for a new file
    for (int i = 1; i <= 3; ++i)
        rewrite("pref.txt", std::string("v").append(std::to_string(i)), 1);
    EXPECT_EQ(entries(), (Strings{"pref(3).txt", "pref.txt"}));
    EXPECT_EQ(get("pref(3).txt"), "v2\r\n");

    for (int i = 4; i <= 8; ++i)
        rewrite("pref.txt", std::string("v").append(std::to_string(i)), 3);
    EXPECT_EQ(entries(), (Strings{"pref(6).txt", "pref(7).txt", "pref(8).txt", "pref.txt"}));
    EXPECT_EQ(get("pref(8).txt"), "v7\r\n");
    EXPECT_EQ(get("pref.txt"), "v8\r\n");

    // Without versions to keep nothing is added or removed.
    rewrite("pref.txt", "v9", 0);
    EXPECT_EQ(entries().size(), 4u);
}

TEST_F(VersionsTest, RoomForTheNewVersionIsMadeBeforeItAppears)
{
    // A rewrite killed after making its version and before pruning left one too many.
    put("pref.txt", std::string(4096, 'p'));
    for (const char *version : {"pref(1).txt", "pref(2).txt", "pref(3).txt", "pref(4).txt"})
        put(version, version);
    // The copy that would become the new version cannot be written: what is left shows the
    // moment before it appears, which must already be within the count.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &tight);
    rotateVersions(path("pref.txt"), 3);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(entries(), (Strings{"pref(3).txt", "pref(4).txt", "pref.txt"}));

    rotateVersions(path("pref.txt"), 3);
    EXPECT_EQ(entries(), (Strings{"pref(3).txt", "pref(4).txt", "pref(5).txt", "pref.txt"}));
    EXPECT_EQ(get("pref(5).txt"), std::string(4096, 'p'));
}

TEST_F(VersionsTest, PruneDeletesTheOldestEvenWhenReadOnly)
{
    put("d.txt", "d");
    for (int i = 1; i <= 4; ++i)
        put("d(" + std::to_string(i) + ").txt", "v");
    ::chmod(path("d(1).txt").c_str(), 0444);
    Strings versions, deleted;
    listVersions(path("d.txt"), versions);
    pruneVersions(path("d.txt"), 2, versions, &deleted);
    EXPECT_EQ(versions, (Strings{"d(9990000003).txt", "d(9990000004).txt"}));
    EXPECT_EQ(deleted, (Strings{path("d(1).txt"), path("d(2).txt")}));
    EXPECT_EQ(entries(), (Strings{"d(3).txt", "d(4).txt", "d.txt"}));

    // Entries that would reach outside the folder are dropped, never deleted.
    put("victim.txt", "keep");
    std::filesystem::create_directory(path("sub"));
    Strings hostile = {"../victim.txt", ".."};
    pruneVersions(path("sub/d.txt"), 0, hostile);
    EXPECT_TRUE(hostile.empty());
    EXPECT_TRUE(exists("victim.txt"));
}

TEST_F(VersionsTest, DeleteAllVersionsRemovesNumberedAndStampedOnes)
{
    for (const char *name : {"e.txt", "e(1).txt", "e(12).txt", "e(240131-235959).txt",
                             "e(240131_235959).txt", "e(notes).txt", "e.txt.bak", "ex(1).txt"})
        put(name, "x");
    ::chmod(path("e(12).txt").c_str(), 0444);
    deleteAllVersions(path("e.txt"));
    EXPECT_EQ(entries(),
              (Strings{"e(240131_235959).txt", "e(notes).txt", "e.txt", "e.txt.bak", "ex(1).txt"}));
}

TEST_F(VersionsTest, BaseNameFilesListEverythingStartingWithTheBase)
{
    for (const char *name : {"log.txt", "log(1).txt", "logbook.dat", "other.txt"})
        put(name, "x");
    std::filesystem::create_directory(path("log.d"));
    Strings names;
    listBaseNameFiles(path("log.txt"), names);
    EXPECT_EQ(names, (Strings{"log(1).txt", "log.txt", "logbook.dat"}));
}

} // namespace

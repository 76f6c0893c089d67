// Folder listings, emptying a tree, atomic copies and the path helpers.
#include "TempFolder.h"

#include "fileio/FolderOps.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace nimbus::fileio;

namespace {

using Strings = std::vector<std::string>;

class FolderOpsTest : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        for (const char *name : {"a.txt", "B.TXT", "notes", "c.txt.bak", ".hidden.txt"})
            put(name, "x");
        std::filesystem::create_directory(path("sub.txt"));
        std::filesystem::create_directory(path(".cache"));
        std::filesystem::create_directory(path("Text"));
    }

    Strings files(const std::string &pattern)
    {
        Strings list = {"kept"}; // listings add to what the list holds
        listFiles(pattern, list);
        std::sort(list.begin() + 1, list.end());
        return list;
    }
};

TEST_F(FolderOpsTest, ListFilesMatchesTheLastComponentOnly)
{
    EXPECT_EQ(files(folder), (Strings{"kept", "B.TXT", "a.txt", "c.txt.bak", "notes"}));
    EXPECT_EQ(files(path("*.*")), (Strings{"kept", "B.TXT", "a.txt", "c.txt.bak", "notes"}));
    EXPECT_EQ(files(path("*.txt")), (Strings{"kept", "a.txt"})); // case-sensitive, no folder
    EXPECT_EQ(files(path("?.t*")), (Strings{"kept", "a.txt", "c.txt.bak"}));
    EXPECT_EQ(files(path(".*")), (Strings{"kept", ".hidden.txt"}));
    EXPECT_EQ(files(path("missing/*")), (Strings{"kept"}));
}

TEST_F(FolderOpsTest, ListFoldersSkipsHiddenOnes)
{
    Strings list;
    listFolders(folder, list);
    std::sort(list.begin(), list.end());
    EXPECT_EQ(list, (Strings{"Text", "sub.txt"}));
}

TEST_F(FolderOpsTest, EmptyFolderTreeKeepsTheFolderAndDoesNotFollowLinks)
{
    char outsidePattern[] = "/tmp/nimbus-fileio-outside-XXXXXX";
    ASSERT_NE(::mkdtemp(outsidePattern), nullptr);
    const std::string outside = outsidePattern;
    std::ofstream(outside + "/keep.txt") << "keep";
    put("Text/deep.rtf", "x");
    std::filesystem::create_directories(path("Text/a/b/c"));
    put("Text/a/b/c/leaf", "x");
    std::filesystem::create_directory_symlink(outside, path("Text/link"));

    EXPECT_TRUE(emptyFolderTree(folder));
    EXPECT_TRUE(folderExists(folder));
    EXPECT_TRUE(entries().empty());
    EXPECT_TRUE(std::filesystem::exists(outside + "/keep.txt"));
    std::filesystem::remove_all(outside);
    EXPECT_TRUE(emptyFolderTree(path("missing/")));
}

TEST_F(FolderOpsTest, EmptyFolderTreeLeavesAFolderThatIsALinkAlone)
{
    char outsidePattern[] = "/tmp/nimbus-fileio-outside-XXXXXX";
    ASSERT_NE(::mkdtemp(outsidePattern), nullptr);
    const std::string outside = outsidePattern;
    std::filesystem::create_directories(outside + "/sub");
    std::ofstream(outside + "/sub/keep.txt") << "keep";
    std::filesystem::create_directory_symlink(outside, path("link"));

    // With or without the trailing "/" that would make the system follow the link.
    EXPECT_FALSE(emptyFolderTree(path("link")));
    EXPECT_FALSE(emptyFolderTree(path("link/")));
    EXPECT_FALSE(emptyFolderTree(path("a.txt/")));
    EXPECT_TRUE(std::filesystem::exists(outside + "/sub/keep.txt"));
    EXPECT_TRUE(std::filesystem::is_symlink(path("link")));
    std::filesystem::remove_all(outside);
}

TEST_F(FolderOpsTest, CopyFileIsExactAndKeepsPermissions)
{
    std::string bytes;
    for (int i = 0; i < 300000; ++i)
        bytes += static_cast<char>(i * 7 % 256);
    put("src.bin", bytes);
    ::chmod(path("src.bin").c_str(), 0600);
    put("dst.bin", "old");
    std::string error;
    EXPECT_TRUE(copyFile(path("src.bin"), path("dst.bin"), &error)) << error;
    EXPECT_EQ(get("dst.bin"), bytes);
    struct stat st {};
    ::stat(path("dst.bin").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    EXPECT_FALSE(copyFile(path("none.bin"), path("dst.bin"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(get("dst.bin"), bytes);
    EXPECT_FALSE(copyFile(path("Text"), path("dst.bin"))); // a folder is no source
}

TEST_F(FolderOpsTest, CopyIntoReadOnlyFolderFailsCleanly)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ::chmod(path("Text").c_str(), 0500);
    std::string error;
    EXPECT_FALSE(copyFile(path("a.txt"), path("Text/a.txt"), &error));
    EXPECT_NE(error.find(std::strerror(EACCES)), std::string::npos);
    ::chmod(path("Text").c_str(), 0700);
}

TEST_F(FolderOpsTest, FailuresOfSmallOperations)
{
    EXPECT_FALSE(fileExists(path("Text")));
    EXPECT_FALSE(createFolder(path("a.txt"), 0700)); // a file is in the way
    std::string bytes = "stale";
    EXPECT_FALSE(readWholeFile(path("none"), bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(fileSize(path("none")), -1);
    errno = ENOENT;
    EXPECT_EQ(lastErrorText(), std::strerror(ENOENT));
}

TEST(PathNames, PiecesAndSafeNames)
{
    EXPECT_EQ(folderOf("dir/sub/a.b.txt"), "dir/sub/");
    EXPECT_EQ(fileNameOf("dir/sub/a.b.txt"), "a.b.txt");
    EXPECT_EQ(baseNameOf("dir/sub/a.b.txt"), "a.b");
    EXPECT_EQ(extensionOf("dir/sub/a.b.txt"), ".txt");
    EXPECT_EQ(folderOf("plain"), "");
    EXPECT_EQ(extensionOf("dir.d/Makefile"), "");
    EXPECT_EQ(baseNameOf("dir.d/Makefile"), "Makefile");
    EXPECT_EQ(baseNameOf("/home/u/.profile"), ".profile");

    EXPECT_TRUE(isSafeFileName("12345.pkt"));
    for (const std::string &bad :
         Strings{"", ".", "..", "../x", "a/b", "a\\b", std::string("a\0b", 3)})
        EXPECT_FALSE(isSafeFileName(bad)) << bad;
}

} // namespace

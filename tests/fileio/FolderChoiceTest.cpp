// The folder chooser's rules: where it opens and making a new sub-folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fileio/FolderChoice.h"
#include "fileio/FolderOps.h"
#include "support/TempFolder.h"

namespace nimbus::fileio::folder_choice {
namespace {

TEST(FolderChoice, OpensAtAnExistingStartFolderElseHome)
{
    test::TempFolder dir;
    EXPECT_EQ(StartFolder(dir.path(), "/home/u"), dir.path().substr(0, dir.path().size() - 1));
    EXPECT_EQ(StartFolder(dir / "gone", "/home/u/"), "/home/u");
    EXPECT_EQ(StartFolder("", ""), "/");
    EXPECT_EQ(SubFolderPath("/", "LANNimbus"), "/LANNimbus");
    EXPECT_EQ(SubFolderPath("/srv/share/", "LANNimbus"), "/srv/share/LANNimbus");
}

TEST(FolderChoice, CreatesOneNamedSubFolderAndRefusesOthers)
{
    test::TempFolder dir;
    std::string path;
    EXPECT_EQ(CreateSubFolder(dir.path(), "", path), SubFolderOutcome::Nothing);
    EXPECT_EQ(CreateSubFolder(dir.path(), "LANNimbus", path), SubFolderOutcome::Created);
    EXPECT_EQ(path, dir / "LANNimbus");
    EXPECT_TRUE(folderExists(path));
    // Making it again is no failure: the folder is there to be chosen.
    EXPECT_EQ(CreateSubFolder(dir.path(), "LANNimbus", path), SubFolderOutcome::Created);

    for (const char *bad : {"..", ".", "a/b", "../escape"}) {
        EXPECT_EQ(CreateSubFolder(dir / "LANNimbus", bad, path), SubFolderOutcome::Invalid) << bad;
    }
    EXPECT_FALSE(folderExists(dir / "LANNimbus/a"));
    EXPECT_FALSE(folderExists(dir / "escape"));
    EXPECT_EQ(CreateSubFolder(dir.path(), std::string("nul\0x", 5), path),
              SubFolderOutcome::Invalid);

    // A folder shown that has gone meanwhile is made again with the new one inside it.
    EXPECT_EQ(CreateSubFolder(dir / "gone/deeper", "new", path), SubFolderOutcome::Created);
    EXPECT_TRUE(folderExists(dir / "gone/deeper/new"));

    // A name the system refuses: a file stands where the folder would go.
    test::writeFile(dir / "taken", "x");
    EXPECT_EQ(CreateSubFolder(dir.path(), "taken", path), SubFolderOutcome::Invalid);
}

} // namespace
} // namespace nimbus::fileio::folder_choice

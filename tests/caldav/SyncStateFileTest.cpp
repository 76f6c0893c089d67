// A sync keeps the states it holds only while "CalendarSync.dat" is the file it last read or
// wrote: every other program's rewrite, a removal, a file that appears, and another
// calendar's save are seen, even when they leave the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "caldav/SyncState.h"
#include "fileio/FolderOps.h"
#include "support/TempFolder.h"

using namespace nimbus;
using nimbus::caldav::SyncState;

namespace {

const std::string kWork = "https://example.com/cal/work/";
const std::string kHome = "https://example.com/cal/home/";

SyncState loaded(const std::string &folder, const std::string &calendar)
{
    SyncState state;
    state.Load(folder, calendar);
    state.Bind(calendar, "STD0001");
    return state;
}

} // namespace

TEST(SyncStateFile, AChangeByAnyoneElseIsSeenAndOwnSavesAreNot)
{
    test::TempFolder folder;
    const std::string file = folder.path() + SyncState::kFileName;

    // No file yet: unchanged until one appears.
    SyncState mine = loaded(folder.path(), kWork);
    EXPECT_TRUE(mine.fileUnchanged());
    SyncState other = loaded(folder.path(), kWork);
    other.syncToken = "token-1";
    ASSERT_TRUE(other.Save());
    EXPECT_FALSE(mine.fileUnchanged());

    // Read again, and saved: both are this state's own file.
    mine.Load(folder.path(), kWork);
    EXPECT_EQ(mine.syncToken, "token-1");
    EXPECT_TRUE(mine.fileUnchanged());
    mine.ctag = "ctag-1";
    ASSERT_TRUE(mine.Save());
    EXPECT_TRUE(mine.fileUnchanged());

    // Another program writes the very same bytes through a new file and a rename.
    std::string bytes;
    ASSERT_TRUE(fileio::readWholeFile(file, bytes));
    std::ofstream(file + ".new", std::ios::binary) << bytes;
    std::filesystem::rename(file + ".new", file);
    EXPECT_FALSE(mine.fileUnchanged());
    mine.Load(folder.path(), kWork);
    EXPECT_TRUE(mine.fileUnchanged());

    // Rewritten in place to the same size at once (an editor that keeps the file, within the
    // file system's clock tick): the bytes tell.
    const std::size_t token = bytes.find("token-1");
    ASSERT_NE(token, std::string::npos);
    {
        std::fstream in(file, std::ios::in | std::ios::out | std::ios::binary);
        in.seekp(static_cast<std::streamoff>(token + 6));
        in.put('2');
    }
    EXPECT_FALSE(mine.fileUnchanged());
    mine.Load(folder.path(), kWork);
    EXPECT_EQ(mine.syncToken, "token-2");
    EXPECT_TRUE(mine.fileUnchanged());

    // Removed.
    std::filesystem::remove(file);
    EXPECT_FALSE(mine.fileUnchanged());
}

TEST(SyncStateFile, AnotherCalendarsSaveChangesTheFileUntilAllAreNotedAsSaved)
{
    test::TempFolder folder;
    SyncState work = loaded(folder.path(), kWork);
    SyncState home = loaded(folder.path(), kHome);
    work.syncToken = "w";
    work.syncTokenAt = "20261201-090000";
    home.syncToken = "h";
    ASSERT_TRUE(work.Save());
    ASSERT_TRUE(home.Save());
    EXPECT_FALSE(work.fileUnchanged()) << "the home calendar's save rewrote the file";
    EXPECT_TRUE(home.fileUnchanged());
    // Both blocks are as their states hold them: the caller may say so.
    work.noteFileAsSaved();
    EXPECT_TRUE(work.fileUnchanged());
    SyncState reread;
    reread.Load(folder.path(), kWork);
    EXPECT_EQ(reread.syncToken, "w");
    EXPECT_EQ(reread.syncTokenAt, "20261201-090000");
    EXPECT_TRUE(reread.sameAs(work));
}

TEST(SyncStateFile, AFailedSaveIsNeverTakenForTheFile)
{
    test::TempFolder folder;
    SyncState state = loaded(folder.path(), kWork);
    ASSERT_TRUE(state.fileUnchanged());
    // The data folder is gone: the save fails, and the missing file is not "unchanged".
    const std::string gone = folder.path() + "gone/";
    state.Load(gone, kWork);
    state.Bind(kWork, "STD0001");
    EXPECT_FALSE(state.Save());
    EXPECT_FALSE(state.fileUnchanged());
}

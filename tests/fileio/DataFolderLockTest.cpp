// The data folder's lock when something else sits in the lock file's place: a folder, a
// symbolic link (dangling or to a file elsewhere), a FIFO, a file that cannot be opened. None
// of them is ever taken for a lock, none waits, and each says why.
#include "TempFolder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileio/DataFolderLock.h"

using nimbus::fileio::DataFolderLock;
using namespace std::chrono_literals;

namespace {

class DataFolderLockTest : public TempFolderTest {
protected:
    const std::string lockFile() const { return path(DataFolderLock::kFileName); }

    // Both ways the lock is asked for: the program's (making the file) and nimbus-cli's.
    void expectRefused(const std::string &why)
    {
        for (bool create : {true, false}) {
            DataFolderLock lock;
            // An hour's patience: a refusal must not wait for another holder that is not there.
            EXPECT_FALSE(lock.take(folder, create, 1h)) << why;
            EXPECT_FALSE(lock.heldByOther()) << why;
            EXPECT_NE(lock.problem().find(why), std::string::npos) << lock.problem();
        }
    }
};

TEST_F(DataFolderLockTest, OnlyAPlainFileIsEverLockedAndEachRefusalSaysWhy)
{
    std::filesystem::create_directory(lockFile());
    expectRefused("it is a folder");
    std::filesystem::remove(lockFile());

    std::filesystem::create_symlink(path("nowhere"), lockFile());
    expectRefused("it is a symbolic link");
    EXPECT_FALSE(exists("nowhere")) << "the link was followed to make its target";
    std::filesystem::remove(lockFile());

    // A link to someone's file elsewhere: that file is neither locked nor changed.
    put("elsewhere", "someone's file");
    std::filesystem::create_symlink(path("elsewhere"), lockFile());
    expectRefused("it is a symbolic link");
    const int other = ::open(path("elsewhere").c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
    EXPECT_EQ(get("elsewhere"), "someone's file");
    std::filesystem::remove(lockFile());

    ASSERT_EQ(::mkfifo(lockFile().c_str(), 0600), 0);
    expectRefused("it is not a plain file");
    std::filesystem::remove(lockFile());

    if (::geteuid() != 0) { // root opens any file whatever its mode
        put(DataFolderLock::kFileName, "");
        ::chmod(lockFile().c_str(), 0);
        expectRefused(std::strerror(EACCES));
        std::filesystem::remove(lockFile());
    }

    // What is no problem: no file at all (no program made one, so none runs), or a program
    // holding it.
    DataFolderLock reader;
    EXPECT_TRUE(reader.tryTake(folder, false)) << "no program has made it: none runs";
    EXPECT_FALSE(exists(DataFolderLock::kFileName));

    DataFolderLock program;
    ASSERT_TRUE(program.tryTake(folder, true));
    DataFolderLock second;
    EXPECT_FALSE(second.tryTake(folder, false));
    EXPECT_TRUE(second.heldByOther());
    EXPECT_EQ(second.problem(), "");
}

} // namespace

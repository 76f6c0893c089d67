// Writing line files: the atomic rewrite (old file kept on failure, no leftovers), permissions,
// long pairs, append mode and appendLine.
#include "TempFolder.h"

#include "fileio/AtomicFile.h"
#include "fileio/OMFILE.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace nimbus::fileio;

namespace {

using Strings = std::vector<std::string>;

unsigned modeOf(const std::string &path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// Lowers the file size limit for its lifetime, so that writes beyond it fail (EFBIG) even for
// root; SIGXFSZ is ignored so that the failure arrives as an error code.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

using OmfileWriteTest = TempFolderTest;

TEST_F(OmfileWriteTest, RewriteReplacesTheFileOnCloseAndLeavesNothingElse)
{
    put("pref.txt", "old\r\n");
    OMFILEPtr file = openPlain(path("pref.txt"), "W", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(writeLine(*file, "first"));
    EXPECT_TRUE(writePair(*file, "Name", "Value"));
    EXPECT_TRUE(writePairs(*file, {"a", "b"}, {"1"})); // a missing value is written empty
    const char raw[] = {'x', '\0', 'y'};
    EXPECT_TRUE(writeRaw(*file, raw, 3));
    // Until close the old content is what others see.
    EXPECT_EQ(get("pref.txt"), "old\r\n");
    EXPECT_TRUE(close(file));
    EXPECT_FALSE(file);
    EXPECT_EQ(get("pref.txt"), std::string("first\r\nName=Value\r\na=1\r\nb=\r\nx\0y", 31));
    EXPECT_EQ(entries(), Strings{"pref.txt"});
}

TEST_F(OmfileWriteTest, FailedWritesKeepTheOldFile)
{
    put("Structure.dat", "precious\r\n");
    {
        FileSizeLimit limit(4096);
        OMFILEPtr file = openPlain(path("Structure.dat"), "W", 0);
        ASSERT_TRUE(file);
        for (int i = 0; i < 200; ++i)
            writePair(*file, "Key" + std::to_string(i), std::string(1000, 'v'));
        EXPECT_FALSE(close(file));
    }
    EXPECT_EQ(get("Structure.dat"), "precious\r\n");
    EXPECT_EQ(entries(), Strings{"Structure.dat"});

    // A rewrite marked failed is abandoned on close as well.
    OMFILEPtr file = openPlain(path("Structure.dat"), "W", 0);
    ASSERT_TRUE(file);
    writeLine(*file, "partial");
    file->writeFailed = true;
    EXPECT_FALSE(close(file));
    EXPECT_EQ(get("Structure.dat"), "precious\r\n");
    EXPECT_EQ(entries(), Strings{"Structure.dat"});
}

TEST_F(OmfileWriteTest, UnclosedRewriteIsCommittedWhenTheObjectGoes)
{
    {
        OMFILEPtr file = openPlain(path("new.txt"), "W", 0);
        ASSERT_TRUE(file);
        writeLine(*file, "kept");
    }
    EXPECT_EQ(get("new.txt"), "kept\r\n");
    EXPECT_EQ(entries(), Strings{"new.txt"});
}

TEST_F(OmfileWriteTest, PermissionsOfNewAndReplacedFiles)
{
    const mode_t mask = ::umask(022);
    OMFILEPtr file = openPlain(path("new.txt"), "W", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(close(file));
    EXPECT_EQ(modeOf(path("new.txt")), 0644u);

    put("secret.txt", "x");
    ::chmod(path("secret.txt").c_str(), 0600);
    file = openEnciphered(path("secret.txt"), "W", 0);
    ASSERT_TRUE(file);
    writeEncipheredPairs(*file, {"pw"}, {"x"});
    EXPECT_TRUE(close(file));
    EXPECT_EQ(modeOf(path("secret.txt")), 0600u);
    ::umask(mask);
}

TEST_F(OmfileWriteTest, RewriteInReadOnlyFolderFailsAtOpen)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    put("a.txt", "old");
    ::chmod(folder.c_str(), 0500);
    EXPECT_FALSE(openPlain(path("a.txt"), "W", 0));
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(get("a.txt"), "old");
}

TEST_F(OmfileWriteTest, LongPairsAreWrittenWhole)
{
    const std::string value(10000, 'v');
    OMFILEPtr file = openPlain(path("long.txt"), "W", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(writePair(*file, "Name", value));
    EXPECT_TRUE(close(file));
    EXPECT_EQ(get("long.txt"), "Name=" + value + "\r\n");

    file = openPlain(path("long.txt"), "R", 0);
    ASSERT_TRUE(file);
    Strings names, values;
    readPairs(*file, names, values);
    EXPECT_EQ(values, Strings{value});
    close(file);
}

TEST_F(OmfileWriteTest, AppendModeAndAppendLineAddAtTheEnd)
{
    EXPECT_TRUE(appendLine(path("MainLog.txt"), "created"));
    EXPECT_TRUE(appendLine(path("MainLog.txt"), "appended"));
    EXPECT_EQ(get("MainLog.txt"), "created\r\nappended\r\n");

    OMFILEPtr file = openPlain(path("MainLog.txt"), "A", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(writeLine(*file, "third"));
    EXPECT_TRUE(close(file));
    EXPECT_EQ(get("MainLog.txt"), "created\r\nappended\r\nthird\r\n");

    // A new file in append mode is created.
    file = openPlain(path("fresh.txt"), "A", 0);
    ASSERT_TRUE(file);
    EXPECT_TRUE(writeLine(*file, "one"));
    EXPECT_TRUE(close(file));
    EXPECT_EQ(get("fresh.txt"), "one\r\n");

    EXPECT_FALSE(appendLine(path("no/such/folder.txt"), "x"));
}

TEST_F(OmfileWriteTest, DroppedAtomicFileLeavesTargetAlone)
{
    put("f.txt", "one");
    {
        AtomicFile file(path("f.txt"));
        ASSERT_TRUE(file.open());
        file.write("two");
    }
    EXPECT_EQ(get("f.txt"), "one");
    EXPECT_EQ(entries(), Strings{"f.txt"});
    std::string error;
    EXPECT_FALSE(writeFileAtomically(path("missing/f.txt"), "x", &error));
    EXPECT_FALSE(error.empty());

    // A read object refuses writes.
    OMFILEPtr file = openPlain(path("f.txt"), "R", 0);
    ASSERT_TRUE(file);
    EXPECT_FALSE(writeLine(*file, "b"));
    EXPECT_FALSE(close(file)); // close reports the refused write
    EXPECT_EQ(get("f.txt"), "one");
}

TEST_F(OmfileWriteTest, TemporaryFilesOfInterruptedWritesAreRemovedAndNothingElse)
{
    put("Structure.dat", "records");
    // What a writer killed before its rename leaves, beside hidden files of other shapes.
    AtomicFile interrupted(path("Structure.dat"));
    ASSERT_TRUE(interrupted.open());
    interrupted.write("half");
    const Strings leftBehind = entries();
    ASSERT_EQ(leftBehind.size(), 2u);
    std::filesystem::rename(path(leftBehind[0]), path(".Structure.dat.Ab3xY9"));
    put(".net.txt.k2P0qa", "torn");
    put(".hidden", "keep");
    put(".notes.backup1", "keep");
    put(".a.b.cde", "keep");
    EXPECT_EQ(removeStaleTemporaries(folder), 2);
    EXPECT_EQ(entries(), (Strings{".a.b.cde", ".hidden", ".notes.backup1", "Structure.dat"}));
    EXPECT_EQ(get("Structure.dat"), "records");
}

} // namespace

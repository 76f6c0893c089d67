// Data folder layout, seed files, the installation record on real folders, and the data upgrade.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "shell/core/DataFolderLayout.h"
#include "shell/core/DataUpgrade.h"
#include "support/TempFolder.h"

using namespace nimbus;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::writeFile;

namespace {

struct Installation {
    TempFolder root;
    TAppPaths paths;
    Installation()
    {
        setDataFolder(paths, root.path() + "home");
        ::mkdir((root.path() + "home").c_str(), 0700);
        ::mkdir((root.path() + "prog").c_str(), 0700);
        setProgramFolder(paths, root.path() + "prog/nimbus");
    }
};

unsigned modeOf(const std::string &path)
{
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

void writePairsFile(const std::string &path, const std::vector<std::string> &names,
                    const std::vector<std::string> &values)
{
    fileio::OMFILEPtr out = fileio::openPlain(path, "W", 0);
    ASSERT_TRUE(out);
    fileio::writePairs(*out, names, values);
    fileio::close(out);
}

void readEnciphered(const std::string &path, std::vector<std::string> &names,
                    std::vector<std::string> &values)
{
    fileio::OMFILEPtr in = fileio::openEnciphered(path, "R", 0);
    ASSERT_TRUE(in);
    fileio::readPairs(*in, names, values);
    fileio::close(in);
}

}  // namespace

TEST(DataFolderLayout, FirstStartCreatesPrivateFolders)
{
    Installation inst;
    createDataFolders(inst.paths);
    for (const std::string &folder :
         {inst.paths.DataFolder, inst.paths.TextFolder, inst.paths.CheckListFolder,
          inst.paths.PacksFolder, inst.paths.OutboxFolder, inst.paths.FormatsFolder,
          inst.paths.ControlFolder}) {
        EXPECT_EQ(modeOf(folder), 0700u) << folder;
    }

    // An existing folder is left as the user made it.
    ::chmod(inst.paths.TextFolder.c_str(), 0750);
    createDataFolders(inst.paths);
    EXPECT_EQ(modeOf(inst.paths.TextFolder), 0750u);
}

TEST(DataFolderLayout, SeedFilesNeverOverwrite)
{
    Installation inst;
    createDataFolders(inst.paths);
    writeFile(inst.paths.InstallFolder + "Welcome.~txt", "from the install");
    writeFile(inst.paths.InstallFolder + "Notes.~txt", "new notes");
    writeFile(inst.paths.InstallFolder + "Nimbus.vsn", "change notes");
    writeFile(inst.paths.InstallFolder + "other.txt", "not a seed file");
    writeFile(inst.paths.DataFolder + "Notes.~txt", "the user's own");

    const auto copied = seedInstallFiles(inst.paths);
    EXPECT_EQ(copied.size(), 2u);
    EXPECT_EQ(readFile(inst.paths.DataFolder + "Welcome.~txt"), "from the install");
    EXPECT_EQ(readFile(inst.paths.DataFolder + "Nimbus.vsn"), "change notes");
    EXPECT_EQ(readFile(inst.paths.DataFolder + "Notes.~txt"), "the user's own");
    EXPECT_FALSE(fileio::fileExists(inst.paths.DataFolder + "other.txt"));
}

TEST(InstallRecord, PreIsUsedKeptEncipheredAndMoved)
{
    Installation inst;
    createDataFolders(inst.paths);
    const std::string pre = inst.paths.InstallFolder + "Install.pre";
    writePairsFile(pre, {"product", "edition", "serial"}, {"Nimbus Desk Pro", "2", "A-1"});

    InstallRecord record = loadInstallRecord(inst.paths);
    EXPECT_EQ(record.source, pre);
    EXPECT_EQ(inst.paths.ProductTitle, "Nimbus Desk Pro");

    const std::string dat = inst.paths.DataFolder + "Install.dat";
    EXPECT_EQ(readFile(dat).substr(0, 8), "ZQENCR01");
    std::vector<std::string> names, values;
    readEnciphered(dat, names, values);
    EXPECT_EQ(names, (std::vector<std::string>{"product", "edition", "serial"}));
    EXPECT_EQ(values, (std::vector<std::string>{"Nimbus Desk Pro", "2", "A-1"}));

    EXPECT_TRUE(fileio::fileExists(inst.paths.DataFolder + "Install.pre"));
    EXPECT_FALSE(fileio::fileExists(pre)) << "moved once the data folder holds the copy";

    // The next start reads the data folder's record.
    TAppPaths again = inst.paths;
    again.ProductTitle = "Nimbus Desk";
    record = loadInstallRecord(again);
    EXPECT_EQ(record.source, dat);
    EXPECT_EQ(again.ProductTitle, "Nimbus Desk Pro");
}

TEST(InstallRecord, PrzIsUsedAndDeleted)
{
    Installation inst;
    createDataFolders(inst.paths);
    const std::string prz = inst.paths.InstallFolder + "Install.prz";
    writePairsFile(prz, {"product"}, {"Nimbus Desk Lite"});

    const InstallRecord record = loadInstallRecord(inst.paths);
    EXPECT_EQ(record.source, prz);
    EXPECT_EQ(inst.paths.ProductTitle, "Nimbus Desk Lite");
    EXPECT_FALSE(fileio::fileExists(prz));
    EXPECT_FALSE(fileio::fileExists(inst.paths.DataFolder + "Install.pre"));
    EXPECT_TRUE(fileio::fileExists(inst.paths.DataFolder + "Install.dat"));
}

TEST(InstallRecord, UnreadablePrzIsSetAsideAndReplacesNothing)
{
    Installation inst;
    createDataFolders(inst.paths);
    writePairsFile(inst.paths.DataFolder + "Install.dat", {"product"}, {"Nimbus Desk Lite"});
    const std::string dat = readFile(inst.paths.DataFolder + "Install.dat");
    const std::string prz = inst.paths.InstallFolder + "Install.prz";
    // An enciphered record cut short after its header.
    writeFile(prz, std::string("ZQENCR01") + std::string("\x01\x9c\x00\x13", 4));

    const InstallRecord record = loadInstallRecord(inst.paths);
    EXPECT_FALSE(record.problem.empty());
    EXPECT_FALSE(fileio::fileExists(prz));
    EXPECT_EQ(readFile(prz + ".unreadable").substr(0, 8), "ZQENCR01") << "kept, not deleted";
    EXPECT_EQ(readFile(inst.paths.DataFolder + "Install.dat"), dat) << "nothing replaced";
    EXPECT_EQ(record.source, inst.paths.DataFolder + "Install.dat");
    EXPECT_EQ(inst.paths.ProductTitle, "Nimbus Desk Lite");
}

TEST(InstallRecord, NothingToReadKeepsTheDefaultTitle)
{
    Installation inst;
    createDataFolders(inst.paths);
    const InstallRecord record = loadInstallRecord(inst.paths);
    EXPECT_TRUE(record.source.empty());
    EXPECT_EQ(inst.paths.ProductTitle, "Nimbus Desk");
    EXPECT_FALSE(fileio::fileExists(inst.paths.DataFolder + "Install.dat"));
}

TEST(InstallRecord, RecordIsNotMovedWhenTheDataFolderCannotTakeIt)
{
    Installation inst;  // the data folder is never created
    ::rmdir((inst.root.path() + "home").c_str());
    const std::string pre = inst.paths.InstallFolder + "Install.pre";
    writePairsFile(pre, {"product"}, {"Kept"});

    loadInstallRecord(inst.paths);
    EXPECT_EQ(inst.paths.ProductTitle, "Kept");
    EXPECT_TRUE(fileio::fileExists(pre)) << "the only copy of the record must stay";
}

TEST(DataUpgrade, RunsForOlderAndEmptyVersionsOnly)
{
    EXPECT_TRUE(NeedsDataUpgrade("1-16", "1-17"));
    EXPECT_TRUE(NeedsDataUpgrade("", "1-17"));
    EXPECT_FALSE(NeedsDataUpgrade("1-17", "1-17"));
    EXPECT_FALSE(NeedsDataUpgrade("1-18", "1-17"));
}

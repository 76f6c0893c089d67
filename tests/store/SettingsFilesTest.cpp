// The three settings files: exact bytes, defaults for missing or damaged values, old versions
// of pref.txt and the enciphered, write-when-modified net.txt.
#include <gtest/gtest.h>

#include <filesystem>

#include "fileio/OMFILE.h"
#include "store/TNetDetails.h"
#include "store/TPreferences.h"
#include "store/TScreenSetup.h"
#include "support/TempFolder.h"

namespace nimbus {
namespace {

using test::readFile;
using test::TempFolder;
using test::writeFile;

TEST(SettingsFilesTest, PreferencesRoundTripAndVersions)
{
    TempFolder data;
    TPreferences prefs;
    prefs.SetDataFolder(data.path());
    EXPECT_FALSE(prefs.Load());
    EXPECT_EQ(prefs.fsize, 11);
    EXPECT_TRUE(prefs.sum);

    prefs.date = 2;
    prefs.lv = "1-17";
    prefs.font = "DejaVu Sans";
    prefs.col = 255;
    ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(readFile(data / "pref.txt"),
              "date=2\r\nlv=1-17\r\nfont=DejaVu Sans\r\nfsize=11\r\ncol=255\r\nscr=0\r\nsum=Y\r\n");
    prefs.sfx = true;
    prefs.sum = false;
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(prefs.Save());
    EXPECT_EQ(readFile(data / "pref.txt"),
              "date=2\r\nsfx=Y\r\nlv=1-17\r\nfont=DejaVu Sans\r\nfsize=11\r\ncol=255\r\nscr=0\r\nsum=N\r\n");
    int versions = 0;
    for (const auto &entry : std::filesystem::directory_iterator(data.path()))
        if (entry.path().filename().string().rfind("pref(", 0) == 0)
            ++versions;
    EXPECT_EQ(versions, 6);

    TPreferences loaded;
    loaded.SetDataFolder(data.path());
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.date, 2);
    EXPECT_TRUE(loaded.sfx);
    EXPECT_FALSE(loaded.sum);
    EXPECT_EQ(loaded.font, "DejaVu Sans");
    EXPECT_EQ(loaded.col, 255);
}

TEST(SettingsFilesTest, PreferencesDefaultsForDamagedValues)
{
    TempFolder data;
    writeFile(data / "pref.txt", "date=x\r\nfsize=big\r\ncol=-\r\nsfx=yes\r\n");
    TPreferences prefs;
    prefs.SetDataFolder(data.path());
    ASSERT_TRUE(prefs.Load());
    EXPECT_EQ(prefs.date, 0);
    EXPECT_EQ(prefs.fsize, 11);
    EXPECT_EQ(prefs.col, 0);
    EXPECT_FALSE(prefs.sfx);
    EXPECT_TRUE(prefs.sum);  // no "sum" line
}

TEST(SettingsFilesTest, NetDetailsAreEncipheredAndWrittenOnlyWhenModified)
{
    TempFolder data;
    TNetDetails net;
    net.SetDataFolder(data.path());
    EXPECT_FALSE(net.Load());
    ASSERT_TRUE(net.Save());
    EXPECT_FALSE(std::filesystem::exists(data / "net.txt"));  // nothing changed

    net.net = "/srv/share/";
    net.pw = "s3cret=x";
    net.user = "anna";
    net.mem = true;
    net.modified = true;
    ASSERT_TRUE(net.Save());
    EXPECT_FALSE(net.modified);
    const std::string bytes = readFile(data / "net.txt");
    EXPECT_EQ(bytes.substr(0, 8), "ZQENCR01");
    EXPECT_EQ(bytes.find("anna"), std::string::npos);

    // A second save without a change leaves the file alone.
    writeFile(data / "net.txt", "marker");
    ASSERT_TRUE(net.Save());
    EXPECT_EQ(readFile(data / "net.txt"), "marker");

    net.backup = true;
    net.modified = true;
    ASSERT_TRUE(net.Save());
    TNetDetails loaded;
    loaded.SetDataFolder(data.path());
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.net, "/srv/share/");
    EXPECT_EQ(loaded.pw, "s3cret=x");
    EXPECT_EQ(loaded.user, "anna");
    EXPECT_TRUE(loaded.backup);
    EXPECT_TRUE(loaded.mem);
    EXPECT_EQ(loaded.datapw, "");

    // The deciphered content is the documented pairs in their order.
    fileio::OMFILEPtr file = fileio::openEnciphered(data / "net.txt", "R", 0);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->content.substr(0, file->contentSize),
              "net=/srv/share/\r\npw=s3cret=x\r\nuser=anna\r\nbackup=Y\r\ndatapw=\r\nmem=Y\r\n");
    fileio::close(file);
}

TEST(SettingsFilesTest, FailedNetSaveTriesAgainNextTime)
{
    TempFolder data;
    TNetDetails net;
    net.fileName = data / "missing-folder/net.txt";
    net.user = "anna";
    net.modified = true;
    EXPECT_FALSE(net.Save().ok);
    EXPECT_TRUE(net.modified);
}

TEST(SettingsFilesTest, ScreenSetupRoundTripAndDefaults)
{
    TempFolder data;
    TScreenSetup screen;
    screen.SetDataFolder(data.path());
    EXPECT_FALSE(screen.Load());
    EXPECT_EQ(screen.top, -1);
    EXPECT_EQ(screen.due, 90);
    EXPECT_EQ(screen.info, 90);

    ASSERT_TRUE(screen.Save());
    EXPECT_EQ(readFile(data / "screen.dat"),
              "top=-1\r\nleft=-1\r\nwidth=-1\r\nheight=-1\r\ntree=-1\r\nstruct=-1\r\ninfo=90\r\n"
              "due=90\r\nrpanel=-1\r\ntpanel=-1\r\n");

    screen.top = 10;
    screen.structPanel = 200;
    screen.hib = 0xC0C0F0;
    screen.lfs = "grid";
    ASSERT_TRUE(screen.Save());
    EXPECT_EQ(readFile(data / "screen.dat"),
              "top=10\r\nleft=-1\r\nwidth=-1\r\nheight=-1\r\ntree=-1\r\nstruct=200\r\ninfo=90\r\n"
              "due=90\r\nrpanel=-1\r\ntpanel=-1\r\nhib=12632304\r\nlfs=grid\r\n");

    TScreenSetup loaded;
    loaded.SetDataFolder(data.path());
    loaded.hit = 5;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.top, 10);
    EXPECT_EQ(loaded.structPanel, 200);
    EXPECT_EQ(loaded.hib, 0xC0C0F0);
    EXPECT_EQ(loaded.hit, -1);  // reset before reading
    EXPECT_EQ(loaded.lfs, "grid");

    writeFile(data / "screen.dat", "due=tall\r\nleft=x\r\n");
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.due, -1);
    EXPECT_EQ(loaded.left, -1);
}

}  // namespace
}  // namespace nimbus

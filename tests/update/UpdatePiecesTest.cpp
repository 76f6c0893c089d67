// The pieces of the update check: version numbers, the update list reader, addresses, the
// install script's text, change notes and the encryption library binding.
#include "UpdateTestSupport.h"

#include "update/ChangeNotes.h"
#include "update/CryptoLog.h"
#include "update/DownloadSite.h"
#include "update/InstallScript.h"
#include "update/RegUpdate.h"
#include "update/VersionNumber.h"

#include <cstdlib>
#include <sys/stat.h>

namespace nimbus::update::test {
namespace {

TEST(VersionNumber, PartsAreWeighedAndOverlapAsStored)
{
    EXPECT_EQ(VersionNumber("2.1.0"), 200'100'000);
    EXPECT_EQ(VersionNumber("2.0.9"), 200'090'000);
    EXPECT_EQ(VersionNumber("1.10"), 101'000'000); // not newer than 2.0
    EXPECT_LT(VersionNumber("1.10"), VersionNumber("2.0"));
    EXPECT_EQ(VersionNumber("v3"), 300'000);
    EXPECT_EQ(VersionNumber("1.2.3.4.5"), 100'230'004);
    EXPECT_EQ(VersionNumber(""), 0);
    EXPECT_EQ(VersionNumber("7"), 700'000'000);
    // However many digits, no overflow: each part stops at 999,999,999.
    EXPECT_EQ(VersionNumber(std::string(5000, '9')), 99'999'999'900'000'000);
    EXPECT_GT(VersionNumber(std::string(5000, '9') + ".9.9.9"), VersionNumber("99999.0"));
}

TEST(UpdateList, KeysInAnyCaseLaterLinesWinOthersIgnored)
{
    TempFolder folder;
    writeFile(folder / "updatelist.txt", "APPLICATION = Nimbus\r\nversion=1\r\nVersion=2.1.0\r\n"
                                         "url=http://a/Setup.exe\r\nsize=12\r\n");
    RegUpdate update;
    ASSERT_TRUE(update.read(folder / "updatelist.txt"));
    EXPECT_EQ(update.application, "Nimbus");
    EXPECT_EQ(update.version, "2.1.0");
    EXPECT_EQ(update.url, "http://a/Setup.exe");
    EXPECT_FALSE(RegUpdate().read(folder / "missing.txt"));
    writeFile(folder / "huge.txt", "version=" + std::string(2 * 1024 * 1024, '9') + "\r\n");
    EXPECT_FALSE(RegUpdate().read(folder / "huge.txt"));
}

TEST(DownloadSite, EnvironmentOverridesAndApplicationsAreEncoded)
{
    ::unsetenv(kDownloadSiteVariable);
    EXPECT_EQ(downloadSiteAddress(), kDefaultDownloadSite);
    ::setenv(kDownloadSiteVariable, "http://127.0.0.1:8080/", 1);
    EXPECT_EQ(downloadSiteAddress(), "http://127.0.0.1:8080");
    ::unsetenv(kDownloadSiteVariable);
    EXPECT_EQ(updateListAddress("http://h", "Nimbus"), "http://h/downloads/Nimbus/updatelist.txt");
    EXPECT_EQ(updateListAddress("http://h", "My App/../x?#"),
              "http://h/downloads/My%20App%2F..%2Fx%3F%23/updatelist.txt");
}

TEST(InstallScript, FourStepsInOrderWithEveryValueQuoted)
{
    InstallScriptValues values{"Nimbus", "/opt/nim bus/", "/home/u/$Nimbus/",
                               "/home/u/$Nimbus/Download/Setup.exe", "nimbus"};
    EXPECT_EQ(installScriptLines(values),
              (Lines{"#!/bin/sh", "printf '\\033]0;%s\\007' 'Updating Nimbus'",
                     "'/opt/nim bus/spawner' /d=20",
                     "'/home/u/$Nimbus/Download/Setup.exe' /w /s /v/qn "
                     "'/v/lx /home/u/$Nimbus/InstallLog.txt'",
                     "'/opt/nim bus/spawner' \"/E=''/opt/nim bus/nimbus''\""}));

    values.exeBaseName = "Overture";
    values.application = "it's";
    values.installFolder = "/opt/a\"b$c/";
    const Lines lines = installScriptLines(values);
    EXPECT_EQ(lines[1], "printf '\\033]0;%s\\007' 'Updating it'\\''s'");
    EXPECT_EQ(lines[4], "'/opt/a\"b$c/spawner' \"/E=''/opt/a\\\"b\\$c/overture' "
                        "commandlist=startauto.dat'\"");

    TempFolder folder;
    ASSERT_TRUE(writeInstallScript(folder / "install.sh", lines));
    struct stat st {};
    ASSERT_EQ(::stat((folder / "install.sh").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
    EXPECT_EQ(readFile(folder / "install.sh").find('\r'), std::string::npos);
}

TEST(ChangeNotes, FirstFourCharactersNameTheFileInsideTheDataFolder)
{
    TempFolder folder;
    writeFile(folder / "2.1..vsn", "notes");
    EXPECT_EQ(changeNotesFile(folder.path(), "2.1.0"), folder / "2.1..vsn");
    EXPECT_EQ(changeNotesTitle("2.1.0"), "Changes in version: 2.1.");
    EXPECT_EQ(changeNotesFile(folder.path(), "3.0"), "");
    EXPECT_EQ(changeNotesFile(folder.path(), "../x"), "");
    EXPECT_EQ(updateLogTitle(DateTime::fromCivil(2026, 3, 10, 8, 5, 1), 2),
              "Software monitor Log - 2026/03/10 08:05:01");
}

TEST(CryptoLog, MissingLibraryIsSilentAndPresentOneBindsWhatItExports)
{
    CryptoLog missing("libNoSuchSafebox.so");
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.entryPoint(0), nullptr);

    CryptoLog partial(SAFEBOX_STUB_PATH);
    ASSERT_TRUE(partial.loaded);
    EXPECT_NE(partial.entryPoint(0), nullptr); // EncryptFile
    EXPECT_NE(partial.entryPoint(1), nullptr); // DecryptFile
    EXPECT_EQ(partial.entryPoint(2), nullptr); // EncryptString is not exported
    EXPECT_NE(partial.entryPoint(7), nullptr); // CloseCrypt
    EXPECT_EQ(partial.entryPoint(8), nullptr);
    EXPECT_EQ(partial.reserved1, 0u);
    EXPECT_TRUE(partial.text.empty());
}

} // namespace
} // namespace nimbus::update::test

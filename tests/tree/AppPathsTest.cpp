// Where the program keeps its data and finds its own files.
#include <gtest/gtest.h>

#include <map>
#include <pwd.h>
#include <unistd.h>

#include "tree/TAppPaths.h"

using namespace nimbus;

namespace {

EnvironmentReader environment(std::map<std::string, std::string> values)
{
    return [values](const std::string &name) {
        const auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    };
}

}  // namespace

TEST(AppPaths, UserNameComesFromTheEnvironmentThenTheAccount)
{
    EXPECT_EQ(userName(environment({{"USERNAME", "ann"}, {"USER", "bob"}})), "ann");
    EXPECT_EQ(userName(environment({{"USER", "bob"}})), "bob");
    // Neither set (a service, a cron job): the account's own name, never an empty one.
    const passwd *account = getpwuid(getuid());
    ASSERT_NE(account, nullptr);
    EXPECT_EQ(userName(environment({})), account->pw_name);
}

TEST(AppPaths, DataFolderComesFromHomedriveThenHome)
{
    EXPECT_EQ(homeFolder(environment({{"HOMEDRIVE", "/mnt/d"}, {"HOME", "/home/u"}})), "/mnt/d");
    EXPECT_EQ(homeFolder(environment({{"HOMEDRIVE", ""}, {"HOME", "/home/u"}})), "/home/u");
    EXPECT_FALSE(homeFolder(environment({})).empty());

    TAppPaths paths;
    setDataFolder(paths, "/home/u/");
    EXPECT_EQ(paths.DataFolder, "/home/u/$Nimbus/");
    EXPECT_EQ(paths.TextFolder, "/home/u/$Nimbus/Text/");
    EXPECT_EQ(paths.CheckListFolder, "/home/u/$Nimbus/CheckList/");
    EXPECT_EQ(paths.PacksFolder, "/home/u/$Nimbus/Packs/");
    EXPECT_EQ(paths.OutboxFolder, "/home/u/$Nimbus/Outbox/");
    EXPECT_EQ(paths.FormatsFolder, "/home/u/$Nimbus/Formats/");
    EXPECT_EQ(paths.ControlFolder, "/home/u/$Nimbus/$Control/");
    EXPECT_EQ(paths.MainLogFile, "/home/u/$Nimbus/MainLog.txt");

    setDataFolder(paths, "/");
    EXPECT_EQ(paths.DataFolder, "/$Nimbus/");
}

TEST(AppPaths, DebugFolderRule)
{
    TAppPaths paths;
    setProgramFolder(paths, "/opt/Prog/Debug/nimbus");
    EXPECT_EQ(paths.ProgramFolder, "/opt/Prog/Debug/");
    EXPECT_EQ(paths.InstallFolder, "/opt/Prog/");
    EXPECT_EQ(paths.HelpFile, "/opt/Prog/Nimbus Desk.html");
    EXPECT_EQ(paths.SoundsFolder, "/opt/Prog/Debug/Sounds/");
    EXPECT_EQ(paths.ExeBaseName, "nimbus");

    setProgramFolder(paths, "/usr/lib/nimbus-desk/nimbus.bin");
    EXPECT_EQ(paths.InstallFolder, "/usr/lib/nimbus-desk/");
    EXPECT_EQ(paths.ExeBaseName, "nimbus");
}

TEST(AppPaths, SystemValuesPreferTheEnvironment)
{
    TAppPaths paths;
    setSystemValues(paths, environment({{"OS", "Plan9"}, {"PROCESSOR_ARCHITECTURE", "mips"}}));
    EXPECT_EQ(paths.OsName, "Plan9");
    EXPECT_EQ(paths.Processor, "mips");

    setSystemValues(paths, environment({}));
    EXPECT_EQ(paths.OsName, "Linux");
    EXPECT_FALSE(paths.Processor.empty());
    // "major.minor" of the kernel release.
    EXPECT_NE(paths.OsVersion.find('.'), std::string::npos);
    EXPECT_EQ(paths.OsVersion.find('.', paths.OsVersion.find('.') + 1), std::string::npos);
    EXPECT_EQ(paths.CurrentDataVersion, "1-17");
    EXPECT_EQ(paths.ProductTitle, "Nimbus Desk");
}

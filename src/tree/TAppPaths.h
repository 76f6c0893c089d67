// The program-wide folder and product values, filled once at start-up and read everywhere.
#pragma once

#include <functional>
#include <string>

namespace nimbus {

struct TAppPaths {
    std::string DataFolder;      // home + "/$Nimbus/"
    std::string TextFolder;      // DataFolder + "Text/"
    std::string CheckListFolder; // DataFolder + "CheckList/"
    std::string PacksFolder;     // DataFolder + "Packs/"
    std::string OutboxFolder;    // DataFolder + "Outbox/"
    std::string FormatsFolder;   // DataFolder + "Formats/"
    std::string ControlFolder;   // DataFolder + "$Control/"
    std::string MainLogFile;     // DataFolder + "MainLog.txt"
    std::string ProgramFolder;   // the running executable's folder, with a trailing "/"
    std::string SoundsFolder;    // ProgramFolder + "Sounds/"
    std::string InstallFolder;   // ProgramFolder without its first "Debug/"
    std::string HelpFile;        // InstallFolder + "Nimbus Desk.html"
    std::string ExeBaseName;     // the executable's name without folder and extension
    std::string ProductTitle = "Nimbus Desk";
    std::string OsName;
    std::string OsVersion;
    std::string Processor;
    std::string CurrentDataVersion = "1-17";
};

inline constexpr const char *kProductName = "Nimbus Desk";

// Reads an environment variable; injectable so tests can give any environment.
using EnvironmentReader = std::function<std::string(const std::string &name)>;
std::string readProcessEnvironment(const std::string &name);

// The home folder that holds the data folder: HOMEDRIVE when set and not empty, else HOME,
// else the password database's home folder.
std::string homeFolder(const EnvironmentReader &env);
// The user's name: USERNAME, else USER, else the account's name in the system's user database
// (a service or a cron job may run without either variable).
std::string userName(const EnvironmentReader &env);

// The data folder and its sub-folders and files, from the home folder.
void setDataFolder(TAppPaths &paths, const std::string &home);
// ProgramFolder, SoundsFolder, InstallFolder, HelpFile and ExeBaseName from the executable.
void setProgramFolder(TAppPaths &paths, const std::string &executablePath);
// OsName, OsVersion and Processor: the environment's OS and PROCESSOR_ARCHITECTURE when set,
// otherwise the kernel's name and machine; OsVersion is the kernel release's "major.minor".
void setSystemValues(TAppPaths &paths, const EnvironmentReader &env);

// The running executable's full path (/proc/self/exe).
std::string currentExecutablePath();
// "major.minor" of the running kernel's release.
std::string OsVersionText();

} // namespace nimbus

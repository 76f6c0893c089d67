// Building the program-wide paths on POSIX systems.
#include "tree/TAppPaths.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "fileio/FolderOps.h"

namespace nimbus {

std::string readProcessEnvironment(const std::string &name)
{
    const char *value = std::getenv(name.c_str());
    return value ? value : "";
}

std::string homeFolder(const EnvironmentReader &env)
{
    std::string home = env("HOMEDRIVE");
    if (home.empty())
        home = env("HOME");
    if (home.empty()) {
        if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    }
    if (home.empty())
        home = "/tmp";
    return home;
}

std::string userName(const EnvironmentReader &env)
{
    std::string name = env("USERNAME");
    if (name.empty())
        name = env("USER");
    if (name.empty()) {
        if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_name)
            name = pw->pw_name;
    }
    return name;
}

void setDataFolder(TAppPaths &paths, const std::string &home)
{
    std::string base = home;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    if (base == "/")
        base.clear();
    paths.DataFolder = base + "/$Nimbus/";
    paths.TextFolder = paths.DataFolder + "Text/";
    paths.CheckListFolder = paths.DataFolder + "CheckList/";
    paths.PacksFolder = paths.DataFolder + "Packs/";
    paths.OutboxFolder = paths.DataFolder + "Outbox/";
    paths.FormatsFolder = paths.DataFolder + "Formats/";
    paths.ControlFolder = paths.DataFolder + "$Control/";
    paths.MainLogFile = paths.DataFolder + "MainLog.txt";
}

void setProgramFolder(TAppPaths &paths, const std::string &executablePath)
{
    paths.ProgramFolder = fileio::folderOf(executablePath);
    paths.ExeBaseName = fileio::baseNameOf(executablePath);
    paths.SoundsFolder = paths.ProgramFolder + "Sounds/";
    // A build tree's "Debug/" folder is not where the installed files are: the install
    // folder is the path with the first "Debug/" taken out.
    paths.InstallFolder = paths.ProgramFolder;
    if (const auto at = paths.InstallFolder.find("Debug/"); at != std::string::npos)
        paths.InstallFolder.erase(at, 6);
    paths.HelpFile = paths.InstallFolder + kProductName + ".html";
}

std::string OsVersionText()
{
    utsname u{};
    if (uname(&u) != 0)
        return "";
    // "6.1.0-18-amd64" -> "6.1"
    const std::string release = u.release;
    std::string out;
    int dots = 0;
    for (char c : release) {
        if (c == '.') {
            if (++dots == 2)
                break;
        } else if (c < '0' || c > '9') {
            break;
        }
        out += c;
    }
    return out;
}

void setSystemValues(TAppPaths &paths, const EnvironmentReader &env)
{
    utsname u{};
    const bool haveUname = uname(&u) == 0;
    paths.OsName = env("OS");
    if (paths.OsName.empty() && haveUname)
        paths.OsName = u.sysname;
    paths.Processor = env("PROCESSOR_ARCHITECTURE");
    if (paths.Processor.empty() && haveUname)
        paths.Processor = u.machine;
    paths.OsVersion = OsVersionText();
}

std::string currentExecutablePath()
{
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0)
        return "";
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

} // namespace nimbus

// Ends, at the end of a test, every process still running a program from the test's own
// temporary folder (started directly or through an install script), found by its executable
// or command line under that folder. Only processes of this user are visible for signalling.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace nimbus::test {

inline void killProgramsUnder(const std::string &folder)
{
    if (folder.size() < 8) // never a short or empty prefix
        return;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(name));
        if (pid == ::getpid())
            continue;
        std::error_code linkError;
        const std::string exe = std::filesystem::read_symlink(entry.path() / "exe", linkError);
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        const std::string cmdline((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        if (exe.rfind(folder, 0) == 0 || cmdline.find(folder) != std::string::npos)
            ::kill(pid, SIGKILL);
    }
}

} // namespace nimbus::test

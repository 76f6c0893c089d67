// Runs the real nimbus-cli with a home and channel folder of the test's own, and keeps its
// exit status, standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace nimbus::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string &word)
{
    std::string out = "'";
    for (char c : word)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A data folder seeded from the program's template, with its own channel folder.
struct CliHome {
    TempFolder root;
    std::string home = root / "home";
    std::string data = root / "home/$Nimbus/";
    std::string channels = root / "channels/";
    std::string temp = root / "tmp/"; // TMPDIR of nimbus-cli: what it leaves there shows
    // Locale settings put before the command ("LANG=de_DE.UTF-8 LANGUAGE=de"); none: the test's.
    std::string locale;

    explicit CliHome(bool seeded = true)
    {
        std::filesystem::create_directories(channels);
        std::filesystem::create_directories(temp);
        if (seeded) {
            std::filesystem::create_directories(data);
            std::filesystem::copy_file(NIMBUS_TEMPLATE_STORE, data + "Structure.dat");
        }
    }
    std::string environment() const
    {
        return "HOME=" + shellQuoted(home) + " HOMEDRIVE=" + shellQuoted(home) +
               " NIMBUS_CHANNEL_DIR=" + shellQuoted(channels) + " TMPDIR=" + shellQuoted(temp) +
               " QT_QPA_PLATFORM=offscreen" + (locale.empty() ? "" : " " + locale);
    }
    // The command line for the shell, for tests that start many at once.
    std::string commandLine(const std::vector<std::string> &words) const
    {
        std::string line = environment() + " " + shellQuoted(NIMBUS_CLI_EXECUTABLE);
        for (const auto &word : words) {
            line += ' ';
            line += shellQuoted(word);
        }
        return line;
    }
    CliResult run(const std::vector<std::string> &words) const
    {
        const std::string out = root / "cli.out", err = root / "cli.err";
        const int raw = std::system((commandLine(words) + " >" + shellQuoted(out) + " 2>" + shellQuoted(err)).c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
    }
    std::string store() const { return readFile(data + "Structure.dat"); }
};

} // namespace nimbus::test

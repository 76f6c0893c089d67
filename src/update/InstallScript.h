// The install script "install.sh": pause through the Spawner, run the setup silently and wait
// for it, then restart the program through the Spawner. It outlives the program that wrote it.
#pragma once

#include <string>
#include <vector>

namespace nimbus::update {

// The pause gives the program time to close before its files are replaced.
inline constexpr int kInstallPauseSeconds = 20;
// Shortens the pause (whole seconds, 0 to 20) so that tests need not wait; nothing else sets it.
inline constexpr const char *kInstallPauseVariable = "NIMBUS_UPDATE_PAUSE";

// The pause for a value of NIMBUS_UPDATE_PAUSE: 20 unless the value is a whole number from 0
// to 20, so the variable can only shorten the pause.
int installPauseSeconds(const std::string &value);
// The same for this process's environment.
int installPauseSeconds();

struct InstallScriptValues {
    std::string application;   // shown as the script's title
    std::string installFolder; // the running program's folder, ending in "/": holds spawner
    std::string dataFolder;    // ending in "/": the setup writes InstallLog.txt here
    std::string setupPath;     // the downloaded Setup.exe
    std::string exeBaseName;   // the running program's name; "overture" restarts Overture
    int pauseSeconds = kInstallPauseSeconds; // the Spawner's pause before the setup runs
};

// "#!/bin/sh" and the four steps, in order. Every value is quoted for the shell, so names
// with blanks, quotes or "$" stay one word and are never run as commands.
std::vector<std::string> installScriptLines(const InstallScriptValues &values);

// Writes the lines (LF line ends) to path, replacing it, executable by its owner. False when
// the file could not be written.
bool writeInstallScript(const std::string &path, const std::vector<std::string> &lines);

// Single-quotes text for a POSIX shell: 'it'\''s' for it's.
std::string shellQuote(const std::string &text);

} // namespace nimbus::update

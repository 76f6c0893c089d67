// The install script "install.sh": pause through the Spawner, run the setup silently and wait
// for it, then restart the program through the Spawner. It outlives the program that wrote it.
#pragma once

#include <string>
#include <vector>

namespace nimbus::update {

struct InstallScriptValues {
    std::string application;   // shown as the script's title
    std::string installFolder; // the running program's folder, ending in "/": holds spawner
    std::string dataFolder;    // ending in "/": the setup writes InstallLog.txt here
    std::string setupPath;     // the downloaded Setup.exe
    std::string exeBaseName;   // the running program's name; "overture" restarts Overture
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

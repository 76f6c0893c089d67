// Writes the install script; the restart line mirrors the Spawner's "/E='command'" form.
#include "update/InstallScript.h"

#include "fileio/AtomicFile.h"
#include "update/RegList.h"

#include <cstdlib>

namespace nimbus::update {

namespace {

// Double quotes keep the apostrophes of /E='...' for the Spawner, which removes one at each
// end; inside them only $, `, \ and " need a backslash.
std::string doubleQuote(const std::string &text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '$' || c == '`' || c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

int installPauseSeconds(const std::string &value)
{
    if (value.empty() || value.size() > 2 ||
        value.find_first_not_of("0123456789") != std::string::npos)
        return kInstallPauseSeconds;
    const int seconds = std::stoi(value);
    return seconds <= kInstallPauseSeconds ? seconds : kInstallPauseSeconds;
}

int installPauseSeconds()
{
    const char *value = std::getenv(kInstallPauseVariable);
    return installPauseSeconds(value != nullptr ? value : "");
}

std::string shellQuote(const std::string &text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::vector<std::string> installScriptLines(const InstallScriptValues &v)
{
    const std::string spawner = shellQuote(v.installFolder + "spawner");
    // The Spawner runs its E= value as a shell command line, so the program's path is quoted
    // once more inside it.
    const std::string restart =
        lowerAscii(v.exeBaseName) == "overture"
            ? shellQuote(v.installFolder + "overture") + " commandlist=startauto.dat"
            : shellQuote(v.installFolder + v.exeBaseName);
    return {
        "#!/bin/sh",
        "printf '\\033]0;%s\\007' " + shellQuote("Updating " + v.application),
        spawner + " /d=" + std::to_string(v.pauseSeconds),
        shellQuote(v.setupPath) + " /w /s /v/qn " +
            shellQuote("/v/lx " + v.dataFolder + "InstallLog.txt"),
        spawner + " " + doubleQuote("/E='" + restart + "'"),
    };
}

bool writeInstallScript(const std::string &path, const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines)
        text.append(line).append("\n");
    fileio::AtomicFile file(path);
    file.setMode(0700);
    return file.open() && file.write(text) && file.commit();
}

} // namespace nimbus::update

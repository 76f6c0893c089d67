// Reading and writing the reminder files' lines.
#include "reminders/PairLines.h"

#include <cstdio>

#include "fileio/AtomicFile.h"
#include "fileio/FolderOps.h"
#include "store/StoreLog.h"

namespace nimbus::reminders {

bool readPairLines(const std::string &path, PairLines &lines, StoreLog &log)
{
    lines = {};
    if (!fileio::entryExists(path))
        return true;
    lines.existed = true;
    std::string bytes;
    if (!fileio::readWholeFile(path, bytes)) {
        log.AddErrorToLog("*** A reminder file could not be read: " + path, fileio::lastErrorText());
        return false;
    }
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        at = end + 1;
        if (line.empty())
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            lines.pairs.emplace_back(std::string(), std::string(line));
        else
            lines.pairs.emplace_back(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
    }
    return true;
}

void appendPair(std::string &out, std::string_view name, std::string_view value)
{
    out.append(name);
    if (!name.empty())
        out += '=';
    out.append(value);
    out += "\r\n";
}

bool writeAtomically(const std::string &path, const std::string &bytes, StoreLog &log)
{
    std::string error;
    if (fileio::writeFileAtomically(path, bytes, &error))
        return true;
    log.AddErrorToLog("*** A problem occurred while saving " + fileio::fileNameOf(path) + ": ", error);
    return false;
}

bool parseClockMinutes(std::string_view text, int &minutes)
{
    if (text.size() != 5 || text[2] != ':')
        return false;
    int value[2] = {0, 0};
    for (int part = 0; part < 2; ++part) {
        for (int i = 0; i < 2; ++i) {
            const char c = text[static_cast<std::size_t>(part * 3 + i)];
            if (c < '0' || c > '9')
                return false;
            value[part] = value[part] * 10 + (c - '0');
        }
    }
    if (value[0] > 23 || value[1] > 59)
        return false;
    minutes = value[0] * 60 + value[1];
    return true;
}

std::string clockText(int minutes)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", (minutes / 60) % 24, minutes % 60);
    return text;
}

} // namespace nimbus::reminders

// The update log title and the change notes lookup.
#include "update/ChangeNotes.h"

#include "fileio/FolderOps.h"
#include "store/DateFormat.h"

namespace nimbus::update {

std::string updateLogTitle(DateTime now, int dateOrder)
{
    return "Software monitor Log - " + dates::displayDateTime(now, dateOrder);
}

std::string changeNotesFile(const std::string &dataFolder, const std::string &version)
{
    const std::string name = version.substr(0, 4) + ".vsn";
    if (!fileio::isSafeFileName(name) || !fileio::fileExists(dataFolder + name))
        return {};
    return dataFolder + name;
}

std::string changeNotesTitle(const std::string &version)
{
    return "Changes in version: " + version.substr(0, 4);
}

} // namespace nimbus::update

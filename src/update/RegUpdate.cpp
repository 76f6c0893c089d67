// The update list reader.
#include "update/RegUpdate.h"

#include "fileio/FolderOps.h"
#include "fileio/OMFILE.h"
#include "update/RegList.h"

#include <vector>

namespace nimbus::update {

bool RegUpdate::read(const std::string &path)
{
    const std::int64_t size = fileio::fileSize(path);
    if (size < 0 || size > kMaxListBytes)
        return false;
    fileio::OMFILEPtr file = fileio::openPlain(path, "R", 0);
    if (!file)
        return false;
    std::vector<std::string> names, values;
    fileio::readPairs(*file, names, values);
    fileio::close(file);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = lowerAscii(names[i]);
        std::string *field = key == "application"       ? &application
                             : key == "version"         ? &version
                             : key == "date"            ? &date
                             : key == "rollback"        ? &rollback
                             : key == "earliestversion" ? &earliestversion
                             : key == "url"             ? &url
                             : key == "silent"          ? &silent
                                                        : nullptr;
        if (field)
            *field = std::move(values[i]);
    }
    return true;
}

} // namespace nimbus::update

// Seeding a new data folder with the template topics' pages, file by file, never over a file
// that is already there.
#include "store/TemplateContent.h"

#include <vector>

#include "fileio/FolderOps.h"

namespace nimbus::content {

int SeedTemplateContent(const std::string &templateFolder, const std::string &dataFolder,
                        StoreLog &log)
{
    int copied = 0;
    for (const char *sub : {"Packs/", "Text/", "CheckList/"}) {
        const std::string source = templateFolder + sub;
        if (!fileio::folderExists(source))
            continue;
        const std::string target = dataFolder + sub;
        if (!fileio::folderExists(target) && !fileio::createFolder(target)) {
            log.AddErrorToLog("*** Unable to create the folder " + target, fileio::lastErrorText());
            continue;
        }
        std::vector<std::string> names;
        fileio::listFiles(source, names);
        for (const std::string &name : names) {
            if (!fileio::isSafeFileName(name) || fileio::fileExists(target + name))
                continue;
            std::string error;
            if (fileio::copyFile(source + name, target + name, &error))
                ++copied;
            else
                log.AddErrorToLog("*** Unable to copy the template page " + source + name, error);
        }
    }
    return copied;
}

}  // namespace nimbus::content

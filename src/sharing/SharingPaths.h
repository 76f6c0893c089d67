// The folders LAN sharing and add-on packs work in: the data folder's content folders, the
// outbox, and the folder the installers drop add-on packs into. Every value ends with "/".
#pragma once

#include <string>

#include "store/TContent.h"

namespace nimbus {

struct SharingPaths {
    std::string DataFolder;
    std::string PacksFolder;
    std::string TextFolder;
    std::string CheckListFolder;
    std::string OutboxFolder;
    std::string InstallFolder;

    static SharingPaths inDataFolder(const std::string &dataFolder,
                                     const std::string &installFolder)
    {
        return {dataFolder,
                dataFolder + "Packs/",
                dataFolder + "Text/",
                dataFolder + "CheckList/",
                dataFolder + "Outbox/",
                installFolder};
    }
    ContentFolders content() const { return {PacksFolder, TextFolder, CheckListFolder}; }
};

} // namespace nimbus

// The program's own values that the update check and the software monitor need.
#pragma once

#include "update/DownloadSite.h"
#include "update/InstallScript.h"

#include <string>

namespace nimbus::update {

struct UpdateSettings {
    std::string ProgramFolder; // ending in "/": the install folder of a registration without one
    std::string InstallFolder; // ending in "/": where spawner lives
    std::string ExeBaseName;   // the running program's file name without extension
    std::string ProductTitle = "Nimbus Desk";
    std::string downloadSite = downloadSiteAddress(); // without a trailing "/"
    int installPause = installPauseSeconds();         // seconds the install script pauses
};

} // namespace nimbus::update

// Start-up work on the data folder that needs no window: the folders, the files seeded from
// the program folder and the installation record.
#pragma once

#include <string>
#include <vector>

#include "tree/TAppPaths.h"

namespace nimbus {

// Creates the data folder (private to the user, mode 0700) and each sub-folder that does not
// exist yet; in existing folders only the temporary files of writes cut short by a crash are
// removed. Failures are not reported here: later file operations in a missing folder fail and
// report themselves.
void createDataFolders(const TAppPaths &paths);

// Empty when the data folder exists and this user may create files in it; otherwise the
// system's text for why not.
std::string dataFolderProblem(const TAppPaths &paths);

// Copies every "*.~txt" and then every "*.vsn" file of the install folder into the data
// folder, unless the data folder already has a file of that name. Returns the names copied.
std::vector<std::string> seedInstallFiles(const TAppPaths &paths);

// What the installation record said.
struct InstallRecord {
    std::string source; // the file read, empty when there was none
    std::vector<std::string> names;
    std::vector<std::string> values;
    std::string product; // empty when the record has no "product"
    std::string problem; // said in the log: a record that could not be read
};

// Reads the installation record: Install.pre, else Install.prz next to the program, else
// Install.dat in the data folder. A record from the program folder is kept as the data
// folder's enciphered Install.dat; Install.pre is moved into the data folder and
// Install.prz deleted. An Install.prz that yields nothing is renamed to
// Install.prz.unreadable instead. Sets paths.ProductTitle from "product".
InstallRecord loadInstallRecord(TAppPaths &paths);

} // namespace nimbus

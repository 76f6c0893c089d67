// The LAN sharing details, kept enciphered in "net.txt": shared folder, password, user name,
// backup settings. Written only when something changed.
#pragma once

#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus {

class TNetDetails {
public:
    std::string fileName;  // data folder + "net.txt"
    std::string net;
    std::string pw;
    std::string user;
    bool backup = false;
    std::string datapw;
    bool mem = false;  // a connection to the shared folder has succeeded
    bool modified = false;

    // Run-time state of the LAN connection; never stored.
    std::string resolvedFolder;
    std::string connectedFolder;
    std::string userFile;
    std::string inboxFolder;
    std::vector<std::string> users;

    void SetDataFolder(const std::string &dataFolder) { fileName = dataFolder + "net.txt"; }
    // Reads the enciphered (or plain) file; false when it cannot be opened.
    bool Load();
    // Writes the file only when modified. A failed write keeps modified set so that the next
    // save tries again.
    StoreResult Save();

    void Parse(const std::vector<std::string> &names, const std::vector<std::string> &values);
    void Pairs(std::vector<std::string> &names, std::vector<std::string> &values) const;
};

}  // namespace nimbus

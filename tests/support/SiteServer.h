// The update tests' HTTP server (tests/update/update_server.py) on 127.0.0.1, serving the files
// of one folder; stopped when the object goes.
#pragma once

#include "support/ChildProcess.h"
#include "support/TempFolder.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace nimbus::test {

class SiteServer {
public:
    // folder ends in "/"; the server writes its port into folder + "port" once it listens.
    SiteServer(const std::string &python, const std::string &script, const std::string &folder)
        : process_(python, {script, folder, folder + "port"}, {})
    {
        const std::string portFile = folder + "port";
        if (waitFor([&] { return std::filesystem::exists(portFile); }, std::chrono::seconds(20)))
            address_ = "http://127.0.0.1:" + readFile(portFile);
    }
    // "http://127.0.0.1:<port>", empty when the server did not start.
    const std::string &address() const { return address_; }

private:
    ChildProcess process_;
    std::string address_;
};

} // namespace nimbus::test

// A second real CalDAV server for the tests: Xandikos (git-backed storage, no accounts) on
// 127.0.0.1 with its own temporary storage, started by the test and stopped when the object
// goes. Same face as RadicaleServer, so that a suite can run against both.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "LoopbackServer.h"
#include "RadicaleServer.h"
#include "support/TempFolder.h"

namespace nimbus::test {

class XandikosServer {
public:
    static constexpr const char *kName = "Xandikos";

    XandikosServer() : storage_(memoryFolder("xandikos", folder_ / "storage/"))
    {
        process_.start([&](int port) {
            return std::make_unique<ChildProcess>(
                "/usr/bin/xandikos",
                std::vector<std::string>{"-d", storage_, "-p", std::to_string(port), "-l",
                                         "127.0.0.1", "--autocreate"},
                std::vector<std::string>{});
        });
    }
    ~XandikosServer()
    {
        process_.stop();
        std::error_code ec;
        std::filesystem::remove_all(storage_, ec);
    }

    bool running() const { return process_.running(); }
    std::string root() const { return process_.root(); }
    // Xandikos has no accounts: it takes any name and password.
    caldav::TransportSettings account() const
    {
        return {RadicaleServer::kUser, RadicaleServer::kPassword};
    }

    std::string makeCalendar(const std::string &name)
    {
        return makeCalendarAt(account(), root() + "user/calendars/" + name + "/", name);
    }

private:
    TempFolder folder_;
    std::string storage_;
    LoopbackProcess process_;
};

} // namespace nimbus::test

// A real CalDAV server for the tests: Radicale on 127.0.0.1 with its own temporary storage and
// one user with a password, started by the test and stopped when the object goes.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "support/TempFolder.h"

namespace nimbus::test {

class RadicaleServer {
public:
    static constexpr const char *kUser = "alice";
    static constexpr const char *kPassword = "s3cret pass";
    static constexpr const char *kName = "Radicale";

    RadicaleServer() : storage_(memoryFolder("radicale", folder_ / "collections/"))
    {
        writeFile(folder_ / "users", std::string(kUser) + ":" + kPassword + "\n");
        setReadOnly({});
        start();
    }
    // The user may read but not change these calendars (names inside the user's home), from
    // the next request on: Radicale reads its rights file for every request. Otherwise the
    // rights are Radicale's own "owner_only".
    void setReadOnly(const std::vector<std::string> &calendarNames)
    {
        std::string rules = "[root]\nuser: .+\ncollection:\npermissions: R\n"
                            "[home]\nuser: .+\ncollection: {user}\npermissions: RW\n";
        for (const std::string &name : calendarNames)
            rules += "[read-only " + name + "]\nuser: .+\ncollection: {user}/" + name +
                     "\npermissions: r\n";
        rules += "[calendars]\nuser: .+\ncollection: {user}/[^/]+\npermissions: rw\n";
        writeFile(folder_ / "rights", rules);
    }
    ~RadicaleServer()
    {
        stop();
        std::error_code ec;
        std::filesystem::remove_all(storage_, ec);
    }

    void start()
    {
        process_.start([&](int port) {
            writeFile(folder_ / "config",
                      "[server]\nhosts = 127.0.0.1:" + std::to_string(port) +
                          "\n[auth]\ntype = htpasswd\nhtpasswd_filename = " + folder_ / "users" +
                          "\nhtpasswd_encryption = plain\n[rights]\ntype = "
                          "from_file\nfile = " +
                          folder_ / "rights" + "\n[storage]\nfilesystem_folder = " + storage_ +
                          "\n[web]\ntype = none\n[logging]\nlevel = warning\n");
            return std::make_unique<ChildProcess>(
                "/usr/bin/python3",
                std::vector<std::string>{"-m", "radicale", "--config", folder_ / "config"},
                std::vector<std::string>{});
        });
    }
    void stop() { process_.stop(); }
    bool running() const { return process_.running(); }

    std::string root() const { return process_.root(); }
    std::string home() const { return root() + kUser + "/"; }

    caldav::TransportSettings account(const std::string &password = kPassword) const
    {
        caldav::TransportSettings s;
        s.user = kUser;
        s.password = password;
        return s;
    }

    // Makes a calendar for tasks and events in the user's home; its address.
    std::string makeCalendar(const std::string &name)
    {
        caldav::CurlTransport transport(account());
        transport.send({"MKCOL", home(), {}, {}}); // the home itself, on first use
        return makeCalendarAt(account(), home() + name + "/", name);
    }

private:
    TempFolder folder_;
    std::string storage_;
    LoopbackProcess process_;
};

} // namespace nimbus::test

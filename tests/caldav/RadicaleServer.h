// A real CalDAV server for the tests: Radicale on 127.0.0.1 with its own temporary storage and
// one user with a password, started by the test and stopped when the object goes.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "caldav/CurlTransport.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace nimbus::test {

inline int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

inline bool portAnswers(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return ok;
}

class RadicaleServer {
public:
    static constexpr const char *kUser = "alice";
    static constexpr const char *kPassword = "s3cret pass";

    RadicaleServer()
    {
        // The collections go to memory where the system has it: Radicale syncs every write to
        // disk, and on a busy disk that alone takes most of a test's time.
        std::string pattern = "/dev/shm/nimbus-radicale-XXXXXX";
        if (::access("/dev/shm", W_OK) == 0 && ::mkdtemp(pattern.data()) != nullptr)
            storage_ = pattern + "/";
        else
            storage_ = folder_ / "collections/";
        writeFile(folder_ / "users", std::string(kUser) + ":" + kPassword + "\n");
        start();
    }
    ~RadicaleServer()
    {
        stop();
        std::error_code ec;
        std::filesystem::remove_all(storage_, ec);
    }

    void start()
    {
        for (int attempt = 0; attempt < 5 && !running(); ++attempt) {
            port_ = freeLoopbackPort();
            writeFile(folder_ / "config",
                      "[server]\nhosts = 127.0.0.1:" + std::to_string(port_) +
                          "\n[auth]\ntype = htpasswd\nhtpasswd_filename = " + folder_ / "users" +
                          "\nhtpasswd_encryption = plain\n[rights]\ntype = owner_only\n[storage]\nfilesystem_folder = " +
                          storage_ + "\n[web]\ntype = none\n[logging]\nlevel = warning\n");
            process_ = std::make_unique<ChildProcess>("/usr/bin/python3",
                                                      std::vector<std::string>{"-m", "radicale", "--config", folder_ / "config"},
                                                      std::vector<std::string>{});
            if (waitFor([&] { return portAnswers(port_) || process_->waitForExit(std::chrono::milliseconds(0)); },
                        std::chrono::seconds(30)) &&
                portAnswers(port_))
                return;
            process_.reset();
        }
    }
    void stop()
    {
        if (process_) {
            process_->signal(SIGTERM);
            if (!process_->waitForExit(std::chrono::seconds(10)))
                process_->signal(SIGKILL);
            process_.reset();
        }
    }
    bool running() const { return process_ != nullptr; }

    std::string root() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
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
        transport.send({"MKCOL", home(), {}, {}});  // the home itself, on first use
        const std::string url = home() + name + "/";
        const std::string body =
            "<?xml version=\"1.0\"?><mkcalendar xmlns=\"urn:ietf:params:xml:ns:caldav\" xmlns:d=\"DAV:\">"
            "<d:set><d:prop><d:displayname>" + name + "</d:displayname>"
            "<supported-calendar-component-set><comp name=\"VTODO\"/><comp name=\"VEVENT\"/><comp name=\"VJOURNAL\"/>"
            "</supported-calendar-component-set></d:prop></d:set></mkcalendar>";
        const caldav::HttpResponse r = transport.send({"MKCALENDAR", url, {{"Content-Type", "application/xml"}}, body});
        return r.status == 201 ? url : std::string();
    }

private:
    TempFolder folder_;
    std::string storage_;
    int port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace nimbus::test

// What the tests' CalDAV servers share: a free port on 127.0.0.1, a server program started on
// it (tried on other ports when one is taken meanwhile) and stopped with the object, and the
// MKCALENDAR that makes a calendar for tasks, events and notes.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "caldav/CurlTransport.h"
#include "support/ChildProcess.h"

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

class LoopbackProcess {
public:
    using Launch = std::function<std::unique_ptr<ChildProcess>(int port)>;

    ~LoopbackProcess() { stop(); }

    void start(const Launch &launch)
    {
        for (int attempt = 0; attempt < 5 && !running(); ++attempt) {
            port_ = freeLoopbackPort();
            process_ = launch(port_);
            if (waitFor(
                    [&] {
                        return portAnswers(port_) ||
                               process_->waitForExit(std::chrono::milliseconds(0));
                    },
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

private:
    int port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

// Makes the calendar at url; url when made, else empty.
inline std::string makeCalendarAt(const caldav::TransportSettings &account, const std::string &url,
                                  const std::string &name)
{
    caldav::CurlTransport transport(account);
    const std::string body = "<?xml version=\"1.0\"?><mkcalendar "
                             "xmlns=\"urn:ietf:params:xml:ns:caldav\" xmlns:d=\"DAV:\">"
                             "<d:set><d:prop><d:displayname>" +
                             name +
                             "</d:displayname>"
                             "<supported-calendar-component-set><comp name=\"VTODO\"/><comp "
                             "name=\"VEVENT\"/><comp name=\"VJOURNAL\"/>"
                             "</supported-calendar-component-set></d:prop></d:set></mkcalendar>";
    const caldav::HttpResponse r =
        transport.send({"MKCALENDAR", url, {{"Content-Type", "application/xml"}}, body});
    return r.status == 201 ? url : std::string();
}

// Storage in memory where the system has it: the servers sync every write to disk, and on a
// busy disk that alone takes most of a test's time.
inline std::string memoryFolder(const std::string &name, const std::string &otherwise)
{
    std::string pattern = "/dev/shm/nimbus-" + name + "-XXXXXX";
    if (::access("/dev/shm", W_OK) == 0 && ::mkdtemp(pattern.data()) != nullptr)
        return pattern + "/";
    return otherwise;
}

} // namespace nimbus::test

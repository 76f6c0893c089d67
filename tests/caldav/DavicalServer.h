// A third real CalDAV server for the tests: DAViCal (PHP on Apache, its data in PostgreSQL).
// Everything is private to the object: a PostgreSQL cluster made in a temporary folder and
// reached only through a unix socket there, the DAViCal database made by DAViCal's own script,
// one user with a password, and an Apache of its own (one process, `-X`) on a free port of
// 127.0.0.1 with a configuration file in the same folder. All of it stops and goes with the
// object. The system's own PostgreSQL and Apache services are never used.
//
// DAViCal reads its settings from /etc/davical; the packaged config.php names the database
// and its account but no host, so libpq takes the host from PGHOST, which Apache (and the PHP
// inside it) inherits from the environment it is started with: the private socket folder.
//
// PostgreSQL refuses to run as root, so when the tests run as root both servers run as
// "nobody" in a folder given to that account.
#pragma once

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "RadicaleServer.h"
#include "support/TempFolder.h"

namespace nimbus::test {

class DavicalServer {
public:
    static constexpr const char *kName = "DAViCal";
    static constexpr const char *kDavicalFolder = "/usr/share/davical/";

    DavicalServer()
    {
        if (!start())
            std::fprintf(stderr, "%s did not start:\n%s%s%s", kName,
                         readFile(folder_ / "setup.log").c_str(),
                         readFile(folder_ / "postgres.log").c_str(),
                         readFile(folder_ / "error.log").c_str());
    }
    ~DavicalServer()
    {
        apache_.stop();
        if (database_) {
            database_->signal(SIGINT); // a fast shutdown: ends the sessions, no waiting for them
            if (!database_->waitForExit(std::chrono::seconds(10)))
                database_->signal(SIGKILL);
            database_.reset();
        }
    }
    DavicalServer(const DavicalServer &) = delete;
    DavicalServer &operator=(const DavicalServer &) = delete;

    bool running() const { return apache_.running(); }
    std::string root() const { return apache_.root(); }
    // The user's principal, which is also the home of the user's calendars.
    std::string home() const { return root() + "caldav.php/" + RadicaleServer::kUser + "/"; }
    caldav::TransportSettings account() const
    {
        return {RadicaleServer::kUser, RadicaleServer::kPassword};
    }

    std::string makeCalendar(const std::string &name)
    {
        return makeCalendarAt(account(), home() + name + "/", name);
    }

private:
    bool start()
    {
        if (::geteuid() == 0) {
            const passwd *nobody = ::getpwnam("nobody");
            if (nobody == nullptr ||
                ::chown(folder_.path().c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
                return false;
            runAs_ = {"/usr/bin/setpriv",
                      "--reuid=" + std::to_string(nobody->pw_uid),
                      "--regid=" + std::to_string(nobody->pw_gid),
                      "--clear-groups",
                      "--pdeathsig=KILL",
                      "--"};
        }
        const std::string bin = postgresPrograms();
        if (bin.empty() || !startDatabase(bin) || !makeDavicalDatabase())
            return false;
        apache_.start([&](int port) {
            writeFile(folder_ / "httpd.conf", apacheConfig(port));
            return launch({"/usr/sbin/apache2", "-X", "-f", folder_ / "httpd.conf"});
        });
        return running();
    }

    // The newest PostgreSQL's program folder.
    static std::string postgresPrograms()
    {
        std::vector<std::string> found;
        std::error_code ec;
        for (const auto &entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ec))
            if (std::filesystem::exists(entry.path() / "bin/postgres"))
                found.push_back((entry.path() / "bin/").string());
        std::sort(found.begin(), found.end(), [](const std::string &a, const std::string &b) {
            return std::stoi(a.substr(20)) < std::stoi(b.substr(20));
        });
        return found.empty() ? std::string() : found.back();
    }

    std::unique_ptr<ChildProcess> launch(const std::vector<std::string> &command)
    {
        std::vector<std::string> line = runAs_;
        line.insert(line.end(), command.begin(), command.end());
        const std::string program = line.front();
        line.erase(line.begin());
        return std::make_unique<ChildProcess>(
            program, line,
            std::vector<std::string>{"PGHOST=" + folder_.path(), "PGUSER=postgres",
                                     "TMPDIR=" + folder_.path(), "LC_ALL=C.UTF-8"});
    }
    // Runs a command to its end with its output in the folder's log; true when it succeeded.
    bool run(const std::vector<std::string> &command)
    {
        std::vector<std::string> line{"/bin/sh", "-c", "exec \"$@\" >>\"$0\" 2>&1",
                                      folder_ / "setup.log"};
        line.insert(line.end(), command.begin(), command.end());
        const std::unique_ptr<ChildProcess> child = launch(line);
        return child->waitForExit(std::chrono::seconds(120)) && child->exitCode() == 0;
    }

    bool startDatabase(const std::string &bin)
    {
        const std::string data = folder_ / "pg";
        if (!run({bin + "initdb", "-D", data, "-A", "trust", "-U", "postgres", "-E", "UTF8",
                  "--locale=C.UTF-8", "--no-sync"}))
            return false;
        // No TCP port at all; nothing the tests do needs the database to survive a crash.
        database_ = launch({"/bin/sh", "-c", "exec \"$@\" >\"$0\" 2>&1", folder_ / "postgres.log",
                            bin + "postgres", "-D", data, "-k", folder_.path(), "-c",
                            "listen_addresses=", "-c", "fsync=off", "-c", "synchronous_commit=off",
                            "-c", "full_page_writes=off", "-c", "logging_collector=off",
                            // shared memory as files in the cluster's folder, gone with it
                            "-c", "dynamic_shared_memory_type=mmap"});
        // The server notes in its pid file when it takes connections ("ready" on the eighth
        // line); the socket appears before that, while connections are still turned away.
        const auto ready = [&] {
            std::istringstream lines(readFile(data + "/postmaster.pid"));
            std::string line;
            for (int i = 0; i < 8 && std::getline(lines, line); ++i) {
            }
            return line.rfind("ready", 0) == 0;
        };
        return waitFor(
                   [&] { return ready() || database_->waitForExit(std::chrono::milliseconds(0)); },
                   std::chrono::seconds(60)) &&
               ready();
    }

    bool makeDavicalDatabase()
    {
        const std::string dba = std::string(kDavicalFolder) + "dba/";
        if (!run({"/bin/sh", dba + "create-database.sh", "davical", "admin password"}))
            return false;
        // A user as the administration pages make one ("**" marks a password kept as it is).
        const std::string user = RadicaleServer::kUser;
        return run(
            {"/usr/bin/psql", "-qXAt", "-v", "ON_ERROR_STOP=1", "-d", "davical", "-c",
             "INSERT INTO usr (active, username, password, fullname, email) VALUES (TRUE, '" +
                 user + "', '**" + RadicaleServer::kPassword + "', 'Alice', '" + user +
                 "@example.org'); INSERT INTO principal (type_id, user_no, displayname, "
                 "default_privileges) SELECT 1, user_no, fullname, 0::BIT(24) FROM usr "
                 "WHERE username = '" +
                 user + "';"});
    }

    std::string apacheConfig(int port) const
    {
        const std::string modules = "/usr/lib/apache2/modules/";
        const std::string htdocs = std::string(kDavicalFolder) + "htdocs";
        return "ServerRoot " + folder_.path() +
               "\nServerName 127.0.0.1\nListen 127.0.0.1:" + std::to_string(port) + "\nPidFile " +
               folder_ / "httpd.pid" + "\nErrorLog " + folder_ / "error.log" + "\nLogLevel warn\n" +
               // One process serves one connection at a time: a client keeping its connection
               // open would hold every other one back until it timed out.
               "KeepAlive Off\n" + "LoadModule mpm_prefork_module " + modules +
               "mod_mpm_prefork.so\n" + "LoadModule authz_core_module " + modules +
               "mod_authz_core.so\n" + "LoadModule rewrite_module " + modules + "mod_rewrite.so\n" +
               "LoadModule php_module " + modules + "libphp" + phpVersion() + ".so\n" +
               // The well-known address leads to the principals, as DAViCal's sites set it up.
               "RewriteEngine On\nRewriteRule ^/\\.well-known/(.*)$ /caldav.php/.well-known/$1 "
               "[PT,L]\n" +
               "DocumentRoot " + htdocs + "\n<Directory " + htdocs +
               ">\n  Require all granted\n  AllowOverride None\n</Directory>\n"
               "<FilesMatch \"\\.php$\">\n  SetHandler application/x-httpd-php\n</FilesMatch>\n"
               "php_admin_value include_path /usr/share/awl/inc:" +
               kDavicalFolder +
               "inc\nphp_admin_value date.timezone UTC\n"
               "php_admin_flag log_errors On\nphp_admin_value error_log " +
               folder_ / "php.log" + "\n";
    }
    // The version in the name of Apache's PHP module ("8.2").
    static std::string phpVersion()
    {
        std::error_code ec;
        for (const auto &entry :
             std::filesystem::directory_iterator("/usr/lib/apache2/modules", ec)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind("libphp", 0) == 0 && name.size() > 9 &&
                name.substr(name.size() - 3) == ".so")
                return name.substr(6, name.size() - 9);
        }
        return {};
    }

    TempFolder folder_;
    std::vector<std::string> runAs_;
    std::unique_ptr<ChildProcess> database_;
    LoopbackProcess apache_;
};

} // namespace nimbus::test

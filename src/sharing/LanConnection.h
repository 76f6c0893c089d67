// The connection to the shared LAN folder: checking and creating its password file
// "Nimbus.dat", registering this user in "<user>.usr", listing the colleagues and
// disconnecting. The network page copies its edits into TNetDetails and shows the results.
#pragma once

#include <string>
#include <vector>

#include "sharing/ConnectionStatus.h"
#include "sharing/SharedAccess.h"
#include "sharing/SharedFolderResolver.h"

namespace nimbus {

class Clock;
class Questions;
class StoreLog;
class TNetDetails;

inline constexpr const char *kPasswordFileName = "Nimbus.dat";
inline constexpr const char *kAllColleagues = "All";

// One item of the menu of recipients: the tag is the position in TNetDetails::users, -1 for
// "All".
struct SendtoItem {
    std::string caption;
    int tag = 0;
};

struct NetworkUsers {
    std::vector<std::string> listUsers; // "  " + name for every colleague
    std::vector<SendtoItem> menuSendto; // one item per colleague, then "All" for two or more
};

class LanConnection {
public:
    LanConnection(TNetDetails &details, const Clock &clock, StoreLog &log,
                  SharedFolderResolver &resolver = PosixFolderResolver::instance());

    // The page's start-up: status "Not connected". True when the stored folder, password and
    // user name are all set and the details ask for reconnecting (mem); the caller then
    // connects. Otherwise mem is cleared.
    bool StartUp();
    // Connects with the folder, password and user name in the details. dateOrder is the
    // user's date order for the ".usr" line. Saves net.txt when the state changed.
    const ConnectionStatus &Connect(Questions &questions, int dateOrder);
    // Back to not connected; clears mem and saves net.txt.
    const ConnectionStatus &Disconnect();
    // The resolved folder has gone (the inbox timer checks this): not connected any more, with
    // the status "*** LAN Nimbus not found" for the page; returns false when that happened.
    bool SharedFolderPresent();

    // Rebuilds details.users from the "*.usr" files and returns the list and menu entries.
    NetworkUsers GetNetworkUsers();

    bool connected() const { return status_.connected; }
    const ConnectionStatus &status() const { return status_; }
    TNetDetails &details() { return details_; }
    // resolvedFolder + "<user in lower case>-Inbox/".
    std::string InboxOf(const std::string &user) const;
    // The access bits of what this user makes in the shared folder: the folder's own.
    sharing::SharedAccess access() const;

private:
    const ConnectionStatus &finish(std::string text, bool connected);
    bool checkPasswordFile(Questions &questions, std::string &failure);
    void saveDetails();

    TNetDetails &details_;
    const Clock &clock_;
    StoreLog &log_;
    SharedFolderResolver &resolver_;
    ConnectionStatus status_;
};

} // namespace nimbus

// Which controls of the network page are enabled, and the caption of its connect button, for
// each state of the connection. The page applies them; it decides nothing itself.
#pragma once

#include <string>

#include "fileio/UiText.h"

namespace nimbus {

inline constexpr const char *kConnectCaption = NIMBUS_TEXT_NOOP("nimbus::sharing", "Connect");
inline constexpr const char *kDisconnectCaption = NIMBUS_TEXT_NOOP("nimbus::sharing", "Disconnect");

struct NetworkPageState {
    bool browseEnabled = true;   // buttonBrowse
    bool editsEnabled = true;    // folder, password, repeated password and user name edits
    bool connectEnabled = false; // buttonNetConnect
    std::string connectCaption = kConnectCaption;
};

namespace network_page {

// The connect button is offered only for a folder, a password and a user name, with the
// password typed the same way twice.
bool CanConnect(const std::string &folder, const std::string &password,
                const std::string &passwordRepeat, const std::string &user);
// The page while connected (nothing can be edited) or not (Connect offered when allowed).
NetworkPageState PageState(bool connected, bool canConnect);

} // namespace network_page
} // namespace nimbus

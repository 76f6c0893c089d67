// The network page's control states.
#include "sharing/NetworkPageRules.h"

namespace nimbus::network_page {

bool CanConnect(const std::string &folder, const std::string &password,
                const std::string &passwordRepeat, const std::string &user)
{
    return !folder.empty() && !password.empty() && !user.empty() && password == passwordRepeat;
}

NetworkPageState PageState(bool connected, bool canConnect)
{
    NetworkPageState state;
    if (connected) {
        state.browseEnabled = false;
        state.editsEnabled = false;
        state.connectEnabled = true;
        state.connectCaption = kDisconnectCaption;
    } else {
        state.connectEnabled = canConnect;
    }
    return state;
}

} // namespace nimbus::network_page

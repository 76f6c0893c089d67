// LAN sharing and add-on packs in the main window: the LAN details read at start-up, the
// network page, the "Send copy to" menu, and the inbox and add-on timers with the window as
// the merges' host. The rules are the sharing library's; this class wires them to the window.
#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <string>

#include "sharing/AddonInstaller.h"
#include "sharing/InboxReceiver.h"
#include "sharing/LanConnection.h"
#include "sharing/MergeGate.h"
#include "sharing/SharingPaths.h"
#include "sharing/TopicSender.h"
#include "shell/dialogs/OperationProgressDialog.h"
#include "store/TNetDetails.h"
#include "tree/TAppPaths.h"

namespace nimbus {

class EventSoundPlayer;
class LanPrompts;
class MainMergeHost;
class NetworkPage;
class TformMain;

class LanSharing : public QObject {
    Q_OBJECT
public:
    // Places the network page and connects the tree's "Send copy to" menu and the inbox and
    // add-on timers. prompts and player may be empty: the program's dialogs and sounds.
    LanSharing(TformMain &window, std::shared_ptr<LanPrompts> prompts,
               std::shared_ptr<EventSoundPlayer> player);
    ~LanSharing() override;

    // The LAN details: net.txt into the page; an empty user name takes the login name
    // (USERNAME, else USER). Then the page's start-up, which may connect.
    void StartUp(const EnvironmentReader &env);

    // The timers' handlers.
    void timerCheckInboxTimer();
    void timerAddonTimer();
    // An item of "Send copy to": -1 for all colleagues, else the position in the users list.
    void sendTo(int tag);
    // Writes net.txt when something changed (closing).
    void saveDetails();

    // A send or a merge is running and lets window events through: a close of the window
    // must wait for it, and the window is closed again when it has ended. False when nothing
    // runs.
    bool deferClose();
    // When the progress window of a send or merge appears (tests make it appear at once).
    void setProgressTiming(dialogs::OperationProgressDialog::Timing timing) { timing_ = timing; }
    // The progress window of the running send or merge.
    dialogs::OperationProgressDialog *progressDialog() const { return progress_; }

    TNetDetails &details() { return details_; }
    LanConnection &connection() { return *connection_; }
    NetworkPage *page() const { return page_; }
    const MergeGate &gate() const { return gate_; }

signals:
    // Received packets or an add-on pack changed topics (the search index checks them again).
    void merged();

private:
    void rebuildSendMenu(const NetworkUsers &users);
    void afterMerge(const MergeChanges &changes);
    // Closes the window now that the operation has ended, when a close waited for it.
    void closeIfWaiting();

    TformMain &window_;
    std::shared_ptr<LanPrompts> prompts_;
    SharingPaths paths_;
    TNetDetails details_;
    std::unique_ptr<LanConnection> connection_;
    std::unique_ptr<TopicSender> sender_;
    MergeGate gate_;
    std::unique_ptr<InboxReceiver> receiver_;
    std::unique_ptr<AddonInstaller> addons_;
    std::unique_ptr<MainMergeHost> host_;
    NetworkPage *page_ = nullptr;
    dialogs::OperationProgressDialog::Timing timing_;
    QPointer<dialogs::OperationProgressDialog> progress_;
    bool closeWaiting_ = false;
};

} // namespace nimbus

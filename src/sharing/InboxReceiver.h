// The inbox timer's work: while connected, every packet in this user's inbox on the shared
// folder is checked, merged into the main store and deleted, and the packets' content files are
// moved into the data folder. A packet that fails its checks is logged and set aside in the
// inbox's "rejected/" folder, never merged in part. The user may stop a tick between packets:
// each packet is merged whole, and the ones not reached stay in the inbox for the next tick.
// Only the content files of the topics merged in the tick are taken. A packet merged but not
// removable (a colleague's inbox that forbids it) is remembered in the data folder and never
// merged again; the user is told once why.
#pragma once

#include <set>
#include <string>

#include "fileio/OperationProgress.h"
#include "sharing/MergeChanges.h"
#include "sharing/MergedPackets.h"
#include "sharing/SharingPaths.h"

namespace nimbus {

class LanConnection;
class MergeGate;
class MergeHost;
class StoreLog;
class TNimbusStructure;

struct ReceiveOutcome {
    int packetsFound = 0;
    int packetsMerged = 0;
    int packetsRefused = 0;
    int packetsLeft = 0; // not reached because the user cancelled; they wait in the inbox
    MergeChanges changes; // everything the tick changed, all packets together
};

class InboxReceiver {
public:
    InboxReceiver(LanConnection &connection, const SharingPaths &paths, MergeGate &gate,
                  StoreLog &log);

    // The handler of timerCheckInbox. recentNew is the summary's new-topics list. Returns at
    // once while another merge holds the gate. progress counts the packets.
    ReceiveOutcome
    timerCheckInboxTimer(TNimbusStructure &store, TNimbusStructure &recentNew, MergeHost &host,
                         fileio::OperationProgress &progress = fileio::ignoredProgress());

    static constexpr const char *kMergingText = "Merging received topics";

private:
    bool receivePacket(const std::string &name, TNimbusStructure &store,
                       TNimbusStructure &recentNew, MergeHost &host, ReceiveOutcome &outcome);
    void refuse(const std::string &name, const std::string &problem, ReceiveOutcome &outcome);

    LanConnection &connection_;
    const SharingPaths &paths_;
    MergeGate &gate_;
    StoreLog &log_;
    // Packets that could be neither merged nor set aside are not tried again in this run.
    std::set<std::string> stuck_;
    sharing::MergedPackets merged_;
    std::set<std::string> tickTopics_; // local ids of the topics merged in this tick
    bool inboxRefusalLogged_ = false;
};

} // namespace nimbus

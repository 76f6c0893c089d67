// The inbox tick.
#include "sharing/InboxReceiver.h"

#include <algorithm>
#include <vector>

#include "fileio/FolderOps.h"
#include "sharing/ContentImport.h"
#include "sharing/LanConnection.h"
#include "sharing/MergeGate.h"
#include "sharing/MergeHost.h"
#include "sharing/PacketFiles.h"
#include "sharing/PacketMerge.h"
#include "sharing/PacketReader.h"
#include "sharing/SharingNames.h"
#include "store/StoreLog.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

InboxReceiver::InboxReceiver(LanConnection &connection, const SharingPaths &paths, MergeGate &gate,
                             StoreLog &log)
    : connection_(connection), paths_(paths), gate_(gate), log_(log)
{
}

ReceiveOutcome InboxReceiver::timerCheckInboxTimer(TNimbusStructure &store,
                                                   TNimbusStructure &recentNew, MergeHost &host,
                                                   fileio::OperationProgress &progress)
{
    ReceiveOutcome outcome;
    MergeGate::Hold hold(gate_);
    if (!hold.entered() || !connection_.connected())
        return outcome;
    if (!connection_.SharedFolderPresent())
        return outcome;
    TNetDetails &details = connection_.details();
    if (details.inboxFolder.empty())
        details.inboxFolder = connection_.InboxOf(details.user);
    if (!fileio::folderExists(details.inboxFolder) || !host.HasSelectedTopic())
        return outcome;

    std::vector<std::string> packets;
    fileio::listFiles(details.inboxFolder + "*.str", packets);
    std::erase_if(packets, [this](const std::string &name) { return stuck_.count(name) > 0; });
    // Holding off restarts the save and deadline timers' countdowns: a tick that holds off
    // with nothing to merge, every ten seconds, would keep them from ever firing.
    if (packets.empty())
        return outcome;
    host.HoldOffSaves(false);
    // Name order is time order for each sender ("<sender>-<stamp>.str"): a later packet's
    // fields win over an earlier one's.
    std::sort(packets.begin(), packets.end());
    const auto total = static_cast<std::int64_t>(packets.size());
    // Stopping is only possible between packets, so with one packet there is nothing to offer.
    progress.allowCancel(total > 1);
    for (std::size_t i = 0; i < packets.size(); ++i) {
        progress.report(static_cast<std::int64_t>(i), total, kMergingText);
        if (progress.cancelled()) {
            outcome.packetsLeft = static_cast<int>(packets.size() - i);
            log_.AddToLog("Receiving cancelled, " + std::to_string(outcome.packetsLeft) +
                          " packet(s) stay in the inbox for later");
            break;
        }
        ++outcome.packetsFound;
        receivePacket(packets[i], store, recentNew, host, outcome);
    }
    progress.allowCancel(false);
    if (outcome.packetsLeft == 0)
        progress.report(total, total, kMergingText);
    if (outcome.packetsFound > 0) {
        content_import::ImportContent(details.inboxFolder, sharing::ownPrefix(details.user),
                                      paths_.content(), log_, true);
        log_.AddToLog("Activity complete");
        host.PlayEventSound(EventSound::Received);
    }
    host.ResumeSaves(false);
    return outcome;
}

void InboxReceiver::refuse(const std::string &name, const std::string &problem,
                           ReceiveOutcome &outcome)
{
    ++outcome.packetsRefused;
    const std::string &inbox = connection_.details().inboxFolder;
    log_.AddErrorToLog("*** A received packet was refused and set aside: " + name, problem);
    if (!sharing::setAside(inbox, name))
        stuck_.insert(name);
}

bool InboxReceiver::receivePacket(const std::string &name, TNimbusStructure &store,
                                  TNimbusStructure &recentNew, MergeHost &host,
                                  ReceiveOutcome &outcome)
{
    const std::string &inbox = connection_.details().inboxFolder;
    const std::string prefix = sharing::ownPrefix(connection_.details().user);
    host.SyncStoreFromTree();
    TNimbusStructure packet;
    std::string problem;
    if (!packet::ReadPacket(inbox + name, packet, prefix, problem)) {
        refuse(name, problem, outcome);
        return false;
    }
    MergeChanges changes;
    if (!packet::MergePacket(store, packet, prefix, &recentNew, log_, changes))
        return false; // no new id could be had; the packet waits for the next tick
    ++outcome.packetsMerged;
    if (changes.changed())
        host.BuildTree(changes);
    if (!fileio::deleteFile(inbox + name) && fileio::fileExists(inbox + name))
        stuck_.insert(name);
    // The working copy a sender's store writer may leave beside the packet goes with it.
    fileio::deleteFile(inbox + fileio::baseNameOf(name) + ".tmp");
    outcome.changes.mergeCase = changes.mergeCase;
    outcome.changes.added.insert(outcome.changes.added.end(), changes.added.begin(),
                                 changes.added.end());
    outcome.changes.updated.insert(outcome.changes.updated.end(), changes.updated.begin(),
                                   changes.updated.end());
    return true;
}

} // namespace nimbus

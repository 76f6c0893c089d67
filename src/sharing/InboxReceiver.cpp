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
                                                   TNimbusStructure &recentNew, MergeHost &host)
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

    host.HoldOffSaves(false);
    std::vector<std::string> packets;
    fileio::listFiles(details.inboxFolder + "*.str", packets);
    // Name order is time order for each sender ("<sender>-<stamp>.str"): a later packet's
    // fields win over an earlier one's.
    std::sort(packets.begin(), packets.end());
    for (const std::string &name : packets) {
        if (stuck_.count(name))
            continue;
        ++outcome.packetsFound;
        receivePacket(name, store, recentNew, host, outcome);
    }
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

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
#include "sharing/SharedFolderFiles.h"
#include "sharing/SharingNames.h"
#include "store/StoreLog.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

InboxReceiver::InboxReceiver(LanConnection &connection, const SharingPaths &paths, MergeGate &gate,
                             StoreLog &log)
    : connection_(connection), paths_(paths), gate_(gate), log_(log),
      merged_(paths.DataFolder + sharing::MergedPackets::kFileName)
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
    // An inbox that is a link would have this program take files from, and delete files in,
    // a folder somewhere else.
    if (!sharing::isRealFolder(details.inboxFolder)) {
        if (!inboxRefusalLogged_)
            log_.AddToLog("*** The inbox " + details.inboxFolder +
                          " is a symbolic link, not a folder: nothing is received from it");
        inboxRefusalLogged_ = true;
        return outcome;
    }

    std::vector<std::string> packets;
    fileio::listFiles(details.inboxFolder + "*.str", packets);
    merged_.KeepOnly(packets);
    std::erase_if(packets, [&](const std::string &name) {
        const std::string path = details.inboxFolder + name;
        return stuck_.count(name) > 0 ||
               merged_.Contains(name, fileio::fileSize(path), fileio::fileModifiedTime(path));
    });
    merged_.Save();
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
    tickTopics_.clear();
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
        ImportOptions options;
        options.topics = &tickTopics_;
        options.setAsideRefused = true;
        options.access = connection_.access();
        content_import::ImportContent(details.inboxFolder, sharing::ownPrefix(details.user),
                                      paths_.content(), log_, options);
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
    std::string refusal;
    if (!sharing::setAside(inbox, name, connection_.access(), &refusal))
        stuck_.insert(name);
    if (!refusal.empty())
        log_.AddToLog("*** " + refusal);
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
    const std::int64_t size = fileio::fileSize(inbox + name);
    const std::int64_t time = fileio::fileModifiedTime(inbox + name);
    MergeChanges changes;
    if (!packet::MergePacket(store, packet, prefix, &recentNew, log_, changes))
        return false; // no new id could be had; the packet waits for the next tick
    ++outcome.packetsMerged;
    tickTopics_.insert(changes.added.begin(), changes.added.end());
    tickTopics_.insert(changes.updated.begin(), changes.updated.end());
    if (changes.changed())
        host.BuildTree(changes);
    const bool deleted = fileio::deleteFile(inbox + name);
    const std::string why = deleted ? std::string() : fileio::lastErrorText();
    if (!deleted && fileio::fileExists(inbox + name)) {
        merged_.Add(name, size, time);
        merged_.Save();
        log_.AddErrorToLog("*** The received packet " + name +
                               " was merged but cannot be removed from the inbox; it will not "
                               "be merged again",
                           why + ". The inbox folder must let its owner delete what colleagues "
                                 "put in it: give the shared folder's group write access.");
    }
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

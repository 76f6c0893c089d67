// Sending topics to colleagues.
#include "sharing/TopicSender.h"

#include <algorithm>

#include "fileio/FolderOps.h"
#include "sharing/LanConnection.h"
#include "sharing/PacketFiles.h"
#include "sharing/PacketWriter.h"
#include "sharing/Questions.h"
#include "sharing/SharedFolderFiles.h"
#include "sharing/SharingNames.h"
#include "store/Clock.h"
#include "store/StoreLog.h"
#include "store/TNetDetails.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

TopicSender::TopicSender(LanConnection &connection, const SharingPaths &paths, const Clock &clock,
                         StoreLog &log)
    : connection_(connection), paths_(paths), clock_(clock), log_(log)
{
}

SendOutcome TopicSender::Send(TNimbusStructure &store, int selected, int tag, Questions &questions,
                              int contentOption, fileio::OperationProgress &progress)
{
    SendOutcome outcome;
    TNetDetails &details = connection_.details();
    if (selected < 0 || selected >= store.Count() || !store.Node(selected))
        return outcome;
    if (tag < -1 || tag >= static_cast<int>(details.users.size()))
        return outcome;
    const bool lock = questions.AskYesNo(kLockTopicQuestion);
    const std::string recipient = tag == -1 ? "all colleagues" : details.users[tag];
    log_.AddToLog("Sending topic " + store.Node(selected)->text + " to " + recipient);

    progress.allowCancel(true);
    PacketWriter writer(paths_, log_);
    const PacketResult packet = writer.Write(store, selected, details.user, clock_.now(), lock,
                                             contentOption, progress);
    bool ok = packet.ok;
    bool cancelled = packet.cancelled;
    std::string detail = packet.error;
    if (ok) {
        outcome.packetName = packet.fileName;
        std::vector<std::string> recipients;
        if (tag == -1) {
            for (const std::string &name : details.users)
                if (name != details.user)
                    recipients.push_back(name);
        } else {
            recipients.push_back(recipient);
        }
        const std::vector<std::string> files = outboxFiles();
        Copied copied{progress, 0,
                      static_cast<std::int64_t>(files.size() * recipients.size())};
        for (const std::string &name : recipients) {
            const Delivery delivery = deliver(name, tag == -1, files, detail, copied);
            if (delivery == Delivery::Cancelled) {
                cancelled = true;
                break;
            }
            if (delivery == Delivery::Failed) {
                ok = false;
                break;
            }
            outcome.delivered.push_back(name);
        }
    }
    progress.allowCancel(false);
    // Emptied in every case: a failed or cancelled send leaves nothing behind for the next one.
    if (cancelled) {
        clearOutbox();
        outcome.cancelled = true;
        std::string served;
        for (const std::string &name : outcome.delivered)
            served += (served.empty() ? "" : ", ") + name;
        log_.AddToLog(served.empty() ? "Sending cancelled, nothing was delivered"
                                     : "Sending cancelled, already delivered to: " + served);
        return outcome;
    }
    if (!ok) {
        outcome.errorDetail = detail.empty() ? fileio::lastErrorText() : detail;
        log_.AddErrorToLog("*** A problem occurred while copying items to another user: ",
                           outcome.errorDetail);
    }
    clearOutbox();
    outcome.ok = ok;
    outcome.sound = ok ? EventSound::SendOk : EventSound::SendFailed;
    log_.AddToLog(ok ? "Activity complete" : "Activity unsuccessful");
    return outcome;
}

bool TopicSender::deliverToUser(const std::string &name, bool announce, std::string &errorDetail)
{
    Copied copied{fileio::ignoredProgress()};
    return deliver(name, announce, outboxFiles(), errorDetail, copied) == Delivery::Delivered;
}

std::vector<std::string> TopicSender::outboxFiles() const
{
    std::vector<std::string> files;
    fileio::listFiles(paths_.OutboxFolder, files);
    std::stable_partition(files.begin(), files.end(), [](const std::string &file) {
        return fileio::extensionOf(file) != ".str";
    });
    return files;
}

TopicSender::Delivery TopicSender::deliver(const std::string &name, bool announce,
                                           const std::vector<std::string> &files,
                                           std::string &errorDetail, Copied &copied)
{
    if (announce)
        log_.AddToLog("Sending to " + name);
    const std::string inbox = connection_.InboxOf(name);
    // Colleagues write into each other's inboxes and the owner removes what it merged: the
    // folder and its files take the shared folder's access bits, whatever the umask. An inbox
    // that is a link would lead the packet out of the shared folder.
    const sharing::SharedAccess access = connection_.access();
    std::string problem;
    if (!fileio::isSafeFileName(sharing::lowerAscii(name)) ||
        !sharing::makeSharedFolder(inbox, access, problem)) {
        if (!problem.empty())
            log_.AddToLog("*** The inbox " + inbox + " is not used: " + problem);
        errorDetail = "*** Unable to create inbox for user: " + name;
        return Delivery::Failed;
    }
    const std::string text = "Sending to " + name;
    // Only files this packet added are taken back: one of the same name that was there
    // already belongs to an earlier packet still waiting in the inbox, which names it too.
    std::vector<std::string> placed;
    for (const std::string &file : files) {
        copied.progress.report(copied.done, copied.total, text);
        // The last moment to stop is before the ".str" file: once it is in place, the
        // colleague's next tick takes the packet.
        if (copied.progress.cancelled()) {
            takeBack(inbox, placed);
            return Delivery::Cancelled;
        }
        const bool existed = fileio::fileExists(inbox + file);
        std::string error;
        if (!sharing::copyQuick(paths_.OutboxFolder + file, inbox + file, &error, access)) {
            errorDetail = error;
            takeBack(inbox, placed);
            return Delivery::Failed;
        }
        if (!existed)
            placed.push_back(file);
        ++copied.done;
    }
    copied.progress.report(copied.done, copied.total, text);
    return Delivery::Delivered;
}

void TopicSender::takeBack(const std::string &inbox, const std::vector<std::string> &placed)
{
    for (const std::string &file : placed)
        if (!fileio::deleteFile(inbox + file) && fileio::fileExists(inbox + file))
            log_.AddToLog("*** A file of an unfinished packet could not be removed: " + inbox +
                          file);
}

void TopicSender::clearOutbox()
{
    std::vector<std::string> files;
    fileio::listFiles(paths_.OutboxFolder, files);
    for (const std::string &file : files)
        fileio::deleteFile(paths_.OutboxFolder + file);
}

} // namespace nimbus

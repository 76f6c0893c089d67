// Sending topics to colleagues.
#include "sharing/TopicSender.h"

#include <algorithm>

#include "fileio/FolderOps.h"
#include "sharing/LanConnection.h"
#include "sharing/PacketFiles.h"
#include "sharing/PacketWriter.h"
#include "sharing/Questions.h"
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
                              int contentOption)
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

    PacketWriter writer(paths_, log_);
    const PacketResult packet =
        writer.Write(store, selected, details.user, clock_.now(), lock, contentOption);
    bool ok = packet.ok;
    std::string detail = packet.error;
    if (ok) {
        outcome.packetName = packet.fileName;
        if (tag == -1) {
            for (const std::string &name : details.users) {
                if (name == details.user)
                    continue;
                if (!(ok = deliverToUser(name, true, detail)))
                    break;
            }
        } else {
            ok = deliverToUser(recipient, false, detail);
        }
    }
    if (!ok) {
        outcome.errorDetail = detail.empty() ? fileio::lastErrorText() : detail;
        log_.AddErrorToLog("*** A problem occurred while copying items to another user: ",
                           outcome.errorDetail);
    }
    // Emptied in every case: a failed send leaves nothing behind for the next one.
    clearOutbox();
    outcome.ok = ok;
    outcome.sound = ok ? EventSound::SendOk : EventSound::SendFailed;
    log_.AddToLog(ok ? "Activity complete" : "Activity unsuccessful");
    return outcome;
}

bool TopicSender::deliverToUser(const std::string &name, bool announce, std::string &errorDetail)
{
    if (announce)
        log_.AddToLog("Sending to " + name);
    const std::string inbox = connection_.InboxOf(name);
    // Colleagues write into each other's inboxes: the folder is made for everyone the
    // shared folder allows (the umask decides).
    if (!fileio::isSafeFileName(sharing::lowerAscii(name)) || !fileio::createFolder(inbox, 0777)) {
        errorDetail = "*** Unable to create inbox for user: " + name;
        return false;
    }
    std::vector<std::string> files;
    fileio::listFiles(paths_.OutboxFolder, files);
    std::stable_partition(files.begin(), files.end(), [](const std::string &file) {
        return fileio::extensionOf(file) != ".str";
    });
    for (const std::string &file : files) {
        std::string error;
        if (!sharing::copyQuick(paths_.OutboxFolder + file, inbox + file, &error)) {
            errorDetail = error;
            return false;
        }
    }
    return true;
}

void TopicSender::clearOutbox()
{
    std::vector<std::string> files;
    fileio::listFiles(paths_.OutboxFolder, files);
    for (const std::string &file : files)
        fileio::deleteFile(paths_.OutboxFolder + file);
}

} // namespace nimbus

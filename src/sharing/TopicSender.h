// Sending a topic with every topic below it to one colleague or to all: the lock question, the
// packet in the outbox, delivery into the colleagues' inboxes, the log lines and the emptied
// outbox. The window calls Send from an item of its menu of recipients and plays the sound
// the outcome names. A send can be cancelled until a recipient's ".str" file is in place: the
// files already placed for that recipient are taken back, and recipients served before stay
// served.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/OperationProgress.h"
#include "sharing/EventSound.h"
#include "sharing/SharingPaths.h"

namespace nimbus {

class Clock;
class LanConnection;
class Questions;
class StoreLog;
class TNimbusStructure;

struct SendOutcome {
    bool ok = false;
    bool cancelled = false;             // the user stopped it; no error, no sound
    std::vector<std::string> delivered; // recipients whose inbox holds the whole packet
    EventSound sound = EventSound::None;
    std::string packetName;  // the ".str" file delivered
    std::string errorDetail; // the detail line of the error entry, when delivery failed
};

class TopicSender {
public:
    TopicSender(LanConnection &connection, const SharingPaths &paths, const Clock &clock,
                StoreLog &log);

    // store's list must be the tree in pre-order (the window syncs it first); selected is the
    // selected topic's position in it; tag is -1 for all colleagues, else the position of the
    // recipient in the connection's users. progress counts the topics written, then the files
    // copied into the inboxes.
    SendOutcome Send(TNimbusStructure &store, int selected, int tag, Questions &questions,
                     int contentOption = 0,
                     fileio::OperationProgress &progress = fileio::ignoredProgress());

    // Copies the outbox into the user's inbox (created when missing), page files first and the
    // topic store last, so that a receiver never finds a packet before its content. A copy
    // that fails takes back the files this call placed.
    bool deliverToUser(const std::string &name, bool announce, std::string &errorDetail);
    // Deletes every file in the outbox.
    void clearOutbox();

private:
    enum class Delivery { Delivered, Failed, Cancelled };
    // Files copied so far over all recipients, of total.
    struct Copied {
        fileio::OperationProgress &progress;
        std::int64_t done = 0;
        std::int64_t total = 0;
    };

    // The outbox's files in delivery order: the ".str" file last.
    std::vector<std::string> outboxFiles() const;
    Delivery deliver(const std::string &name, bool announce, const std::vector<std::string> &files,
                     std::string &errorDetail, Copied &copied);
    void takeBack(const std::string &inbox, const std::vector<std::string> &placed);

    LanConnection &connection_;
    const SharingPaths &paths_;
    const Clock &clock_;
    StoreLog &log_;
};

} // namespace nimbus

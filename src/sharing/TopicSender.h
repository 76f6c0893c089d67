// Sending a topic with every topic below it to one colleague or to all: the lock question, the
// packet in the outbox, delivery into the colleagues' inboxes, the log lines and the emptied
// outbox. The window calls Send from an item of its menu of recipients and plays the sound
// the outcome names.
#pragma once

#include <string>

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
    // recipient in the connection's users.
    SendOutcome Send(TNimbusStructure &store, int selected, int tag, Questions &questions,
                     int contentOption = 0);

    // Copies the outbox into the user's inbox (created when missing), page files first and the
    // topic store last, so that a receiver never finds a packet before its content.
    bool deliverToUser(const std::string &name, bool announce, std::string &errorDetail);
    // Deletes every file in the outbox.
    void clearOutbox();

private:
    LanConnection &connection_;
    const SharingPaths &paths_;
    const Clock &clock_;
    StoreLog &log_;
};

} // namespace nimbus

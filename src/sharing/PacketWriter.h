// Writes a packet into the outbox: a small topic store (a header node, then the sent topic and
// every topic below it with new ids and levels) and the topics' page lists and page files,
// re-keyed to the new ids.
#pragma once

#include <string>

#include "fileio/OperationProgress.h"
#include "sharing/SharingPaths.h"
#include "store/DateTime.h"

namespace nimbus {

class StoreLog;
class TContent;
class TNimbusNode;
class TNimbusStructure;

struct PacketResult {
    bool ok = false;
    std::string fileName; // "<sender>-<stamp>.str", without folder
    int topics = 0;       // sent topics, the header not counted
    bool cancelled = false; // the user stopped it; the outbox holds a part of the packet
    std::string error;
};

class PacketWriter {
public:
    PacketWriter(const SharingPaths &paths, StoreLog &log) : paths_(paths), log_(log) {}

    // What the progress display says while the packet is written.
    static constexpr const char *kPreparingText = "Preparing the topics to send";

    // store's list is the tree in pre-order; start is the selected topic's position. user is
    // this user's name as typed; lock is the answer to the lock question; contentOption is
    // handed to the pages of topics whose content is loaded for sending. progress counts the
    // topics written; a cancel is honoured before each topic.
    PacketResult Write(TNimbusStructure &store, int start, const std::string &user, DateTime when,
                       bool lock, int contentOption = 0,
                       fileio::OperationProgress &progress = fileio::ignoredProgress());

    // The id a topic travels under: its own when it already names a sender, else
    // "<sender>-<uni>".
    static std::string SentId(const std::string &uni, const std::string &sender);

private:
    void writeContent(TNimbusNode &source, const std::string &newId, int contentOption);
    std::string copyPageFile(const TContent &source, int con, const std::string &file,
                             int pageNumber, const std::string &newId);

    const SharingPaths &paths_;
    StoreLog &log_;
};

} // namespace nimbus

// Our own state for calendar files, kept in "Calendar.dat" in the data folder: this
// installation's id (the first part of every UID it writes) and which topic each UID from
// another program's file became, so that importing a file again updates those topics.
#pragma once

#include <map>
#include <string>

#include "store/StoreLog.h"

namespace nimbus::calendar {

class CalendarLinks {
public:
    static constexpr const char *kFileName = "Calendar.dat";

    // Reads the file; a missing or damaged file starts afresh with a new installation id
    // (the UIDs of earlier exports then come back as new topics, never as wrong ones).
    void Load(const std::string &dataFolder);
    // Written atomically; only after Load.
    StoreResult Save() const;

    const std::string &installation() const { return installation_; }
    // The topic id a UID became, or empty.
    std::string topicFor(const std::string &uid) const;
    void link(const std::string &uid, const std::string &uni);
    // Every UID and the topic it became (calendar sync finds the UID of a topic here).
    const std::map<std::string, std::string> &links() const { return uidToTopic_; }

private:
    std::string path_;
    std::string installation_;
    std::map<std::string, std::string> uidToTopic_;
};

}  // namespace nimbus::calendar

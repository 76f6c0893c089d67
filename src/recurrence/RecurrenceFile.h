// "Recurrence.dat" in the data folder: the rich recurrence of each topic that has one, one
// line per topic, "<topic id><TAB><series>" in the text form of RuleText.h. The store file
// keeps each such topic's nearest plain rule, so this file only adds to it. Lines that cannot
// be read are reported, left out of use and written back as they were; a file that could not
// be read at all is never written over.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "recurrence/RecurrenceRule.h"

namespace nimbus {
class StoreLog;
}

namespace nimbus::recurrence {

class RecurrenceFile {
public:
    static constexpr std::string_view kFileName = "Recurrence.dat";

    // dataFolder ends with "/".
    explicit RecurrenceFile(std::string dataFolder);

    // A missing file is an empty one. False (logged) when the file could not be read.
    bool Load(StoreLog &log);
    // Replaces the file atomically; false (logged) when that failed or Load had failed.
    bool Save(StoreLog &log);

    const Series *Find(const std::string &topicId) const;
    void Set(const std::string &topicId, Series series);
    void Remove(const std::string &topicId);
    const std::map<std::string, Series> &All() const { return series_; }
    const std::string &path() const { return path_; }
    // The file exists but could not be read: its rules are unknown (and it is never written).
    bool readFailed() const { return readFailed_; }

    bool modified = false;

private:
    std::string path_;
    std::map<std::string, Series> series_;
    std::vector<std::pair<std::string, std::string>> unreadable_; // topic id, whole line
    bool readFailed_ = false;
};

} // namespace nimbus::recurrence

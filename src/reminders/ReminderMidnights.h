// Which topics' "no time" is a real time of 00:00. The store writes no time of midnight (it
// means "no time"), so an event at 00:00 from another calendar, the options dialog or
// nimbus-cli reads back as a day without a time and would be reminded of at the morning hour.
// While a topic still holds its "00:00:00" in memory a reminder pass notes it here, in
// "ReminderMidnights.txt" in the data folder ("midnight=<date key>|<id>"), and from then on
// its day without a time starts at midnight for reminders: on that date, or on any later one
// of a recurring topic (a roll keeps the time of day). A topic given another time, moved to
// another date (not by its recurrence) or removed drops its line.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace nimbus {
class StoreLog;
class TNimbusNode;
class TNimbusStructure;
} // namespace nimbus

namespace nimbus::reminders {

class ReminderMidnights {
public:
    static constexpr const char *kFileName = "ReminderMidnights.txt";

    void SetDataFolder(const std::string &dataFolder) { fileName_ = dataFolder + kFileName; }
    bool Load(StoreLog &log);
    bool Save(StoreLog &log);

    // Notes a topic that holds a time of exactly "00:00:00" now.
    void observe(const TNimbusNode &node);
    // Whether the topic's day without a time starts at a real midnight.
    bool isMidnight(const TNimbusNode &node) const;
    bool empty() const { return dates_.empty(); }
    // Lines of topics that are gone or no longer at midnight are dropped.
    void forgetStale(const TNimbusStructure &store);

    bool modified = false;

private:
    std::string fileName_;
    bool readFailed_ = false; // the file is there but could not be read: never written over
    std::unordered_map<std::string, std::string> dates_; // id -> date key
    std::vector<std::string> unreadable_;
};

} // namespace nimbus::reminders

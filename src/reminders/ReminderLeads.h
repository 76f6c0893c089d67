// Each topic's chosen advance reminder ("none", 5, 15, 30 minutes, 1 hour, 1 day before it
// starts or is due), kept in "ReminderLeads.txt" in the data folder, one "lead=<minutes>|<id>"
// line per topic that has one.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nimbus {
class StoreLog;
class TNimbusNode;
class TNimbusStructure;
} // namespace nimbus

namespace nimbus::reminders {

// The lead times offered, in minutes; 0 is "none".
const std::vector<int> &leadChoices();
// "None", "5 minutes before", ..., "1 day before".
std::string leadChoiceText(int minutes);

class ReminderLeads {
public:
    static constexpr const char *kFileName = "ReminderLeads.txt";

    void SetDataFolder(const std::string &dataFolder) { fileName_ = dataFolder + kFileName; }
    bool Load(StoreLog &log);
    bool Save(StoreLog &log) const;

    // 0 when the topic has none.
    int leadOf(const std::string &uni) const;
    bool empty() const { return leads_.empty(); }
    // A lead that is not one of the choices is refused (false).
    bool setLead(const std::string &uni, int minutes);
    // Leads of topics the store no longer has are dropped; true when any was.
    bool forgetMissing(const TNimbusStructure &store);

    bool modified = false;

private:
    std::string fileName_;
    // The file is there but could not be read: it is never written over.
    bool readFailed_ = false;
    std::unordered_map<std::string, int> leads_;
    std::vector<std::string> unreadable_; // lines written back as they were
};

} // namespace nimbus::reminders

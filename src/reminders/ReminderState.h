// What became of each reminder, kept in "Reminders.dat" in the data folder and written
// atomically: the instant up to which every trigger has been handled (the watermark), and one
// line per reminder that was shown, dismissed or snoozed, and the instant from which
// reminders are owed at all. A restart therefore shows no
// reminder twice, shows what fell due while the program was closed, and keeps every snooze.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/DateTime.h"

namespace nimbus {
class StoreLog;
}

namespace nimbus::reminders {

struct ReminderRecord {
    bool dismissed = false;              // closed by the user
    std::optional<DateTime> snoozedUntil; // to be shown again then
};

class ReminderState {
public:
    static constexpr const char *kFileName = "Reminders.dat";
    // Records of reminders this much older than the watermark are forgotten when saving.
    static constexpr int kKeepDays = 30;

    void SetDataFolder(const std::string &dataFolder) { fileName_ = dataFolder + kFileName; }
    const std::string &fileName() const { return fileName_; }
    // A missing file is a first run. Lines that cannot be read are logged and written back
    // as they were.
    bool Load(StoreLog &log);
    bool Save(StoreLog &log);

    // Empty until the first pass of a first run.
    std::optional<DateTime> watermark;
    // Nothing that fell due before this is reminded of: the first run, or reminders switched
    // back on. A file without it starts from its watermark.
    std::optional<DateTime> remindFrom;
    std::unordered_map<std::string, ReminderRecord> records; // by trigger key
    bool modified = false;

    bool handled(const std::string &key) const { return records.count(key) != 0; }
    void markShown(const std::string &key);

private:
    std::string fileName_;
    // The file is there but could not be read: it is never written over.
    bool readFailed_ = false;
    std::vector<std::string> unreadable_;
};

// The instant a trigger key names; false for a damaged key.
bool keyInstant(std::string_view key, DateTime &at);
// The topic id a trigger key names.
std::string_view keyTopic(std::string_view key);

} // namespace nimbus::reminders

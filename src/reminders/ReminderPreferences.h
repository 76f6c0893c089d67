// The reminders' global preferences, kept in "ReminderPrefs.txt" in the data folder: reminders
// on or off, the notification sound, quiet hours, the morning hour and whether closing the
// window keeps the program running in the tray (off by default, so that closing the window
// ends the program as it always did).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/DateTime.h"

namespace nimbus {
class StoreLog;
}

namespace nimbus::reminders {

class ReminderPreferences {
public:
    static constexpr const char *kFileName = "ReminderPrefs.txt";

    bool enabled = true;
    bool sound = true;
    bool quietHours = false;
    int quietFrom = 22 * 60; // minutes after midnight
    int quietTo = 7 * 60;
    // When a due day without a time of its own begins, and where "tomorrow morning" lies.
    int morning = 8 * 60;
    bool keepInTray = false;

    void SetDataFolder(const std::string &dataFolder) { fileName_ = dataFolder + kFileName; }
    const std::string &fileName() const { return fileName_; }
    // Missing file: the defaults. Values that cannot be read keep their defaults (logged).
    bool Load(StoreLog &log);
    bool Save(StoreLog &log) const;

    // Whether now falls within the quiet hours, and when they end.
    bool isQuiet(DateTime now) const;
    DateTime quietEnds(DateTime now) const;

private:
    std::string fileName_;
    // The file is there but could not be read: it is never written over.
    bool readFailed_ = false;
    // Names this version does not know, written back as they were.
    std::vector<std::pair<std::string, std::string>> others_;
};

} // namespace nimbus::reminders

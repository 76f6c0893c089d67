// Reading and writing the reminder preferences.
#include "reminders/ReminderPreferences.h"

#include "reminders/PairLines.h"
#include "store/StoreLog.h"

namespace nimbus::reminders {

namespace {

constexpr std::int64_t kMsecsPerMinute = 60'000;

} // namespace

bool ReminderPreferences::Load(StoreLog &log)
{
    PairLines lines;
    readFailed_ = !readPairLines(fileName_, lines, log);
    if (readFailed_)
        return false;
    others_.clear();
    for (auto &[name, value] : lines.pairs) {
        auto flag = [&value](bool &field) { field = value == "Y"; };
        auto clock = [&](int &field) {
            if (!parseClockMinutes(value, field))
                log.AddToLog("*** " + std::string(kFileName) + ": \"" + name + "=" + value +
                             "\" is not a time of day (hh:mm); " + clockText(field) + " is used");
        };
        if (name == "on")
            flag(enabled);
        else if (name == "sound")
            flag(sound);
        else if (name == "quiet")
            flag(quietHours);
        else if (name == "quietFrom")
            clock(quietFrom);
        else if (name == "quietTo")
            clock(quietTo);
        else if (name == "morning")
            clock(morning);
        else if (name == "tray")
            flag(keepInTray);
        else
            others_.emplace_back(std::move(name), std::move(value));
    }
    return true;
}

bool ReminderPreferences::Save(StoreLog &log) const
{
    if (readFailed_) {
        log.AddToLog("*** " + std::string(kFileName) + " is not written: it could not be read at start-up");
        return false;
    }
    auto yn = [](bool b) { return b ? "Y" : "N"; };
    std::string bytes;
    appendPair(bytes, "on", yn(enabled));
    appendPair(bytes, "sound", yn(sound));
    appendPair(bytes, "quiet", yn(quietHours));
    appendPair(bytes, "quietFrom", clockText(quietFrom));
    appendPair(bytes, "quietTo", clockText(quietTo));
    appendPair(bytes, "morning", clockText(morning));
    appendPair(bytes, "tray", yn(keepInTray));
    for (const auto &[name, value] : others_)
        appendPair(bytes, name, value);
    return writeAtomically(fileName_, bytes, log);
}

bool ReminderPreferences::isQuiet(DateTime now) const
{
    if (!quietHours || quietFrom == quietTo)
        return false;
    const std::int64_t minute = now.msecsOfDay() / kMsecsPerMinute;
    // Quiet hours that pass midnight (22:00 to 07:00) are the two ends of the day.
    if (quietFrom < quietTo)
        return minute >= quietFrom && minute < quietTo;
    return minute >= quietFrom || minute < quietTo;
}

DateTime ReminderPreferences::quietEnds(DateTime now) const
{
    if (!isQuiet(now))
        return now;
    const DateTime end = now.date().addMsecs(quietTo * kMsecsPerMinute);
    return end > now ? end : end.addDays(1);
}

} // namespace nimbus::reminders

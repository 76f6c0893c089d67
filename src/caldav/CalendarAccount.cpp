// CalendarAccount.dat; see CalendarAccount.h.
#include "caldav/CalendarAccount.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "caldav/ServerAddress.h"
#include "fileio/AtomicFile.h"
#include "store/PairFile.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldav {

namespace {

bool lineSafe(const std::string &v)
{
    return v.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

}  // namespace

void CalendarAccount::Load(const std::string &dataFolder)
{
    *this = CalendarAccount{};
    std::vector<std::string> names, values;
    readPairFile(dataFolder + kFileName, names, values);
    // Each "calendar" line starts a calendar; its name and subtree follow it.
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &v = values[i];
        if (names[i] == "server") server = v;
        else if (names[i] == "user") user = v;
        else if (names[i] == "calendar") calendars.push_back({v, {}, {}});
        else if (names[i] == "calendarname" && !calendars.empty()) calendars.back().calendarName = v;
        else if (names[i] == "subtree" && !calendars.empty()) calendars.back().subtree = v;
        else if (names[i] == "interval") {
            int minutes = 0;
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), minutes);
            if (ec == std::errc() && end == v.data() + v.size() && minutes >= 1 && minutes <= 1440)
                intervalMinutes = minutes;
        }
    }
    std::erase_if(calendars, [](const CalendarBinding &c) { return c.calendarUrl.empty() || c.subtree.empty(); });
}

StoreResult CalendarAccount::Save(const std::string &dataFolder) const
{
    std::vector<std::string> names{"version", "server", "user", "interval"};
    std::vector<std::string> values{std::to_string(kVersion), server, user, std::to_string(intervalMinutes)};
    for (const CalendarBinding &c : calendars) {
        names.insert(names.end(), {"calendar", "calendarname", "subtree"});
        values.insert(values.end(), {c.calendarUrl, c.calendarName, c.subtree});
    }
    for (const std::string &v : values)
        if (!lineSafe(v))
            return StoreResult::failure("a value holds a line break");
    std::string bytes;
    appendPairLines(bytes, names, values);
    std::string error;
    if (!fileio::writeFileAtomically(dataFolder + kFileName, bytes, &error))
        return StoreResult::failure(error);
    return {};
}

std::string bindingProblem(const std::vector<CalendarBinding> &calendars, const TNimbusStructure &store)
{
    for (std::size_t i = 0; i < calendars.size(); ++i) {
        const int at = store.IndexOf(calendars[i].subtree);
        if (at < 0)
            return "The topic chosen for \"" + calendars[i].calendarName + "\" no longer exists.";
        for (std::size_t j = 0; j < i; ++j) {
            if (calendars[j].calendarUrl == calendars[i].calendarUrl)
                return "The calendar \"" + calendars[i].calendarName + "\" is chosen twice.";
            // One subtree inside (or the same as) another: its topics would go to two calendars.
            const int other = store.IndexOf(calendars[j].subtree);
            const int outer = std::min(at, other), inner = std::max(at, other);
            bool inside = outer == inner;
            for (int k = outer + 1; !inside && k <= inner && store.Node(k)->lev > store.Node(outer)->lev; ++k)
                inside = k == inner;
            if (inside)
                return "\"" + calendars[j].calendarName + "\" and \"" + calendars[i].calendarName +
                       "\" would share topics: choose topics that are not inside one another.";
        }
    }
    return {};
}

std::string serverProblem(const CalendarAccount &account)
{
    for (const CalendarBinding &c : account.calendars)
        if (!sameOrigin(c.calendarUrl, account.server))
            return "The calendar \"" + c.calendarName + "\" is not on the account's server (" + account.server +
                   "); it is not synced, so that the password goes to no other server.";
    return {};
}

int retryDelaySeconds(int intervalMinutes, int failuresInARow)
{
    const int interval = std::clamp(intervalMinutes, 1, 1440) * 60;
    if (failuresInARow <= 0)
        return interval;
    const int shift = std::min(failuresInARow - 1, 12);
    return std::min(interval, 60 << shift);
}

}  // namespace nimbus::caldav

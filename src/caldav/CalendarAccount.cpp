// CalendarAccount.dat; see CalendarAccount.h.
#include "caldav/CalendarAccount.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "fileio/AtomicFile.h"
#include "store/PairFile.h"

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
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string &v = values[i];
        if (names[i] == "server") server = v;
        else if (names[i] == "user") user = v;
        else if (names[i] == "calendar") calendarUrl = v;
        else if (names[i] == "calendarname") calendarName = v;
        else if (names[i] == "subtree") subtree = v;
        else if (names[i] == "interval") {
            int minutes = 0;
            const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), minutes);
            if (ec == std::errc() && end == v.data() + v.size() && minutes >= 1 && minutes <= 1440)
                intervalMinutes = minutes;
        }
    }
}

StoreResult CalendarAccount::Save(const std::string &dataFolder) const
{
    std::vector<std::string> names{"server", "user", "calendar", "calendarname", "subtree", "interval"};
    std::vector<std::string> values{server, user, calendarUrl, calendarName, subtree, std::to_string(intervalMinutes)};
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

int retryDelaySeconds(int intervalMinutes, int failuresInARow)
{
    const int interval = std::clamp(intervalMinutes, 1, 1440) * 60;
    if (failuresInARow <= 0)
        return interval;
    const int shift = std::min(failuresInARow - 1, 12);
    return std::min(interval, 60 << shift);
}

}  // namespace nimbus::caldav

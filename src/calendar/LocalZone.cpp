// Local zone and time conversions; see LocalZone.h.
#include "calendar/LocalZone.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "store/DateDigits.h"
#include "store/DateTime.h"

namespace nimbus::calendar {

namespace {

std::string zoneFromPath(const std::string &path)
{
    const std::string marker = "zoneinfo/";
    const std::size_t at = path.rfind(marker);
    return at == std::string::npos ? std::string() : path.substr(at + marker.size());
}

bool parseDate(const std::string &key, int &y, int &m, int &d)
{
    dates::CivilDate date;
    if (!dates::readDateKeyDigits(key, date))
        return false;
    y = date.year, m = date.month, d = date.day;
    return true;
}

// Hours, minutes, seconds of a time text; false for empty or "00:00:00" (no time) and for
// text that is not a time (the values are then left as they were). What follows the seconds
// (".zzz") is ignored.
bool parseTime(const std::string &text, int &h, int &mi, int &s)
{
    if (text.size() < 8 ||
        !dates::readTimeTextDigits(std::string_view(text).substr(0, 8), h, mi, s))
        return false;
    return h != 0 || mi != 0 || s != 0;
}

// Two digits of a value from 0 to 99 (hours, minutes, seconds, days, months).
void putTwoDigits(char *at, int v)
{
    at[0] = static_cast<char>('0' + v / 10 % 10);
    at[1] = static_cast<char>('0' + v % 10);
}

// Written by hand rather than by snprintf: an export converts two or three times per entry.
void setDateKey(std::string &out, int y, int m, int d)
{
    if (y < 0 || y > 9999 || m < 0 || m > 99 || d < 0 || d > 99) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%04d%02d%02d", y, m, d);
        out = buf;
        return;
    }
    out.resize(8);
    putTwoDigits(&out[0], y / 100);
    putTwoDigits(&out[2], y % 100);
    putTwoDigits(&out[4], m);
    putTwoDigits(&out[6], d);
}

void setTimeText(std::string &out, int h, int mi, int s)
{
    if (h == 0 && mi == 0 && s == 0) {
        out.clear();
        return;
    }
    if (h < 0 || h > 99 || mi < 0 || mi > 99 || s < 0 || s > 99) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
        out = buf;
        return;
    }
    out.resize(8);
    putTwoDigits(&out[0], h);
    out[2] = ':';
    putTwoDigits(&out[3], mi);
    out[5] = ':';
    putTwoDigits(&out[6], s);
}

// Local civil time to an instant, by the C library's zone rules (the same $TZ).
bool localToTimeT(int y, int m, int d, int h, int mi, int s, std::time_t &out)
{
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = m - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    out = std::mktime(&tm);
    return out != static_cast<std::time_t>(-1) || (y == 1969 && m == 12 && d == 31);
}

}  // namespace

std::string localZoneName()
{
    if (const char *tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        if (!name.empty() && name[0] == '/')
            name = zoneFromPath(name);
        return name;
    }
    std::error_code ec;
    const auto target = std::filesystem::read_symlink("/etc/localtime", ec);
    if (!ec) {
        const std::string name = zoneFromPath(target.string());
        if (!name.empty())
            return name;
    }
    std::ifstream file("/etc/timezone");
    std::string name;
    std::getline(file, name);
    return name;
}

icaltimezone *localZone()
{
    // The zone is looked up again only when the name changes (tests switch $TZ).
    static std::string cachedName = "\x01";
    static icaltimezone *cached = nullptr;
    const std::string name = localZoneName();
    if (name != cachedName) {
        cachedName = name;
        cached = zoneNamed(name);
    }
    return cached;
}

icaltimezone *zoneNamed(const std::string &name)
{
    if (name == "UTC" || name == "Etc/UTC" || name == "UTC0" || name == "GMT")
        return icaltimezone_get_utc_timezone();
    return name.empty() ? nullptr : icaltimezone_get_builtin_timezone(name.c_str());
}

icaltimetype localTime(const std::string &dateKeyText, const std::string &time)
{
    int y, m, d, h = 0, mi = 0, s = 0;
    if (!parseDate(dateKeyText, y, m, d))
        return icaltime_null_time();
    icaltimetype t = icaltime_null_time();
    t.year = y;
    t.month = m;
    t.day = d;
    if (!parseTime(time, h, mi, s)) {
        t.is_date = 1;
        return t;
    }
    t.hour = h;
    t.minute = mi;
    t.second = s;
    t.zone = localZone();
    return t;
}

icaltimetype utcTime(const std::string &dateKeyText, const std::string &time)
{
    int y, m, d, h = 0, mi = 0, s = 0;
    if (!parseDate(dateKeyText, y, m, d))
        return icaltime_null_time();
    parseTime(time, h, mi, s);
    std::time_t instant;
    if (!localToTimeT(y, m, d, h, mi, s, instant))
        return icaltime_null_time();
    return icaltime_from_timet_with_zone(instant, 0, icaltimezone_get_utc_timezone());
}

icaltimetype utcFromStamp(const std::string &stamp)
{
    if (stamp.size() != 15 || stamp[8] != '-')
        return icaltime_null_time();
    const std::string time = stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
    return utcTime(stamp.substr(0, 8), time == "00:00:00" ? std::string() : time);
}

bool toLocal(icaltimetype value, std::string &dateKeyOut, std::string &timeOut)
{
    if (icaltime_is_null_time(value) || !icaltime_is_valid_time(value) ||
        !DateTime::isValidDate(value.year, value.month, value.day) ||
        !DateTime::isValidTime(value.hour, value.minute, value.second < 60 ? value.second : 59))
        return false;
    if (value.is_date) {
        setDateKey(dateKeyOut, value.year, value.month, value.day);
        timeOut.clear();
        return true;
    }
    if (value.zone == nullptr) {  // floating: local time already
        setDateKey(dateKeyOut, value.year, value.month, value.day);
        setTimeText(timeOut, value.hour, value.minute, value.second);
        return true;
    }
    const std::time_t instant = icaltime_as_timet_with_zone(value, value.zone);
    std::tm tm{};
    if (localtime_r(&instant, &tm) == nullptr)
        return false;
    setDateKey(dateKeyOut, tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    setTimeText(timeOut, tm.tm_hour, tm.tm_min, tm.tm_sec);
    return true;
}

bool toLocalStamp(icaltimetype value, std::string &stamp)
{
    std::string date, time;
    if (!toLocal(value, date, time))
        return false;
    if (time.empty())
        time = "00:00:00";
    stamp = date + "-" + time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 2);
    return true;
}

}  // namespace nimbus::calendar

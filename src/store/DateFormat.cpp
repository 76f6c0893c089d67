// Formatting and parsing of the stored date and time forms.
#include "store/DateFormat.h"

#include <charconv>
#include <cstdio>

#include "store/DateDigits.h"

namespace nimbus::dates {

namespace {

std::string format(const char *fmt, int a, int b, int c, int d, int e, int f)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, fmt, a, b, c, d, e, f);
    return buffer;
}

std::string_view slice(std::string_view text, std::size_t start, std::size_t count)
{
    if (start >= text.size())
        return {};
    return text.substr(start, count);
}

// The whole slice must be a number (an optional sign and digits), as the runtime's
// string-to-integer conversion demands.
bool toInt(std::string_view text, int &value)
{
    if (text.empty())
        return false;
    const char *first = text.data();
    const char *last = text.data() + text.size();
    if (*first == '+')
        ++first;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last;
}

}  // namespace

std::string dateKey(DateTime t)
{
    const CivilTime c = t.civil();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", c.year, c.month, c.day);
    return buffer;
}

std::string stamp(DateTime t)
{
    const CivilTime c = t.civil();
    return format("%04d%02d%02d-%02d%02d%02d", c.year, c.month, c.day, c.hour, c.minute, c.second);
}

std::string compactStamp(DateTime t)
{
    return stamp(t);
}

std::string timeText(DateTime t)
{
    const CivilTime c = t.civil();
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", c.hour, c.minute, c.second);
    return buffer;
}

std::string displayDateTime(DateTime t, int order)
{
    const CivilTime c = t.civil();
    switch (order) {
    case MonthDayYear:
        return format("%02d/%02d/%04d %02d:%02d:%02d", c.month, c.day, c.year, c.hour, c.minute,
                      c.second);
    case YearMonthDay:
        return format("%04d/%02d/%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                      c.second);
    default:
        return format("%02d/%02d/%04d %02d:%02d:%02d", c.day, c.month, c.year, c.hour, c.minute,
                      c.second);
    }
}

std::string logDateTime(DateTime t)
{
    const CivilTime c = t.civil();
    return format("%02d/%02d/%02d %02d:%02d:%02d", c.day, c.month, c.year, c.hour, c.minute,
                  c.second);
}

std::string displayDate(std::string_view key, int order)
{
    const std::string year(slice(key, 0, 4));
    const std::string month(slice(key, 4, 2));
    const std::string day(slice(key, 6, 2));
    switch (order) {
    case MonthDayYear:
        return month + "/" + day + "/" + year;
    case YearMonthDay:
        return year + "/" + month + "/" + day;
    default:
        return day + "/" + month + "/" + year;
    }
}

std::string displayStamp(std::string_view s, int order)
{
    return displayDate(slice(s, 0, 8), order) + " " + std::string(slice(s, 9, 2)) + ":"
           + std::string(slice(s, 11, 2)) + ":" + std::string(slice(s, 13, 2));
}

std::string datePickerFormat(int order)
{
    switch (order) {
    case MonthDayYear:
        return "MM'/'dd'/'yyyy";
    case YearMonthDay:
        return "yyyy'/'MM'/'dd";
    default:
        return "dd'/'MM'/'yyyy";
    }
}

int sliceToInt(std::string_view text, std::size_t start, std::size_t count)
{
    int value = 0;
    return toInt(slice(text, start, count), value) ? value : 0;
}

bool parseDateKey(std::string_view text, DateTime &result)
{
    // The usual eight plain digits; anything else is read by slices, as older files may hold it.
    CivilDate date;
    if (readDateKeyDigits(text, date)) {
        result = DateTime::fromCivil(date.year, date.month, date.day);
        return true;
    }
    const int year = sliceToInt(text, 0, 4);
    const int month = sliceToInt(text, 4, 2);
    const int day = sliceToInt(text, 6, 2);
    if (!DateTime::isValidDate(year, month, day))
        return false;
    result = DateTime::fromCivil(year, month, day);
    return true;
}

bool parseTimeText(std::string_view text, DateTime &result)
{
    const int hour = sliceToInt(text, 0, 2);
    const int minute = sliceToInt(text, 3, 2);
    const int second = sliceToInt(text, 6, 2);
    const int msec = sliceToInt(text, 9, 3);
    if (!DateTime::isValidTime(hour, minute, second, msec))
        return false;
    result = DateTime::fromCivil(1970, 1, 1, hour, minute, second, msec);
    return true;
}

bool parseStamp(std::string_view text, DateTime &result)
{
    CivilDate date;
    int hour = 0, minute = 0, second = 0;
    if (text.size() != 15 || text[8] != '-' || !readDateKeyDigits(text.substr(0, 8), date) ||
        !readDigits(text, 9, 2, hour) || !readDigits(text, 11, 2, minute) ||
        !readDigits(text, 13, 2, second) || !DateTime::isValidTime(hour, minute, second))
        return false;
    result = DateTime::fromCivil(date.year, date.month, date.day, hour, minute, second);
    return true;
}

bool isNoTime(std::string_view text)
{
    return text.empty() || text == "00:00:00";
}

}  // namespace nimbus::dates

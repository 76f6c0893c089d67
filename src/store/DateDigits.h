// The strict readers of the stored date and time forms: the date key "yyyymmdd", the time text
// "hh:mm:ss" and the stamp "yyyymmdd-hhmmss", digits only, naming a real date and time. They
// are the fast path of every date key the program reads (the deadline timer reads every due
// date every ten seconds) and the whole rule where a form must be exact (search filters,
// calendar files, the reminder state). dates::parseDateKey and dates::parseTimeText add the
// tolerance of older stored values on top of them.
#pragma once

#include <cstddef>
#include <string_view>

#include "store/DateTime.h"

namespace nimbus::dates {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The digits of text[at, at + count) as a number; false when any is not a digit.
inline bool readDigits(std::string_view text, std::size_t at, std::size_t count, int &value)
{
    int v = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        v = v * 10 + (text[i] - '0');
    }
    value = v;
    return true;
}

// Exactly eight digits naming a real date; date is set only on success.
inline bool readDateKeyDigits(std::string_view text, CivilDate &date)
{
    CivilDate d;
    if (text.size() != 8 || !readDigits(text, 0, 4, d.year) || !readDigits(text, 4, 2, d.month) ||
        !readDigits(text, 6, 2, d.day) || !DateTime::isValidDate(d.year, d.month, d.day))
        return false;
    date = d;
    return true;
}

// Exactly "hh:mm:ss" with digits naming a real time of day; the values are set only on success.
inline bool readTimeTextDigits(std::string_view text, int &hour, int &minute, int &second)
{
    int h = 0, m = 0, s = 0;
    if (text.size() != 8 || text[2] != ':' || text[5] != ':' || !readDigits(text, 0, 2, h) ||
        !readDigits(text, 3, 2, m) || !readDigits(text, 6, 2, s) || !DateTime::isValidTime(h, m, s))
        return false;
    hour = h;
    minute = m;
    second = s;
    return true;
}

// Exactly "yyyymmdd-hhmmss", digits naming a real date and time; result is set only on success.
bool parseStamp(std::string_view text, DateTime &result);

} // namespace nimbus::dates

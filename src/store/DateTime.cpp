// Civil calendar arithmetic (proleptic Gregorian) for DateTime.
#include "store/DateTime.h"

namespace nimbus {

namespace {

// Days since 1970-01-01 of a civil date (Howard Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int &year, int &month, int &day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
    month = static_cast<int>(m);
    day = static_cast<int>(d);
}

}  // namespace

DateTime DateTime::fromCivil(int year, int month, int day, int hour, int minute, int second,
                             int millisecond)
{
    const std::int64_t days = daysFromCivil(year, static_cast<unsigned>(month),
                                            static_cast<unsigned>(day));
    const std::int64_t ms = ((static_cast<std::int64_t>(hour) * 60 + minute) * 60 + second) * 1000
                            + millisecond;
    return DateTime(days * kMsecsPerDay + ms);
}

bool DateTime::isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DateTime::daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool DateTime::isValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1
           && day <= daysInMonth(year, month);
}

bool DateTime::isValidTime(int hour, int minute, int second, int millisecond)
{
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60
           && millisecond >= 0 && millisecond < 1000;
}

std::int64_t DateTime::dayNumber() const
{
    // Floor division, so times before 1970 still belong to their own day.
    std::int64_t d = msecs_ / kMsecsPerDay;
    if (msecs_ % kMsecsPerDay < 0)
        --d;
    return d;
}

CivilTime DateTime::civil() const
{
    CivilTime c;
    civilFromDays(dayNumber(), c.year, c.month, c.day);
    std::int64_t ms = msecsOfDay();
    c.millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    c.second = static_cast<int>(ms % 60);
    ms /= 60;
    c.minute = static_cast<int>(ms % 60);
    c.hour = static_cast<int>(ms / 60);
    return c;
}

int DateTime::dayOfWeek() const
{
    // 1970-01-01 was a Thursday.
    const std::int64_t d = dayNumber();
    return static_cast<int>(((d % 7) + 7 + 4) % 7);
}

}  // namespace nimbus

// Local civil date and time without a time zone, the way the program stores and compares
// dates: whole days since 1970-01-01 plus the time of day, counted in milliseconds.
#pragma once

#include <compare>
#include <cstdint>

namespace nimbus {

struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class DateTime {
public:
    static constexpr std::int64_t kMsecsPerDay = 86'400'000;

    constexpr DateTime() = default;
    static constexpr DateTime fromMsecs(std::int64_t msecs) { return DateTime(msecs); }
    // Builds a date-time from its parts; the parts are not validated (see isValidDate).
    static DateTime fromCivil(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0, int millisecond = 0);
    static DateTime fromDayNumber(std::int64_t days) { return DateTime(days * kMsecsPerDay); }

    static bool isValidDate(int year, int month, int day);
    static bool isValidTime(int hour, int minute, int second, int millisecond = 0);
    static int daysInMonth(int year, int month);
    static bool isLeapYear(int year);

    std::int64_t msecs() const { return msecs_; }
    // Whole days since 1970-01-01 (negative before it).
    std::int64_t dayNumber() const;
    std::int64_t msecsOfDay() const { return msecs_ - dayNumber() * kMsecsPerDay; }
    DateTime date() const { return fromDayNumber(dayNumber()); }
    CivilTime civil() const;
    // 0 = Sunday ... 6 = Saturday.
    int dayOfWeek() const;

    DateTime addMsecs(std::int64_t ms) const { return DateTime(msecs_ + ms); }
    DateTime addSeconds(std::int64_t s) const { return DateTime(msecs_ + s * 1000); }
    DateTime addDays(std::int64_t d) const { return DateTime(msecs_ + d * kMsecsPerDay); }

    auto operator<=>(const DateTime &) const = default;

private:
    constexpr explicit DateTime(std::int64_t msecs) : msecs_(msecs) {}
    std::int64_t msecs_ = 0;
};

}  // namespace nimbus

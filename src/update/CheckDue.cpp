// The check interval arithmetic.
#include "update/CheckDue.h"

#include "store/DateFormat.h"

#include <algorithm>
#include <charconv>

namespace nimbus::update {

long long wholeNumber(const std::string &text, long long fallback)
{
    long long value = 0;
    const char *begin = text.data();
    const char *end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end)
        return fallback;
    return value;
}

bool IsCheckDue(const std::string &last, const std::string &period, const std::string &number,
                DateTime today)
{
    if (last.size() < 8)
        return false;
    const int year = dates::sliceToInt(last, 0, 4);
    int month = dates::sliceToInt(last, 4, 2);
    const int day = dates::sliceToInt(last, 6, 2);
    // Any interval longer than a few centuries has the same answer; the bound keeps the
    // arithmetic far from overflow.
    const long long n = std::clamp(wholeNumber(number, 1), -100'000LL, 100'000LL);
    long long dueYear = year;
    long long dueMonth = month;
    long long days = 0;
    if (period == "M") {
        dueMonth = month + n;
        // Carry into years by 12, also downwards for a negative count.
        dueYear += (dueMonth - 1) >= 0 ? (dueMonth - 1) / 12 : -((12 - dueMonth) / 12);
        dueMonth = ((dueMonth - 1) % 12 + 12) % 12 + 1;
    } else {
        days = period == "W" ? 7 * n : n;
    }
    if (!DateTime::isValidDate(static_cast<int>(dueYear), static_cast<int>(dueMonth), day))
        return true;
    const DateTime due =
        DateTime::fromCivil(static_cast<int>(dueYear), static_cast<int>(dueMonth), day)
            .addDays(days);
    return due.dayNumber() <= today.dayNumber();
}

} // namespace nimbus::update

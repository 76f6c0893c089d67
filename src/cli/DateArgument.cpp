// Parsing typed dates into date keys.
#include "cli/DateArgument.h"

#include "fileio/UiText.h"

#include <array>
#include <cctype>
#include <charconv>

#include "store/DateFormat.h"

namespace nimbus::cli {

namespace {

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<int> number(std::string_view text)
{
    int value = 0;
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::string> keyOf(int year, int month, int day)
{
    if (year < 1 || year > 9999 || !DateTime::isValidDate(year, month, day))
        return std::nullopt;
    return dates::dateKey(DateTime::fromCivil(year, month, day));
}

// "+3d", "+2w": days or weeks from today.
std::optional<std::string> relative(std::string_view text, DateTime today)
{
    if (text.size() < 3 || text.front() != '+')
        return std::nullopt;
    const char unit = text.back();
    const auto count = number(text.substr(1, text.size() - 2));
    if (!count || *count > 36500 || (unit != 'd' && unit != 'w'))
        return std::nullopt;
    return dates::dateKey(today.addDays(unit == 'w' ? *count * 7 : *count));
}

std::optional<std::string> weekday(const std::string &text, DateTime today)
{
    static const std::array<const char *, 7> names = {"sunday",   "monday", "tuesday", "wednesday",
                                                      "thursday", "friday", "saturday"};
    for (int d = 0; d < 7; ++d) {
        const std::string name = names[static_cast<std::size_t>(d)];
        // The full name or its first three letters ("fri").
        if (text == name || (text.size() == 3 && name.compare(0, 3, text) == 0)) {
            const int ahead = (d - today.dayOfWeek() + 7) % 7;
            return dates::dateKey(today.addDays(ahead));
        }
    }
    return std::nullopt;
}

// Three numbers separated by one of "/", "-" or ".".
bool splitThree(std::string_view text, char separator, std::array<std::string_view, 3> &parts)
{
    const auto first = text.find(separator);
    if (first == std::string_view::npos)
        return false;
    const auto second = text.find(separator, first + 1);
    if (second == std::string_view::npos || text.find(separator, second + 1) != std::string_view::npos)
        return false;
    parts = {text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
    return true;
}

} // namespace

std::optional<std::string> parseDateArgument(std::string_view typed, DateTime now, int displayOrder)
{
    const std::string text = lower(typed);
    const DateTime today = now.date();
    if (text == "today")
        return dates::dateKey(today);
    if (text == "tomorrow")
        return dates::dateKey(today.addDays(1));
    if (auto r = relative(text, today))
        return r;
    if (auto w = weekday(text, today))
        return w;
    if (text.size() == 8 && number(text.substr(0, 4)) && number(text.substr(4))) {
        return keyOf(*number(text.substr(0, 4)), *number(text.substr(4, 2)), *number(text.substr(6, 2)));
    }
    std::array<std::string_view, 3> parts;
    // ISO: year-month-day.
    if (splitThree(text, '-', parts)) {
        const auto y = number(parts[0]), m = number(parts[1]), d = number(parts[2]);
        if (!y || !m || !d || parts[0].size() != 4)
            return std::nullopt;
        return keyOf(*y, *m, *d);
    }
    // The display order of the preferences, with "/" as the program shows dates (or ".").
    if (splitThree(text, '/', parts) || splitThree(text, '.', parts)) {
        const auto a = number(parts[0]), b = number(parts[1]), c = number(parts[2]);
        if (!a || !b || !c)
            return std::nullopt;
        // A four-digit first number is always a year: 2024/03/05 reads in any order.
        if (parts[0].size() == 4 || displayOrder == 2)
            return keyOf(*a, *b, *c);
        if (parts[2].size() != 4)
            return std::nullopt;
        return displayOrder == 1 ? keyOf(*c, *a, *b) : keyOf(*c, *b, *a);
    }
    return std::nullopt;
}

std::optional<std::string> parseTimeArgument(std::string_view text)
{
    std::array<std::string_view, 3> parts{};
    const auto first = text.find(':');
    if (first == std::string_view::npos)
        return std::nullopt;
    const auto second = text.find(':', first + 1);
    parts[0] = text.substr(0, first);
    if (second == std::string_view::npos) {
        parts[1] = text.substr(first + 1);
        parts[2] = "0";
    } else {
        parts[1] = text.substr(first + 1, second - first - 1);
        parts[2] = text.substr(second + 1);
    }
    const auto h = number(parts[0]), m = number(parts[1]), s = number(parts[2]);
    if (!h || !m || !s || parts[1].size() != 2 || !DateTime::isValidTime(*h, *m, *s))
        return std::nullopt;
    return dates::timeText(DateTime::fromCivil(2000, 1, 1, *h, *m, *s));
}

std::string dateForms(int displayOrder)
{
    const char *shown = displayOrder == 1 ? "MM/DD/YYYY" : displayOrder == 2 ? "YYYY/MM/DD" : "DD/MM/YYYY";
    // Part of a message: nimbus-cli translates it where it shows it.
    return text::withValues(
        NIMBUS_TEXT_NOOP("CliMessages",
                         "%1, YYYY-MM-DD, YYYYMMDD, today, tomorrow, a weekday name, +Nd or +Nw"),
        {shown});
}

} // namespace nimbus::cli

// Schedule texts translated for the window.
#include "store/ScheduleText.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

#include "fileio/UiText.h"

namespace nimbus::schedule {

namespace {

constexpr const char *kContext = "ScheduleText";

struct Unit {
    const char *one;   // "day", as Scheduler writes it for one
    const char *many;  // "days"
    const char *shown; // the counted text translators see
};

// Every form Scheduler's DayText and TimeText write after the count.
const Unit kUnits[] = {
    {"day", "days", NIMBUS_TEXT_N_NOOP("ScheduleText", "%n day(s)")},
    {"week", "weeks", NIMBUS_TEXT_N_NOOP("ScheduleText", "%n week(s)")},
    {"month", "months", NIMBUS_TEXT_N_NOOP("ScheduleText", "%n month(s)")},
    {"hour", "hours", NIMBUS_TEXT_N_NOOP("ScheduleText", "%n hour(s)")},
    {"min", "mins", NIMBUS_TEXT_N_NOOP("ScheduleText", "%n min(s)")},
    {"sec", "secs", NIMBUS_TEXT_N_NOOP("ScheduleText", "%n sec(s)")},
};

} // namespace

std::string shownStatusText(const std::string &statusText)
{
    if (statusText == "Today")
        return text::translate(kContext, NIMBUS_TEXT_NOOP("ScheduleText", "Today"));
    if (statusText == "In progress")
        return text::translate(kContext, NIMBUS_TEXT_NOOP("ScheduleText", "In progress"));
    // "[-]<count> <unit>[ ]": the sign of a time past, and the blank the hours keep after them.
    std::string_view rest(statusText);
    const bool past = !rest.empty() && rest.front() == '-';
    if (past)
        rest.remove_prefix(1);
    int count = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), count);
    if (error != std::errc() || end == rest.data() || count < 0)
        return statusText;
    rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    if (rest.empty() || rest.front() != ' ')
        return statusText;
    rest.remove_prefix(1);
    const bool blankAfter = !rest.empty() && rest.back() == ' ';
    if (blankAfter)
        rest.remove_suffix(1);
    for (const Unit &unit : kUnits) {
        if (rest != (count == 1 ? unit.one : unit.many) && rest != unit.many)
            continue;
        std::string shown = text::translate(kContext, unit.shown, nullptr, count);
        return (past ? "-" : "") + shown + (blankAfter ? " " : "");
    }
    return statusText;
}

} // namespace nimbus::schedule

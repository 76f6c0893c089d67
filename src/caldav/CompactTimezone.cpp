// Cutting a calendar's VTIMEZONE; see CompactTimezone.h.
#include "caldav/CompactTimezone.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <libical/ical.h>

namespace nimbus::caldav {

namespace {

constexpr const char *kBegin = "BEGIN:VTIMEZONE\r\n";
constexpr const char *kEnd = "END:VTIMEZONE\r\n";

// The text from from on with its folded lines joined again.
std::string unfolded(const std::string &text, std::size_t from)
{
    std::string out;
    out.reserve(text.size() - from);
    for (std::size_t i = from; i < text.size(); ++i) {
        const bool fold = text[i] == '\r' && i + 2 < text.size() && text[i + 1] == '\n' &&
                          (text[i + 2] == ' ' || text[i + 2] == '\t');
        if (fold) {
            i += 2;
            continue;
        }
        out += text[i];
    }
    return out;
}

// The earliest year of a value given with a TZID in the unfolded text; 0 when there is none,
// -1 when one cannot be read.
int earliestLocalYear(const std::string &text)
{
    int earliest = 0;
    for (std::size_t at = text.find("TZID=", 0); at != std::string::npos;
         at = text.find("TZID=", at + 5)) {
        const std::size_t colon = text.find(':', at);
        const std::size_t lineEnd = text.find("\r\n", at);
        if (colon == std::string::npos || colon > lineEnd || colon + 5 > text.size())
            return -1;
        int year = 0;
        for (std::size_t i = colon + 1; i < colon + 5 && year >= 0; ++i)
            year = text[i] >= '0' && text[i] <= '9' ? year * 10 + (text[i] - '0') : -1;
        if (year <= 0)
            return -1;
        if (earliest == 0 || year < earliest)
            earliest = year;
    }
    return earliest;
}

bool sameRule(const icalrecurrencetype &a, const icalrecurrencetype &b)
{
    if (a.freq != b.freq || a.interval != b.interval || a.count != 0 || b.count != 0)
        return false;
    for (int i = 0; i < ICAL_BY_DAY_SIZE; ++i)
        if (a.by_day[i] != b.by_day[i])
            return false;
    for (int i = 0; i < ICAL_BY_MONTH_SIZE; ++i)
        if (a.by_month[i] != b.by_month[i])
            return false;
    for (int i = 0; i < ICAL_BY_MONTHDAY_SIZE; ++i)
        if (a.by_month_day[i] != b.by_month_day[i])
            return false;
    return true;
}

int offsetOf(icalcomponent *observance, icalproperty_kind kind)
{
    icalproperty *p = icalcomponent_get_first_property(observance, kind);
    if (p == nullptr)
        return -1'000'000;
    return kind == ICAL_TZOFFSETFROM_PROPERTY ? icalproperty_get_tzoffsetfrom(p) : icalproperty_get_tzoffsetto(p);
}

// The zone data splits one yearly rule in two where its explicit transitions end (2037): the
// first part ends with an UNTIL, the second goes on with the same rule. Joined again, the zone
// says the same with fewer rules, and readers that cannot take an UNTIL beside a local start
// (python-icalendar, and so Xandikos, which refuses the whole entry) can read it.
void joinSplitRules(icalcomponent *zone)
{
    std::vector<icalcomponent *> observances;
    for (icalcomponent *c = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT))
        observances.push_back(c);
    std::vector<icalcomponent *> joined;
    for (icalcomponent *first : observances) {
        icalproperty *firstRule = icalcomponent_get_first_property(first, ICAL_RRULE_PROPERTY);
        if (firstRule == nullptr || std::find(joined.begin(), joined.end(), first) != joined.end())
            continue;
        icalrecurrencetype rule = icalproperty_get_rrule(firstRule);
        if (icaltime_is_null_time(rule.until))
            continue;
        for (icalcomponent *next : observances) {
            icalproperty *nextRule = icalcomponent_get_first_property(next, ICAL_RRULE_PROPERTY);
            if (next == first || nextRule == nullptr || icalcomponent_isa(next) != icalcomponent_isa(first) ||
                offsetOf(next, ICAL_TZOFFSETFROM_PROPERTY) != offsetOf(first, ICAL_TZOFFSETFROM_PROPERTY) ||
                offsetOf(next, ICAL_TZOFFSETTO_PROPERTY) != offsetOf(first, ICAL_TZOFFSETTO_PROPERTY))
                continue;
            const icalrecurrencetype later = icalproperty_get_rrule(nextRule);
            const icaltimetype nextStart = icalcomponent_get_dtstart(next);
            if (!sameRule(rule, later) || icaltime_compare(nextStart, rule.until) < 0)
                continue;
            rule.until = later.until;
            icalproperty_set_rrule(firstRule, rule);
            joined.push_back(next);
            break;
        }
    }
    for (icalcomponent *c : joined) {
        icalcomponent_remove_component(zone, c);
        icalcomponent_free(c);
    }
}

} // namespace

std::string withCompactTimezone(const std::string &calendarText)
{
    const std::size_t begin = calendarText.find(kBegin);
    if (begin == std::string::npos)
        return calendarText;
    const std::size_t end = calendarText.find(kEnd, begin);
    if (end == std::string::npos)
        return calendarText;
    const std::size_t after = end + std::strlen(kEnd);
    const int year = earliestLocalYear(unfolded(calendarText, after));
    if (year == 0)  // no entry refers to the zone
        return calendarText.substr(0, begin) + calendarText.substr(after);
    if (year <= 1)
        return calendarText;
    icalcomponent *zone =
        icalparser_parse_string(calendarText.substr(begin, after - begin).c_str());
    if (zone == nullptr || icalcomponent_isa(zone) != ICAL_VTIMEZONE_COMPONENT) {
        if (zone != nullptr)
            icalcomponent_free(zone);
        return calendarText;
    }
    icaltimetype start = icaltime_null_time();
    start.year = year - 1;
    start.month = 1;
    start.day = 1;
    start.zone = icaltimezone_get_utc_timezone();
    icaltimezone_truncate_vtimezone(zone, start, icaltime_null_time(), 0);
    joinSplitRules(zone);
    std::string out = calendarText;
    if (char *text = icalcomponent_as_ical_string_r(zone)) {
        out.replace(begin, after - begin, text);
        icalmemory_free_buffer(text);
    }
    icalcomponent_free(zone);
    return out;
}

} // namespace nimbus::caldav

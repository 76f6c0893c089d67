// Reading and writing rich recurrences as iCalendar properties.
#include "calendar/RecurrenceIcal.h"

#include <algorithm>
#include <cstring>

#include "calendar/LocalZone.h"
#include "recurrence/RuleText.h"
#include "store/DateFormat.h"
#include "store/DateTime.h"
#include "store/Scheduler.h"

namespace nimbus::calendar {

namespace {

std::string ruleString(const icalrecurrencetype &rule)
{
    char *text = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype *>(&rule));
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

// A value with a TZID parameter that libical left without its zone gets it here.
icaltimetype zoned(icalproperty *p, icaltimetype t)
{
    if (t.zone == nullptr && !t.is_date) {
        if (icalparameter *tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER)) {
            const char *name = icalparameter_get_tzid(tzid);
            icalcomponent *parent = icalproperty_get_parent(p);
            icaltimezone *zone = nullptr;
            for (icalcomponent *top = parent; top != nullptr && zone == nullptr;
                 top = icalcomponent_get_parent(top))
                zone = name ? icalcomponent_get_timezone(top, name) : nullptr;
            if (zone == nullptr && name)
                zone = zoneNamed(name);
            if (zone == nullptr && name)
                zone = icaltimezone_get_builtin_timezone_from_tzid(name);
            t.zone = zone;
        }
    }
    return t;
}

// The local day of a date or date-time value; false when it is not a valid time.
bool localDay(icaltimetype t, std::int64_t &day)
{
    std::string date;
    std::string time;
    DateTime parsed;
    if (!toLocal(t, date, time) || !dates::parseDateKey(date, parsed))
        return false;
    day = parsed.dayNumber();
    return true;
}

icaltimetype writtenDay(const recurrence::Series &series, std::int64_t day)
{
    const std::string date = dates::dateKey(DateTime::fromDayNumber(day));
    const icaltimetype local = localTime(date, seriesStartTime(series));
    if (local.is_date || local.zone == nullptr)
        return local;
    return icaltime_convert_to_zone(local, icaltimezone_get_utc_timezone());
}

// A series keeps its days in local wall-clock time. A rule written in another zone means its
// days there ("the second Tuesday" in New York); it means the same days here only while its
// start falls on the same date in both zones, far enough from midnight that a daylight-saving
// change in either cannot move an occurrence to another day.
bool sameDaysHere(icalcomponent *c)
{
    icalproperty *p = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
    if (p == nullptr)
        p = icalcomponent_get_first_property(c, ICAL_DUE_PROPERTY);
    if (p == nullptr)
        return true;
    const icaltimetype start =
        zoned(p, icalproperty_isa(p) == ICAL_DUE_PROPERTY ? icalproperty_get_due(p)
                                                          : icalproperty_get_dtstart(p));
    icaltimezone *local = localZone();
    if (start.is_date || start.zone == nullptr || local == nullptr || start.zone == local)
        return true;
    // Our own files name the local zone (and may carry its VTIMEZONE beside the built-in one).
    icalparameter *tzid = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER);
    const char *name = tzid ? icalparameter_get_tzid(tzid) : nullptr;
    const char *localName = icaltimezone_get_tzid(local);
    if (name && ((localName && std::strcmp(name, localName) == 0) || localZoneName() == name))
        return true;
    const icaltimetype here = icaltime_convert_to_zone(start, local);
    return here.year == start.year && here.month == start.month && here.day == start.day &&
           here.hour >= 3 && here.hour < 21;
}

} // namespace

std::optional<recurrence::Series> readSeries(icalcomponent *c, const std::string &dateKey,
                                             const std::string &timeText)
{
    icalproperty *p = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY);
    DateTime start;
    if (p == nullptr || icalcomponent_get_next_property(c, ICAL_RRULE_PROPERTY) != nullptr ||
        !dates::parseDateKey(dateKey, start) || !sameDaysHere(c))
        return std::nullopt;
    icalrecurrencetype rule = icalproperty_get_rrule(p);
    const icaltimetype until = rule.until;
    rule.until = icaltime_null_time();
    recurrence::Series series;
    std::string error;
    if (!recurrence::parseRule(ruleString(rule), series.rule, error))
        return std::nullopt;
    if (!icaltime_is_null_time(until)) {
        std::string date;
        std::string time;
        DateTime day;
        if (!toLocal(zoned(p, until), date, time) || !dates::parseDateKey(date, day))
            return std::nullopt;
        // A date lets its whole day in.
        series.rule.until = day.msecs() + (until.is_date ? DateTime::kMsecsPerDay - 1000
                                                         : schedule::timeOfDay(time));
    }
    series.startDay = start.dayNumber();
    if (!dates::isNoTime(timeText))
        series.time = schedule::timeOfDay(timeText);
    for (icalproperty *x = icalcomponent_get_first_property(c, ICAL_EXDATE_PROPERTY); x;
         x = icalcomponent_get_next_property(c, ICAL_EXDATE_PROPERTY)) {
        std::int64_t day = 0;
        if (localDay(zoned(x, icalproperty_get_exdate(x)), day))
            series.exceptions.push_back(day);
    }
    for (icalproperty *r = icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY); r;
         r = icalcomponent_get_next_property(c, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype value = icalproperty_get_rdate(r);
        const icaltimetype t = icaltime_is_null_time(value.time) ? value.period.start : value.time;
        std::int64_t day = 0;
        if (localDay(zoned(r, t), day))
            series.additions.push_back(day);
    }
    for (auto *days : {&series.exceptions, &series.additions}) {
        std::sort(days->begin(), days->end());
        days->erase(std::unique(days->begin(), days->end()), days->end());
    }
    return series;
}

bool isRichSeries(const recurrence::Series &series)
{
    const recurrence::Rule &r = series.rule;
    return !r.byDay.empty() || !r.byMonthDay.empty() || !r.byMonth.empty() || !r.bySetPos.empty() ||
           r.count > 0 || r.until.has_value() || !series.exceptions.empty() ||
           !series.additions.empty();
}

std::string seriesStartDate(const recurrence::Series &series)
{
    return dates::dateKey(DateTime::fromDayNumber(series.startDay));
}

std::string seriesStartTime(const recurrence::Series &series)
{
    if (!series.time || *series.time <= 0)
        return {};
    return dates::timeText(DateTime::fromMsecs(*series.time));
}

void addSeries(icalcomponent *c, const recurrence::Series &series)
{
    recurrence::Rule plain = series.rule;
    plain.until.reset();
    icalrecurrencetype rule = icalrecurrencetype_from_string(recurrence::formatRule(plain).c_str());
    if (series.rule.until) {
        const std::int64_t day = *series.rule.until / DateTime::kMsecsPerDay;
        const std::int64_t time = *series.rule.until - day * DateTime::kMsecsPerDay;
        const std::string date = dates::dateKey(DateTime::fromDayNumber(day));
        if (seriesStartTime(series).empty()) {
            rule.until = localTime(date, "");
        } else {
            // With a zoned start the end is written in UTC, as the standard asks.
            const icaltimetype local =
                localTime(date, time > 0 ? dates::timeText(DateTime::fromMsecs(time)) : "00:00:01");
            rule.until = local.zone
                             ? icaltime_convert_to_zone(local, icaltimezone_get_utc_timezone())
                             : local;
            if (time == 0)
                icaltime_adjust(&rule.until, 0, 0, 0, -1);
        }
    }
    icalcomponent_add_property(c, icalproperty_new_rrule(rule));
    for (const std::int64_t day : series.exceptions)
        icalcomponent_add_property(c, icalproperty_new_exdate(writtenDay(series, day)));
    for (const std::int64_t day : series.additions) {
        icaldatetimeperiodtype value;
        value.time = writtenDay(series, day);
        value.period = icalperiodtype_null_period();
        icalcomponent_add_property(c, icalproperty_new_rdate(value));
    }
}

} // namespace nimbus::calendar

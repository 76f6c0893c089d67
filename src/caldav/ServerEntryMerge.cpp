// Carrying the server's parts of an entry into the version we send; see ServerEntryMerge.h.
#include "caldav/ServerEntryMerge.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include <libical/ical.h>

#include "caldav/LocalSnapshot.h"
#include "calendar/ComponentToTopic.h"
#include "calendar/IcsReader.h"
#include "calendar/LocalZone.h"
#include "calendar/NimbusFields.h"
#include "recurrence/RecurrenceRule.h"

namespace nimbus::caldav {

namespace {

struct ComponentDeleter {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

bool isTopicKind(icalcomponent *c)
{
    const icalcomponent_kind kind = icalcomponent_isa(c);
    return kind == ICAL_VTODO_COMPONENT || kind == ICAL_VEVENT_COMPONENT ||
           kind == ICAL_VJOURNAL_COMPONENT;
}

icalcomponent *firstTopicComponent(icalcomponent *calendar)
{
    for (icalcomponent *c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT))
        if (isTopicKind(c))
            return c;
    return nullptr;
}

// The server's component for the topic: the one with its UID and no RECURRENCE-ID (the master
// of a repeating entry, wherever it stands), else the first with its UID.
icalcomponent *serverComponentOf(icalcomponent *calendar, const char *uid)
{
    icalcomponent *first = nullptr;
    for (icalcomponent *c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        const char *id = isTopicKind(c) ? icalcomponent_get_uid(c) : nullptr;
        if (id == nullptr || std::strcmp(id, uid) != 0)
            continue;
        if (icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) == nullptr)
            return c;
        if (first == nullptr)
            first = c;
    }
    return first;
}

std::string tzidOf(icalcomponent *vtimezone)
{
    icalproperty *p = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
    const char *tzid = p ? icalproperty_get_tzid(p) : nullptr;
    return tzid ? tzid : "";
}

// What a property is, for "ours already has one": its kind, an X- property's name, and a
// RELATED-TO its relation (ours only ever names the parent).
std::string keyOf(icalproperty *p)
{
    const icalproperty_kind kind = icalproperty_isa(p);
    if (kind == ICAL_X_PROPERTY) {
        const char *name = icalproperty_get_x_name(p);
        return name ? name : "X-";
    }
    const char *name = icalproperty_kind_to_string(kind);
    std::string key = name ? name : "";
    if (kind == ICAL_RELATEDTO_PROPERTY) {
        icalparameter *type = icalproperty_get_first_parameter(p, ICAL_RELTYPE_PARAMETER);
        if (type != nullptr && icalparameter_get_reltype(type) != ICAL_RELTYPE_PARENT)
            key += ";other";
    }
    return key;
}

// Properties that a topic's fields make: ours stand for them, and one missing from ours was
// cleared here. Dates, the repeat rule and the alarms are handled as groups below.
bool madeFromTopic(icalproperty *p, icalcomponent_kind componentKind)
{
    switch (icalproperty_isa(p)) {
    case ICAL_UID_PROPERTY:
    case ICAL_DTSTAMP_PROPERTY:
    case ICAL_CREATED_PROPERTY:
    case ICAL_LASTMODIFIED_PROPERTY:
    case ICAL_SUMMARY_PROPERTY:
    case ICAL_DTSTART_PROPERTY:
    case ICAL_DUE_PROPERTY:
    case ICAL_DTEND_PROPERTY:
    case ICAL_DURATION_PROPERTY:
    case ICAL_RRULE_PROPERTY:
    case ICAL_EXDATE_PROPERTY:
    case ICAL_RDATE_PROPERTY:
    case ICAL_PERCENTCOMPLETE_PROPERTY:
    case ICAL_COMPLETED_PROPERTY:
    case ICAL_PRIORITY_PROPERTY:
    case ICAL_XLICERROR_PROPERTY:
        return true;
    case ICAL_STATUS_PROPERTY:
        return componentKind == ICAL_VTODO_COMPONENT; // an event's is not a topic's
    case ICAL_RELATEDTO_PROPERTY:
        return keyOf(p) == "RELATED-TO";
    case ICAL_X_PROPERTY:
        return keyOf(p).rfind("X-NIMBUS-", 0) == 0;
    default:
        return false;
    }
}

// The description and its alternative forms, made from the details page where pages travel:
// one missing from ours was emptied here, and the server's would contradict ours.
bool madeFromPage(icalproperty *p)
{
    return icalproperty_isa(p) == ICAL_DESCRIPTION_PROPERTY || keyOf(p) == "X-ALT-DESC";
}

// The first alarm is read as the topic's automatic urgency when it is set a time before.
bool readAsUrgency(icalcomponent *alarm)
{
    icalproperty *p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (p == nullptr)
        return false;
    const icaltriggertype t = icalproperty_get_trigger(p);
    return icaltime_is_null_time(t.time) && icaldurationtype_as_int(t.duration) < 0;
}

bool readTopic(icalcomponent *c, TNimbusNode &node, std::string &parentUid)
{
    calendar::CalendarTopic topic;
    std::string problem;
    if (!calendar::componentToTopic(c, topic, problem))
        return false;
    node.AssignNode(topic.node);
    node.richRule = topic.node.richRule;
    parentUid = topic.parentUid;
    return true;
}

// The same repeat beyond every N units on both, or none on either.
bool sameSeries(const TNimbusNode &a, const TNimbusNode &b)
{
    const recurrence::Series *x = repeatSeries(a);
    const recurrence::Series *y = repeatSeries(b);
    return (x == nullptr && y == nullptr) || (x != nullptr && y != nullptr && *x == *y);
}

// The fields a repeating topic moves when it rolls forward to its next time.
bool movedByARoll(const calendar::NimbusField &field)
{
    for (const char *name : {"X-NIMBUS-DLDATE", "X-NIMBUS-DLTIME", "X-NIMBUS-RSDATE", "X-NIMBUS-RSTIME"})
        if (std::strcmp(field.name, name) == 0)
            return true;
    return false;
}

// rolled: a and b may stand at different times of the same series.
bool sameTopic(const TNimbusNode &a, const std::string &aParent, const TNimbusNode &b,
               const std::string &bParent, bool rolled = false)
{
    if (aParent != bParent || !sameSeries(a, b))
        return false;
    for (const calendar::NimbusField &field : calendar::nimbusFields())
        if (field.get(a) != field.get(b) && !(rolled && movedByARoll(field)))
            return false;
    return true;
}

// Ours is the server's repeating event rolled forward here: the same rule, and our time one of
// the times of the server's series (compared as this machine reads them, so that a series kept
// in another zone matches across daylight-saving changes). The series then stays as the server
// has it: moving its start would take the past times from every other device. A repeating
// task is another matter: task programs (Tasks.org, for one) complete it by moving its dates
// to the next time on the server, and so does this program.
bool rolledAlongSeries(icalcomponent *server, const TNimbusNode &ours, const TNimbusNode &theirs)
{
    if (icalcomponent_isa(server) != ICAL_VEVENT_COMPONENT)
        return false;
    if (!ours.recur || !theirs.recur || ours.dl != theirs.dl || ours.rtype != theirs.rtype ||
        ours.rno != theirs.rno || ours.durno != theirs.durno || ours.durtype != theirs.durtype ||
        ours.dlDate <= theirs.dlDate)
        return false;
    icalproperty *rrule = icalcomponent_get_first_property(server, ICAL_RRULE_PROPERTY);
    if (rrule == nullptr || icalcomponent_get_first_property(server, ICAL_DTSTART_PROPERTY) == nullptr)
        return false;
    const icaltimetype start = icalcomponent_get_dtstart(server);
    icalrecur_iterator *it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
    if (it == nullptr)
        return false;
    // As far as a count of times is walked elsewhere: a hostile rule cannot stall the sync.
    constexpr int kLongestWalk = 100'000;
    bool found = false;
    int steps = 0;
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t) && steps < kLongestWalk;
         t = icalrecur_iterator_next(it), ++steps) {
        t.zone = start.zone;
        std::string date, time;
        if (!calendar::toLocal(t, date, time) || date > ours.dlDate)
            break;
        if (date == ours.dlDate && time == ours.dlTime) {
            found = true;
            break;
        }
    }
    icalrecur_iterator_free(it);
    return found;
}

void removeKinds(icalcomponent *c, std::initializer_list<icalproperty_kind> kinds)
{
    for (icalproperty_kind kind : kinds) {
        std::vector<icalproperty *> found;
        for (icalproperty *p = icalcomponent_get_first_property(c, kind); p;
             p = icalcomponent_get_next_property(c, kind))
            found.push_back(p);
        for (icalproperty *p : found) {
            icalcomponent_remove_property(c, p);
            icalproperty_free(p);
        }
    }
}

void copyKinds(icalcomponent *to, icalcomponent *from,
               std::initializer_list<icalproperty_kind> kinds)
{
    for (icalproperty_kind kind : kinds)
        for (icalproperty *p = icalcomponent_get_first_property(from, kind); p;
             p = icalcomponent_get_next_property(from, kind))
            icalcomponent_add_property(to, icalproperty_new_clone(p));
}

std::vector<icalcomponent *> alarmsOf(icalcomponent *c)
{
    std::vector<icalcomponent *> alarms;
    for (icalcomponent *a = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(c, ICAL_VALARM_COMPONENT))
        alarms.push_back(a);
    return alarms;
}

// A task's start, which a topic does not hold beside its due date, stays while it is not after
// the due date set here.
void keepTaskStart(icalcomponent *mine, icalcomponent *server)
{
    if (icalcomponent_get_first_property(server, ICAL_DTSTART_PROPERTY) == nullptr ||
        icalcomponent_get_first_property(mine, ICAL_DTSTART_PROPERTY) != nullptr ||
        icalcomponent_get_first_property(mine, ICAL_DUE_PROPERTY) == nullptr)
        return;
    if (icaltime_compare(icalcomponent_get_dtstart(server), icalcomponent_get_due(mine)) <= 0)
        copyKinds(mine, server, {ICAL_DTSTART_PROPERTY});
}

// A rule that ends after a number of times counts them from DTSTART: once the start has moved
// here (a repeating topic rolls forward as it is done), the same end is said as UNTIL, its
// last time, so that each roll does not add times to the series.
void keepCountedEnd(icalcomponent *mine, icalcomponent *server)
{
    icalproperty *ours = icalcomponent_get_first_property(mine, ICAL_RRULE_PROPERTY);
    if (ours == nullptr ||
        icalcomponent_get_first_property(server, ICAL_DTSTART_PROPERTY) == nullptr)
        return;
    // Counts beyond this are walked no further (a hostile entry could ask for billions): such
    // a rule keeps its count.
    constexpr int kLongestWalk = 100'000;
    icalrecurrencetype rule = icalproperty_get_rrule(ours);
    if (rule.count <= 0 || rule.count > kLongestWalk)
        return;
    const icaltimetype start = icalcomponent_get_dtstart(server);
    icalrecur_iterator *it = icalrecur_iterator_new(rule, start);
    if (it == nullptr)
        return;
    icaltimetype last = icaltime_null_time();
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
         t = icalrecur_iterator_next(it))
        last = t;
    icalrecur_iterator_free(it);
    if (icaltime_is_null_time(last))
        return;
    last.zone = start.zone;
    rule.count = 0;
    rule.until = start.is_date || start.zone == nullptr
                     ? last
                     : icaltime_convert_to_zone(last, icaltimezone_get_utc_timezone());
    icalproperty_set_rrule(ours, rule);
}

// The server's dates, repeat rule and alarms in their own words wherever the topic still says
// what the server's version says: a rule by weekday or with an end, a reminder a quarter of an
// hour before, a task's start or a meeting kept in its own zone are more than a topic holds.
// True when ours is the server's series rolled forward here, whose dates the server keeps.
bool keepUnchangedGroups(icalcomponent *mine, icalcomponent *server, const TNimbusNode &ours,
                         const TNimbusNode &theirs)
{
    const bool sameDates = ours.dl == theirs.dl && ours.recur == theirs.recur &&
                           ours.dlDate == theirs.dlDate && ours.dlTime == theirs.dlTime &&
                           ours.durno == theirs.durno && ours.durtype == theirs.durtype;
    const bool rolled = !sameDates && rolledAlongSeries(server, ours, theirs);
    if (sameDates || rolled) {
        const auto dates = {ICAL_DTSTART_PROPERTY, ICAL_DUE_PROPERTY, ICAL_DTEND_PROPERTY,
                            ICAL_DURATION_PROPERTY};
        removeKinds(mine, dates);
        copyKinds(mine, server, dates);
    } else if (icalcomponent_isa(mine) == ICAL_VTODO_COMPONENT) {
        keepTaskStart(mine, server);
    }
    // A task's status as the other program said it (CANCELLED reads as completed here).
    if (icalcomponent_isa(mine) == ICAL_VTODO_COMPONENT && ours.status == theirs.status) {
        removeKinds(mine, {ICAL_STATUS_PROPERTY});
        copyKinds(mine, server, {ICAL_STATUS_PROPERTY});
    }
    // A whole rule (weekdays, an end, skipped dates) changed on either side is no longer the
    // server's to word. Its first date never moves as the topic rolls, so its count stays.
    if (ours.recur == theirs.recur && ours.rtype == theirs.rtype && ours.rno == theirs.rno &&
        sameSeries(ours, theirs)) {
        const auto repeat = {ICAL_RRULE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_RDATE_PROPERTY};
        removeKinds(mine, repeat);
        copyKinds(mine, server, repeat);
        if (!sameDates && !rolled && repeatSeries(ours) == nullptr)
            keepCountedEnd(mine, server);
    }
    const std::vector<icalcomponent *> theirAlarms = alarmsOf(server);
    const bool sameUrgency = ours.flno == theirs.flno && ours.fltyp == theirs.fltyp;
    if (sameUrgency) {
        for (icalcomponent *a : alarmsOf(mine)) {
            icalcomponent_remove_component(mine, a);
            icalcomponent_free(a);
        }
    }
    // A changed urgency replaces the alarm it was read from; the others stay.
    for (std::size_t i = 0; i < theirAlarms.size(); ++i)
        if (sameUrgency || i > 0 || !readAsUrgency(theirAlarms[i]))
            icalcomponent_add_component(mine, icalcomponent_new_clone(theirAlarms[i]));
    return rolled;
}

// The TZID values the calendar's entries refer to (their alarms and instances included).
void collectZoneReferences(icalcomponent *c, std::set<std::string> &used)
{
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_ANY_PROPERTY))
        for (icalparameter *a = icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER); a;
             a = icalproperty_get_next_parameter(p, ICAL_TZID_PARAMETER))
            if (const char *tzid = icalparameter_get_tzid(a))
                used.insert(tzid);
    for (icalcomponent *k = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); k;
         k = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT))
        if (icalcomponent_isa(k) != ICAL_VTIMEZONE_COMPONENT)
            collectZoneReferences(k, used);
}

// Ours may now use the server's zone where it kept the server's wording of a date: a zone no
// one refers to goes (a reader may stumble over it for nothing).
void dropUnusedZones(icalcomponent *calendar)
{
    std::set<std::string> used;
    collectZoneReferences(calendar, used);
    std::vector<icalcomponent *> unused;
    for (icalcomponent *c = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT))
        if (used.count(tzidOf(c)) == 0)
            unused.push_back(c);
    for (icalcomponent *c : unused) {
        icalcomponent_remove_component(calendar, c);
        icalcomponent_free(c);
    }
}

// One attempt: ours with the server's parts; empty when ours cannot be read.
std::string merged(const std::string &ours, icalcomponent *serverCalendar, bool withGroups,
                   bool pageFromTopic, bool &readsTheSame)
{
    readsTheSame = false;
    ComponentPtr mine(icalparser_parse_string(ours.c_str()));
    icalcomponent *m = mine ? firstTopicComponent(mine.get()) : nullptr;
    const char *uid = m ? icalcomponent_get_uid(m) : nullptr;
    if (uid == nullptr)
        return {};
    TNimbusNode before{""};
    std::string parentBefore;
    if (!readTopic(m, before, parentBefore))
        return {};
    icalcomponent *s = serverComponentOf(serverCalendar, uid);
    bool rolled = false;

    // The server's other components: changed instances, other entries, their zones.
    std::set<std::string> zones;
    for (icalcomponent *c = icalcomponent_get_first_component(mine.get(), ICAL_VTIMEZONE_COMPONENT);
         c; c = icalcomponent_get_next_component(mine.get(), ICAL_VTIMEZONE_COMPONENT))
        zones.insert(tzidOf(c));
    std::vector<icalcomponent *> carried, instances;
    for (icalcomponent *c = icalcomponent_get_first_component(serverCalendar, ICAL_ANY_COMPONENT);
         c; c = icalcomponent_get_next_component(serverCalendar, ICAL_ANY_COMPONENT)) {
        if (c == s ||
            (icalcomponent_isa(c) == ICAL_VTIMEZONE_COMPONENT && !zones.insert(tzidOf(c)).second))
            continue;
        const char *id = isTopicKind(c) ? icalcomponent_get_uid(c) : nullptr;
        (id != nullptr && std::strcmp(id, uid) == 0 ? instances : carried).push_back(c);
    }
    for (icalcomponent *c : carried)
        icalcomponent_add_component(mine.get(), icalcomponent_new_clone(c));

    if (s != nullptr) {
        std::set<std::string> have;
        for (icalproperty *p = icalcomponent_get_first_property(m, ICAL_ANY_PROPERTY); p;
             p = icalcomponent_get_next_property(m, ICAL_ANY_PROPERTY))
            have.insert(keyOf(p));
        std::vector<icalproperty *> kept;
        for (icalproperty *p = icalcomponent_get_first_property(s, ICAL_ANY_PROPERTY); p;
             p = icalcomponent_get_next_property(s, ICAL_ANY_PROPERTY))
            if (!madeFromTopic(p, icalcomponent_isa(s)) && !(pageFromTopic && madeFromPage(p)) &&
                have.count(keyOf(p)) == 0)
                kept.push_back(p);
        for (icalproperty *p : kept)
            icalcomponent_add_property(m, icalproperty_new_clone(p));
        TNimbusNode theirs{""};
        std::string theirParent;
        if (withGroups && icalcomponent_isa(s) == icalcomponent_isa(m) &&
            readTopic(s, theirs, theirParent))
            rolled = keepUnchangedGroups(m, s, before, theirs);
    }
    // The changed instances go with the series; a repeat ended here ends them too (a server
    // refuses instances of an entry that no longer repeats).
    const bool series = icalcomponent_get_first_property(m, ICAL_RRULE_PROPERTY) != nullptr ||
                        icalcomponent_get_first_property(m, ICAL_RDATE_PROPERTY) != nullptr ||
                        icalcomponent_get_first_property(m, ICAL_RECURRENCEID_PROPERTY) != nullptr;
    for (icalcomponent *c : series ? instances : std::vector<icalcomponent *>{})
        icalcomponent_add_component(mine.get(), icalcomponent_new_clone(c));
    TNimbusNode after{""};
    std::string parentAfter;
    readsTheSame =
        readTopic(m, after, parentAfter) && sameTopic(before, parentBefore, after, parentAfter, rolled);
    dropUnusedZones(mine.get());
    char *text = icalcomponent_as_ical_string_r(mine.get());
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

} // namespace

MergedEntry keepServerParts(const std::string &ours, const std::string &theirs, bool pageFromTopic)
{
    MergedEntry result;
    result.text = ours;
    if (static_cast<std::int64_t>(theirs.size()) > calendar::kMaxCalendarBytes) {
        result.why = "it is larger than 16 MB";
        return result;
    }
    if (theirs.find('\0') != std::string::npos) {
        result.why = "it holds NUL bytes";
        return result;
    }
    ComponentPtr server(icalparser_parse_string(theirs.c_str()));
    if (server == nullptr || icalcomponent_isa(server.get()) != ICAL_VCALENDAR_COMPONENT) {
        result.why = "it is not a calendar";
        return result;
    }
    ComponentPtr mine(icalparser_parse_string(ours.c_str()));
    icalcomponent *m = mine ? firstTopicComponent(mine.get()) : nullptr;
    const char *uid = m ? icalcomponent_get_uid(m) : nullptr;
    if (uid == nullptr) {
        result.ok = true; // nothing of ours to merge into: ours as it is
        return result;
    }
    if (serverComponentOf(server.get(), uid) == nullptr) {
        result.why = std::string("it no longer holds the entry ") + uid;
        return result;
    }
    // The server's words for dates, repeats and alarms only where the result still reads as
    // our topic; else only what the topic cannot say at all.
    for (const bool withGroups : {true, false}) {
        bool readsTheSame = false;
        std::string text = merged(ours, server.get(), withGroups, pageFromTopic, readsTheSame);
        if (readsTheSame) {
            result.text = std::move(text);
            break;
        }
    }
    result.ok = true;
    return result;
}

} // namespace nimbus::caldav

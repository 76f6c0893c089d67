// Reading iCalendar files; see IcsReader.h.
#include "calendar/IcsReader.h"

#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sys/stat.h>

#include <libical/ical.h>

#include "calendar/ComponentToTopic.h"
#include "calendar/NimbusFields.h"

namespace nimbus::calendar {

namespace {

struct LineSource {
    std::string_view bytes;
    std::size_t at = 0;
};

// libical asks for the file line by line (it unfolds them itself).
char *nextLine(char *out, std::size_t size, void *data)
{
    auto *source = static_cast<LineSource *>(data);
    if (source->at >= source->bytes.size() || size < 2)
        return nullptr;
    std::size_t n = 0;
    while (n + 1 < size && source->at < source->bytes.size()) {
        const char c = source->bytes[source->at++];
        out[n++] = c;
        if (c == '\n')
            break;
    }
    out[n] = '\0';
    return out;
}

bool startsWithNoCase(const char *line, const char *prefix)
{
    return strncasecmp(line, prefix, std::strlen(prefix)) == 0;
}

struct ComponentDeleter {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

std::string describe(icalcomponent *c)
{
    std::string what = icalcomponent_kind_to_string(icalcomponent_isa(c)) ? icalcomponent_kind_to_string(icalcomponent_isa(c)) : "component";
    if (const char *summary = icalcomponent_get_summary(c); summary && *summary)
        what += std::string(" \"") + summary + "\"";
    else if (const char *uid = icalcomponent_get_uid(c); uid && *uid)
        what += std::string(" ") + uid;
    return what;
}

const char *xValue(icalcomponent *c, const char *name)
{
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char *x = icalproperty_get_x_name(p);
        if (x && std::strcmp(x, name) == 0)
            return icalproperty_get_x(p);
    }
    return nullptr;
}

// A checklist item exported as a sub-task goes back into its topic's checklist.
bool readChecklistItem(icalcomponent *c, ReadResult &result, const std::map<std::string, std::size_t> &byUid)
{
    if (icalcomponent_isa(c) != ICAL_VTODO_COMPONENT || xValue(c, kChecklistProperty) == nullptr)
        return false;
    icalproperty *related = icalcomponent_get_first_property(c, ICAL_RELATEDTO_PROPERTY);
    const char *parent = related ? icalproperty_get_relatedto(related) : nullptr;
    const auto it = parent ? byUid.find(parent) : byUid.end();
    if (it == byUid.end())
        return false;  // its topic is not in the file: it comes in as a task of its own
    ChecklistItem item;
    const char *summary = icalcomponent_get_summary(c);
    item.text = summary ? summary : "";
    item.checked = icalcomponent_get_status(c) == ICAL_STATUS_COMPLETED;
    CalendarTopic scratch;
    std::string problem;
    if (componentToTopic(c, scratch, problem, false) && !scratch.node.fdate.empty())
        item.finished = scratch.node.fdate + "-" +
                        (scratch.node.fTime.empty() ? std::string("000000")
                                                    : scratch.node.fTime.substr(0, 2) + scratch.node.fTime.substr(3, 2) + scratch.node.fTime.substr(6, 2));
    if (const char *finished = xValue(c, "X-NIMBUS-FINISHED"))
        item.finished = finished;
    result.topics[it->second].checklist.push_back(std::move(item));
    return true;
}

// libical's complaints about a component's values, as warnings. The messages are gathered
// before describe() reads the component: a component has one property iterator, and reading
// its SUMMARY would restart this loop for ever.
void noteErrors(icalcomponent *c, ReadResult &result)
{
    std::vector<std::string> errors;
    for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY)) {
        const char *text = icalproperty_get_xlicerror(p);
        errors.push_back(text ? text : "");
    }
    for (const std::string &error : errors)
        result.warnings.push_back(describe(c) + ": " + error);
}

// A time in a zone that neither the file defines nor the system knows is read as local time;
// the log says so.
void noteUnknownZone(icalcomponent *c, ReadResult &result)
{
    for (const icalproperty_kind kind :
         {ICAL_DTSTART_PROPERTY, ICAL_DUE_PROPERTY, ICAL_DTEND_PROPERTY}) {
        icalproperty *p = icalcomponent_get_first_property(c, kind);
        icalparameter *tzid =
            p ? icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER) : nullptr;
        const char *name = tzid ? icalparameter_get_tzid(tzid) : nullptr;
        if (name == nullptr)
            continue;
        const icaltimetype t = kind == ICAL_DUE_PROPERTY     ? icalcomponent_get_due(c)
                               : kind == ICAL_DTEND_PROPERTY ? icalcomponent_get_dtend(c)
                                                             : icalcomponent_get_dtstart(c);
        if (!t.is_date && t.zone == nullptr) {
            const std::string zone = name;
            result.warnings.push_back(describe(c) + ": the time zone \"" + zone +
                                      "\" is neither defined in the file nor known here; its times "
                                      "are read as local times");
            return;
        }
    }
}

void readComponents(icalcomponent *cal, ReadResult &result, std::map<std::string, std::size_t> &byUid)
{
    std::set<std::string> instanceOnly; // UIDs whose topic so far is a changed instance
    for (icalcomponent *c = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind == ICAL_VTIMEZONE_COMPONENT)
            continue;
        if (kind != ICAL_VTODO_COMPONENT && kind != ICAL_VEVENT_COMPONENT && kind != ICAL_VJOURNAL_COMPONENT) {
            result.skipped.push_back({describe(c), "this kind of calendar entry cannot be a topic"});
            continue;
        }
        if (readChecklistItem(c, result, byUid))
            continue;
        CalendarTopic topic;
        std::string problem;
        if (!componentToTopic(c, topic, problem)) {
            result.skipped.push_back({describe(c), problem});
            continue;
        }
        if (topic.uid.empty()) {
            result.skipped.push_back({describe(c), "it has no UID"});
            continue;
        }
        // A repeated UID is another instance of a repeating entry (RECURRENCE-ID). The topic
        // holds the series, so the master (the one without RECURRENCE-ID) is the topic even
        // when a changed instance comes before it, as some phones write them.
        const bool instance =
            icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY) != nullptr;
        if (const auto seen = byUid.find(topic.uid); seen != byUid.end()) {
            if (instance || instanceOnly.count(topic.uid) == 0) {
                result.skipped.push_back(
                    {describe(c), instance ? "it is one changed instance of a repeating entry"
                                           : "it repeats the UID of an earlier entry"});
                continue;
            }
            instanceOnly.erase(topic.uid);
            result.skipped.push_back({"a changed instance of " + describe(c),
                                      "it is one changed instance of a repeating entry"});
            topic.checklist = std::move(result.topics[seen->second].checklist);
            noteErrors(c, result);
            noteUnknownZone(c, result);
            result.topics[seen->second] = std::move(topic);
            continue;
        }
        if (instance)
            instanceOnly.insert(topic.uid);
        noteErrors(c, result);
        noteUnknownZone(c, result);
        byUid[topic.uid] = result.topics.size();
        result.topics.push_back(std::move(topic));
    }
}

}  // namespace

ReadResult readCalendar(std::string_view bytes)
{
    ReadResult result;
    if (static_cast<std::int64_t>(bytes.size()) > kMaxCalendarBytes) {
        result.error = "The file is larger than 16 MB; it was not imported.";
        return result;
    }
    if (bytes.find('\0') != std::string_view::npos) {
        result.error = "The file holds NUL bytes, so it is not a calendar file; it was not imported.";
        return result;
    }
    icalerror_set_errors_are_fatal(0);
    icalparser *parser = icalparser_new();
    LineSource source{bytes};
    std::vector<ComponentPtr> roots;
    int depth = 0;
    int components = 0;
    icalparser_set_gen_data(parser, &source);
    // libical builds its tree as it reads; the nesting and the number of components are
    // checked line by line so that a hostile file never grows a deep or huge tree.
    while (char *line = icalparser_get_line(parser, nextLine)) {
        if (startsWithNoCase(line, "BEGIN:")) {
            ++depth;
            ++components;
        } else if (startsWithNoCase(line, "END:") && depth > 0) {
            --depth;
        }
        if (depth > kMaxNesting || components > kMaxComponents) {
            icalmemory_free_buffer(line);
            result.error = depth > kMaxNesting
                               ? "The calendar's entries are nested too deeply; it was not imported."
                               : "The calendar holds too many entries; it was not imported.";
            break;
        }
        if (icalcomponent *root = icalparser_add_line(parser, line))
            roots.emplace_back(root);
        icalmemory_free_buffer(line);
    }
    // A component left open at the end of the file is dropped with the parser.
    icalparser_free(parser);
    if (!result.error.empty())
        return result;
    std::map<std::string, std::size_t> byUid;
    bool sawCalendar = false;
    for (const ComponentPtr &root : roots) {
        if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT) {
            sawCalendar = true;
            readComponents(root.get(), result, byUid);
        } else if (icalcomponent_isa(root.get()) != ICAL_XROOT_COMPONENT) {
            result.skipped.push_back({describe(root.get()), "it lies outside a VCALENDAR"});
        } else {
            for (icalcomponent *c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
                 c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT)) {
                sawCalendar = true;
                readComponents(c, result, byUid);
            }
        }
    }
    if (!sawCalendar) {
        result.error = "The file holds no calendar (no BEGIN:VCALENDAR); nothing was imported.";
        result.topics.clear();
        return result;
    }
    result.ok = true;
    return result;
}

ReadResult readCalendarFile(const std::string &path)
{
    ReadResult result;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.error = "The file " + path + " could not be opened: " + std::strerror(errno);
        if (errno == 0 || S_ISDIR(info.st_mode))
            result.error = "The file " + path + " is not a file.";
        return result;
    }
    if (info.st_size > kMaxCalendarBytes) {
        result.error = "The file is larger than 16 MB; it was not imported.";
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(info.st_size));
    if (!in.read(bytes.data(), info.st_size) && !in.eof()) {
        result.error = "The file " + path + " could not be read.";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return readCalendar(bytes);
}

}  // namespace nimbus::calendar

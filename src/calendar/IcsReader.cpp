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

// What the entries read so far say about those still to come.
struct Gathered {
    std::map<std::string, std::size_t> byUid; // topic UID -> its place in the result
    std::set<std::string> instanceOnly;       // UIDs whose topic so far is a changed instance
};

void readComponents(icalcomponent *cal, ReadResult &result, Gathered &gathered)
{
    auto &byUid = gathered.byUid;
    auto &instanceOnly = gathered.instanceOnly;
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

// The file's unfolded lines, one at a time, as libical's own reader makes them.
class UnfoldedLines {
public:
    explicit UnfoldedLines(std::string_view bytes) : source_{bytes}, parser_(icalparser_new())
    {
        icalparser_set_gen_data(parser_, &source_);
    }
    ~UnfoldedLines() { icalparser_free(parser_); }
    UnfoldedLines(const UnfoldedLines &) = delete;
    UnfoldedLines &operator=(const UnfoldedLines &) = delete;

    bool next(std::string &line)
    {
        char *text = icalparser_get_line(parser_, nextLine);
        if (text == nullptr)
            return false;
        line.assign(text);
        icalmemory_free_buffer(text);
        return true;
    }

private:
    LineSource source_;
    icalparser *parser_;
};

enum class LineKind { Begin, End, Other };

LineKind kindOf(const std::string &line)
{
    if (startsWithNoCase(line.c_str(), "BEGIN:"))
        return LineKind::Begin;
    if (startsWithNoCase(line.c_str(), "END:"))
        return LineKind::End;
    return LineKind::Other;
}

// One VCALENDAR's own properties and its time zones: every batch of its entries is read with
// them, so that an entry finds its zone wherever in the calendar the zone stands.
struct CalendarFrame {
    std::vector<std::string> properties;
    std::vector<std::string> zones; // the lines of its VTIMEZONE components
};

// The first look at the file: refuses deep nesting and floods of components before libical
// builds anything, and gathers each calendar's frame.
std::string scanFrames(std::string_view bytes, int maxComponents,
                       std::vector<CalendarFrame> &frames)
{
    UnfoldedLines lines(bytes);
    std::string line;
    int depth = 0;
    int components = 0;
    bool inCalendar = false; // the component at the top is a VCALENDAR
    bool inZone = false;
    while (lines.next(line)) {
        const LineKind kind = kindOf(line);
        if (kind == LineKind::Begin) {
            ++depth;
            ++components;
        }
        if (depth > kMaxNesting)
            return "The calendar's entries are nested too deeply; it was not imported.";
        if (components > maxComponents)
            return "The calendar holds too many entries; it was not imported.";
        if (depth == 1 && kind == LineKind::Begin) {
            inCalendar = startsWithNoCase(line.c_str(), "BEGIN:VCALENDAR");
            if (inCalendar)
                frames.emplace_back();
        }
        if (inCalendar && depth == 2 && kind == LineKind::Begin)
            inZone = startsWithNoCase(line.c_str(), "BEGIN:VTIMEZONE");
        if (inCalendar && inZone)
            frames.back().zones.push_back(line);
        else if (inCalendar && depth == 1 && kind == LineKind::Other)
            frames.back().properties.push_back(line);
        if (kind == LineKind::End && depth > 0) {
            --depth;
            if (depth == 1)
                inZone = false;
        }
    }
    return {};
}

// Entries are handed to libical fifty at a time (measured fastest: larger batches grow
// libical's lists, smaller ones parse the zones too often), each batch inside a copy of its
// calendar's frame: a calendar of any size then never lives in libical's tree at once.
constexpr int kEntriesPerBatch = 50;

class BatchReader {
public:
    BatchReader(ReadResult &result, Gathered &gathered) : result_(result), gathered_(gathered) {}

    void startCalendar(const CalendarFrame *frame)
    {
        frame_ = frame;
        gathered_.instanceOnly.clear();
    }
    void addEntryLine(std::string line) { batch_.push_back(std::move(line)); }
    void entryEnded()
    {
        if (++entries_ >= kEntriesPerBatch)
            flush();
    }
    // Drops the lines of an entry the file left open.
    void dropOpenEntry(std::size_t from) { batch_.resize(from); }
    std::size_t lineCount() const { return batch_.size(); }

    void flush()
    {
        if (frame_ == nullptr || entries_ == 0) {
            batch_.clear();
            entries_ = 0;
            return;
        }
        icalparser *parser = icalparser_new();
        // An entry that closes its calendar early makes libical finish a root before the end.
        std::vector<ComponentPtr> roots;
        auto add = [&](std::string &line) {
            if (icalcomponent *done = icalparser_add_line(parser, line.data()))
                roots.emplace_back(done);
        };
        std::string begin = "BEGIN:VCALENDAR";
        std::string end = "END:VCALENDAR";
        add(begin);
        for (std::string line : frame_->properties)
            add(line);
        for (std::string line : frame_->zones)
            add(line);
        for (std::string &line : batch_)
            add(line);
        add(end);
        icalparser_free(parser);
        batch_.clear();
        entries_ = 0;
        for (const ComponentPtr &root : roots)
            if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
                readComponents(root.get(), result_, gathered_);
    }

private:
    ReadResult &result_;
    Gathered &gathered_;
    const CalendarFrame *frame_ = nullptr;
    std::vector<std::string> batch_;
    int entries_ = 0;
};

// A component outside any VCALENDAR, read on its own so that the user is told what it was.
void skipOutsideComponent(std::vector<std::string> &lines, ReadResult &result)
{
    icalparser *parser = icalparser_new();
    ComponentPtr root;
    for (std::string &line : lines)
        if (icalcomponent *done = icalparser_add_line(parser, line.data()))
            root.reset(done);
    icalparser_free(parser);
    if (root)
        result.skipped.push_back({describe(root.get()), "it lies outside a VCALENDAR"});
}

ReadResult readCalendarBytes(std::string_view bytes, std::int64_t maxBytes, int maxComponents)
{
    ReadResult result;
    if (static_cast<std::int64_t>(bytes.size()) > maxBytes) {
        result.error = "The file is larger than " + std::to_string(maxBytes / (1024 * 1024)) +
                       " MB; it was not imported.";
        return result;
    }
    if (bytes.find('\0') != std::string_view::npos) {
        result.error =
            "The file holds NUL bytes, so it is not a calendar file; it was not imported.";
        return result;
    }
    icalerror_set_errors_are_fatal(0);
    std::vector<CalendarFrame> frames;
    result.error = scanFrames(bytes, maxComponents, frames);
    if (!result.error.empty())
        return result;
    if (frames.empty()) {
        result.error = "The file holds no calendar (no BEGIN:VCALENDAR); nothing was imported.";
        return result;
    }

    Gathered gathered;
    BatchReader batches(result, gathered);
    UnfoldedLines lines(bytes);
    std::string line;
    std::vector<std::string> outside; // a component at the top that is not a calendar
    std::size_t entryStart = 0;
    std::size_t calendars = 0;
    int depth = 0;
    bool inCalendar = false;
    bool inZone = false;
    while (lines.next(line)) {
        const LineKind kind = kindOf(line);
        if (kind == LineKind::Begin) {
            ++depth;
            if (depth == 1) {
                inCalendar = startsWithNoCase(line.c_str(), "BEGIN:VCALENDAR");
                if (inCalendar)
                    batches.startCalendar(&frames[calendars++]);
            } else if (depth == 2 && inCalendar) {
                inZone = startsWithNoCase(line.c_str(), "BEGIN:VTIMEZONE");
                entryStart = batches.lineCount();
            }
        }
        if (depth == 0)
            continue; // stray lines between components, as libical ignores them
        if (!inCalendar)
            outside.push_back(line);
        else if (depth >= 2 && !inZone)
            batches.addEntryLine(line);
        if (kind != LineKind::End)
            continue;
        --depth;
        if (depth == 1 && inCalendar && !inZone)
            batches.entryEnded();
        if (depth == 1)
            inZone = false;
        if (depth == 0 && inCalendar) {
            batches.flush();
            inCalendar = false;
        } else if (depth == 0) {
            skipOutsideComponent(outside, result);
            outside.clear();
        }
    }
    if (inCalendar) {
        // The file stops inside its calendar: the entries it holds whole still come in.
        if (depth >= 2 && !inZone)
            batches.dropOpenEntry(entryStart);
        batches.flush();
        result.warnings.push_back("The file ends before its calendar does (no END:VCALENDAR): it "
                                  "may have been cut short, and an entry left open was not read");
    }
    result.ok = true;
    return result;
}

} // namespace

ReadResult readCalendar(std::string_view bytes)
{
    return readCalendarBytes(bytes, kMaxCalendarBytes, kMaxComponents);
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
    if (info.st_size > kMaxCalendarFileBytes) {
        result.error = "The file is larger than " +
                       std::to_string(kMaxCalendarFileBytes / (1024 * 1024)) +
                       " MB; it was not imported.";
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
    return readCalendarBytes(bytes, kMaxCalendarFileBytes, kMaxFileComponents);
}

}  // namespace nimbus::calendar

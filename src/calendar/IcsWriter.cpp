// Writing topics as iCalendar; see IcsWriter.h.
#include "calendar/IcsWriter.h"

#include <libical/ical.h>

#include "calendar/ContentLines.h"
#include "calendar/LocalZone.h"
#include "calendar/TopicEntry.h"

namespace nimbus::calendar {

namespace {

// The zone's VTIMEZONE and the file's first properties, once per file, are libical's.
void appendComponent(std::string &bytes, icalcomponent *c)
{
    char *text = icalcomponent_as_ical_string_r(c);
    if (text != nullptr)
        bytes += text;
    icalmemory_free_buffer(text);
    icalcomponent_free(c);
}

void appendProperty(std::string &bytes, icalproperty *p)
{
    char *text = icalproperty_as_ical_string_r(p);
    if (text != nullptr)
        bytes += text;
    icalmemory_free_buffer(text);
    icalproperty_free(p);
}

}  // namespace

bool writesDate(const TNimbusNode &n) { return (n.dl || n.recur) && !icaltime_is_null_time(localTime(n.dlDate, n.dlTime)); }

// What every entry of one file shares; its strings keep their room from entry to entry.
struct CalendarStream::State {
    explicit State(std::string &out) : lines(out) {}
    std::string stamp;      // DTSTAMP
    CalendarTopic readBack; // each entry's read-back
    ContentLines lines;
};

CalendarStream::CalendarStream(const WriteOptions &options, Sink sink)
    : oneOffTimesInUtc_(options.oneOffTimesInUtc), sink_(std::move(sink)),
      buffer_("BEGIN:VCALENDAR\r\n")
{
    state_ = std::make_unique<State>(buffer_);
    appendProperty(buffer_, icalproperty_new_version("2.0"));
    appendProperty(buffer_, icalproperty_new_prodid("-//Nimbus Desk//Nimbus Desk 1.0//EN"));
    icaltimezone *zone = localZone();
    if (zone != nullptr && zone != icaltimezone_get_utc_timezone()) {
        if (icalcomponent *vtimezone = icaltimezone_get_component(zone))
            appendComponent(buffer_, icalcomponent_new_clone(vtimezone));
    }
    icaltimetype stamp = utcFromStamp(options.stampNow);
    if (icaltime_is_null_time(stamp))
        stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    state_->stamp = timeValue(stamp);
}

CalendarStream::~CalendarStream() = default;

void CalendarStream::add(const CalendarTopic &topic)
{
    TopicEntry(topic, oneOffTimesInUtc_).write(state_->lines, state_->stamp, state_->readBack);
    ++added_;
    if (buffer_.size() >= 65536) {
        sink_(buffer_);
        buffer_.clear();
    }
}

void CalendarStream::finish()
{
    buffer_ += "END:VCALENDAR\r\n";
    sink_(buffer_);
    buffer_.clear();
}

std::string writeCalendar(const std::vector<CalendarTopic> &topics, const WriteOptions &options)
{
    std::string bytes;
    CalendarStream stream(options, [&bytes](std::string_view piece) { bytes += piece; });
    for (const CalendarTopic &topic : topics)
        stream.add(topic);
    stream.finish();
    return bytes;
}

std::vector<std::string> validateCalendar(const std::string &bytes)
{
    std::vector<std::string> problems;
    icalcomponent *cal = icalparser_parse_string(bytes.c_str());
    if (cal == nullptr)
        return {"the file could not be read"};
    if (icalrestriction_check(cal) == 0)
        problems.push_back("libical's restriction check failed");
    for (icalcomponent *c = cal; c != nullptr;) {
        for (icalproperty *p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY); p;
             p = icalcomponent_get_next_property(c, ICAL_XLICERROR_PROPERTY))
            problems.push_back(icalproperty_get_xlicerror(p));
        c = c == cal ? icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT)
                     : icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT);
    }
    icalcomponent_free(cal);
    return problems;
}

}  // namespace nimbus::calendar

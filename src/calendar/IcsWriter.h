// Writes topics as one iCalendar file: a VCALENDAR with the local zone's VTIMEZONE, one
// VTODO, VEVENT or VJOURNAL per topic and one sub-task per checklist item.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/CalendarTopic.h"

namespace nimbus::calendar {

struct WriteOptions {
    std::string stampNow;  // the current local stamp, for DTSTAMP ("yyyymmdd-hhmmss")
    // Times of entries that do not repeat go out in UTC, the same instants: only repeating
    // entries need the zone's rules (to keep their wall-clock time across daylight-saving
    // changes), and a server that rebuilds a zone for every entry it stores is spared that.
    bool oneOffTimesInUtc = false;
};

// Whether a topic's entry carries its date (DUE or DTSTART): a deadline or repeat with a
// readable date. An event without one has no start.
bool writesDate(const TNimbusNode &n);

// Writes a calendar file topic by topic: each topic's entries are written as text as it is
// added (no libical component is built for them), and the bytes go to the sink in pieces of
// about 64 KiB, so that no file and no list of every topic is held at once. Nothing reaches the
// sink before the first topic is added; finish() writes the end and hands over the rest.
class CalendarStream {
public:
    using Sink = std::function<void(std::string_view)>;
    CalendarStream(const WriteOptions &options, Sink sink);
    ~CalendarStream();
    CalendarStream(const CalendarStream &) = delete;
    CalendarStream &operator=(const CalendarStream &) = delete;

    // Each topic's uid and parentUid must be set by the caller.
    void add(const CalendarTopic &topic);
    void finish();
    std::size_t added() const { return added_; }

private:
    struct State;
    bool oneOffTimesInUtc_;
    Sink sink_;
    std::string buffer_;
    std::unique_ptr<State> state_;
    std::size_t added_ = 0;
};

// The file's bytes (CR LF lines, folded at 75 octets). Each topic's uid and
// parentUid must be set by the caller.
std::string writeCalendar(const std::vector<CalendarTopic> &topics, const WriteOptions &options);

// libical's own check of a file against the standard's rules; the problems it found, none
// when the file is valid.
std::vector<std::string> validateCalendar(const std::string &bytes);

}  // namespace nimbus::calendar

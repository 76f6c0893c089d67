// One topic's calendar entry as the writer makes it. The values of its standard properties are
// worked out once from the node; they are then written as text (ContentLines) and read back
// as the importer would read them, so that an X-NIMBUS- property goes out for exactly the
// fields that would come back different. Only a rich repeat rule is made with libical.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <libical/ical.h>

#include "calendar/CalendarTopic.h"
#include "calendar/ContentLines.h"

namespace nimbus::calendar {

// A date or date-time value as libical writes it: "20240610", "20240610T093000", and a "Z"
// after a UTC time.
std::string timeValue(icaltimetype t);

class TopicEntry {
public:
    // utc: the times of entries that do not repeat go out in UTC.
    TopicEntry(const CalendarTopic &topic, bool utc);
    ~TopicEntry();
    TopicEntry(const TopicEntry &) = delete;
    TopicEntry &operator=(const TopicEntry &) = delete;

    // Fills back, whose node holds a new node's values, as componentToTopic fills a topic
    // from this entry's standard properties (without X-NIMBUS- fields).
    void readBack(CalendarTopic &back) const;

    // Writes the entry, its X-NIMBUS- fields (back is scratch space for the read-back) and
    // a sub-task per checklist item. stamp is DTSTAMP's value.
    void write(ContentLines &lines, std::string_view stamp, CalendarTopic &back) const;

private:
    enum class Length { None, Duration, End };
    struct ComponentFree {
        void operator()(icalcomponent *c) const { icalcomponent_free(c); }
    };

    void writeTime(ContentLines &lines, std::string_view name, icaltimetype t) const;
    void writeNimbusFields(ContentLines &lines, CalendarTopic &back) const;
    void writeChecklist(ContentLines &lines, std::string_view stamp) const;

    const CalendarTopic &topic_;
    icalcomponent_kind kind_;
    bool hasDate_ = false; // DUE of a task (and DTSTART when it repeats), else DTSTART
    icaltimetype when_{};
    Length length_ = Length::None; // an event's DURATION or DTEND
    icaldurationtype duration_{};
    icaltimetype end_{};
    // The repeat: a rich rule as RRULE, EXDATE and RDATE in a component of its own (with the
    // start beside them, which reading them back needs), or a plain FREQ and INTERVAL.
    std::unique_ptr<icalcomponent, ComponentFree> series_;
    bool plainRule_ = false;
    int plainUnit_ = 0;
    int interval_ = 0;
    bool alarm_ = false; // the urgency lead as a VALARM
    icaldurationtype alarmBefore_{};
    icalproperty_status status_ = ICAL_STATUS_NONE;
    bool percent_ = false;
    icaltimetype completed_{};
    bool priority_ = false;
    icaltimetype created_{};
};

} // namespace nimbus::calendar

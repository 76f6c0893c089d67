// A recurrence richer than "every N units" (chosen weekdays, the nth weekday of a month, an
// end, skipped dates), seen by the schedule through this small interface so that the store
// does not depend on the module that expands such rules. A topic that has one carries it in
// TNimbusNode::richRule; the plain rule in the store file stays its nearest approximation.
#pragma once

#include <cstdint>
#include <optional>

namespace nimbus::schedule {

class OccurrenceRule {
public:
    virtual ~OccurrenceRule() = default;
    // The first occurrence (whole day number since 1970-01-01) whose moment comes after the
    // given day and time of day (milliseconds; an occurrence on that day counts when it starts
    // later); none once the series has ended.
    virtual std::optional<std::int64_t> NextDayAfter(std::int64_t day,
                                                     std::int64_t msecsOfDay) const = 0;
    // The last occurrence on a day before the given one; none when the series began later.
    virtual std::optional<std::int64_t> PreviousDayBefore(std::int64_t day) const = 0;
    // Whether rno and rtype are still the plain rule the topic was given with this one: a
    // plain rule changed since (the options dialog, a colleague's packet, an older copy of
    // the program) is the user's last word, and the rich rule no longer applies.
    virtual bool FitsPlainRule(int rno, int rtype) const = 0;
};

} // namespace nimbus::schedule

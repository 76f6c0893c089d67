// The "Topic options" dialog and a topic's rich recurrence: the dialog's values carry the
// series in its text form (TopicOptions::richRule); OK gives the topic that series, or takes
// it off, in the node and in the recurrence file, together with the dialog's other values.
#pragma once

#include <optional>
#include <string>

#include "recurrence/RecurrenceRule.h"
#include "store/TopicOptions.h"

namespace nimbus {
class Clock;
class TNimbusNode;
} // namespace nimbus

namespace nimbus::recurrence {

class RecurrenceFile;

// The text of the series the topic rolls by; empty when it has none.
std::string richRuleText(const TNimbusNode &node);

// The topic's series before and after OK, for the step that undoes it.
struct SeriesChange {
    bool changed = false;
    std::optional<Series> before;
    std::optional<Series> after;
};

// applyTopicOptions with the series: a recurring topic whose values carry a rule that reads
// gets it (its plain rule the nearest one, its due date the first occurrence from the date
// chosen on, or from the series' first date), any other topic loses the one it had; the
// recurrence file follows. A rule text that does not read leaves the series as it was.
// change, when given, tells what happened to the series.
TopicOptionsApplied applyTopicOptionsWithSeries(TopicOptions values, TNimbusNode &node,
                                                const Clock &clock, RecurrenceFile &file,
                                                SeriesChange *change = nullptr);

} // namespace nimbus::recurrence

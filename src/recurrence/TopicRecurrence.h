// A topic's rich recurrence as the store sees it: attached to the node so that its rolls
// follow the whole rule, with the store file's plain rule set to the nearest "every N units"
// so that an older copy of the program still moves the topic on sensibly.
#pragma once

#include <memory>
#include <optional>

#include "recurrence/RecurrenceRule.h"
#include "store/OccurrenceRule.h"

namespace nimbus {
class TNimbusNode;
class TNimbusStructure;
} // namespace nimbus

namespace nimbus::recurrence {

class RecurrenceFile;

// A series as the schedule's OccurrenceRule.
class SeriesRule : public schedule::OccurrenceRule {
public:
    explicit SeriesRule(Series series) : series_(std::move(series)) {}
    std::optional<std::int64_t> NextDayAfter(std::int64_t day,
                                             std::int64_t msecsOfDay) const override;
    std::optional<std::int64_t> PreviousDayBefore(std::int64_t day) const override;
    bool FitsPlainRule(int rno, int rtype) const override;
    const Series &series() const { return series_; }

private:
    Series series_;
};

struct PlainRule {
    int rno = 1;
    int rtype = 0; // a unit of TopicCodes.h
};
// Every weekday rolls by days, weekdays of a week by weeks, the nth weekday or a day of the
// month by months, a yearly rule by years; the interval is kept.
PlainRule nearestPlainRule(const Rule &rule);

// Gives the node its series: the rule it rolls by, the nearest plain rule, and, when its due
// date is not an occurrence, the first occurrence on or after it (the series' first date
// otherwise).
void applySeries(TNimbusNode &node, const Series &series);
// Takes a rich rule off the node; its plain rule stays.
void clearSeries(TNimbusNode &node);
// The series the node rolls by, if any (none once its plain rule was changed elsewhere).
const Series *seriesOf(const TNimbusNode &node);
// The series hung on the node, whether or not its plain rule still fits it: what an undo step
// checks it is putting back over.
const Series *attachedSeries(const TNimbusNode &node);

// Attaches every series of the file to its topic (and takes stale ones off); returns how many
// topics carry one. A topic that no longer recurs, or whose plain rule is no longer the
// series' nearest (an older copy of the program changed it), keeps its plain rule instead.
// Series of topics the store does not hold are left in the file.
int attachSeries(TNimbusStructure &store, const RecurrenceFile &file);

} // namespace nimbus::recurrence

// Applying the options dialog's values together with the topic's series.
#include "recurrence/TopicRuleOptions.h"

#include <algorithm>
#include <memory>

#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/DateFormat.h"
#include "store/TNimbusNode.h"

namespace nimbus::recurrence {

std::string richRuleText(const TNimbusNode &node)
{
    const Series *series = seriesOf(node);
    return series ? formatSeries(*series) : std::string();
}

TopicOptionsApplied applyTopicOptionsWithSeries(TopicOptions values, TNimbusNode &node,
                                                const Clock &clock, RecurrenceFile &file,
                                                SeriesChange *change)
{
    if (values.cancelled || node.sys)
        return applyTopicOptions(values, node, clock); // changes nothing
    SeriesChange done;
    if (const Series *had = attachedSeries(node))
        done.before = *had;
    std::optional<Series> wanted;
    if (values.recur && !values.richRule.empty()) {
        Series read;
        std::string error;
        if (parseSeries(values.richRule, read, error))
            wanted = std::move(read);
        else
            wanted = done.before;
    }
    if (wanted) {
        // The store file carries the nearest plain rule, and the topic is due on an occurrence.
        const PlainRule plain = nearestPlainRule(wanted->rule);
        values.recurCount = plain.rno;
        values.recurUnit = plain.rtype;
        std::int64_t from = wanted->startDay;
        if (DateTime chosen; dates::parseDateKey(values.dueDate, chosen))
            from = std::max(from, chosen.dayNumber());
        if (const std::optional<std::int64_t> first = wanted->firstOnOrAfter(from)) {
            values.dueDate = dates::dateKey(DateTime::fromDayNumber(*first));
            values.nextDate = values.dueDate;
        }
        if (!done.before || !(*done.before == *wanted))
            node.richRule = std::make_shared<SeriesRule>(*wanted);
    } else {
        clearSeries(node);
    }
    done.after = wanted;
    done.changed = done.before != done.after;
    if (done.changed) {
        if (wanted)
            file.Set(node.uni, *wanted);
        else
            file.Remove(node.uni);
    }
    const TopicOptionsApplied applied = applyTopicOptions(values, node, clock);
    if (change)
        *change = std::move(done);
    return applied;
}

} // namespace nimbus::recurrence

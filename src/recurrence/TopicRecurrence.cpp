// Attaching rich recurrences to topics.
#include "recurrence/TopicRecurrence.h"

#include "recurrence/RecurrenceFile.h"
#include "store/DateFormat.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"

namespace nimbus::recurrence {

std::optional<std::int64_t> SeriesRule::NextDayAfter(std::int64_t day,
                                                     std::int64_t msecsOfDay) const
{
    return series_.nextAfter(day, msecsOfDay);
}

std::optional<std::int64_t> SeriesRule::PreviousDayBefore(std::int64_t day) const
{
    return series_.previousBefore(day);
}

bool SeriesRule::FitsPlainRule(int rno, int rtype) const
{
    const PlainRule plain = nearestPlainRule(series_.rule);
    return plain.rno == rno && plain.rtype == rtype;
}

PlainRule nearestPlainRule(const Rule &rule)
{
    PlainRule plain;
    plain.rno = std::max(rule.interval, 1);
    switch (rule.frequency) {
    case Frequency::Daily:
        plain.rtype = kUnitDays;
        break;
    case Frequency::Weekly:
        plain.rtype = kUnitWeeks;
        break;
    case Frequency::Monthly:
        plain.rtype = kUnitMonths;
        break;
    case Frequency::Yearly:
        plain.rtype = kUnitYears;
        break;
    }
    // "Every weekday" written as a weekly rule comes round daily more nearly than weekly.
    if (rule.frequency == Frequency::Weekly && rule.interval == 1 && rule.byDay.size() >= 5) {
        plain.rtype = kUnitDays;
        plain.rno = 1;
    }
    return plain;
}

void applySeries(TNimbusNode &node, const Series &series)
{
    const PlainRule plain = nearestPlainRule(series.rule);
    node.recur = true;
    node.rno = plain.rno;
    node.rtype = plain.rtype;
    DateTime due;
    std::int64_t from = series.startDay;
    if (dates::parseDateKey(node.dlDate, due) && due.dayNumber() > from)
        from = due.dayNumber();
    if (const std::optional<std::int64_t> first = series.firstOnOrAfter(from)) {
        node.dlDate = dates::dateKey(DateTime::fromDayNumber(*first));
        node.dlTime = series.time && *series.time > 0
                          ? dates::timeText(DateTime::fromMsecs(*series.time))
                          : std::string();
        node.rsDate = node.dlDate;
        node.rsTime = node.dlTime;
    }
    node.richRule = std::make_shared<SeriesRule>(series);
}

void clearSeries(TNimbusNode &node)
{
    node.richRule.reset();
}

const Series *seriesOf(const TNimbusNode &node)
{
    const auto *rule = dynamic_cast<const SeriesRule *>(schedule::RichRuleOf(node));
    return rule ? &rule->series() : nullptr;
}

const Series *attachedSeries(const TNimbusNode &node)
{
    const auto *rule = dynamic_cast<const SeriesRule *>(node.richRule.get());
    return rule ? &rule->series() : nullptr;
}

int attachSeries(TNimbusStructure &store, const RecurrenceFile &file)
{
    int attached = 0;
    for (const auto &entry : store.Entries()) {
        TNimbusNode *node = entry.node;
        if (!node)
            continue;
        const Series *series = file.Find(node->uni);
        // A plain rule that no longer matches the series was changed by a copy of the program
        // that knows only plain rules: the user's last word wins.
        const PlainRule plain = series ? nearestPlainRule(series->rule) : PlainRule{};
        if (!series || !node->recur || node->rno != plain.rno || node->rtype != plain.rtype) {
            node->richRule.reset();
            continue;
        }
        // The topic keeps its current due date; only the rule it rolls by is attached.
        node->richRule = std::make_shared<SeriesRule>(*series);
        ++attached;
    }
    return attached;
}

} // namespace nimbus::recurrence

// Skipping one occurrence of a topic's series.
#include "recurrence/SkipOccurrence.h"

#include <memory>

#include "recurrence/RecurrenceFile.h"
#include "recurrence/TopicRecurrence.h"
#include "store/DateFormat.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"

namespace nimbus::recurrence {

namespace {

std::optional<std::int64_t> currentDay(const TNimbusNode &node)
{
    DateTime due;
    if (!dates::parseDateKey(node.dlDate, due))
        return std::nullopt;
    return due.dayNumber();
}

} // namespace

bool canSkipOccurrence(const TNimbusNode &node)
{
    const Series *series = node.recur ? seriesOf(node) : nullptr;
    const std::optional<std::int64_t> day = currentDay(node);
    return series && day && series->nextAfter(*day, DateTime::kMsecsPerDay).has_value();
}

bool skipOccurrence(TNimbusNode &node, RecurrenceFile &file, DateTime now)
{
    if (!canSkipOccurrence(node))
        return false;
    const std::int64_t day = *currentDay(node);
    Series series = *seriesOf(node);
    series.skip(day);
    const std::int64_t next = *series.nextAfter(day, DateTime::kMsecsPerDay);
    node.dlDate = dates::dateKey(DateTime::fromDayNumber(next));
    node.rsDate = node.dlDate;
    node.rsTime = node.dlTime;
    node.status = node.ttype == kTopicTask ? kStatusNotStarted : kStatusWaiting;
    node.percent = 0;
    file.Set(node.uni, series);
    node.richRule = std::make_shared<SeriesRule>(std::move(series));
    schedule::UpdateSchedule(node, now);
    node.UpdateSortKey();
    return true;
}

std::size_t SeriesEdit::memoryBytes() const
{
    const auto bytesOf = [](const std::optional<Series> &maybe) -> std::size_t {
        if (!maybe)
            return 0;
        const Series &s = *maybe;
        return (s.exceptions.capacity() + s.additions.capacity()) * sizeof(std::int64_t) +
               (s.rule.byMonthDay.capacity() + s.rule.byMonth.capacity() +
                s.rule.bySetPos.capacity()) *
                   sizeof(int) +
               s.rule.byDay.capacity() * sizeof(WeekdayNum);
    };
    return id_.capacity() + bytesOf(before_) + bytesOf(after_);
}

bool SeriesEdit::set(history::HistoryContext &context, const std::optional<Series> &expected,
                     const std::optional<Series> &wanted)
{
    TNimbusNode *node = context.store.Find(id_);
    if (node == nullptr) {
        context.log.AddToLog("*** The topic " + id_ + " is gone; its repeat was not changed");
        return false;
    }
    // The series attached, whether or not the plain rule fits it yet: the fields' own step may
    // be undone before or after this one.
    const auto *attached = dynamic_cast<const SeriesRule *>(node->richRule.get());
    const bool asLeft =
        expected ? attached != nullptr && attached->series() == *expected : attached == nullptr;
    if (!asLeft) {
        context.log.AddToLog("*** The repeat of \"" + node->text + "\" (" + id_ +
                             ") was changed since; it was left as it is");
        return false;
    }
    if (wanted) {
        node->richRule = std::make_shared<SeriesRule>(*wanted);
        file_.Set(id_, *wanted);
    } else {
        node->richRule.reset();
        file_.Remove(id_);
    }
    return true;
}

} // namespace nimbus::recurrence

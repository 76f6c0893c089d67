// "Skip this occurrence": the topic's current occurrence becomes a skipped date of its series
// and the topic moves on to the next one, without being completed. The step that undoes it is
// a SeriesEdit (the series before and after, on the node and in the recurrence file) joined
// with the FieldEdit of the node's dates and status.
#pragma once

#include <optional>
#include <string>

#include "history/StoreCommand.h"
#include "recurrence/RecurrenceRule.h"
#include "store/DateTime.h"

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::recurrence {

class RecurrenceFile;

// Whether the topic's current occurrence can be skipped: it repeats by a rich rule that has an
// occurrence after the current one (the last one is completed, not skipped).
bool canSkipOccurrence(const TNimbusNode &node);
// Skips the current occurrence: the series gains the skipped date (on the node and in the
// file), the due date moves to the next occurrence and the schedule is worked out afresh at
// now. False, changing nothing, when canSkipOccurrence is false.
bool skipOccurrence(TNimbusNode &node, RecurrenceFile &file, DateTime now);

// A change of one topic's series (none before: a series given; none after: one taken off),
// undone or redone only while the topic still has the series the step left it with.
class SeriesEdit : public history::StoreCommand {
public:
    SeriesEdit(RecurrenceFile &file, std::string topicId, std::optional<Series> before,
               std::optional<Series> after)
        : file_(file), id_(std::move(topicId)), before_(std::move(before)), after_(std::move(after))
    {
    }
    bool apply(history::HistoryContext &context) override { return set(context, before_, after_); }
    bool revert(history::HistoryContext &context) override { return set(context, after_, before_); }
    std::size_t memoryBytes() const override;

private:
    bool set(history::HistoryContext &context, const std::optional<Series> &expected,
             const std::optional<Series> &wanted);
    RecurrenceFile &file_;
    std::string id_;
    std::optional<Series> before_;
    std::optional<Series> after_;
};

} // namespace nimbus::recurrence

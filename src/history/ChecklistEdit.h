// A change of a checklist page's items (added, removed, moved, ticked, retyped): the items
// before and after, by topic id and page number. The topic's percentage and status that the
// ticks drive are a FieldEdit beside it. Items someone else changed since are theirs: the
// step then refuses.
#pragma once

#include <string>
#include <vector>

#include "history/StepName.h"
#include "history/StoreCommand.h"

namespace nimbus::history {

class ChecklistEdit : public StoreCommand {
public:
    ChecklistEdit(std::string topicId, int page, std::vector<ChecklistItem> before,
                  std::vector<ChecklistItem> after)
        : topicId_(std::move(topicId)), page_(page), before_(std::move(before)),
          after_(std::move(after))
    {
    }

    bool apply(HistoryContext &context) override { return set(context, after_, before_); }
    bool revert(HistoryContext &context) override { return set(context, before_, after_); }
    std::size_t memoryBytes() const override;

private:
    // Refuses when the page no longer holds `left`, the items the step left it with.
    bool set(HistoryContext &context, const std::vector<ChecklistItem> &items,
             const std::vector<ChecklistItem> &left);
    std::string topicId_;
    int page_;
    std::vector<ChecklistItem> before_;
    std::vector<ChecklistItem> after_;
};

// What happened to a checklist, in words: "Tick 'Buy paint' in 'Garden'".
StepName checklistStepName(const std::string &title, const std::vector<ChecklistItem> &before,
                           const std::vector<ChecklistItem> &after);

} // namespace nimbus::history

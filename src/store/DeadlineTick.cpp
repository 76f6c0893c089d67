// The deadline timer's pass over the store.
#include "store/DeadlineTick.h"

#include "store/Clock.h"
#include "store/Scheduler.h"
#include "store/SummaryLists.h"
#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

DeadlineResult RunDeadlineTick(TNimbusStructure &store, const Clock &clock, SummaryLists *lists)
{
    DeadlineResult result;
    const DateTime now = clock.now();
    if (lists)
        lists->ClearGroups();
    // One walk: each node is recomputed and classified while it is at hand.
    const auto &entries = store.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        summary::PrefetchAhead(entries, i);
        TNimbusNode *node = entries[i].node;
        if (!node || node->lev <= 0)
            continue;
        if (node->type == kSectionTopics &&
            (node->ttype == kTopicTask || node->ttype == kTopicEvent)) {
            const int r = schedule::UpdateSchedule(*node, now);
            node->UpdateSortKey();
            if (r >= schedule::kTextChanged)
                result.changed = true;
            if (r == schedule::kStatusChanged)
                result.restyled.push_back(node);
        }
        if (lists)
            lists->ClassifyNode(*node);
    }
    if (result.changed)
        store.modified = true;
    if (lists)
        lists->FinishClassify();
    return result;
}

} // namespace nimbus

// The deadline timer's pass over the store.
#include "store/DeadlineTick.h"

#include "store/Clock.h"
#include "store/Scheduler.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

DeadlineResult RunDeadlineTick(TNimbusStructure &store, const Clock &clock, SummaryLists *lists)
{
    DeadlineResult result;
    const DateTime now = clock.now();
    for (const auto &entry : store.Entries()) {
        TNimbusNode *node = entry.node;
        if (!node || node->lev <= 0 || node->type != kSectionTopics ||
            (node->ttype != kTopicTask && node->ttype != kTopicEvent))
            continue;
        const int r = schedule::UpdateSchedule(*node, now);
        node->UpdateSortKey();
        if (r >= schedule::kTextChanged)
            result.changed = true;
        if (r == schedule::kStatusChanged)
            result.restyled.push_back(node);
    }
    if (result.changed)
        store.modified = true;
    if (lists)
        lists->Rebuild(store);
    return result;
}

} // namespace nimbus

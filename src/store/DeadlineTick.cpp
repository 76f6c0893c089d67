// The deadline timer's pass over the store.
#include "store/DeadlineTick.h"

#include <optional>
#include <string>

#include "store/Clock.h"
#include "store/Scheduler.h"
#include "store/SummaryLists.h"
#include "store/SummaryRules.h"
#include "store/TNimbusStructure.h"

namespace nimbus {

namespace {

// The stored fields that a schedule pass may change. The texts only change when a topic is
// completed or rolled (a result of kStatusChanged), so only then are they compared.
struct StoredNumbers {
    int status;
    int percent;
    bool urgent;

    explicit StoredNumbers(const TNimbusNode &node)
        : status(node.status), percent(node.percent), urgent(node.urgent)
    {
    }
    bool operator==(const StoredNumbers &) const = default;
};

struct StoredTexts {
    std::string dlDate, dlTime, rsDate, rsTime, fdate, fTime;

    explicit StoredTexts(const TNimbusNode &node)
        : dlDate(node.dlDate), dlTime(node.dlTime), rsDate(node.rsDate), rsTime(node.rsTime),
          fdate(node.fdate), fTime(node.fTime)
    {
    }
    bool operator==(const StoredTexts &) const = default;
};

}  // namespace

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
            const StoredNumbers numbers(*node);
            // Completing or rolling may change the dates; they are copied only when a topic
            // could be completed by this pass (it is due today or earlier).
            const bool mayComplete = node->daysLeft <= 0 || node->dlDate.empty();
            std::optional<StoredTexts> texts;
            if (mayComplete)
                texts.emplace(*node);
            const int r = schedule::UpdateSchedule(*node, now);
            node->UpdateSortKey();
            if (r >= schedule::kTextChanged)
                result.changed = true;
            if (r == schedule::kStatusChanged)
                result.restyled.push_back(node);
            if (!(StoredNumbers(*node) == numbers)
                || (r == schedule::kStatusChanged && (!texts || !(StoredTexts(*node) == *texts))))
                result.storeChanged = true;
        }
        if (lists)
            lists->ClassifyNode(*node);
    }
    if (result.storeChanged)
        store.modified = true;
    if (lists)
        lists->FinishClassify();
    return result;
}

} // namespace nimbus

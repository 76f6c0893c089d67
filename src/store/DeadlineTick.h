// The work of the deadline timer: every ten seconds the schedules of the user's tasks and
// events are recomputed and the summary's groups classified afresh.
#pragma once

#include <vector>

namespace nimbus {

class Clock;
class SummaryLists;
class TNimbusNode;
class TNimbusStructure;

struct DeadlineResult {
    // Some status or schedule text changed: the grids beside the tree need realigning.
    bool changed = false;
    // Some field that the store file holds changed (a status, a roll, a completion, urgency):
    // the store is marked modified. Texts that only the window shows never are.
    bool storeChanged = false;
    // Topics whose status changed so that their tree image and their parents' roll-up need
    // refreshing (completed, rolled forward, started, made urgent), in store order.
    std::vector<TNimbusNode *> restyled;
};

// Recomputes every task and event of the "Topics" section (one instant of the clock for the
// whole pass) and their sort keys, then reclassifies the summary's groups when lists is given.
// The store is marked modified only when a stored field changed.
DeadlineResult RunDeadlineTick(TNimbusStructure &store, const Clock &clock, SummaryLists *lists);

} // namespace nimbus

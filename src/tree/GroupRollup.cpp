// Group roll-up of status, percentage and urgency.
#include "tree/GroupRollup.h"

#include "tree/TopicTree.h"
#include "store/DateFormat.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::tree {

namespace {

// Recomputes one node; true when something changed.
bool rollUp(TreeItem &item, DateTime now)
{
    TNimbusNode &n = *item.node;
    int urgentChildren = 0;
    int tasks = 0;
    int inProgress = 0;
    int onHold = 0;
    int sum = 0;
    int run = 0;
    int lastStatus = -1;
    for (const auto &child : item.children) {
        const TNimbusNode *c = child->node;
        if (!c)
            continue;
        if (c->urgent || c->urgentCount >= 1)
            ++urgentChildren;
        // Sub-tasks without a status take no part in the roll-up.
        if (c->ttype != kTopicTask || c->status == kStatusNone)
            continue;
        ++tasks;
        if (c->status == kStatusInProgress)
            ++inProgress;
        if (c->status == kStatusOnHold)
            ++onHold;
        else
            sum += c->percent;
        run = c->status == lastStatus ? run + 1 : 1;
        lastStatus = c->status;
    }

    const int oldStatus = n.status;
    const int oldPercent = n.percent;
    const int oldChildCount = n.childCount;
    const int oldUrgentCount = n.urgentCount;
    const bool oldCalpr = n.calpr;
    if (n.ttype == kTopicTask && tasks > 0) {
        if (run == tasks) {
            if (n.status != lastStatus) {
                if (lastStatus == kStatusCompleted) {
                    n.fdate = dates::dateKey(now);
                    n.fTime = "00:00:00";
                }
                if (lastStatus == kStatusInProgress && n.sta.empty())
                    n.sta = dates::stamp(now);
                n.status = lastStatus;
                n.UpdateSortKey();
            }
        } else {
            n.status = inProgress > 0 ? kStatusInProgress : kStatusNotStarted;
            if (n.status == kStatusInProgress && n.sta.empty())
                n.sta = dates::stamp(now);
            n.UpdateSortKey();
        }
        if (n.calpr) {
            const int counted = tasks - onHold;
            n.percent = sum > 0 && counted > 0 ? sum / counted : 0;
        }
    } else if (n.ttype == kTopicTask && n.sys && n.status != kStatusNone) {
        n.status = kStatusNone;
        n.calpr = true;
        n.percent = 0;
    }
    n.childCount = tasks;
    if (n.urgentCount != urgentChildren) {
        n.urgentCount = urgentChildren;
        n.UpdateSortKey();
    }
    return n.status != oldStatus || n.percent != oldPercent || n.childCount != oldChildCount ||
           n.urgentCount != oldUrgentCount || n.calpr != oldCalpr;
}

} // namespace

int UpdateGroup(TreeItem *item, DateTime now)
{
    int changed = 0;
    for (TreeItem *current = item; current && current->node && current->node->lev > 0;
         current = current->parent) {
        if (!rollUp(*current, now))
            break;
        ++changed;
    }
    return changed;
}

} // namespace nimbus::tree

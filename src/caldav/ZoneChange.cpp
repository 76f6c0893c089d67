// Following a change of the machine's zone; see ZoneChange.h.
#include "caldav/ZoneChange.h"

#include <ctime>

#include <libical/ical.h>

#include "calendar/LocalZone.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldav {

namespace {

// A wall time of the old zone as the same instant's wall time here. False when there is no
// time to move (a date alone) or the result would be midnight (the store's "no time").
// (A template: the node holds some of its dates and times as compact strings.)
template <class Date, class Time>
bool moveTime(Date &date, Time &time, icaltimezone *from, bool &midnight)
{
    if (time.empty() || time == "00:00:00" || date.size() != 8)
        return false;
    icaltimetype t = calendar::localTime(date, time);
    if (icaltime_is_null_time(t) || t.is_date)
        return false;
    t.zone = from;
    std::string newDate, newTime;
    if (!calendar::toLocal(t, newDate, newTime))
        return false;
    if (newTime.empty()) {
        midnight = true;
        return false;
    }
    date = newDate;
    time = newTime;
    return true;
}

// A stamp "yyyymmdd-hhmmss" moved the same way.
void moveStamp(CompactString &stamp, icaltimezone *from, bool &midnight)
{
    if (stamp.size() != 15 || stamp[8] != '-')
        return;
    std::string date = stamp.substr(0, 8);
    std::string time = stamp.substr(9, 2) + ":" + stamp.substr(11, 2) + ":" + stamp.substr(13, 2);
    if (moveTime(date, time, from, midnight))
        stamp = date + "-" + time.substr(0, 2) + time.substr(3, 2) + time.substr(6, 2);
}

} // namespace

ZoneChange planZoneChange(const TNimbusStructure &store, const std::string &subtree,
                          const SyncState &state, const TopicUids &uids, const std::string &zoneNow,
                          const PageAccess &pages)
{
    ZoneChange change;
    if (calendar::zoneNamed(zoneNow) == nullptr)
        return change; // an unknown zone here: nothing is learnt or moved
    change.to = zoneNow;
    icaltimezone *from = calendar::zoneNamed(state.zone);
    if (state.zone.empty() || state.zone == zoneNow || from == nullptr)
        return change;
    change.from = state.zone;
    const auto synced = state.indexByUni();
    const LocalSnapshot snapshot = takeSnapshot(store, subtree, uids, state.localOnly, pages);
    for (const LocalTopic &local : snapshot.topics) {
        const auto entry = synced.find(local.uni);
        if (entry == synced.end())
            continue;
        if (entry->second->hash != local.hash) {
            ++change.skipped; // changed here since: which times it holds cannot be told
            continue;
        }
        TNimbusNode node{""};
        node.AssignNode(local.topic.node);
        bool midnight = false;
        bool moved = moveTime(node.dlDate, node.dlTime, from, midnight);
        moved = moveTime(node.rsDate, node.rsTime, from, midnight) || moved;
        moved = moveTime(node.fdate, node.fTime, from, midnight) || moved;
        const std::string created = node.cre;
        moveStamp(node.cre, from, midnight);
        moved = moved || node.cre != created;
        if (midnight) {
            ++change.skipped;
            continue;
        }
        if (!moved)
            continue;
        change.moves.push_back(
            {local.uni, node.dlDate, node.dlTime, node.rsDate, node.rsTime, node.fdate, node.fTime,
             node.cre, topicFingerprint(node, local.topic.parentUid, local.topic.detailsText)});
    }
    return change;
}

void applyZoneChange(const ZoneChange &change, SyncState &state)
{
    if (change.to.empty())
        return;
    for (const ZoneMove &move : change.moves)
        for (auto &[uid, entry] : state.entries)
            if (entry.uni == move.uni)
                entry.hash = move.hash;
    state.zone = change.to;
}

std::string zoneChangeNote(const ZoneChange &change)
{
    std::string note = "Calendar sync: this computer's time zone is now " + change.to +
                       " (it was " + change.from + "); the times of " +
                       std::to_string(change.moves.size()) +
                       " synced topics were moved to it, keeping their instants";
    if (change.skipped > 0)
        note += "; " + std::to_string(change.skipped) + " changed here since were left as they are";
    return note + ".";
}

bool applyZoneChange(const ZoneChange &change, TNimbusStructure &store)
{
    bool changed = false;
    for (const ZoneMove &move : change.moves) {
        TNimbusNode *node = store.Find(move.uni);
        if (node == nullptr)
            continue;
        node->dlDate = move.dlDate, node->dlTime = move.dlTime;
        node->rsDate = move.rsDate, node->rsTime = move.rsTime;
        node->fdate = move.fdate, node->fTime = move.fTime;
        node->cre = move.cre;
        node->UpdateSortKey();
        changed = true;
    }
    if (changed)
        store.modified = true;
    return changed;
}

} // namespace nimbus::caldav

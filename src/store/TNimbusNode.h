// One node of the topic tree: a section (depth 0) or a topic below it, with its schedule,
// flags and, once loaded, its pages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "store/CompactString.h"
#include "store/SortKey.h"
#include "store/TopicCodes.h"

namespace nimbus {

namespace schedule {
class OccurrenceRule;
}

class Clock;
class StoreLog;
class TContent;
struct ContentFolders;

class TNimbusNode {
public:
    explicit TNimbusNode(std::string uid);
    ~TNimbusNode();
    // Copying a topic is AssignNode's job (it knows which fields belong to the topic).
    TNimbusNode(const TNimbusNode &) = delete;
    TNimbusNode &operator=(const TNimbusNode &) = delete;
    TNimbusNode(TNimbusNode &&) noexcept;
    TNimbusNode &operator=(TNimbusNode &&) noexcept;

    // Nodes made with new (std::make_unique included) come from a pool of fixed-size slots
    // (see SlotPool): a store holds them by the hundred thousand.
    static void *operator new(std::size_t size);
    static void operator delete(void *node, std::size_t size) noexcept;
    // Nodes in use from the pool (for tests).
    static std::size_t pooledCount();

    // The fields come in two groups: first those the schedule pass reads and writes for every
    // node every ten seconds, packed together so that the pass touches few cache lines; then
    // the rest. The store file's key order is the writer's, not this one. Text fields that
    // most topics leave empty are CompactStrings (one pointer while empty): a store of
    // 100,000 topics is held in memory, and a node is about 40% smaller for it.

    // ---- schedule, status and tree place ----
    int lev = 0;  // depth: 0 section, 1 topic directly under a section, ...
    int ttype = kTopicTask;
    int status = kStatusNone;
    int type = kSectionNone;  // section kind; a topic carries its section's
    int pri = 0;              // priority 1 to 9; 0 none
    int rno = 0;              // recurs every rno periods of rtype
    int rtype = kUnitNone;
    int flno = 0;             // flag as urgent this many days before the due date
    int fltyp = kUnitNone;
    int durno = 0;            // event duration
    int durtype = kUnitNone;
    int percent = 0;          // key "pr%": percentage complete
    int childCount = 0;       // run-time: children in the tree
    int urgentCount = 0;      // run-time: urgent topics in the subtree, itself included
    int daysLeft = 99999;     // run-time: whole days to the due date; 99999 none
    int highlightColour = 0;  // run-time: colour of statusText
    bool dl = false;          // a one-off due date is set
    bool recur = false;
    bool urgent = false;
    bool autoComplete = false;  // key "auto": complete automatically after the due time
    bool done = false;  // old completion mark, turned into status 3 when the tree is built
    bool calpr = true;  // take the percentage from the sub-tasks
    bool prog = false;  // progress set by the properties dialog
    bool fav = false;
    SortKey sortKey;         // run-time: three-character ordering key, "ZZZ" until worked out
    std::string dlDate;      // due date key (current due date of a recurring topic)
    CompactString dlTime;    // due time; empty or "00:00:00" = none
    std::string statusText;  // run-time: "Today", "In progress", time left

    // ---- identity and the rest of the record ----
    std::string uni;
    std::string text;
    CompactString rsDate; // recurring: next due date (equal to dlDate after each roll)
    CompactString rsTime;
    CompactString fdate; // last completed
    CompactString fTime;
    CompactString cre; // stamps: created, started
    CompactString sta;
    CompactString from; // the colleague who sent the topic, and when
    CompactString sent;
    CompactString parent; // read from files that carry it; never written
    int dam = 0;         // kinds of pages holding data: 1 details, 2 checklist, 4 kind 2, 8 other
    int dac = 0;         // number of pages holding data
    int oldttype = 0;    // an earlier topic type
    // A value older records carry first; AssignNode copies it, the store files never hold it.
    std::int32_t recordTag = 0;
    bool sys = false;     // made by the program, not the user
    bool top = false;     // no topic can be inserted directly in this section
    bool send = false;    // marked for sending to colleagues
    bool lock = false;
    bool exp = false;     // tree item expanded, selected, first visible when last written
    bool sel = false;
    bool topnode = false;
    bool contentLoaded = false;

    // Run-time: the topic's recurrence when it is richer than rno/rtype can say (attached from
    // the recurrence file when the store is loaded); rolls then follow it.
    std::shared_ptr<const schedule::OccurrenceRule> richRule;

    // Loaded pages; created by LoadContent, owned by the node.
    std::unique_ptr<TContent> content;
    CompactString contentFile;
    void *treeItem = nullptr;  // the view's item that shows this node; not owned

    // Used by the main window to line its grids up with the tree rows.
    int rowIndex = -1;
    int rowShade = 0;

    // Copies the fields that describe the topic (not its place in the tree, its section, its
    // flags of origin or any run-time value) from another node.
    void AssignNode(const TNimbusNode &other);

    // Three characters: status group, urgency, priority (open, urgent, priority 1 first).
    void UpdateSortKey();

    // Image index of the tree item: sections type - 1, tasks by status (+7 one-off,
    // +11 recurring), other topics their type.
    int TreeImageIndex() const;

    // Schedule rules; "now" always comes from the clock. See Scheduler.h.
    int UpdateSchedule(const Clock &clock);
    void MarkCompleted(const Clock &clock);
    void RollRecurrence(const Clock &clock);

    // Creates the content, reads the topic's page list and sets contentLoaded. A uni that
    // cannot be a file name is refused (logged) and the content stays empty and unsaved.
    TContent &LoadContent(const ContentFolders &folders, StoreLog &log, int option = 0);
};

}  // namespace nimbus

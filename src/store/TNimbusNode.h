// One node of the topic tree: a section (depth 0) or a topic below it, with its schedule,
// flags and, once loaded, its pages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/TopicCodes.h"

namespace nimbus {

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

    // A value older records carry first; AssignNode copies it, the store files never hold it.
    std::int32_t recordTag = 0;

    // Persistent fields; their names are the keys under which the store file keeps them.
    std::string uni;
    int lev = 0;
    std::string text;
    int ttype = kTopicTask;
    int status = kStatusNone;
    bool fav = false;
    bool urgent = false;
    bool done = false;  // old completion mark, turned into status 3 when the tree is built
    int dam = 0;        // kinds of pages holding data: 1 details, 2 checklist, 4 kind 2, 8 other
    int dac = 0;        // number of pages holding data
    int type = kSectionNone;
    bool sys = false;
    bool top = false;   // no topic can be inserted directly in this section
    bool send = false;
    std::string cre;
    std::string sta;
    bool lock = false;
    int pri = 0;
    bool recur = false;
    bool dl = false;
    std::string dlDate;
    std::string dlTime;
    std::string rsDate;
    std::string rsTime;
    int rno = 0;
    int rtype = kUnitNone;
    bool autoComplete = false;  // key "auto"
    int flno = 0;
    int fltyp = kUnitNone;
    bool calpr = true;
    int percent = 0;  // key "pr%"
    bool prog = false;
    std::string fdate;
    std::string fTime;
    int durno = 0;
    int durtype = kUnitNone;

    // Run-time state of the tree.
    int childCount = 0;
    int urgentCount = 0;
    bool exp = false;
    bool sel = false;
    bool topnode = false;

    // Run-time schedule state (see Scheduler).
    std::string statusText;
    int daysLeft = 99999;
    int highlightColour = 0;
    std::string sortKey = "ZZZ";

    // Loaded pages; created by LoadContent, owned by the node.
    std::unique_ptr<TContent> content;
    bool contentLoaded = false;
    std::string contentFile;
    void *treeItem = nullptr;  // the view's item that shows this node; not owned

    std::string from;
    std::string sent;
    int oldttype = 0;
    std::string parent;  // read from files that carry it; never written

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

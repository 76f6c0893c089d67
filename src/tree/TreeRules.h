// The rules of the topic tree that a user sees: which popup menu items and tool buttons are
// offered for a node, what each tool button does, the three sort orders, the expand actions'
// choice of topics, renaming and the values of a new topic. Free functions over nodes.
#pragma once

#include <optional>
#include <string>

#include "store/DateTime.h"

namespace nimbus {

class TNimbusNode;

namespace tree {

// ---- popup menu of the tree ----

struct MenuItemState {
    bool visible = true;
    bool enabled = true;
    std::string caption; // empty: the action keeps its own caption
};

// What the menu needs to know about the item it is opened for.
struct TreeMenuContext {
    const TNimbusNode *node = nullptr;
    int depth = 0;
    bool hasPreviousSibling = false;
    bool hasChildren = false;
    bool lanConnected = false;
    bool sendable = false; // the sendable-kinds flag of the node's section kind
    bool hasNextSibling = false;
};

struct TreeMenuState {
    MenuItemState newSection; // "Insert New Section": shown on sections, never enabled
    MenuItemState addItem;    // "Insert new topic"
    MenuItemState addSubItem; // "Insert new sub-topic" / "Insert new topic in this section"
    MenuItemState edit;
    MenuItemState favourites;
    MenuItemState changeType;
    MenuItemState increaseLevel;
    MenuItemState reduceLevel;
    // "Move topic up" / "Move topic down" (Ctrl+Shift+Up/Down): the keyboard's way of what
    // dragging a topic before a sibling does.
    MenuItemState moveUp;
    MenuItemState moveDown;
    MenuItemState sortSub;
    MenuItemState sortPriority;
    MenuItemState sortDaysDue;
    MenuItemState sendTo;
    MenuItemState remove;
};

TreeMenuState ConfigureTreeMenu(const TreeMenuContext &context);

// ---- toolbar ----

enum class ToolButton {
    General,
    Info,
    Idea,
    Finance,
    Event,
    Task,
    NotStarted,
    InProgress,
    Waiting,
    Finished,
    OnHold,
    Urgent,
    NotUrgent,
    PriorityUp,
    PriorityDown,
};
constexpr int kToolButtonCount = 15;

struct ToolButtonState {
    bool enabled[kToolButtonCount] = {};
    bool operator[](ToolButton b) const { return enabled[static_cast<int>(b)]; }
    bool &operator[](ToolButton b) { return enabled[static_cast<int>(b)]; }
};

// The buttons offered for the selected node (null: nothing selected).
ToolButtonState UpdateToolButtons(const TNimbusNode *node);

// What a button did, for the caller's follow-up work.
struct ButtonEffect {
    bool applied = false;      // nothing happened when false
    bool updateParent = false; // UpdateGroup on the parent item
};

// Type buttons: General 2, Notes 5, Ideas 6, Finance 7, Event 3, Task 4.
ButtonEffect ApplyTopicType(TNimbusNode &node, int ttype, DateTime now);
// The first whole hour after now (1:00 the next day in the day's last hour): the start of an
// event made without a date.
DateTime NextWholeHour(DateTime now);
// Status buttons: not started 1, in progress 2, finished 3, on hold 4, waiting 5.
ButtonEffect ApplyStatus(TNimbusNode &node, int status, DateTime now);
ButtonEffect ApplyUrgent(TNimbusNode &node, bool urgent);
ButtonEffect PriorityUp(TNimbusNode &node);
ButtonEffect PriorityDown(TNimbusNode &node);
// An item of the priority menu: priority 1 to 9.
ButtonEffect SetPriority(TNimbusNode &node, int priority);
void ToggleFavourite(TNimbusNode &node);

// Whether a node is a topic the toolbar acts on at all.
bool IsEditableTopic(const TNimbusNode *node);

// ---- sorting ----

enum class SortMode { Title = 0, Priority = 1, DaysDue = 2 };
// Below zero: a before b; zero: equal; above zero: a after b.
int CompareTitle(const TNimbusNode &a, const TNimbusNode &b);
int ComparePriority(const TNimbusNode &a, const TNimbusNode &b);
int CompareDaysDue(const TNimbusNode &a, const TNimbusNode &b);
int CompareForSort(SortMode mode, const TNimbusNode &a, const TNimbusNode &b);
// A text whose byte order is CompareForSort's order, for sorting many topics with each key
// made once instead of at every comparison.
std::string SortKeyFor(SortMode mode, const TNimbusNode &node);

// ---- expand actions ----

enum class ExpandChoice { Urgent, InProgress, DueTwoWeeks, DueSixWeeks };
// Whether the node is one the expand action makes visible.
bool ExpandChoiceMatches(ExpandChoice choice, const TNimbusNode &node);

// ---- renaming and new topics ----

// The caption after in-place editing: trailing blanks removed; nothing (keep the old caption)
// when the result is empty.
std::optional<std::string> RenamedText(const std::string &edited);

// Values of a topic made by "Insert new topic" / "Insert new sub-topic".
void InitNewTopic(TNimbusNode &node, int kind, int ttype, DateTime now);
// The topic type a new topic takes: below a section a general topic in "Topics" and a task
// elsewhere; below a topic or beside one, that topic's type.
int NewTopicType(const TNimbusNode &reference, bool referenceIsParent);

// A tree row is dropped onto another: only the same depth and the same section kind.
bool CanDrop(const TNimbusNode *dragged, int draggedDepth, const TNimbusNode *target,
             int targetDepth);

} // namespace tree
} // namespace nimbus

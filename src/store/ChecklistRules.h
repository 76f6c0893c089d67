// The checklist editor's rules without a window: progress and status from ticks, finish
// stamps, moving items, pasted and dropped text, the entry box and the popup menu's state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileio/UiText.h"
#include "store/ChecklistItem.h"

namespace nimbus {

class Clock;
class TNimbusNode;

namespace checklist {

// Percentage and status that a list of ticks stands for.
struct Progress {
    int percent = 0;
    int status = 0;
};

// All ticked: 100 and status 3; none: 0 and status 1; otherwise status 2 and the rounded-down
// share. Nothing for an empty list: an emptied checklist leaves its topic as it was.
std::optional<Progress> ProgressFromTicks(int ticked, int count);
std::optional<Progress> ProgressOf(const std::vector<ChecklistItem> &items);

// What UpdateProgressFromChecklist did to the topic.
struct ProgressOutcome {
    bool storeModified = false; // a field of the node changed; the store needs saving
    bool statusChanged = false; // a task's status or percentage changed: the tree item's
                                // image, its parent group and the tool buttons need refreshing
};

// Applies the list's progress to the topic. A topic that is not a task only takes the
// percentage. A task already at the result is left alone; otherwise it takes percentage and
// status, a task started now gets its start stamp when it has none, a finished one today's
// date as its finish date, and its sort key is renewed.
ProgressOutcome UpdateProgressFromChecklist(TNimbusNode &node,
                                            const std::vector<ChecklistItem> &items,
                                            const Clock &clock);

// Ticks or unticks an item. Ticking stamps it finished now; unticking keeps the stamp.
void SetTick(ChecklistItem &item, bool ticked, const Clock &clock);
// The "Finished" column's text: date, hours and minutes of the stamp in the display order.
std::string FinishedText(const std::string &finishedStamp, int dateOrder);

// A new item with its text cleaned for a one-line file and its link looked up.
ChecklistItem MakeItem(std::string_view text);
// Changes an item's text (cleaned) and looks its link up again.
void SetItemText(ChecklistItem &item, std::string_view text);
// Line breaks and other control characters would split an item in the checklist file, so
// they become blanks.
std::string CleanItemText(std::string_view text);

// One item per line of pasted text; CR LF and LF both end a line, blank lines add nothing.
std::vector<std::string> SplitPastedText(std::string_view text);
// The copied text of the selected items: one per line.
std::string JoinItemTexts(const std::vector<ChecklistItem> &items, const std::vector<int> &rows);

// Where an item moves one place up (delta -1) or down (+1); -1 when it would pass an end.
int MoveTarget(int row, int count, int delta);
// Moves the item and returns its new row, or -1 when nothing moved.
int MoveItem(std::vector<ChecklistItem> &items, int row, int delta);

// What "Open link" opens for an item: its link when one was found, else its text as written.
std::string LinkTarget(const ChecklistItem &item);
// The folder part of a file path ("/a/b/c.txt" -> "/a/b/"); empty for a web or mail
// address or a text without a folder.
std::string ContainingFolder(const std::string &target);
// True when a double-click on the item should open it as a file.
bool NamesFile(const ChecklistItem &item);

// The entry box beside the list: adding a new item, or changing the selected one.
enum class EntryMode : int { Add = 0, Change = 1 };

struct EntryState {
    EntryMode mode = EntryMode::Add;
    bool buttonEnabled = false;
    std::string caption = NIMBUS_TEXT_NOOP("nimbus::checklist", "Add");
    // The entry box's caption, so that what Enter will do shows before it is pressed: the
    // box looks the same in both modes otherwise.
    std::string label = NIMBUS_TEXT_NOOP("nimbus::checklist", "New item:");
};

// CLAdd: add mode, button disabled.
EntryState AddState();
// CLChange on a selected item: change mode with the button enabled; without one, add mode.
EntryState ChangeState(bool haveSelection);
// Typing: in add mode the button follows whether there is text; change mode is unchanged.
EntryState AfterTyping(EntryState state, std::string_view text);

// Which items of the popup menu can be used.
struct MenuState {
    bool add = true;
    bool change = false;
    bool up = false;
    bool down = false;
    bool openLink = false;
    bool openFolder = false;
    bool selectAll = false;
    bool copy = false;
    bool paste = false;
    bool remove = false; // the four remove actions
    bool title = true;
    bool print = true;
};

struct MenuContext {
    int itemCount = 0;
    int selectedCount = 0;
    bool itemUnderPointer = false;
    bool clipboardHasText = false;
    bool readOnly = false; // a locked topic: nothing that changes the list
};

MenuState PopupState(const MenuContext &context);

} // namespace checklist
} // namespace nimbus

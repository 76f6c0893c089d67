// The rules of a topic's pages that need no window: which pages hold data (dac, dam), the
// tab captions, the page shown first, the "last changed" label and the saving of the page
// that was shown (SaveTopicPage), so that every decision can be tested without an editor.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/StoreLog.h"

namespace nimbus {

class Clock;
class SummaryLists;
class TContent;
class THyperData;
class TNimbusNode;
struct ContentFolders;

namespace pages {

// Old versions kept of a details text file when it is rewritten.
constexpr int kDetailsVersions = 8;

// The bit a page kind sets in a topic's dam: 1 details, 2 checklist, 4 kind 2, 8 any other.
int PageKindBit(int con);

struct PageCounts {
    int dac = 0; // pages holding data
    int dam = 0; // their kinds
    bool operator==(const PageCounts &) const = default;
};
// Counts the pages whose data flag is set or that carry a further file name.
PageCounts CountPages(const TContent &content);

// Reads the description of every page that has a file name (stamps, title, flags, columns).
// A page whose data file does not exist holds nothing, whatever its defaults say.
void LoadPageDescriptions(TContent &content, const ContentFolders &folders, StoreLog &log);

// The caption of a page's tab: its title, or "Details", "Checklist" or "List" by kind.
std::string PageCaption(const THyperData &page);
// The index of the page to show first: the visible page, else the first page (-1: none).
int VisiblePageIndex(const TContent &content);
// "Page last changed: " and the date, hours and minutes of the amendment stamp, or nothing.
std::string DateChangedText(const THyperData &page, int dateOrder);

// What an editor that writes its own page file (the checklist) did with it.
struct OwnSave {
    bool written = false;  // the page had changed and its file was written or removed
    bool failed = false;   // that write failed; the editor keeps the page modified
    bool describe = false; // the page's description needs writing
};

// What the editor of the shown page holds, as SaveTopicPage needs it.
struct EditorState {
    // Set for an editor that saved its page itself; modified, holdsData and write are unused.
    std::optional<OwnSave> ownSave;
    bool modified = false;  // changed since the page was shown
    bool holdsData = false; // text in the details editor, items in the checklist
    // Writes the editor's data into the page's file (naming the page first when it has none).
    std::function<StoreResult(THyperData &)> write;
    // The page's title changed: its description is written (the page is named for it).
    bool describe = false;
    // Checklist: the shown width of each column (-1: the column has no view column).
    std::vector<int> columnWidths;
    // The page is the one on screen (it becomes the visible page); false for kept edits of a
    // page that is saved again while another one is shown.
    bool shown = true;
};

struct PageSaveResult {
    bool dataSaved = false;    // the page's file was written or removed
    bool failed = false;       // a write failed: the editor stays modified and is tried again
    bool storeChanged = false; // dac or dam changed: the store is modified
};

// Saves the page at shownIndex of the node's loaded content: the shown page becomes the
// visible one; a modified page is written (or, when the editor is empty, its file removed),
// its amendment stamp renewed and the topic moved to the front of the recent changes; then
// the description and the content file are written when they need it, and dac and dam
// recomputed.
PageSaveResult SaveTopicPage(TNimbusNode &node, int shownIndex, const EditorState &editor,
                             const ContentFolders &folders, const Clock &clock, StoreLog &log,
                             SummaryLists &lists);

} // namespace pages
} // namespace nimbus

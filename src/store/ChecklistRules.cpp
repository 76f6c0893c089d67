// The checklist editor's rules: progress from ticks, stamps, moves, clipboard text, entry box
// and popup menu state.
#include "store/ChecklistRules.h"

#include <utility>

#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::checklist {

std::optional<Progress> ProgressFromTicks(int ticked, int count)
{
    if (count <= 0)
        return std::nullopt;
    if (ticked >= count)
        return Progress{100, kStatusCompleted};
    if (ticked <= 0)
        return Progress{0, kStatusNotStarted};
    return Progress{ticked * 100 / count, kStatusInProgress};
}

std::optional<Progress> ProgressOf(const std::vector<ChecklistItem> &items)
{
    int ticked = 0;
    for (const ChecklistItem &item : items)
        ticked += item.checked ? 1 : 0;
    return ProgressFromTicks(ticked, static_cast<int>(items.size()));
}

ProgressOutcome UpdateProgressFromChecklist(TNimbusNode &node,
                                            const std::vector<ChecklistItem> &items,
                                            const Clock &clock)
{
    ProgressOutcome outcome;
    const std::optional<Progress> progress = ProgressOf(items);
    if (!progress)
        return outcome;
    if (node.ttype != kTopicTask) {
        node.percent = progress->percent;
        outcome.storeModified = true;
        return outcome;
    }
    if (node.status == progress->status && node.percent == progress->percent)
        return outcome;
    const DateTime now = clock.now();
    if (progress->status == kStatusInProgress && node.sta.empty())
        node.sta = dates::stamp(now);
    if (progress->status == kStatusCompleted) {
        node.fdate = dates::dateKey(now);
        node.fTime = "00:00:00";
    }
    node.percent = progress->percent;
    node.status = progress->status;
    node.prog = true;
    // The time-left text and its colour follow the new status now, as the status buttons do,
    // rather than at the deadline timer's next pass.
    schedule::UpdateSchedule(node, now);
    node.UpdateSortKey();
    outcome.storeModified = true;
    outcome.statusChanged = true;
    return outcome;
}

void SetTick(ChecklistItem &item, bool ticked, const Clock &clock)
{
    item.checked = ticked;
    if (ticked)
        item.finished = dates::stamp(clock.now());
}

std::string FinishedText(const std::string &finishedStamp, int dateOrder)
{
    if (finishedStamp.empty())
        return {};
    return dates::displayStamp(finishedStamp, dateOrder).substr(0, 16);
}

std::string CleanItemText(std::string_view text)
{
    std::string clean(text);
    for (char &c : clean) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            c = ' ';
    }
    return clean;
}

void SetItemText(ChecklistItem &item, std::string_view text)
{
    item.text = CleanItemText(text);
    item.link = LinkRecord{};
    FindLink(item.text, item.link);
}

ChecklistItem MakeItem(std::string_view text)
{
    ChecklistItem item;
    SetItemText(item, text);
    return item;
}

std::vector<std::string> SplitPastedText(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.find_first_not_of(" \t") != std::string_view::npos)
            lines.push_back(CleanItemText(line));
        start = end + 1;
    }
    return lines;
}

std::string JoinItemTexts(const std::vector<ChecklistItem> &items, const std::vector<int> &rows)
{
    std::string text;
    for (int row : rows) {
        if (row < 0 || row >= static_cast<int>(items.size()))
            continue;
        if (!text.empty())
            text += '\n';
        text += items[static_cast<std::size_t>(row)].text;
    }
    return text;
}

int MoveTarget(int row, int count, int delta)
{
    if (row < 0 || row >= count)
        return -1;
    const int target = row + delta;
    return target >= 0 && target < count ? target : -1;
}

int MoveItem(std::vector<ChecklistItem> &items, int row, int delta)
{
    const int target = MoveTarget(row, static_cast<int>(items.size()), delta);
    if (target < 0)
        return -1;
    std::swap(items[static_cast<std::size_t>(row)], items[static_cast<std::size_t>(target)]);
    return target;
}

std::string LinkTarget(const ChecklistItem &item)
{
    if (item.link.found)
        return item.link.link;
    const std::size_t first = item.text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = item.text.find_last_not_of(' ');
    return item.text.substr(first, last - first + 1);
}

std::string ContainingFolder(const std::string &target)
{
    if (target.find("://") != std::string::npos || target.rfind("mailto:", 0) == 0)
        return {};
    const std::size_t slash = target.find_last_of("/\\");
    if (slash == std::string::npos)
        return {};
    return target.substr(0, slash + 1);
}

bool NamesFile(const ChecklistItem &item)
{
    if (item.link.found)
        return item.link.isFile;
    const std::string target = LinkTarget(item);
    return !target.empty() && target.front() == '/';
}

EntryState AddState()
{
    return EntryState{};
}

EntryState ChangeState(bool haveSelection)
{
    if (!haveSelection)
        return AddState();
    return EntryState{EntryMode::Change, true, NIMBUS_TEXT_NOOP("nimbus::checklist", "Change"),
                      NIMBUS_TEXT_NOOP("nimbus::checklist", "Change selected item:")};
}

EntryState AfterTyping(EntryState state, std::string_view text)
{
    if (state.mode == EntryMode::Add)
        state.buttonEnabled = !text.empty();
    return state;
}

MenuState PopupState(const MenuContext &context)
{
    MenuState state;
    const bool haveItems = context.itemCount > 0;
    const bool editable = !context.readOnly;
    state.add = editable;
    state.title = editable;
    state.change = editable && haveItems;
    state.up = editable && haveItems;
    state.down = editable && haveItems;
    state.remove = editable && haveItems;
    state.selectAll = haveItems;
    state.openLink = context.itemUnderPointer;
    state.openFolder = context.itemUnderPointer;
    state.copy = context.selectedCount > 0;
    state.paste = editable && context.clipboardHasText;
    return state;
}

} // namespace nimbus::checklist

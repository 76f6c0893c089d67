// Rules of the grids beside the tree.
#include "store/GridCells.h"

#include "fileio/UiText.h"
#include "store/ScheduleText.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::gridcells {

int RowBackground(bool selected, int rowShade)
{
    if (selected)
        return rgbColour(229, 229, 229);
    return rowShade == 1 ? rgbColour(232, 244, 244) : rgbColour(255, 255, 255);
}

InfoCell InfoCellFor(const TNimbusNode &node)
{
    InfoCell cell;
    if ((node.ttype == kTopicTask || node.ttype == kTopicEvent) && !node.statusText.empty()) {
        cell.shown = true;
        cell.text = schedule::shownStatusText(node.statusText);
        cell.colour = node.highlightColour;
    }
    return cell;
}

int InfoTextLeft(int cellWidth, int textWidth)
{
    const int centred = (cellWidth - textWidth) / 2 + 2;
    return textWidth + 4 <= cellWidth ? centred : 2;
}

namespace {

bool hasStatusImage(int status)
{
    return status >= kStatusNotStarted && status <= kStatusWaiting;
}

} // namespace

DueCell DueCellFor(const TNimbusNode &node, bool collapsed)
{
    DueCell cell;
    if (node.dac == 1)
        cell.content = {IconList::Doc, (node.dam == 1) ? 0 : 1};
    else if (node.dac > 1)
        cell.content = {IconList::Doc, 2};

    // urgentCount counts urgent children of every type, while childCount counts only task
    // children: a collapsed group of notes or events must still show what it hides.
    const bool urgentHere = node.urgent || (collapsed && node.urgentCount > 0);
    if (node.fav)
        cell.marker = {IconList::TopicStatus, urgentHere ? 15 : 14};
    else if (urgentHere)
        cell.marker = {IconList::TopicStatus, 0};

    // Status 0 (none) has no image of its own: index 0 of the list is the urgency mark, which
    // would tell the user something untrue.
    if (node.ttype == kTopicTask) {
        if (node.status == kStatusInProgress && node.prog && node.percent >= 1 &&
            node.percent <= 99)
            cell.state = {IconList::Progress, node.percent / 10};
        else if (hasStatusImage(node.status))
            cell.state = {IconList::TopicStatus, node.recur ? node.status + 5 : node.status};
        if (node.status != kStatusOnHold && node.pri > 0)
            cell.priority = node.pri;
    } else if (node.ttype == kTopicEvent && hasStatusImage(node.status)) {
        if (node.recur)
            cell.state = {IconList::TopicStatus, node.status + 5};
        else if (node.dl)
            cell.state = {IconList::TopicStatus, node.status};
    }
    return cell;
}

std::string InfoCellText(const TNimbusNode &node)
{
    const InfoCell cell = InfoCellFor(node);
    return cell.shown ? cell.text : text::translate("GridCells", "no due date");
}

std::string DueCellText(const TNimbusNode &node, bool collapsed)
{
    const DueCell cell = DueCellFor(node, collapsed);
    std::string text;
    auto add = [&text](const std::string &part) {
        if (!text.empty())
            text += ", ";
        text += part;
    };
    if (cell.marker.list == IconList::TopicStatus) {
        if (cell.marker.index == 15 || cell.marker.index == 0)
            add(node.urgent ? text::translate("GridCells", "urgent")
                            : text::translate("GridCells", "urgent sub-topics"));
        if (cell.marker.index == 15 || cell.marker.index == 14)
            add(text::translate("GridCells", "favourite"));
    }
    // The parts a screen reader says for the cell, each in the user's language.
    static const char *const kStatusWords[] = {"",
                                               NIMBUS_TEXT_NOOP("GridCells", "not started"),
                                               NIMBUS_TEXT_NOOP("GridCells", "in progress"),
                                               NIMBUS_TEXT_NOOP("GridCells", "finished"),
                                               NIMBUS_TEXT_NOOP("GridCells", "on hold"),
                                               NIMBUS_TEXT_NOOP("GridCells", "waiting")};
    if (cell.state.list == IconList::Progress) {
        add(text::withValues(text::translate("GridCells", "in progress %1 %"),
                             {std::to_string(node.percent)}));
    } else if (cell.state.list == IconList::TopicStatus) {
        const int status = cell.state.index > 5 ? cell.state.index - 5 : cell.state.index;
        if (status >= 1 && status <= 5)
            add(node.ttype == kTopicEvent && status == kStatusNotStarted
                    ? text::translate("GridCells", "future event")
                    : text::translate("GridCells", kStatusWords[status]));
        if (cell.state.index > 5)
            add(text::translate("GridCells", "recurring"));
    }
    if (cell.priority > 0)
        add(text::withValues(text::translate("GridCells", "priority %1"),
                             {std::to_string(cell.priority)}));
    if (cell.content.list == IconList::Doc)
        add(cell.content.index == 2   ? text::translate("GridCells", "several pages")
            : cell.content.index == 0 ? text::translate("GridCells", "details page")
                                      : text::translate("GridCells", "one page"));
    return text.empty() ? text::translate("GridCells", "no status") : text;
}

} // namespace nimbus::gridcells

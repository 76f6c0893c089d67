// What the two grids beside the tree show for a topic: the schedule cell of "Due" (gridInfo)
// and the icons and priority of "Status" (gridDue), and the row backgrounds both share.
#pragma once

#include <string>

namespace nimbus {

class TNimbusNode;

namespace gridcells {

constexpr int kSlotWidth = 18; // each icon of the status cell has a slot this wide
constexpr int kIconInset = 2;  // and is drawn this far into it

// Row background: selected, band (rowShade 1) or white.
int RowBackground(bool selected, int rowShade);

// The "Due" cell: shown for tasks and events with a schedule text.
struct InfoCell {
    bool shown = false;
    std::string text;
    int colour = 0; // fill behind the text: the node's highlight colour
};
InfoCell InfoCellFor(const TNimbusNode &node);
// Left offset of the text: centred when it fits, else 2 pixels in.
int InfoTextLeft(int cellWidth, int textWidth);

// Image lists the status cell draws from.
enum class IconList {
    None,
    Doc,         // imagesDoc: 0 details, 1 other page, 2 several pages
    TopicStatus, // imagesTopicStatus: 0 urgent, 1..5 status, 6..10 recurring status,
                 // 14 favourite, 15 urgent favourite
    Progress,    // imagesprogress: 0..9 tenths done
};
struct Icon {
    IconList list = IconList::None;
    int index = -1;
};

// The "Status" cell, slot by slot from the left edge.
struct DueCell {
    Icon content;     // slot 0: pages holding data
    Icon marker;      // slot 1: favourite and urgency
    Icon state;       // slot 2: a task's progress or status, an event's status
    int priority = 0; // slot 3: a task's priority box, 0 none
};
// collapsed: the node's tree item is collapsed (urgent descendants then show on the node).
DueCell DueCellFor(const TNimbusNode &node, bool collapsed);

// What the cells say in words, for a screen reader: the "Due" cell's text (or that there is
// none) and the "Status" cell's pictures one by one ("urgent, favourite, in progress 40 %,
// priority 2, recurring, details page"), in the user's language.
std::string InfoCellText(const TNimbusNode &node);
std::string DueCellText(const TNimbusNode &node, bool collapsed);

constexpr int kPriorityBoxColour = 0xE5E5E5; // 229, 229, 229
constexpr int kPriorityTextGrey = 144;       // bold grey 144, 144, 144

} // namespace gridcells
} // namespace nimbus

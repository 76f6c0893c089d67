// The colours of everything drawn by hand beside and in the topic tree: row backgrounds, caption
// colours, the grids' cells and headings, and the summary's sky and labels. The light set is the
// program's documented one, colour for colour; the dark set keeps each colour's meaning (red
// urgent, green done, bands, the due cell's today/later/overdue fills) on a dark desktop, with
// every text at least 4.5:1 against what it is drawn on.
#pragma once

#include <string>
#include <vector>

#include "shell/core/ColourContrast.h"

namespace nimbus {
class TNimbusNode;
}

namespace nimbus::look {

struct TreeLook {
    // Tree rows, and the grid rows beside them.
    Rgb selectedBackground;
    Rgb bandBackground;
    Rgb plainBackground;
    // Captions.
    Rgb sectionCaption;
    Rgb urgentCaption;
    Rgb completedCaption;
    Rgb topicCaption;
    Rgb focusFrame;
    // "Due" cell: text on the schedule's highlight, inside a frame.
    Rgb dueText;
    Rgb dueFrame;
    // "Status" cell: the priority number in its box.
    Rgb priorityBox;
    Rgb priorityText;
    // Grid headings ("Due", "Status"): a gradient, a line below, the heading's text.
    Rgb headingTop;
    Rgb headingBottom;
    Rgb headingLine;
    Rgb headingText;
    // Summary page: the sky's gradient from the top, the badges' labels and the hint at the foot.
    Rgb skyTop;
    Rgb skyMiddle;
    Rgb skyBottom;
    Rgb summaryLabel;
    Rgb summaryHint;
};

enum class Shade { Light, Dark };

const TreeLook &treeLook(Shade shade);

// A caption's colour: sections, urgent topics, completed tasks and other topics.
Rgb captionColour(const TreeLook &look, const TNimbusNode &node);

// A desktop is dark when the colour behind its views (the palette's base) is dark.
Shade shadeFor(Rgb base);

// The fill behind a "Due" text: the schedule's highlight colour (stored as rgbColour) as it is
// under the light set, or its counterpart of the same meaning under the dark one.
Rgb dueFill(int highlightColour, Shade shade);

// Every text/background pair the tree, the grids and the summary draw, named for reports.
struct ColourPair {
    std::string what;
    Rgb text;
    Rgb background;
};
std::vector<ColourPair> drawnPairs(Shade shade);

} // namespace nimbus::look

// The light and dark colour sets of the tree, the grids and the summary.
#include "shell/core/TreeLook.h"

#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

namespace nimbus::look {

namespace {

Rgb fromStored(int colour)
{
    return {colourRed(colour), colourGreen(colour), colourBlue(colour)};
}

// Documented colours; the headings and the sky are the program's own.
const TreeLook kLight{
    .selectedBackground = {229, 229, 229},
    .bandBackground = {232, 244, 244},
    .plainBackground = {255, 255, 255},
    .sectionCaption = {16, 16, 16},
    .urgentCaption = {255, 0, 0},
    .completedCaption = {0, 128, 0},
    .topicCaption = {0, 0, 128},
    .focusFrame = {150, 150, 150},
    .dueText = {0, 0, 128},
    .dueFrame = {255, 255, 255},
    .priorityBox = {229, 229, 229},
    .priorityText = {144, 144, 144},
    .headingTop = {250, 250, 250},
    .headingBottom = {228, 230, 234},
    .headingLine = {190, 192, 198},
    .headingText = {50, 50, 60},
    .skyTop = {28, 78, 150},
    .skyMiddle = {78, 138, 204},
    .skyBottom = {172, 208, 236},
    .summaryLabel = {255, 255, 255},
    .summaryHint = {20, 50, 100},
};

// Dark backgrounds a little apart (plain, a teal band, a lighter selection) and light captions
// of the same hues: near-white sections, soft red, green and blue topics.
const TreeLook kDark{
    .selectedBackground = {60, 64, 72},
    .bandBackground = {24, 52, 56},
    .plainBackground = {30, 32, 36},
    .sectionCaption = {238, 238, 238},
    .urgentCaption = {255, 140, 140},
    .completedCaption = {120, 220, 120},
    .topicCaption = {165, 195, 255},
    .focusFrame = {150, 150, 150},
    .dueText = {240, 240, 240},
    .dueFrame = {30, 32, 36},
    .priorityBox = {60, 64, 72},
    .priorityText = {210, 210, 210},
    .headingTop = {56, 58, 64},
    .headingBottom = {44, 46, 52},
    .headingLine = {80, 82, 90},
    .headingText = {220, 222, 228},
    .skyTop = {6, 14, 36},
    .skyMiddle = {16, 34, 70},
    .skyBottom = {36, 60, 102},
    .summaryLabel = {255, 255, 255},
    .summaryHint = {200, 215, 240},
};

} // namespace

const TreeLook &treeLook(Shade shade)
{
    return shade == Shade::Dark ? kDark : kLight;
}

Rgb captionColour(const TreeLook &look, const TNimbusNode &node)
{
    if (node.lev == 0)
        return look.sectionCaption;
    if (node.urgent)
        return look.urgentCaption;
    if (node.ttype == kTopicTask && node.status == kStatusCompleted)
        return look.completedCaption;
    return look.topicCaption;
}

Shade shadeFor(Rgb base)
{
    return isDark(base) ? Shade::Dark : Shade::Light;
}

Rgb dueFill(int highlightColour, Shade shade)
{
    if (shade == Shade::Light)
        return fromStored(highlightColour);
    // Deep versions of yellow (today, in progress), blue-grey (later) and pink (overdue).
    switch (highlightColour) {
    case kColourYellow:
        return {96, 88, 0};
    case kColourBlueGrey:
        return {40, 72, 78};
    case kColourPink:
        return {110, 42, 46};
    default:
        break;
    }
    const Rgb stored = fromStored(highlightColour);
    return {stored.red / 3, stored.green / 3, stored.blue / 3};
}

std::vector<ColourPair> drawnPairs(Shade shade)
{
    const TreeLook &l = treeLook(shade);
    std::vector<ColourPair> pairs;
    const std::pair<const char *, Rgb> rows[] = {{"selected row", l.selectedBackground},
                                                 {"band row", l.bandBackground},
                                                 {"plain row", l.plainBackground}};
    const std::pair<const char *, Rgb> captions[] = {{"section caption", l.sectionCaption},
                                                     {"urgent caption", l.urgentCaption},
                                                     {"completed caption", l.completedCaption},
                                                     {"topic caption", l.topicCaption}};
    for (const auto &caption : captions)
        for (const auto &row : rows)
            pairs.push_back({std::string(caption.first) + " on " + row.first, caption.second,
                             row.second});
    for (int stored : {kColourYellow, kColourBlueGrey, kColourPink})
        pairs.push_back({"due text on its highlight", l.dueText, dueFill(stored, shade)});
    pairs.push_back({"priority number on its box", l.priorityText, l.priorityBox});
    pairs.push_back({"grid heading", l.headingText, l.headingBottom});
    pairs.push_back({"grid heading", l.headingText, l.headingTop});
    pairs.push_back({"summary label on the sky", l.summaryLabel, l.skyBottom});
    pairs.push_back({"summary hint on the sky", l.summaryHint, l.skyBottom});
    return pairs;
}

} // namespace nimbus::look

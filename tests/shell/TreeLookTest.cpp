// The colours drawn by hand in the tree, the grids and the summary: the light set is the
// documented one, and every text under the dark set reads at 4.5:1 or better.
#include <gtest/gtest.h>

#include "shell/core/TreeLook.h"
#include "store/GridCells.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

using namespace nimbus;
using namespace nimbus::look;

namespace {

Rgb stored(int colour)
{
    return {colourRed(colour), colourGreen(colour), colourBlue(colour)};
}

} // namespace

TEST(ColourContrast, FollowsTheGuidelinesFormula)
{
    EXPECT_DOUBLE_EQ(relativeLuminance({0, 0, 0}), 0.0);
    EXPECT_DOUBLE_EQ(relativeLuminance({255, 255, 255}), 1.0);
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio({255, 255, 255}, {0, 0, 0}), 21.0, 1e-9); // order does not matter
    EXPECT_NEAR(contrastRatio({118, 118, 118}, {255, 255, 255}), 4.54, 0.01); // the 4.5 grey
    EXPECT_NEAR(contrastRatio({255, 0, 0}, {255, 255, 255}), 4.0, 0.01);
    EXPECT_NEAR(contrastRatio({0, 0, 128}, {255, 255, 255}), 16.0, 0.1);
    // Components outside 0..255 (a damaged colour) are taken at the nearest end.
    EXPECT_DOUBLE_EQ(relativeLuminance({300, -5, 255}), relativeLuminance({255, 0, 255}));
}

TEST(ColourContrast, TellsDarkBackgroundsFromLightOnes)
{
    EXPECT_TRUE(isDark({0, 0, 0}));
    EXPECT_TRUE(isDark({42, 42, 42}));   // a typical dark theme's base
    EXPECT_TRUE(isDark({100, 100, 100}));
    EXPECT_FALSE(isDark({140, 140, 140}));
    EXPECT_FALSE(isDark({255, 255, 255}));
    EXPECT_FALSE(isDark({239, 239, 239})); // a typical light theme's window
    EXPECT_EQ(shadeFor({35, 38, 41}), Shade::Dark);
    EXPECT_EQ(shadeFor({252, 252, 252}), Shade::Light);
}

TEST(TreeLook, LightSetIsTheDocumentedColours)
{
    const TreeLook &light = treeLook(Shade::Light);
    EXPECT_EQ(light.selectedBackground, (Rgb{229, 229, 229}));
    EXPECT_EQ(light.bandBackground, (Rgb{232, 244, 244}));
    EXPECT_EQ(light.plainBackground, (Rgb{255, 255, 255}));
    EXPECT_EQ(light.sectionCaption, (Rgb{16, 16, 16}));
    EXPECT_EQ(light.urgentCaption, (Rgb{255, 0, 0}));
    EXPECT_EQ(light.completedCaption, (Rgb{0, 128, 0}));
    EXPECT_EQ(light.topicCaption, (Rgb{0, 0, 128}));
    EXPECT_EQ(light.dueText, (Rgb{0, 0, 128}));
    EXPECT_EQ(light.dueFrame, (Rgb{255, 255, 255}));
    EXPECT_EQ(light.priorityBox, stored(gridcells::kPriorityBoxColour));
    EXPECT_EQ(light.priorityText, (Rgb{144, 144, 144}));
    // The grids' row rule of the store agrees with the tree's colours.
    EXPECT_EQ(stored(gridcells::RowBackground(true, 1)), light.selectedBackground);
    EXPECT_EQ(stored(gridcells::RowBackground(false, 1)), light.bandBackground);
    EXPECT_EQ(stored(gridcells::RowBackground(false, 0)), light.plainBackground);
    // The due cell's fill is the schedule's own highlight colour.
    for (int colour : {kColourYellow, kColourBlueGrey, kColourPink})
        EXPECT_EQ(dueFill(colour, Shade::Light), stored(colour));
}

TEST(TreeLook, EveryDarkTextReadsAtFourAndAHalfToOne)
{
    const auto pairs = drawnPairs(Shade::Dark);
    ASSERT_GE(pairs.size(), 12u + 3u + 1u); // 4 captions x 3 rows, 3 due fills, the priority
    for (const ColourPair &pair : pairs)
        EXPECT_GE(contrastRatio(pair.text, pair.background), 4.5) << pair.what;
}

TEST(TreeLook, DarkSetKeepsEachColoursMeaning)
{
    const TreeLook &dark = treeLook(Shade::Dark);
    const auto hueLeads = [](Rgb c, int Rgb::*lead) {
        return c.*lead >= c.red && c.*lead >= c.green && c.*lead >= c.blue;
    };
    // Red stays the reddest, green the greenest, blue the bluest; sections stay neutral.
    EXPECT_TRUE(hueLeads(dark.urgentCaption, &Rgb::red));
    EXPECT_GT(dark.urgentCaption.red, dark.urgentCaption.green + 80);
    EXPECT_TRUE(hueLeads(dark.completedCaption, &Rgb::green));
    EXPECT_GT(dark.completedCaption.green, dark.completedCaption.red + 80);
    EXPECT_TRUE(hueLeads(dark.topicCaption, &Rgb::blue));
    EXPECT_EQ(dark.sectionCaption.red, dark.sectionCaption.blue);
    // The three row backgrounds, and the three due fills, stay told apart.
    EXPECT_NE(dark.selectedBackground, dark.bandBackground);
    EXPECT_NE(dark.bandBackground, dark.plainBackground);
    EXPECT_GT(dark.bandBackground.green, dark.bandBackground.red); // the band keeps its teal
    const Rgb today = dueFill(kColourYellow, Shade::Dark);
    const Rgb later = dueFill(kColourBlueGrey, Shade::Dark);
    const Rgb overdue = dueFill(kColourPink, Shade::Dark);
    EXPECT_GT(today.red, today.blue + 40);
    EXPECT_GT(today.green, today.blue + 40); // yellow
    EXPECT_GT(overdue.red, overdue.green + 40); // pink-red
    EXPECT_GT(later.blue, later.red);          // blue-grey
    for (Rgb fill : {today, later, overdue})
        EXPECT_TRUE(isDark(fill));
    // Every dark background is dark, and every light one light, so the desktop's shade and the
    // colours drawn on it agree.
    for (Rgb background : {dark.selectedBackground, dark.bandBackground, dark.plainBackground})
        EXPECT_TRUE(isDark(background));
    const TreeLook &light = treeLook(Shade::Light);
    for (Rgb background : {light.selectedBackground, light.bandBackground, light.plainBackground})
        EXPECT_FALSE(isDark(background));
}

TEST(TreeLook, CaptionColourFollowsTheTopic)
{
    const TreeLook &dark = treeLook(Shade::Dark);
    TNimbusNode node("1");
    node.lev = 0;
    node.urgent = true;
    EXPECT_EQ(captionColour(dark, node), dark.sectionCaption); // a section is never red
    node.lev = 2;
    EXPECT_EQ(captionColour(dark, node), dark.urgentCaption);
    node.urgent = false;
    node.ttype = kTopicTask;
    node.status = kStatusCompleted;
    EXPECT_EQ(captionColour(dark, node), dark.completedCaption);
    node.status = kStatusInProgress;
    EXPECT_EQ(captionColour(dark, node), dark.topicCaption);
    node.ttype = kTopicEvent;
    node.status = kStatusCompleted; // a finished event is not a completed task
    EXPECT_EQ(captionColour(treeLook(Shade::Light), node), (Rgb{0, 0, 128}));
}

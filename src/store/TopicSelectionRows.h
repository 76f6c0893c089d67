// What the "Topic Selection" dialog shows in each row of its grid and which rows can be
// chosen. Row 0 is the heading row; row r (from 1) shows topic r - 1 of the caller's list.
#pragma once

#include <string>
#include <vector>

#include "store/TopicCodes.h"

namespace nimbus {

class TNimbusNode;

// The three cells of a topic row, drawn as the due lists beside the tree draw them.
struct SelectionRow {
    std::string due;     // schedule text; only tasks and events carry one
    int dueColour = -1;  // fill behind the schedule text; -1 none
    std::string status;  // type and status, e.g. "Task in progress"
    int percent = -1;    // a task in progress with a set percentage (1 to 99); -1 none
    int priority = 0;    // a task's priority box (not on hold); 0 none
    bool urgent = false; // urgent itself, or holding urgent sub-topics
    bool favourite = false;
    std::string title;
};
SelectionRow selectionRow(const TNimbusNode &node);

const std::vector<std::string> &selectionHeadings(); // "Due", "Status", "Topics"

constexpr int kSelectedRowColour = rgbColour(229, 229, 229);
constexpr int kRowColour = rgbColour(255, 255, 255);
constexpr int kDueTextColour = rgbColour(0, 0, 128); // navy

// A row that stands for a topic (not the heading row, not past the end).
bool isTopicRow(int row, int topicCount);

} // namespace nimbus

// The codes shared by every part of the program: topic types, statuses, section kinds, period
// units and the highlight colours of the schedule texts.
#pragma once

#include <string>

namespace nimbus {

// Topic type codes (`ttype`); the code is also the type's image index.
enum TopicType : int {
    kTopicGeneral = 2,
    kTopicEvent = 3,
    kTopicTask = 4,
    kTopicInformation = 5,
    kTopicIdea = 6,
    kTopicFinancial = 7,
};

// Status codes (`status`); 0 means none.
enum TopicStatus : int {
    kStatusNone = 0,
    kStatusNotStarted = 1,  // "Future event" for events
    kStatusInProgress = 2,
    kStatusCompleted = 3,
    kStatusOnHold = 4,
    kStatusWaiting = 5,  // a recurring event that rolled forward is "Future event" again
};

// Section kinds (`type`); every node carries the kind of its section.
enum SectionKind : int {
    kSectionNone = 0,
    kSectionTopics = 1,
    kSectionNetwork = 2,
    kSectionPreferences = 3,
    kSectionProduct = 5,
    kSectionContacts = 6,
};

// Period units (`rtype`, `fltyp`, `durtype`); -1 means none.
enum PeriodUnit : int {
    kUnitNone = -1,
    kUnitMinutes = 0,
    kUnitHours = 1,
    kUnitDays = 2,
    kUnitWeeks = 3,
    kUnitMonths = 4,
    kUnitYears = 5,
};

// Colours are kept as the platform-neutral 0x00BBGGRR value the data has always used.
constexpr int rgbColour(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}
constexpr int kColourYellow = rgbColour(248, 248, 0);        // due today, in progress
constexpr int kColourBlueGrey = rgbColour(208, 232, 232);    // due later
constexpr int kColourPink = rgbColour(240, 192, 192);        // overdue
constexpr int colourRed(int colour) { return colour & 0xFF; }
constexpr int colourGreen(int colour) { return (colour >> 8) & 0xFF; }
constexpr int colourBlue(int colour) { return (colour >> 16) & 0xFF; }

// Label of a section kind ("Topics", ...); empty for an unknown kind.
std::string sectionKindName(int kind);
// Name of a period unit for a count: "Day" for 1, "Days" otherwise; empty for an unknown unit.
std::string periodName(int unit, int count);
// Type text of a topic as lists show it ("Task not started", "Events group", ...).
std::string topicTypeText(int ttype, int status, bool hasChildren);

}  // namespace nimbus

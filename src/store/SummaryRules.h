// The nine groups of the summary page: which topics belong to each, the key that orders each
// group, and the texts the page, its menu and the selection dialog show for them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace nimbus {

class TNimbusNode;

namespace summary {

// Numbered as the badge pictures are (imageNimbus1Lo ... imageNimbus9Lo).
enum class Group : int {
    Deadlines = 1,
    Urgent = 2,
    Overdue = 3,
    Events = 4,
    InProgress = 5,
    New = 6,
    Changes = 7,
    Favourites = 8,
    Waiting = 9,
};
constexpr int kGroupCount = 9;

// Every group, in the order of the menu popCategory.
constexpr std::array<Group, kGroupCount> kMenuOrder = {
    Group::Deadlines, Group::Urgent, Group::Overdue, Group::InProgress, Group::Waiting,
    Group::Events,    Group::New,    Group::Changes, Group::Favourites};

// Zero-based position of a group in arrays indexed by group.
constexpr int indexOf(Group group)
{
    return static_cast<int>(group) - 1;
}
constexpr Group groupAt(int index)
{
    return static_cast<Group>(index + 1);
}

// The seven groups that are classified from the nodes; New and Changes are kept by the
// program as topics are made and their pages saved.
constexpr bool isClassified(Group group)
{
    return group != Group::New && group != Group::Changes;
}

// Orders as text: the most overdue first (a leading blank), then ascending days ("+").
std::string DaysKey(int daysLeft);

// The classified groups a topic (lev above 0) belongs to, one bit per group (bit indexOf).
unsigned MemberGroups(const TNimbusNode &node);
// True when a topic belongs to a classified group.
bool IsMember(Group group, const TNimbusNode &node);
// The key a member is listed under in its group.
std::string GroupKey(Group group, const TNimbusNode &node);

// "Deadlines: " ... "Favourites: ", each followed by the count on the badge, in the user's
// language.
std::string BadgeText(Group group, int count);
// The caption of a badge alone ("Overdue: "), in the user's language, for a window that writes
// the count in the user's number form.
std::string BadgeCaption(Group group);
// The same line in English, as nimbus-cli's summary prints it for scripts and status bars.
std::string BadgeLine(Group group, int count);
// Caption of the group's item in popCategory ("Deadlines next 2 weeks", ...).
std::string MenuCaption(Group group);
// Title of the selection dialog that lists the group ("Task deadlines in the next six weeks").
std::string SelectionTitle(Group group);
// Object name of the group's badge label (labDeadline, ...).
std::string LabelName(Group group);
// Walking a large store, the nodes lie scattered on the heap and which group a node joins
// cannot be guessed ahead: asking for the nodes a few entries ahead keeps the walk from
// waiting on memory for every node.
template <typename Entries> inline void PrefetchAhead(const Entries &entries, std::size_t index)
{
    constexpr std::size_t kAhead = 8;
    if (index + kAhead < entries.size())
        if (const auto *node = entries[index + kAhead].node) {
            const char *bytes = reinterpret_cast<const char *>(node);
            __builtin_prefetch(bytes);
            __builtin_prefetch(bytes + 64);
            __builtin_prefetch(bytes + 128);
        }
}

// Most entries the selection dialog offers: no limit for the classified groups, 50 for the
// recent lists.
constexpr int kRecentLimit = 50;

} // namespace summary
} // namespace nimbus

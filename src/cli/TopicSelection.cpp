// Choosing the topics of a list.
#include "cli/TopicSelection.h"

#include <algorithm>
#include <filesystem>

#include "cli/TopicSnapshot.h"
#include "fileio/UiText.h"
#include "store/GridCells.h"
#include "store/SummaryRules.h"
#include "store/TNimbusNode.h"
#include "tree/TreeRules.h"

namespace nimbus::cli {

namespace {

std::optional<summary::Group> groupOf(const std::string &list)
{
    using summary::Group;
    if (list == "deadlines")
        return Group::Deadlines;
    if (list == "overdue")
        return Group::Overdue;
    if (list == "urgent")
        return Group::Urgent;
    if (list == "in-progress")
        return Group::InProgress;
    if (list == "waiting")
        return Group::Waiting;
    if (list == "events")
        return Group::Events;
    if (list == "new")
        return Group::New;
    if (list == "changes")
        return Group::Changes;
    if (list == "favourites")
        return Group::Favourites;
    return std::nullopt;
}

// Within the next `days` days, as the "Due" grid shows it: a task or event with a schedule
// text. Neither value changes in the roll-up.
bool scheduledWithin(const TNimbusNode &node, int days)
{
    return gridcells::InfoCellFor(node).shown && node.daysLeft >= 0 && node.daysLeft < days;
}

// Due today or within the next seven days: scheduled then, and not completed (a group task's
// status comes from the roll-up).
bool dueWithin(const TNimbusNode &node, int days)
{
    return node.status != kStatusCompleted && scheduledWithin(node, days);
}

// The days of the "today" and "week" lists; 0 for the others.
int daysOf(const std::string &list)
{
    return list == "today" ? 1 : list == "week" ? 7 : 0;
}

const tree::TreeItem *itemOf(const TNimbusNode &node)
{
    return static_cast<const tree::TreeItem *>(node.treeItem);
}

bool isBelow(const TNimbusNode &node, const TNimbusNode &ancestor)
{
    for (const tree::TreeItem *item = itemOf(node); item; item = item->parent)
        if (item->parent && item->parent->node == &ancestor)
            return true;
    return false;
}

const TNimbusNode *sectionOf(const TNimbusNode &node)
{
    const tree::TreeItem *item = itemOf(node);
    while (item && item->parent)
        item = item->parent;
    return item ? item->node : nullptr;
}

tree::SortMode sortModeOf(const std::string &sort)
{
    return sort == "due" ? tree::SortMode::DaysDue : sort == "priority" ? tree::SortMode::Priority
                                                                         : tree::SortMode::Title;
}

// The first section with that title or id.
const TNimbusNode *sectionNamed(const TNimbusStructure &store, const std::string &name)
{
    for (const auto &entry : store.Entries())
        if (entry.node && entry.node->lev == 0 && (entry.node->text == name || entry.node->uni == name))
            return entry.node;
    return nullptr;
}

} // namespace

const std::vector<std::string> &listNames()
{
    static const std::vector<std::string> names = {
        "deadlines", "overdue", "urgent",  "today",   "week",       "in-progress",
        "waiting",   "events",  "new",     "changes", "favourites", "all"};
    return names;
}

std::optional<summary::Group> classifiedGroupOf(const std::string &list)
{
    const auto group = groupOf(list);
    return group && summary::isClassified(*group) ? group : std::nullopt;
}

bool needsRecentLists(const std::string &list)
{
    return list == "new" || list == "changes";
}

std::optional<OnePassReader::Keep> onePassKeep(const ListQuery &query)
{
    OnePassReader::Keep keep;
    keep.anchor = query.under;
    if (const auto group = classifiedGroupOf(query.list)) {
        keep.group = group;
        // Its members are the answer: only a section or a parent asked for is looked up.
        keep.findable = !query.section.empty() || !query.under.empty();
    } else if (const int days = daysOf(query.list); days > 0) {
        keep.test = [days](const TNimbusNode &node) { return scheduledWithin(node, days); };
    } else if (query.list == "all" && !query.under.empty() && query.section.empty()) {
        keep.ids.insert(query.under); // its subtree is the answer
    } else if (!needsRecentLists(query.list)) {
        return std::nullopt; // every topic, or every topic of a section: the whole load
    }
    return keep;
}

bool streamsEveryTopic(const ListQuery &query)
{
    return query.list == "all" && query.under.empty();
}


Outcome listEveryTopic(TopicSnapshot &snapshot, const ListQuery &query, const std::string &dataFolder,
                       const Clock &clock, std::vector<TopicRow> &rows)
{
    // Each row's section beside it, as the section asked for is known only at the end. About
    // one topic per 130 bytes of file: the rows are sized once, not grown (and copied) by
    // halves.
    std::vector<const TNimbusNode *> sections;
    std::vector<std::string> keys; // when sorted: each row's sort key, made once rolled up
    const tree::SortMode mode = sortModeOf(query.sort);
    std::error_code error;
    const auto bytes = std::filesystem::file_size(dataFolder + "Structure.dat", error);
    if (!error) {
        rows.reserve(static_cast<std::size_t>(bytes / 130));
        sections.reserve(rows.capacity());
    }
    OnePassReader::Keep keep;
    keep.findable = false;
    keep.finished = [&](const tree::TreeItem &topic) {
        const TNimbusNode *section = topic.parent ? topic.parent->node : nullptr;
        std::vector<const tree::TreeItem *> stack{&topic};
        while (!stack.empty()) {
            const tree::TreeItem *item = stack.back();
            stack.pop_back();
            if (query.type == 0 || item->node->ttype == query.type) {
                rows.push_back(rowOf(*item->node, snapshot.displayOrder()));
                sections.push_back(section);
                if (!query.sort.empty())
                    keys.push_back(tree::SortKeyFor(mode, *item->node));
            }
            for (auto it = item->children.rbegin(); it != item->children.rend(); ++it)
                stack.push_back(it->get());
        }
    };
    const Outcome loaded =
        snapshot.loadInOnePass(dataFolder, clock, std::move(keep), false, StructureReader::Use::Listing);
    if (!loaded || !snapshot.readInOnePass()) {
        // The rows the pass made do not count.
        rows.clear();
        rows.shrink_to_fit();
    }
    if (!loaded)
        return loaded;
    if (!snapshot.readInOnePass()) {
        // Loaded whole: the rows come as for any list.
        std::vector<TNimbusNode *> topics;
        if (Outcome selected = selectTopics(snapshot, query, topics); !selected)
            return selected;
        for (const TNimbusNode *node : topics)
            rows.push_back(rowOf(*node, snapshot.displayOrder()));
        return Outcome::ok();
    }
    const TNimbusNode *section = nullptr;
    if (!query.section.empty()) {
        section = sectionNamed(snapshot.store(), query.section);
        if (!section) {
            rows.clear();
            return Outcome::fail(kNothingFound,
                                 NIMBUS_TEXT_NOOP("CliMessages", "no section is called %1"),
                                 {query.section});
        }
    }
    if (section) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (sections[i] != section)
                continue;
            if (kept != i) {
                rows[kept] = std::move(rows[i]);
                if (!keys.empty())
                    keys[kept] = std::move(keys[i]);
            }
            ++kept;
        }
        rows.resize(kept);
        if (!keys.empty())
            keys.resize(kept);
    }
    if (!query.sort.empty()) {
        // In the tree's sort order, ties in tree order (as the whole load sorts).
        std::vector<std::size_t> order(rows.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
        std::vector<std::string>().swap(keys);
        // The rows move into their places in place, cycle by cycle (place i takes row order[i]),
        // so that they are not held twice.
        std::vector<bool> placed(rows.size());
        for (std::size_t start = 0; start < rows.size(); ++start) {
            if (placed[start])
                continue;
            TopicRow first = std::move(rows[start]);
            for (std::size_t at = start;;) {
                placed[at] = true;
                const std::size_t from = order[at];
                if (from == start) {
                    rows[at] = std::move(first);
                    break;
                }
                rows[at] = std::move(rows[from]);
                at = from;
            }
        }
    }
    return Outcome::ok();
}

Outcome selectTopics(TopicSnapshot &snapshot, const ListQuery &query,
                     std::vector<TNimbusNode *> &topics)
{
    TNimbusStructure &store = snapshot.store();
    const TNimbusNode *section = nullptr;
    if (!query.section.empty()) {
        section = sectionNamed(store, query.section);
        if (!section)
            return Outcome::fail(kNothingFound,
                                 NIMBUS_TEXT_NOOP("CliMessages", "no section is called %1"),
                                 {query.section});
    }
    const TNimbusNode *under = nullptr;
    if (!query.under.empty()) {
        under = store.Find(query.under);
        if (!under)
            return Outcome::fail(kNothingFound,
                                 NIMBUS_TEXT_NOOP("CliMessages", "no topic has the id %1"),
                                 {query.under});
    }

    std::vector<TNimbusNode *> candidates;
    if (const auto group = groupOf(query.list); group && summary::isClassified(*group)) {
        // The snapshot removes no node after classifying: its members are all live.
        candidates = snapshot.lists().Members(*group);
    } else if (group) {
        const TNimbusStructure &list = snapshot.lists().ResolveGroup(*group, store);
        for (const auto &entry : list.Entries())
            if (entry.node)
                candidates.push_back(entry.node);
    } else {
        const int days = daysOf(query.list);
        if (days == 0 && query.list != "all")
            return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "unknown list \"%1\""),
                                 {query.list});
        for (const auto &entry : store.Entries())
            if (entry.node && entry.node->lev > 0 && (days == 0 || dueWithin(*entry.node, days)))
                candidates.push_back(entry.node);
        if (days > 0)
            std::stable_sort(candidates.begin(), candidates.end(), [](auto *a, auto *b) {
                return tree::CompareDaysDue(*a, *b) < 0;
            });
    }

    for (TNimbusNode *node : candidates) {
        if (section && sectionOf(*node) != section)
            continue;
        if (under && !isBelow(*node, *under))
            continue;
        if (query.type != 0 && node->ttype != query.type)
            continue;
        topics.push_back(node);
    }
    if (!query.sort.empty()) {
        const tree::SortMode mode = sortModeOf(query.sort);
        // Each topic's key made once: the comparisons then copy no titles.
        std::vector<std::pair<std::string, TNimbusNode *>> keyed;
        keyed.reserve(topics.size());
        for (TNimbusNode *node : topics)
            keyed.emplace_back(tree::SortKeyFor(mode, *node), node);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
        for (std::size_t i = 0; i < keyed.size(); ++i)
            topics[i] = keyed[i].second;
    }
    return Outcome::ok();
}

} // namespace nimbus::cli

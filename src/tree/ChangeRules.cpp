// Applying nimbus-cli's changes through the window's own editing rules.
#include "tree/ChangeRules.h"

#include <charconv>

#include "fileio/UiText.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/Scheduler.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "store/TopicOptions.h"
#include "tree/RepeatField.h"
#include "tree/TreeRules.h"

namespace nimbus::cli {

namespace {

std::optional<int> wholeNumber(const std::string &text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct Named {
    const char *name;
    int code;
};
constexpr Named kTypes[] = {{"task", kTopicTask},        {"event", kTopicEvent},
                            {"note", kTopicInformation}, {"idea", kTopicIdea},
                            {"finance", kTopicFinancial}, {"general", kTopicGeneral}};
constexpr Named kStatuses[] = {{"not-started", kStatusNotStarted}, {"in-progress", kStatusInProgress},
                               {"done", kStatusCompleted},         {"on-hold", kStatusOnHold},
                               {"waiting", kStatusWaiting}};
constexpr Named kUnits[] = {{"minute", kUnitMinutes}, {"hour", kUnitHours}, {"day", kUnitDays},
                            {"week", kUnitWeeks},     {"month", kUnitMonths}, {"year", kUnitYears}};

template <std::size_t N> std::optional<int> codeOf(const Named (&table)[N], std::string text)
{
    for (const Named &entry : table)
        if (text == entry.name)
            return entry.code;
    return std::nullopt;
}

template <std::size_t N> std::string namesOf(const Named (&table)[N])
{
    std::string out;
    for (const Named &entry : table) {
        if (!out.empty())
            out += '|';
        out += entry.name;
    }
    return out;
}

std::optional<bool> yesNo(const std::string &text)
{
    if (text == "yes" || text == "y" || text == "true" || text == "1")
        return true;
    if (text == "no" || text == "n" || text == "false" || text == "0")
        return false;
    return std::nullopt;
}

Outcome usage(const char *form, const std::vector<std::string> &values = {})
{
    return Outcome::fail(kUsage, form, values);
}

} // namespace

const std::vector<std::string> &fieldNames()
{
    static const std::vector<std::string> names = {"title",  "type",     "due",    "time",   "recur",
                                                   "priority", "urgent", "fav",    "status", "percent"};
    return names;
}

Outcome checkField(const std::string &name, const std::string &value, std::string &canonical)
{
    if (name == "title") {
        if (value.empty() || value.find_first_of("\r\n") != std::string::npos)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "a title is one line of text, not empty"));
        canonical = value;
    } else if (name == "type") {
        const auto code = codeOf(kTypes, value);
        if (!code)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "type takes %1"), {namesOf(kTypes)});
        canonical = std::to_string(*code);
    } else if (name == "due" || name == "time") {
        canonical = value; // date keys and time texts, or "none", from the caller
    } else if (name == "recur") {
        if (value == "none") {
            canonical = value;
            return Outcome::ok();
        }
        // "2 weeks", "1 month": a count and a unit, singular or plural.
        const auto blank = value.find(' ');
        std::string unit = blank == std::string::npos ? "" : value.substr(blank + 1);
        if (!unit.empty() && unit.back() == 's')
            unit.pop_back();
        const auto count = wholeNumber(value.substr(0, blank));
        const auto code = codeOf(kUnits, unit);
        if (!count || *count < 1 || *count > 9999 || !code)
            return usage(
                NIMBUS_TEXT_NOOP("CliMessages", "recur takes a count and a unit (%1), or none"),
                {namesOf(kUnits)});
        canonical = std::to_string(*count) + " " + std::to_string(*code);
    } else if (name == "priority") {
        const auto number = wholeNumber(value);
        if (!number || *number < 0 || *number > 9)
            return usage(NIMBUS_TEXT_NOOP(
                "CliMessages", "priority takes a number from 1 (highest) to 9, or 0 for none"));
        canonical = std::to_string(*number);
    } else if (name == "urgent" || name == "fav") {
        const auto flag = yesNo(value);
        if (!flag)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "%1 takes yes or no"), {name});
        canonical = *flag ? "yes" : "no";
    } else if (name == "status") {
        const auto code = codeOf(kStatuses, value);
        if (!code)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "status takes %1"), {namesOf(kStatuses)});
        canonical = std::to_string(*code);
    } else if (name == "percent") {
        const auto number = wholeNumber(value);
        if (!number || *number < 0 || *number > 100 || *number % 10 != 0)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "percent takes 0 to 100 in steps of 10"));
        canonical = std::to_string(*number);
    } else {
        std::string all;
        for (const auto &field : fieldNames())
            all += (all.empty() ? "" : ", ") + field;
        return usage(NIMBUS_TEXT_NOOP("CliMessages", "unknown field \"%1\"; fields are %2"),
                     {name, all});
    }
    return Outcome::ok();
}

Outcome checkTarget(const TNimbusStructure &store, const std::string &id, TNimbusNode *&node)
{
    node = store.Find(id);
    if (!node)
        return Outcome::fail(kNothingFound,
                             NIMBUS_TEXT_NOOP("CliMessages", "no topic has the id %1"), {id});
    if (node->lev == 0)
        return usage(NIMBUS_TEXT_NOOP("CliMessages", "%1 is a section, not a topic"), {id});
    if (node->sys)
        return usage(NIMBUS_TEXT_NOOP("CliMessages", "%1 is a system topic and cannot be changed"),
                     {id});
    return Outcome::ok();
}

Outcome findParent(const TNimbusStructure &store, const std::string &id, TNimbusNode *&parent)
{
    parent = nullptr;
    if (id.empty()) {
        for (const auto &entry : store.Entries())
            if (entry.node && entry.node->lev == 0 && entry.node->type == kSectionTopics) {
                parent = entry.node;
                return Outcome::ok();
            }
        return Outcome::fail(
            kStoreProblem, NIMBUS_TEXT_NOOP("CliMessages", "the store has no \"Topics\" section"));
    }
    parent = store.Find(id);
    if (!parent)
        return Outcome::fail(kNothingFound,
                             NIMBUS_TEXT_NOOP("CliMessages", "no topic has the id %1"), {id});
    if (parent->lev == 0 && parent->top)
        return usage(
            NIMBUS_TEXT_NOOP("CliMessages", "no topic can be inserted directly in the section %1"),
            {id});
    return Outcome::ok();
}

void initNewTopic(TNimbusNode &node, const TNimbusNode &parent, const std::string &title,
                  const Clock &clock)
{
    node.text = title;
    node.lev = parent.lev + 1;
    tree::InitNewTopic(node, parent.type, kTopicTask, clock.now());
}

Outcome applyFields(TNimbusNode &node, const Fields &fields, const Clock &clock)
{
    const DateTime now = clock.now();
    // The type first: the schedule fields mean different things for tasks and events.
    for (const auto &[name, value] : fields)
        if (name == "type")
            tree::ApplyTopicType(node, std::stoi(value), now);

    // Title, dates, recurrence and percentage go through the topic options dialog's values.
    TopicOptions options = topicOptionsFromNode(node, 0, node.childCount > 0);
    options.cancelled = false;
    bool viaOptions = false;
    for (const auto &[name, value] : fields) {
        if (name == "title") {
            options.name = value;
        } else if (name == "due") {
            if (value == "none") {
                options.deadline = false;
                options.recur = false;
                options.dueDate.clear();
                options.dueTime.clear();
                options.nextDate.clear();
                options.nextTime.clear();
            } else {
                options.deadline = true;
                options.dueDate = value;
                options.nextDate = value;
            }
        } else if (name == "time") {
            if (options.dueDate.empty() && value != "none")
                return usage(NIMBUS_TEXT_NOOP("CliMessages", "a time needs a due date"));
            options.dueTime = value == "none" ? "" : value;
            options.nextTime = options.dueTime;
        } else if (name == "recur") {
            if (value == "none") {
                options.recur = false;
                options.recurCount = 0;
                options.recurUnit = kUnitNone;
            } else {
                if (options.dueDate.empty())
                    return usage(
                        NIMBUS_TEXT_NOOP("CliMessages", "a recurring topic needs a due date"));
                const auto blank = value.find(' ');
                options.recur = true;
                options.recurCount = std::stoi(value.substr(0, blank));
                options.recurUnit = std::stoi(value.substr(blank + 1));
                options.nextDate = options.dueDate;
                options.nextTime = options.dueTime;
            }
        } else if (name == "percent") {
            if (node.ttype != kTopicTask)
                return usage(
                    NIMBUS_TEXT_NOOP("CliMessages", "only tasks have a percentage complete"));
            options.percent = std::stoi(value);
            options.progressSet = options.percent > 0 && options.percent < 100;
        } else {
            continue;
        }
        viaOptions = true;
    }
    if (viaOptions) {
        if ((options.deadline || options.recur) && node.ttype != kTopicTask && node.ttype != kTopicEvent)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "only tasks and events have a due date"));
        if (node.sys)
            return usage(NIMBUS_TEXT_NOOP("CliMessages", "a system topic cannot be changed"));
        applyTopicOptions(options, node, clock);
    }
    // A repeat given anew replaces any series; a "rule" beside it (a richer repeat, after the
    // due date above) gives the topic its new one.
    for (const auto &[name, value] : fields)
        if (name == "recur" || (name == "due" && value == "none"))
            recurrence::clearSeries(node);
    for (const auto &[name, value] : fields)
        if (name == "rule")
            if (Outcome given = applyRuleField(node, value); !given)
                return given;

    // Status, priority, urgency and favourite as the toolbar's buttons do them.
    for (const auto &[name, value] : fields) {
        if (name == "status") {
            const int status = std::stoi(value);
            if (node.ttype != kTopicTask)
                return usage(NIMBUS_TEXT_NOOP(
                    "CliMessages", "only tasks take a status; events follow their dates"));
            if (node.status != status && !tree::ApplyStatus(node, status, now).applied)
                return usage(NIMBUS_TEXT_NOOP(
                    "CliMessages", "the status of this task cannot be changed that way"));
        } else if (name == "priority") {
            const int priority = std::stoi(value);
            if (node.ttype != kTopicTask)
                return usage(NIMBUS_TEXT_NOOP("CliMessages", "only tasks have a priority"));
            if (priority == 0) {
                node.pri = 0;
                node.UpdateSortKey();
            } else if (node.pri != priority && !tree::SetPriority(node, priority).applied) {
                return usage(NIMBUS_TEXT_NOOP("CliMessages", "a completed task has no priority"));
            }
        } else if (name == "urgent") {
            tree::ApplyUrgent(node, value == "yes");
        } else if (name == "fav") {
            if (node.fav != (value == "yes"))
                tree::ToggleFavourite(node);
        }
    }
    node.UpdateSchedule(clock);
    node.UpdateSortKey();
    return Outcome::ok();
}

Outcome completeTopic(TNimbusNode &node, const Clock &clock)
{
    if (node.ttype == kTopicTask) {
        if (node.status == kStatusCompleted)
            return Outcome::ok();
        if (!tree::ApplyStatus(node, kStatusCompleted, clock.now()).applied)
            return usage(NIMBUS_TEXT_NOOP(
                "CliMessages",
                "this task cannot be marked done (a group task follows its sub-tasks)"));
        return Outcome::ok();
    }
    if (node.ttype == kTopicEvent) {
        node.fdate = node.dlDate;
        node.fTime = node.dlTime;
        schedule::MarkCompleted(node, clock.now());
        node.UpdateSchedule(clock);
        node.UpdateSortKey();
        return Outcome::ok();
    }
    return usage(NIMBUS_TEXT_NOOP("CliMessages", "only tasks and events can be done"));
}

Outcome checkRemovable(const TNimbusNode &node)
{
    if (node.lev == 0)
        return usage(NIMBUS_TEXT_NOOP("CliMessages", "%1 is a section and cannot be removed"),
                     {node.uni});
    if (node.lev == 1 && node.sys)
        return usage(NIMBUS_TEXT_NOOP("CliMessages", "%1 is a system topic and cannot be removed"),
                     {node.uni});
    return Outcome::ok();
}

} // namespace nimbus::cli

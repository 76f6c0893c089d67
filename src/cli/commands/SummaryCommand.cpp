// The summary's counts for a terminal or a status bar.
#include "cli/commands/SummaryCommand.h"

#include <array>

#include "cli/Arguments.h"
#include "cli/OutputFormat.h"
#include "cli/TopicSnapshot.h"
#include "fileio/UiText.h"
#include "store/SummaryRules.h"

namespace nimbus::cli {

namespace {

using summary::Group;
// The badges row by row, as the summary page places them.
constexpr std::array<Group, 9> kBadgeOrder = {Group::Deadlines, Group::Urgent,  Group::Overdue,
                                              Group::InProgress, Group::Waiting, Group::Events,
                                              Group::New,        Group::Changes, Group::Favourites};

std::string keyOf(Group group)
{
    switch (group) {
    case Group::Deadlines: return "deadlines";
    case Group::Urgent: return "urgent";
    case Group::Overdue: return "overdue";
    case Group::Events: return "events";
    case Group::InProgress: return "in_progress";
    case Group::New: return "new";
    case Group::Changes: return "changes";
    case Group::Favourites: return "favourites";
    case Group::Waiting: return "waiting";
    }
    return {};
}

// The counts need no tree: only the topics the recent lists name are kept.
OnePassReader::Keep counting()
{
    OnePassReader::Keep keep;
    keep.tree = false;
    return keep;
}

} // namespace

std::string SummaryCommand::help() const
{
    return text::translate(
        "SummaryCommand",
        "Usage: nimbus-cli summary [--format text|json]\n"
        "\n"
        "Prints the nine counts of the summary page: Deadlines, Urgent, Overdue, In progress,\n"
        "Waiting, Events, New, Changes and Favourites, computed as the program computes them.\n"
        "\n"
        "  --format text   one \"Name: count\" line per group (the default)\n"
        "  --format json   one object for status bars: \"text\", \"tooltip\", \"class\"\n"
        "                  (\"overdue\", \"urgent\", \"due\" or \"clear\") and every count\n");
}

Outcome SummaryCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({"format"}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    Format format = Format::Text;
    if (const auto f = arguments.value("format"); f && (!parseFormat(*f, format) || format == Format::Tsv))
        return Outcome::fail(kUsage,
                             NIMBUS_TEXT_NOOP("CliMessages", "--format takes text or json"));
    if (!arguments.plain().empty())
        return Outcome::fail(
            kUsage, NIMBUS_TEXT_NOOP("CliMessages", "summary takes no words, only --format"));

    auto snapshot = std::make_shared<TopicSnapshot>();
    context.readTopics = snapshot;
    if (Outcome loaded = snapshot->loadInOnePass(context.dataFolder, context.clock, counting(), true,
                                                    StructureReader::Use::Counting); !loaded)
        return loaded;
    std::array<int, 9> counts{};
    for (std::size_t i = 0; i < kBadgeOrder.size(); ++i)
        counts[i] = snapshot->count(kBadgeOrder[i]);
    auto count = [&](Group group) {
        for (std::size_t i = 0; i < kBadgeOrder.size(); ++i)
            if (kBadgeOrder[i] == group)
                return counts[i];
        return 0;
    };

    if (format == Format::Text) {
        for (std::size_t i = 0; i < kBadgeOrder.size(); ++i)
            context.out << summary::BadgeLine(kBadgeOrder[i], counts[i]) << '\n';
        return Outcome::ok();
    }
    std::string tooltip;
    for (std::size_t i = 0; i < kBadgeOrder.size(); ++i) {
        if (i > 0)
            tooltip += '\n';
        tooltip += summary::BadgeLine(kBadgeOrder[i], counts[i]);
    }
    const int overdue = count(Group::Overdue), urgent = count(Group::Urgent), due = count(Group::Deadlines);
    const std::string cls = overdue > 0 ? "overdue" : urgent > 0 ? "urgent" : due > 0 ? "due" : "clear";
    std::string text = std::to_string(due) + " due";
    if (overdue > 0)
        text += ", " + std::to_string(overdue) + " overdue";
    if (urgent > 0)
        text += ", " + std::to_string(urgent) + " urgent";
    context.out << "{\"text\":" << jsonString(text) << ",\"tooltip\":" << jsonString(tooltip)
                << ",\"class\":" << jsonString(cls);
    for (std::size_t i = 0; i < kBadgeOrder.size(); ++i)
        context.out << ",\"" << keyOf(kBadgeOrder[i]) << "\":" << counts[i];
    context.out << "}\n";
    return Outcome::ok();
}

} // namespace nimbus::cli

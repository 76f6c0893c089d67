// Listing topics.
#include "cli/commands/ListCommand.h"

#include "cli/Arguments.h"
#include "cli/OutputFormat.h"
#include "cli/TopicSelection.h"
#include "cli/TopicSnapshot.h"
#include "cli/commands/SearchCommand.h"
#include "fileio/UiText.h"
#include "tree/ChangeRules.h"

namespace nimbus::cli {

namespace {
constexpr std::size_t kEveryMatch = 100000000; // a list is never cut
} // namespace

std::string ListCommand::help() const
{
    return text::translate(
        "ListCommand",
        "Usage: nimbus-cli list [LIST] [--section NAME] [--under ID] [--type TYPE]\n"
        "                      [--sort due|priority|title] [--format text|json|tsv]\n"
        "       nimbus-cli list --saved NAME [--format text|json|tsv]\n"
        "\n"
        "LIST is one of: deadlines, overdue, urgent, today, week, in-progress, waiting,\n"
        "events, new, changes, favourites, all (the default). The summary's groups come in\n"
        "the summary's order; today and week are the tasks and events due today or in the\n"
        "next seven days, soonest first; all is every topic in tree order.\n"
        "\n"
        "  --section NAME  only topics of the section with that title or id\n"
        "  --under ID      only topics below the topic ID\n"
        "  --type TYPE     task, event, note, idea, finance or general\n"
        "  --sort ORDER    due, priority or title, as the tree's sort orders\n"
        "  --format FORM   text (aligned), json (an array) or tsv: id, path, status, due text\n"
        "                  and due date\n"
        "  --saved NAME    every topic the search saved under NAME in the window finds, best\n"
        "                  first (with no other list or option but --format)\n"
        "\n"
        "Exit status 1 when the list is empty.\n");
}

Outcome ListCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({"section", "under", "type", "sort", "format", "saved"}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (const auto name = arguments.value("saved")) {
        if (!arguments.plain().empty() || arguments.has("section") || arguments.has("under") ||
            arguments.has("type") || arguments.has("sort"))
            return Outcome::fail(
                kUsage, NIMBUS_TEXT_NOOP("CliMessages",
                                         "--saved takes no list name and no option but --format"));
        Format format = Format::Text;
        if (const auto f = arguments.value("format"); f && !parseFormat(*f, format))
            return Outcome::fail(
                kUsage, NIMBUS_TEXT_NOOP("CliMessages", "--format takes text, json or tsv"));
        std::string query;
        if (Outcome found = savedQuery(context.dataFolder, *name, query); !found)
            return found;
        return answerQuery(query, kEveryMatch, format, false, context);
    }
    ListQuery query;
    if (arguments.plain().size() > 1)
        return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "list takes one list name"));
    if (!arguments.plain().empty())
        query.list = arguments.plain().front();
    bool known = false;
    for (const std::string &name : listNames())
        known |= name == query.list;
    if (!known)
        return Outcome::fail(
            kUsage,
            NIMBUS_TEXT_NOOP("CliMessages", "unknown list \"%1\"; see nimbus-cli list --help"),
            {query.list});
    query.section = arguments.value("section").value_or("");
    query.under = arguments.value("under").value_or("");
    if (const auto type = arguments.value("type")) {
        std::string code;
        if (Outcome checked = checkField("type", *type, code); !checked)
            return checked;
        query.type = std::stoi(code);
    }
    query.sort = arguments.value("sort").value_or("");
    if (!query.sort.empty() && query.sort != "due" && query.sort != "priority" && query.sort != "title")
        return Outcome::fail(
            kUsage, NIMBUS_TEXT_NOOP("CliMessages", "--sort takes due, priority or title"));
    Format format = Format::Text;
    if (const auto f = arguments.value("format"); f && !parseFormat(*f, format))
        return Outcome::fail(kUsage,
                             NIMBUS_TEXT_NOOP("CliMessages", "--format takes text, json or tsv"));

    auto snapshot = std::make_shared<TopicSnapshot>();
    context.readTopics = snapshot;
    std::vector<TopicRow> rows;
    if (streamsEveryTopic(query)) {
        if (Outcome listed = listEveryTopic(*snapshot, query, context.dataFolder, context.clock, rows); !listed)
            return listed;
        printRows(context.out, rows, format);
        return rows.empty() ? Outcome::fail(kNothingFound, "") : Outcome::ok();
    }
    // A list that needs only some of the topics is read in one pass.
    const auto keep = onePassKeep(query);
    const bool recent = needsRecentLists(query.list);
    if (Outcome loaded = keep ? snapshot->loadInOnePass(context.dataFolder, context.clock, *keep, recent,
                                                         StructureReader::Use::Listing)
                              : snapshot->loadForReading(context.dataFolder, context.clock, recent, true);
        !loaded)
        return loaded;
    std::vector<TNimbusNode *> topics;
    if (Outcome selected = selectTopics(*snapshot, query, topics); !selected)
        return selected;
    rows.reserve(topics.size());
    for (const TNimbusNode *node : topics)
        rows.push_back(rowOf(*node, snapshot->displayOrder()));
    printRows(context.out, rows, format);
    // An empty list is "nothing found", quietly: scripts test the status.
    return rows.empty() ? Outcome::fail(kNothingFound, "") : Outcome::ok();
}

} // namespace nimbus::cli

// Showing one topic.
#include "cli/commands/ShowCommand.h"

#include <algorithm>
#include <cctype>

#include "cli/Arguments.h"
#include "cli/OutputFormat.h"
#include "cli/RtfPlainText.h"
#include "cli/TerminalText.h"
#include "cli/TopicSnapshot.h"
#include "fileio/UiText.h"
#include "store/ContentFiles.h"
#include "store/DateFormat.h"
#include "store/TContent.h"
#include "store/THyperData.h"
#include "store/TNimbusNode.h"
#include "tree/RepeatField.h"

namespace nimbus::cli {

std::string ShowCommand::help() const
{
    return text::translate(
        "ShowCommand",
        "Usage: nimbus-cli show ID\n"
        "\n"
        "Prints the topic's id, path, type and status, due date and schedule text,\n"
        "recurrence, priority, urgency and favourite mark, then each details page as plain\n"
        "text and each checklist with its ticks. Exit status 1 when no topic has that id, 2 "
        "when\n"
        "the word given is no topic id at all.\n");
}

Outcome ShowCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (arguments.plain().size() != 1)
        return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "show takes one topic id"));
    const std::string &id = arguments.plain().front();
    // One pass keeps the topic, with its subtree (its status rolls up from it) and its path.
    TopicSnapshot snapshot;
    OnePassReader::Keep keep;
    keep.ids.insert(id);
    if (Outcome loaded = snapshot.loadInOnePass(context.dataFolder, context.clock, std::move(keep), false,
                                                StructureReader::Use::Everything);
        !loaded)
        return loaded;
    TNimbusNode *node = snapshot.store().Find(id);
    if (!node) {
        // Every id the program gives has a digit and only letters and digits: anything else
        // is a mistake in the command, not a topic that has gone.
        const bool idLike =
            std::any_of(id.begin(), id.end(), [](unsigned char c) { return std::isdigit(c); }) &&
            std::all_of(id.begin(), id.end(), [](unsigned char c) { return std::isalnum(c); });
        if (!idLike)
            return Outcome::fail(
                kUsage,
                NIMBUS_TEXT_NOOP("CliMessages", "\"%1\" is not a topic id; ids are numbers such as "
                                                "1042 (nimbus-cli list shows them)"),
                {terminalText(id)});
        return Outcome::fail(kNothingFound,
                             NIMBUS_TEXT_NOOP("CliMessages", "no topic has the id %1"), {id});
    }

    const int order = snapshot.displayOrder();
    const TopicRow row = rowOf(*node, order);
    std::ostream &out = context.out;
    // Titles and pages may come from a shared calendar or a colleague: printed escaped.
    out << "Id:        " << row.id << "\nPath:      " << terminalText(row.path)
        << "\nType:      " << row.status << '\n';
    if (!row.date.empty())
        out << "Due:       " << row.date << (row.due.empty() ? "" : "  (" + row.due + ")") << '\n';
    if (node->recur && node->rno > 0)
        out << "Recurs:    " << repeatInWords(*node, snapshot.dataFolder(), order) << '\n';
    if (node->pri > 0)
        out << "Priority:  " << node->pri << '\n';
    if (node->ttype == kTopicTask)
        out << "Complete:  " << node->percent << "%\n";
    if (node->urgent)
        out << "Urgent:    yes\n";
    if (node->fav)
        out << "Favourite: yes\n";
    if (node->cre.size() >= 15)
        out << "Created:   " << dates::displayStamp(node->cre, order) << '\n';
    if (node->status == kStatusCompleted && node->fdate.size() == 8)
        out << "Done:      " << dates::displayDate(node->fdate, order) << '\n';

    const ContentFolders folders = ContentFolders::inDataFolder(snapshot.dataFolder());
    TContent &content = node->LoadContent(folders, NullStoreLog::instance());
    for (const auto &page : content.pages) {
        if (page->con == kPageDetails) {
            std::string bytes, error;
            if (content::ReadDetails(*page, folders, bytes, error, NullStoreLog::instance()) !=
                content::DetailsFile::Read)
                continue;
            const std::string text = rtfPlainText(bytes);
            if (!text.empty())
                out << "\n== " << terminalText(page->dis) << " ==\n"
                    << terminalText(text, Lines::Many) << '\n';
        } else if (page->con == kPageChecklist) {
            std::vector<ChecklistItem> items;
            if (!content::LoadChecklist(*page, folders, items, NullStoreLog::instance()) || items.empty())
                continue;
            out << "\n== " << terminalText(page->dis) << " ==\n";
            for (const ChecklistItem &item : items)
                out << (item.checked ? "[x] " : "[ ] ") << terminalText(item.text) << '\n';
        }
    }
    return Outcome::ok();
}

} // namespace nimbus::cli

// The commands and the dispatch of a command line.
#include "cli/CommandTable.h"

#include "cli/CliTexts.h"
#include "cli/commands/AddCommand.h"
#include "cli/commands/DoneCommand.h"
#include "cli/commands/ExportCommand.h"
#include "cli/commands/ListCommand.h"
#include "cli/commands/RemoveCommand.h"
#include "cli/commands/SearchCommand.h"
#include "cli/commands/SetCommand.h"
#include "cli/commands/ShowCommand.h"
#include "cli/commands/SummaryCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

CommandTable::CommandTable()
{
    commands_.push_back(std::make_unique<SummaryCommand>());
    commands_.push_back(std::make_unique<ListCommand>());
    commands_.push_back(std::make_unique<ShowCommand>());
    commands_.push_back(std::make_unique<AddCommand>());
    commands_.push_back(std::make_unique<DoneCommand>());
    commands_.push_back(std::make_unique<SetCommand>());
    commands_.push_back(std::make_unique<RemoveCommand>());
    commands_.push_back(std::make_unique<SearchCommand>());
    commands_.push_back(std::make_unique<ExportCommand>());
}

CommandTable::~CommandTable() = default;

CliCommand *CommandTable::find(const std::string &name) const
{
    for (const auto &command : commands_)
        if (command->name() == name)
            return command.get();
    return nullptr;
}

std::string CommandTable::overview() const
{
    std::string text =
        text::translate("CommandTable", "Usage: nimbus-cli COMMAND [ARGUMENTS]\n"
                                        "\n"
                                        "The topics of Nimbus Desk from a terminal. Commands:\n");
    for (const auto &command : commands_)
        text += "  " + command->name() + std::string(10 - command->name().size(), ' ') + command->summary() + "\n";
    text += text::translate(
        "CommandTable",
        "\n"
        "nimbus-cli COMMAND --help tells more. Exit status: 0 success, 1 nothing found,\n"
        "2 usage error, 3 data folder or store problem.\n");
    return text;
}

int CommandTable::run(const std::vector<std::string> &words, CliContext &context, std::ostream &err) const
{
    if (words.empty()) {
        err << overview();
        return kUsage;
    }
    if (words.front() == "--help" || words.front() == "-h" || words.front() == "help") {
        if (words.size() > 1 && words.front() == "help") {
            if (CliCommand *command = find(words[1])) {
                context.out << command->help();
                return kSuccess;
            }
        }
        context.out << overview();
        return kSuccess;
    }
    CliCommand *command = find(words.front());
    if (!command) {
        err << "nimbus-cli: "
            << text::withValues(text::translate("CommandTable", "unknown command \"%1\""),
                                {words.front()})
            << "\n\n"
            << overview();
        return kUsage;
    }
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    for (const std::string &word : rest)
        if (word == "--help") {
            context.out << command->help();
            return kSuccess;
        }
        else if (word == "--")
            break;
    const Outcome outcome = command->run(rest, context);
    if (!outcome.message.empty())
        err << "nimbus-cli: " << shownMessage(outcome.message) << '\n';
    if (outcome.status == kUsage)
        err << text::withValues(
                   text::translate("CommandTable", "(nimbus-cli %1 --help shows how it is used)"),
                   {command->name()})
            << '\n';
    return outcome.status;
}

} // namespace nimbus::cli

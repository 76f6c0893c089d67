// Removing a topic.
#include "cli/commands/RemoveCommand.h"

#include "cli/Arguments.h"
#include "cli/commands/ChangeCommand.h"

namespace nimbus::cli {

std::string RemoveCommand::help() const
{
    return "Usage: nimbus-cli remove ID\n"
           "\n"
           "Removes the topic ID permanently, with every topic below it, as the tree's\n"
           "\"Remove this topic permanently\" does. Sections and system topics stay. The store's\n"
           "old versions keep what was removed. Exit status 1 when no topic has that id.\n";
}

Outcome RemoveCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (arguments.plain().size() != 1)
        return Outcome::fail(kUsage, "remove takes one topic id");
    ChangeRequest change;
    change.kind = ChangeRequest::Kind::Remove;
    change.id = arguments.plain().front();
    return deliverChange(std::move(change), context, "Removed");
}

} // namespace nimbus::cli

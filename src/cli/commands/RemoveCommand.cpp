// Removing a topic.
#include "cli/commands/RemoveCommand.h"

#include "cli/Arguments.h"
#include "cli/commands/ChangeCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

std::string RemoveCommand::help() const
{
    return text::translate(
               "RemoveCommand",
               "Usage: nimbus-cli remove ID [--request-id ID]\n"
               "\n"
               "Removes the topic ID permanently, with every topic below it, as the tree's\n"
               "\"Remove this topic permanently\" does. Sections and system topics stay. The "
               "store's\n"
               "old versions keep what was removed. Exit status 1 when no topic has that id.\n"
               "\n") +
           text::translate("ChangeCommand", kRequestIdHelp);
}

Outcome RemoveCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({"request-id"}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (arguments.plain().size() != 1)
        return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "remove takes one topic id"));
    ChangeRequest change;
    change.kind = ChangeRequest::Kind::Remove;
    change.id = arguments.plain().front();
    if (Outcome taken = takeRequestId(arguments, change); !taken)
        return taken;
    return deliverChange(std::move(change), context,
                         text::translate("RemoveCommand", "Removed %1"));
}

} // namespace nimbus::cli

// Marking a topic done.
#include "cli/commands/DoneCommand.h"

#include "cli/Arguments.h"
#include "cli/commands/ChangeCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

std::string DoneCommand::help() const
{
    return text::translate(
               "DoneCommand",
               "Usage: nimbus-cli done ID [--request-id ID]\n"
               "\n"
               "Marks the task ID completed, as the toolbar's \"finished\" button does (a "
               "recurring\n"
               "task moves on to its next date), or completes the event ID. Exit status 1 when no\n"
               "topic has that id, 2 when it is not a task or an event.\n"
               "\n") +
           text::translate("ChangeCommand", kRequestIdHelp);
}

Outcome DoneCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({"request-id"}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (arguments.plain().size() != 1)
        return Outcome::fail(kUsage, NIMBUS_TEXT_NOOP("CliMessages", "done takes one topic id"));
    ChangeRequest change;
    change.kind = ChangeRequest::Kind::Done;
    change.id = arguments.plain().front();
    if (Outcome taken = takeRequestId(arguments, change); !taken)
        return taken;
    return deliverChange(std::move(change), context, text::translate("DoneCommand", "Done %1"));
}

} // namespace nimbus::cli

// Changing fields of a topic.
#include "cli/commands/SetCommand.h"

#include "cli/Arguments.h"
#include "cli/commands/ChangeCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

std::string SetCommand::help() const
{
    return text::translate(
               "SetCommand",
               "Usage: nimbus-cli set ID FIELD=VALUE... [--request-id ID]\n"
               "\n"
               "Changes fields of the topic ID, all of them or none:\n"
               "  title=TEXT\n"
               "  type=task|event|note|idea|finance|general\n"
               "  due=DATE or due=\"DATE TIME\" or due=none   (dates as for add)\n"
               "  time=HH:MM or time=none\n"
               "  recur=\"N UNIT\" or recur=none               (UNIT: minute ... year)\n"
               "  recur=RULE    weekdays, mon,wed,fri, \"every 2 weeks on mon,thu\", \"2nd tue\",\n"
               "                \"last fri\", \"monthly on 15 x10\", \"weekly until 2027-06-30\"\n"
               "  priority=0-9                                (0: none)\n"
               "  urgent=yes|no   fav=yes|no\n"
               "  status=not-started|in-progress|waiting|on-hold|done   (tasks)\n"
               "  percent=0-100 in steps of 10                (tasks)\n"
               "\n"
               "\n") +
           text::translate("ChangeCommand", kRequestIdHelp) +
           text::translate("SetCommand", "\n"
                                         "Exit status 1 when no topic has that id, 2 for a field "
                                         "or value it does not take.\n");
}

Outcome SetCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    Arguments arguments({"request-id"}, {});
    if (Outcome parsed = arguments.parse(words); !parsed)
        return parsed;
    if (arguments.plain().size() < 2)
        return Outcome::fail(
            kUsage,
            NIMBUS_TEXT_NOOP("CliMessages", "set takes a topic id and at least one FIELD=VALUE"));
    ChangeRequest change;
    change.kind = ChangeRequest::Kind::Set;
    change.id = arguments.plain().front();
    for (std::size_t i = 1; i < arguments.plain().size(); ++i) {
        const std::string &pair = arguments.plain()[i];
        const auto eq = pair.find('=');
        if (eq == std::string::npos || eq == 0)
            return Outcome::fail(
                kUsage, NIMBUS_TEXT_NOOP("CliMessages", "\"%1\" is not FIELD=VALUE"), {pair});
        if (Outcome typed = typedField(pair.substr(0, eq), pair.substr(eq + 1), context, change.fields); !typed)
            return typed;
    }
    if (Outcome taken = takeRequestId(arguments, change); !taken)
        return taken;
    return deliverChange(std::move(change), context, text::translate("SetCommand", "Changed %1"));
}

} // namespace nimbus::cli

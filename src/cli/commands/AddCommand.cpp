// Adding a topic.
#include "cli/commands/AddCommand.h"

#include "cli/Arguments.h"
#include "cli/commands/ChangeCommand.h"
#include "fileio/UiText.h"

namespace nimbus::cli {

namespace {

// "2 weeks", "2nd tue", "last fri": a count or a position says nothing alone.
bool repeatTakesSecondWord(const std::string &first)
{
    if (first.empty() || first.find(' ') != std::string::npos)
        return false;
    const std::size_t digits = first.find_first_not_of("0123456789");
    if (digits == std::string::npos)
        return true;
    static const char *const kPositions[] = {"first", "second", "third", "fourth", "fifth", "last"};
    for (const char *word : kPositions)
        if (first == word)
            return true;
    const std::string suffix = first.substr(digits);
    return digits > 0 && (suffix == "st" || suffix == "nd" || suffix == "rd" || suffix == "th");
}

} // namespace

std::string AddCommand::help() const
{
    return text::translate(
               "AddCommand",
               "Usage: nimbus-cli add TITLE [--under ID] [--type TYPE] [--due DATE [TIME]]\n"
               "                            [--recur N UNIT] [--priority N] [--urgent] "
               "[--request-id "
               "ID]\n"
               "\n"
               "Adds a topic as the last one below ID (the \"Topics\" section when no --under) "
               "and\n"
               "prints its id. A new topic is a task unless --type names another type.\n"
               "\n"
               "  --type TYPE      task, event, note, idea, finance or general\n"
               "  --due DATE       DD/MM/YYYY (or the date order of your preferences), "
               "YYYY-MM-DD,\n"
               "                   today, tomorrow, a weekday name, +3d, +2w; a time may follow,\n"
               "                   as --due \"friday 14:30\" or --due friday 14:30\n"
               "  --recur REPEAT   every N minutes, hours, days, weeks, months or years (\"2 "
               "weeks\"),\n"
               "                   or a rule: weekdays, mon,wed,fri, \"every 2 weeks on "
               "mon,thu\",\n"
               "                   \"2nd tue\", \"last fri\", \"monthly on 15 x10\",\n"
               "                   \"weekly until 2027-06-30\" (quote a rule of several words)\n"
               "  --priority N     1 (highest) to 9\n"
               "  --urgent         flag it urgent\n") +
           text::translate("ChangeCommand", kRequestIdHelp) +
           text::translate(
               "AddCommand",
               "\n"
               "While Nimbus Desk runs the topic is added by the program, as if you had added it\n"
               "there; otherwise nimbus-cli writes the store itself.\n");
}

Outcome AddCommand::run(const std::vector<std::string> &words, CliContext &context)
{
    // "--due DATE TIME", "--recur N UNIT" and "--recur 2nd tue" take two words: join them
    // before parsing.
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < words.size(); ++i) {
        joined.push_back(words[i]);
        const bool due = words[i] == "--due", recur = words[i] == "--recur";
        if ((due || recur) && i + 1 < words.size()) {
            std::string value = words[++i];
            const bool secondWord = i + 1 < words.size() && words[i + 1].rfind("--", 0) != 0 &&
                                    (recur ? repeatTakesSecondWord(value)
                                           : words[i + 1].find(':') != std::string::npos);
            if (secondWord)
                value += " " + words[++i];
            joined.push_back(value);
        }
    }
    Arguments arguments({"under", "type", "due", "recur", "priority", "request-id"}, {"urgent"});
    if (Outcome parsed = arguments.parse(joined); !parsed)
        return parsed;
    if (arguments.plain().size() != 1)
        return Outcome::fail(
            kUsage, NIMBUS_TEXT_NOOP("CliMessages",
                                     "add takes one title (quote a title of several words)"));
    ChangeRequest change;
    change.kind = ChangeRequest::Kind::Add;
    change.id = arguments.value("under").value_or("");
    std::string title;
    if (Outcome checked = checkField("title", arguments.plain().front(), title); !checked)
        return checked;
    change.title = title;
    for (const char *name : {"type", "due", "recur", "priority"})
        if (const auto value = arguments.value(name))
            if (Outcome typed = typedField(name, *value, context, change.fields); !typed)
                return typed;
    if (arguments.has("urgent"))
        change.fields.emplace_back("urgent", "yes");
    if (Outcome taken = takeRequestId(arguments, change); !taken)
        return taken;
    return deliverChange(std::move(change), context, text::translate("AddCommand", "Added %1"));
}

} // namespace nimbus::cli

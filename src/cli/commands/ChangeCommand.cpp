// Typed values into changes, and changes delivered.
#include "cli/commands/ChangeCommand.h"

#include "cli/Arguments.h"
#include "cli/ChangeDelivery.h"
#include "cli/DateArgument.h"
#include "tree/RepeatField.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TPreferences.h"
#include "tree/RequestRecords.h"

namespace nimbus::cli {

int displayOrderOf(const std::string &dataFolder)
{
    TPreferences preferences;
    preferences.SetDataFolder(dataFolder);
    if (preferences.Load() && preferences.date >= 0 && preferences.date <= 2)
        return preferences.date;
    return 0;
}

Outcome typedField(const std::string &name, const std::string &value, const CliContext &context,
                   Fields &fields)
{
    if (name == "due") {
        if (value == "none") {
            fields.emplace_back("due", "none");
            return Outcome::ok();
        }
        const int order = displayOrderOf(context.dataFolder);
        const auto blank = value.find(' ');
        const auto date = parseDateArgument(value.substr(0, blank), context.clock.now(), order);
        if (!date)
            return Outcome::fail(
                kUsage, NIMBUS_TEXT_NOOP("CliMessages", "\"%1\" is not a date; dates are %2"),
                {value.substr(0, blank), dateForms(order)});
        fields.emplace_back("due", *date);
        if (blank != std::string::npos)
            return typedField("time", value.substr(blank + 1), context, fields);
        return Outcome::ok();
    }
    if (name == "time") {
        if (value == "none") {
            fields.emplace_back("time", "none");
            return Outcome::ok();
        }
        const auto time = parseTimeArgument(value);
        if (!time)
            return Outcome::fail(
                kUsage,
                NIMBUS_TEXT_NOOP("CliMessages",
                                 "\"%1\" is not a time of day; times are HH:MM or HH:MM:SS"),
                {value});
        fields.emplace_back("time", *time);
        return Outcome::ok();
    }
    if (name == "recur") {
        // "until" takes the dates typed elsewhere.
        const int order = displayOrderOf(context.dataFolder);
        const DateTime now = context.clock.now();
        return repeatFields(
            value,
            [&](const std::string &text) -> std::optional<std::int64_t> {
                DateTime day;
                const auto key = parseDateArgument(text, now, order);
                if (!key || !dates::parseDateKey(*key, day))
                    return std::nullopt;
                return day.dayNumber();
            },
            fields);
    }
    std::string canonical;
    if (Outcome checked = checkField(name, value, canonical); !checked)
        return checked;
    fields.emplace_back(name, canonical);
    return Outcome::ok();
}

Outcome takeRequestId(const Arguments &arguments, ChangeRequest &change)
{
    const std::optional<std::string> given = arguments.value("request-id");
    if (given && !isRequestId(*given))
        return Outcome::fail(
            kUsage,
            NIMBUS_TEXT_NOOP("CliMessages",
                             "a request id is 1 to 64 letters, digits, \".\", \"_\" or \"-\""));
    change.request = given ? *given : newRequestId();
    return Outcome::ok();
}

Outcome deliverChange(ChangeRequest change, CliContext &context, const std::string &done)
{
    ChangeDelivery delivery(context.dataFolder, context.channelFolder, context.clock);
    std::string id;
    if (Outcome delivered = delivery.deliver(std::move(change), id); !delivered)
        return delivered;
    context.out << text::withValues(done, {id}) << '\n';
    return Outcome::ok();
}

} // namespace nimbus::cli

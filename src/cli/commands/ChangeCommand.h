// What add, done, set and remove share: the typed values turned into a change, and the change
// delivered (to the running program, or to the store under the single-copy lock).
#pragma once

#include "cli/commands/CliCommand.h"
#include "fileio/UiText.h"
#include "tree/ChangeRequest.h"
#include "tree/ChangeRules.h"

namespace nimbus::cli {

// The date order of the user's preferences; day/month/year when there are none.
int displayOrderOf(const std::string &dataFolder);

// One typed field ("due", "2024-05-01 14:00"; "priority", "2") in the channel's form; a date
// with a time gives both "due" and "time".
Outcome typedField(const std::string &name, const std::string &value, const CliContext &context,
                   Fields &fields);

class Arguments;

// The request id given with --request-id (checked), or a new one: a script that sends the same
// change again with it gets the first answer and the change is made once.
Outcome takeRequestId(const Arguments &arguments, ChangeRequest &change);
// "  --request-id ID ..." for the commands' help, translated where it is shown.
inline constexpr const char *kRequestIdHelp = NIMBUS_TEXT_NOOP(
    "ChangeCommand",
    "  --request-id ID  sent again with the same ID (1 to 64 letters, digits, \".\", \"_\" or\n"
    "                   \"-\"), the change is answered as the first time, never made twice\n");

// Delivers the change and says what became of it on standard output: done is the line, in the
// user's language, with "%1" for the topic's id ("Added 123"); translations keep the id the last
// word, so that a script finds it in any language.
Outcome deliverChange(ChangeRequest change, CliContext &context, const std::string &done);

} // namespace nimbus::cli

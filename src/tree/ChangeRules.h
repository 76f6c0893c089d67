// How a change from nimbus-cli lands on a topic: through the same rules as the window's own
// editing (the topic options dialog's values, the toolbar's type, status, urgency and priority
// buttons), so that a change made from the terminal is exactly one the user could have made.
// Used by nimbus-cli on the store file and by the running program on its tree.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tree/CliStatus.h"

namespace nimbus {
class Clock;
class TNimbusNode;
class TNimbusStructure;
} // namespace nimbus

namespace nimbus::cli {

// Field values in the form the channel carries them (the command line turns typed values
// into these): title text; type code; due date key or "none"; time text or "none"; recur
// "<count> <unit code>" or "none"; priority 0-9; urgent, fav "yes"/"no"; status code;
// percent 0-100 in tens.
using Fields = std::vector<std::pair<std::string, std::string>>;

// The canonical value of a field as typed on the command line (units and statuses by name,
// yes/no, numbers), or a usage failure saying what the field takes. Dates are parsed by the
// caller (they need the clock and the display order) and come here as date keys.
Outcome checkField(const std::string &name, const std::string &value, std::string &canonical);
// Names of the fields set takes, for help and messages.
const std::vector<std::string> &fieldNames();

// Whether the command may touch the topic: it exists, is not a section and not a system
// topic. A missing id is "nothing found" (1); a section or system topic a usage error (2).
Outcome checkTarget(const TNimbusStructure &store, const std::string &id, TNimbusNode *&node);
// The parent a new topic goes under: id, or the "Topics" section when id is empty.
Outcome findParent(const TNimbusStructure &store, const std::string &id, TNimbusNode *&parent);

// Values of a new topic under parent, as "Insert new sub-topic" makes it (section kind,
// status, creation stamp); the topic type is a task unless fields name another.
void initNewTopic(TNimbusNode &node, const TNimbusNode &parent, const std::string &title,
                  const Clock &clock);
// Applies every field in order; a value the rules refuse leaves a usage failure.
Outcome applyFields(TNimbusNode &node, const Fields &fields, const Clock &clock);
// "done": the status button "finished" for a task (a recurring one rolls to its next date),
// the completion of an event; other topics have no completion.
Outcome completeTopic(TNimbusNode &node, const Clock &clock);
// Whether a topic may be removed: not a section, not a system topic directly in a section.
Outcome checkRemovable(const TNimbusNode &node);

} // namespace nimbus::cli

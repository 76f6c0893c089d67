// A repeat on nimbus-cli's command line and on the channel. The words typed after --recur or
// recur= (RecurrenceWords) become the change's fields: "recur" with the plain rule every copy
// of the program reads ("<count> <unit code>" or "none"), and, for a richer rule, "rule" beside
// it with the rule in its RRULE words. An older copy of the program ignores "rule" and keeps
// the nearest plain rule, as it does with the store file. Whoever applies the change gives the
// topic its series and keeps "Recurrence.dat" in step with it.
#pragma once

#include <optional>
#include <string>

#include "tree/ChangeRules.h"
#include "recurrence/RecurrenceWords.h"

namespace nimbus {
class TNimbusNode;
}
namespace nimbus::recurrence {
class RecurrenceFile;
}

namespace nimbus::cli {

// The fields for a typed repeat; a usage failure with RecurrenceWords' message otherwise.
Outcome repeatFields(const std::string &typed, const recurrence::RecurrenceWords::DateReader &dates,
                     Fields &fields);

// Gives the node (its due date and time already set) the series of a "rule" field's value,
// beginning at the first day the rule yields from the due date on. A usage failure when the
// rule cannot be read, the topic has no due date or the rule yields no date.
Outcome applyRuleField(TNimbusNode &node, const std::string &rule);

// Whether the fields change what the topic repeats by.
bool touchesRepeat(const Fields &fields);

// The series attached to the node, if any (whether or not its plain rule still fits it).
std::optional<recurrence::Series> attachedSeries(const TNimbusNode &node);

// The file made to say what the node repeats by: the series it rolls by, or none.
void recordSeries(recurrence::RecurrenceFile &file, const TNimbusNode &node);

// How nimbus-cli shows the node's repeat: the rule of its series in the words RecurrenceWords
// reads, with the dates skipped and added (in the display order), or "every N units".
std::string repeatInWords(const TNimbusNode &node, const std::string &dataFolder, int displayOrder);

} // namespace nimbus::cli

// The schedule text of a task or event (TNimbusNode::statusText: "Today", "In progress", the time
// left: "3 days", "-2 hours ") in the user's language. The node keeps the English text, which
// the rules compare and nimbus-cli prints for scripts; only what the window shows is translated.
#pragma once

#include <string>

namespace nimbus::schedule {

// The text as shown; a text of no known form is shown as it is.
std::string shownStatusText(const std::string &statusText);

} // namespace nimbus::schedule

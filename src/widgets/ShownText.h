// A topic's text as a view shows it: no screen shows more than a thousand characters of one
// line, and a title of megabytes (from a calendar, a server or nimbus-cli) would otherwise be
// converted, measured and elided whole at every paint.
#pragma once

#include <QString>

#include <string>

namespace nimbus::widgets {

inline constexpr int kShownCharacters = 1000;

// The first kShownCharacters characters of text (stored in the local 8-bit encoding), with
// "…" when it goes on.
QString shownText(const std::string &text);

} // namespace nimbus::widgets

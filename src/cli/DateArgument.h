// Dates and times typed on the command line: the program's display order (day/month/year,
// month/day/year or year/month/day, as the preferences say), ISO forms (2024-03-05, 20240305),
// "today", "tomorrow", weekday names (the nearest such day, today included) and +3d / +2w.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/DateTime.h"

namespace nimbus::cli {

// The date key ("20240305") of text, with today taken from now; nothing when text is no date.
std::optional<std::string> parseDateArgument(std::string_view text, DateTime now, int displayOrder);
// The time text ("14:05:00") of "14:05" or "14:05:30"; nothing when text is no time of day.
std::optional<std::string> parseTimeArgument(std::string_view text);
// What a date may look like, for messages and help.
std::string dateForms(int displayOrder);

} // namespace nimbus::cli

// Whether an entry's update check is due: its last check date plus its check interval has
// been reached.
#pragma once

#include "store/DateTime.h"

#include <string>

namespace nimbus::update {

// last is "yyyymmdd"; period "M" months, "W" weeks, anything else days; number is the count
// of such units (1 when not a whole number). A date that does not exist counts as due.
bool IsCheckDue(const std::string &last, const std::string &period, const std::string &number,
                DateTime today);

// Whole number of a register text; fallback when it is not one (or out of range).
long long wholeNumber(const std::string &text, long long fallback);

} // namespace nimbus::update

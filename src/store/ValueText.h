// Conversions of stored values: integers with a default, strict integers, "Y" flags and
// decimal text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nimbus::values {

// The whole text must be a decimal integer (optional sign) that fits an int.
std::optional<int> strictInt(std::string_view text);
// strictInt, or fallback when the text is not a number.
int intOr(std::string_view text, int fallback);
// True exactly when the value is "Y".
inline bool isYes(std::string_view text) { return text == "Y"; }
// Flags stored as numbers ("1"/"0"): false only for a number that is 0; a non-number counts
// as set.
bool numberFlag(std::string_view text);
// At most limit bytes of a value for a message, marked when cut: a damaged file may hold
// values of megabytes, which no log line or dialog should carry whole.
std::string excerpt(std::string_view text, std::size_t limit = 40);
// Appends the decimal text of value to out (faster than building a temporary string).
void appendInt(std::string &out, int value);

}  // namespace nimbus::values

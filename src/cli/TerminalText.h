// Text from the store as nimbus-cli prints it for a person: a title from a shared calendar or
// a colleague's packet may hold escape sequences that would move the cursor, retitle the
// terminal or hide what follows. Control characters (C0, DEL and the C1 range in UTF-8) are
// shown escaped, "\x1b"; line breaks and tabs stay only where the text may span lines.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::cli {

enum class Lines { One, Many };

std::string terminalText(std::string_view text, Lines lines = Lines::One);

// Whether the byte at i begins a C1 control character in UTF-8 (U+0080 to U+009F).
bool isC1At(std::string_view text, std::size_t i);

} // namespace nimbus::cli

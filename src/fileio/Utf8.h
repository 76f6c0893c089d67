// UTF-8 encoding of one character, shared by the modules that build text from code points.
#pragma once

#include <string>

namespace nimbus::fileio {

// Appends cp (at most 0x10FFFF) to out as one to four UTF-8 bytes.
void appendUtf8(std::string &out, char32_t cp);

} // namespace nimbus::fileio

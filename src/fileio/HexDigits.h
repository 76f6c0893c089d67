// The value of one hexadecimal digit, as the escapes of our text files (%XX, \xXX) and
// percent-encoded values are read.
#pragma once

namespace nimbus::fileio {

// 0-15 for 0-9, A-F and a-f; -1 for any other character.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace nimbus::fileio

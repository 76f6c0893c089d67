// Helpers shared by the old-version operations: matching base(N).ext against one file's name.
#pragma once

#include <string>
#include <string_view>

namespace nimbus::fileio {

// Decimal digits without a leading zero ("0" itself allowed): the numbers the program writes.
bool isCanonicalNumber(std::string_view digits);

// The digits N when name is exactly base + "(" + N + ")" + ext with N all digits; else empty.
std::string_view versionNumberIn(std::string_view name, std::string_view base,
                                 std::string_view ext);

// The version number held by a name in sorting form ("(999" and seven digits); 0 when none.
long long sortingFormNumber(const std::string &name);

} // namespace nimbus::fileio

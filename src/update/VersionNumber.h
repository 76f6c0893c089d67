// Turns a version text into a number that orders versions: up to four parts a.b.c.d weighed
// a x 100,000,000 + b x 100,000 + c x 10,000 + d.
#pragma once

#include <cstdint>
#include <string_view>

namespace nimbus::update {

// Each part is capped at 999,999,999, so that any text, however long its digit runs, gives a
// number without overflow.
std::int64_t VersionNumber(std::string_view text);

} // namespace nimbus::update

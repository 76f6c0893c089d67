// HTTP's preferred date form (IMF-fixdate, "Sun, 06 Nov 1994 08:49:37 GMT"), as the Date
// header and DAV's getlastmodified carry it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nimbus::caldav {

// Seconds since 1970-01-01 00:00 UTC; nothing for any other text.
std::optional<std::int64_t> httpDateSeconds(std::string_view text);

} // namespace nimbus::caldav

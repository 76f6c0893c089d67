// A repeat typed in words, as nimbus-cli takes it: "2 weeks", "weekdays", "mon,wed,fri",
// "every 2 weeks on mon,thu", "2nd tue", "last fri", "monthly on 15 x10", "weekly until
// 2027-06-30", "yearly in mar,sep", or a rule in its RRULE words ("FREQ=MONTHLY;BYDAY=-1FR").
// "N units" with nothing more stays the store's plain rule; anything more is a rule for the
// topic's series. The reverse, a rule in the same words, is what nimbus-cli shows.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "recurrence/RecurrenceRule.h"

namespace nimbus::recurrence {

struct TypedRepeat {
    enum class Kind { None, Plain, Rich };
    Kind kind = Kind::None;
    int count = 0; // Plain: every count units
    int unit = -1; // Plain: a unit of TopicCodes.h
    Rule rule;     // Rich
};

class RecurrenceWords {
public:
    // Reads the date after "until" (a whole day number); the default takes YYYY-MM-DD and
    // YYYYMMDD.
    using DateReader = std::function<std::optional<std::int64_t>(const std::string &)>;
    explicit RecurrenceWords(DateReader readDate = {});

    // False, with a message naming the word it could not read, for anything else.
    bool parse(std::string_view text, TypedRepeat &repeat, std::string &error) const;

    // One line on what parse takes, for usage messages and help.
    static std::string usage();

    // The rule in words parse reads back to the same rule (RRULE words for what the words
    // cannot say, such as set positions).
    static std::string describe(const Rule &rule);

private:
    DateReader readDate_;
};

} // namespace nimbus::recurrence

// Where "now" comes from. Everything that depends on the time of day asks a Clock, so that
// scheduling, stamps and the log can be tested at any instant.
#pragma once

#include "store/DateTime.h"

namespace nimbus {

class Clock {
public:
    virtual ~Clock() = default;
    // The current local date and time.
    virtual DateTime now() const = 0;
};

// The machine's local time.
class SystemClock : public Clock {
public:
    DateTime now() const override;
    static const SystemClock &instance();
};

// A clock that shows whatever it was set to; for tests and benchmarks.
class FixedClock : public Clock {
public:
    explicit FixedClock(DateTime t = {}) : now_(t) {}
    DateTime now() const override { return now_; }
    void set(DateTime t) { now_ = t; }
    void advanceSeconds(std::int64_t s) { now_ = now_.addSeconds(s); }

private:
    DateTime now_;
};

}  // namespace nimbus

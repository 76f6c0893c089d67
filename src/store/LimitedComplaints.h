// Complaints of one cause (the bad lines of one file) told up to a limit, then only counted:
// a file of a million damaged lines costs a few log lines and a summary, not a million lines
// written one by one while the program cannot start.
#pragma once

#include <cstddef>
#include <string>

#include "store/StoreLog.h"

namespace nimbus {

class LimitedComplaints {
public:
    static constexpr std::size_t kShown = 20;

    // summaryStart begins the closing line, for example "*** Reminders.dat: ".
    LimitedComplaints(StoreLog &log, std::string summaryStart, std::size_t shown = kShown);
    // Writes the summary when complaints were held back.
    ~LimitedComplaints();
    LimitedComplaints(const LimitedComplaints &) = delete;
    LimitedComplaints &operator=(const LimitedComplaints &) = delete;

    void add(const std::string &line);
    std::size_t heldBack() const { return count_ > shown_ ? count_ - shown_ : 0; }

private:
    StoreLog &log_;
    std::string summaryStart_;
    std::size_t shown_;
    std::size_t count_ = 0;
};

// "1,234,567": a count as people read it in a log line.
std::string groupedCount(std::size_t n);

} // namespace nimbus

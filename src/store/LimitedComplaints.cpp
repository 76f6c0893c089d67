// Complaints told up to a limit; see LimitedComplaints.h.
#include "store/LimitedComplaints.h"

namespace nimbus {

LimitedComplaints::LimitedComplaints(StoreLog &log, std::string summaryStart, std::size_t shown)
    : log_(log), summaryStart_(std::move(summaryStart)), shown_(shown)
{
}

LimitedComplaints::~LimitedComplaints()
{
    if (heldBack() > 0)
        log_.AddToLog(summaryStart_ + "and " + groupedCount(heldBack()) + " more like it");
}

void LimitedComplaints::add(const std::string &line)
{
    if (++count_ <= shown_)
        log_.AddToLog(line);
}

std::string groupedCount(std::size_t n)
{
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

} // namespace nimbus

// The mass-removal guard; see RemovalGuard.h.
#include "caldav/RemovalGuard.h"

#include <algorithm>

namespace nimbus::caldav {

int removalsIn(const ExchangeResult &exchange)
{
    return static_cast<int>(
        std::count_if(exchange.changes.begin(), exchange.changes.end(),
                      [](const LocalChange &c) { return c.kind == LocalChange::Remove; }));
}

bool removalsNeedConsent(int removals, std::size_t topicsHere)
{
    return removals > kRemovalsAllowedUnasked &&
           static_cast<std::size_t>(removals) * 4 > topicsHere;
}

std::string removalQuestion(int removals, std::size_t topicsHere, const std::string &calendarName)
{
    return "The calendar \"" + calendarName + "\" on the server no longer holds " +
           std::to_string(removals) + " of the " + std::to_string(topicsHere) +
           " topics synced with it. Remove them here too?\n\nNo keeps them and sends them to the "
           "calendar again.";
}

void keepRemovedTopics(ExchangeResult &exchange)
{
    const int kept = removalsIn(exchange);
    std::erase_if(exchange.changes,
                  [](const LocalChange &c) { return c.kind == LocalChange::Remove; });
    exchange.counts.removedHere -= kept;
    exchange.log.push_back("Calendar sync kept " + std::to_string(kept) +
                           " topics that the server no longer holds; they are sent to it again.");
}

} // namespace nimbus::caldav

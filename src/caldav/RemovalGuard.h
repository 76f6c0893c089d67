// A guard against a sync emptying a calendar's topics here: when the server seems to have lost
// many entries at once (a calendar emptied or re-created by another program, a server restored
// from an old backup), the user is asked before the topics go, naming how many.
#pragma once

#include <cstddef>
#include <string>

#include "caldav/SyncEngine.h"

namespace nimbus::caldav {

// More than this many removals, and more than a quarter of the calendar's topics here.
inline constexpr int kRemovalsAllowedUnasked = 10;

// How many topics the exchange would remove here.
int removalsIn(const ExchangeResult &exchange);
// Whether removing `removals` of `topicsHere` topics must be asked first.
bool removalsNeedConsent(int removals, std::size_t topicsHere);
// The question, naming how many and which calendar.
std::string removalQuestion(int removals, std::size_t topicsHere, const std::string &calendarName);
// The user said no: the topics stay. Their entries are already forgotten in the exchange's
// state, so the next sync sends them to the server again.
void keepRemovedTopics(ExchangeResult &exchange);

} // namespace nimbus::caldav

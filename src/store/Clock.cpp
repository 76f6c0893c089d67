// The system clock: local civil time from the C library.
#include "store/Clock.h"

#include <sys/time.h>
#include <time.h>

namespace nimbus {

DateTime SystemClock::now() const
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    tm local{};
    const time_t seconds = tv.tv_sec;
    localtime_r(&seconds, &local);
    return DateTime::fromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                               local.tm_hour, local.tm_min, local.tm_sec,
                               static_cast<int>(tv.tv_usec / 1000));
}

const SystemClock &SystemClock::instance()
{
    static const SystemClock clock;
    return clock;
}

}  // namespace nimbus

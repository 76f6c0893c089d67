// The store's local date keys and time texts as libical values.
#include <gtest/gtest.h>

#include "calendar/LocalZone.h"
#include "support/ScopedZone.h"

using namespace nimbus;

TEST(LocalZone, ADamagedTimeIsNoTimeAndNeverMovesTheInstant)
{
    test::ScopedZone zone("UTC");
    const icaltimetype midnight = calendar::utcTime("20240305", "");
    EXPECT_EQ(midnight.day, 5);
    EXPECT_EQ(midnight.hour, 0);
    // Once such a time rolled over into the next day or back into the one before.
    for (const char *damaged : {"25:00:00", "ab:00:00", "12:61:00", "-1:00:00"}) {
        EXPECT_EQ(icaltime_compare(calendar::utcTime("20240305", damaged), midnight), 0) << damaged;
        EXPECT_TRUE(calendar::localTime("20240305", damaged).is_date) << damaged;
    }
    EXPECT_EQ(icaltime_compare(calendar::utcFromStamp("20240305-250000"), midnight), 0);

    const icaltimetype morning = calendar::utcTime("20240305", "09:30:00.250");
    EXPECT_EQ(morning.hour, 9);
    EXPECT_EQ(morning.minute, 30);
    EXPECT_TRUE(icaltime_is_null_time(calendar::utcTime("20240230", "09:30:00")));
    EXPECT_TRUE(icaltime_is_null_time(calendar::localTime("2024030", "09:30:00")));
}

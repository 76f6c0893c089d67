// Helpers for the calendar tests: a time zone set for one test (support/ScopedZone.h), and the
// topic fields compared after a trip through a file.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

#include <gtest/gtest.h>

#include "calendar/CalendarTopic.h"
#include "support/ScopedZone.h"

namespace nimbus::test {

// Every stored field that describes the topic (what AssignNode copies, but the page counts
// that saving the pages sets again).
inline void expectSameTopic(const TNimbusNode &a, const TNimbusNode &b)
{
    SCOPED_TRACE("topic \"" + a.text + "\"");
    EXPECT_EQ(a.text, b.text);
    EXPECT_EQ(a.ttype, b.ttype);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.fav, b.fav);
    EXPECT_EQ(a.urgent, b.urgent);
    EXPECT_EQ(a.lock, b.lock);
    EXPECT_EQ(a.pri, b.pri);
    EXPECT_EQ(a.recur, b.recur);
    EXPECT_EQ(a.dl, b.dl);
    EXPECT_EQ(a.dlDate, b.dlDate);
    EXPECT_EQ(a.dlTime, b.dlTime);
    EXPECT_EQ(a.rsDate, b.rsDate);
    EXPECT_EQ(a.rsTime, b.rsTime);
    EXPECT_EQ(a.rno, b.rno);
    EXPECT_EQ(a.rtype, b.rtype);
    EXPECT_EQ(a.autoComplete, b.autoComplete);
    EXPECT_EQ(a.flno, b.flno);
    EXPECT_EQ(a.fltyp, b.fltyp);
    EXPECT_EQ(a.calpr, b.calpr);
    EXPECT_EQ(a.percent, b.percent);
    EXPECT_EQ(a.fdate, b.fdate);
    EXPECT_EQ(a.fTime, b.fTime);
    EXPECT_EQ(a.cre, b.cre);
    EXPECT_EQ(a.sta, b.sta);
    EXPECT_EQ(a.from, b.from);
    EXPECT_EQ(a.sent, b.sent);
    EXPECT_EQ(a.durno, b.durno);
    EXPECT_EQ(a.durtype, b.durtype);
}

}  // namespace nimbus::test

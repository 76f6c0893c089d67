// The generated store of the calendar sync benchmarks: tasks and events in groups of ten (one
// parent, nine children), half of them with a time; and their entries as sync writes them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "caldav/CompactTimezone.h"
#include "calendar/IcsWriter.h"
#include "calendar/TopicUid.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "support/TempFolder.h"

namespace nimbus::bench {

inline void makeStore(const std::string &folder, int topics)
{
    test::writeFile(folder + "Structure.dat", "uni=1\r\ntext=Topics\r\nlev=0\r\ntype=1\r\nuni=2\r\ntext=Calendar\r\nlev=1\r\ntype=1\r\n");
    TNimbusStructure store;
    store.SetPaths(folder, folder);
    store.LoadStructure();
    for (int i = 0; i < topics; ++i) {
        auto node = std::make_unique<TNimbusNode>(std::to_string(100 + i));
        node->text = "Generated topic " + std::to_string(i);
        node->lev = i % 10 == 0 ? 2 : 3;  // groups of ten: one parent, nine children
        node->type = kSectionTopics;
        node->ttype = i % 3 == 0 ? kTopicEvent : kTopicTask;
        node->status = kStatusNotStarted;
        node->dl = true;
        node->dlDate = "2027" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "15";
        node->dlTime = i % 2 ? "10:30:00" : "";
        node->durno = 1;
        node->durtype = kUnitHours;
        node->pri = i % 10;
        node->cre = "20261201-090000";
        store.Append(std::move(node));
    }
    store.SaveStructure();
}

inline std::vector<std::string> entryBodies(const std::string &folder, bool whole)
{
    TNimbusStructure store;
    store.SetPaths(folder, folder);
    store.LoadStructure();
    std::vector<calendar::CalendarTopic> all;
    for (int i = 2; i < store.Count(); ++i) {
        calendar::CalendarTopic t;
        t.node.AssignNode(*store.Node(i));
        t.uid = calendar::topicUid("0123456789abcdef", store.Node(i)->uni);
        all.push_back(std::move(t));
    }
    if (whole)
        return {caldav::withCompactTimezone(calendar::writeCalendar(all, {"20261207-120000", true}))};
    std::vector<std::string> bodies;
    for (calendar::CalendarTopic &t : all) {
        std::vector<calendar::CalendarTopic> one(1);
        one[0] = std::move(t);
        bodies.push_back(caldav::withCompactTimezone(calendar::writeCalendar(one, {"20261207-120000", true})));
    }
    return bodies;
}

}  // namespace nimbus::bench

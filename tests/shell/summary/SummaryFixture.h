// A small topic store for the summary's tests: the "Topics" section and topics added one by
// one with their schedules computed at a fixed instant.
#pragma once

#include <memory>
#include <string>

#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"

namespace nimbus::test {

class SummaryFixture {
public:
    // 10 March 2024, noon.
    SummaryFixture() : clock(DateTime::fromCivil(2024, 3, 10, 12, 0, 0))
    {
        auto section = std::make_unique<TNimbusNode>("STD0001");
        section->lev = 0;
        section->type = kSectionTopics;
        section->ttype = -1;
        section->text = "Topics";
        store.Append(std::move(section));
    }

    // A topic directly under "Topics".
    TNimbusNode &Topic(const std::string &uni, int ttype, int status = kStatusNotStarted)
    {
        auto node = std::make_unique<TNimbusNode>(uni);
        node->lev = 1;
        node->type = kSectionTopics;
        node->ttype = ttype;
        node->status = status;
        node->text = "Topic " + uni;
        TNimbusNode &made = *node;
        store.Append(std::move(node));
        made.UpdateSortKey();
        return made;
    }

    // A task or event due `days` from today (negative: in the past), schedule computed.
    TNimbusNode &Due(const std::string &uni, int ttype, int days, int status = kStatusNotStarted)
    {
        TNimbusNode &node = Topic(uni, ttype, status);
        node.dl = true;
        node.dlDate = dates::dateKey(clock.now().addDays(days));
        if (ttype == kTopicEvent) {
            node.durno = 1;
            node.durtype = kUnitDays;
        }
        node.UpdateSchedule(clock);
        node.UpdateSortKey();
        return node;
    }

    FixedClock clock;
    TNimbusStructure store;
};

} // namespace nimbus::test

// The fingerprints that sync state and calendar entries keep stay the values they always were:
// a change would make every synced topic look changed on both sides at the next sync.
#include <gtest/gtest.h>

#include "caldav/LocalSnapshot.h"
#include "calendar/NimbusFields.h"
#include "store/TNimbusNode.h"
#include "store/TopicCodes.h"

using namespace nimbus;

TEST(FingerprintValues, AreTheValuesStoredBeforeThem)
{
    EXPECT_EQ(calendar::standardValueFingerprint(""), "14650fb0739d0383");
    EXPECT_EQ(calendar::standardValueFingerprint("foobar"), "88fad7c0a8ff07f2");

    TNimbusNode node("42");
    node.lev = 2;
    node.type = kSectionTopics;
    node.ttype = kTopicTask;
    node.status = kStatusInProgress;
    node.text = "Report \xc3\xa9";
    node.dl = true;
    node.dlDate = "20240305";
    node.dlTime = "09:30:00";
    node.pri = 3;
    EXPECT_EQ(caldav::topicFingerprint(node, "parent-uid"), "c36d72f4cd44b06c");
    EXPECT_EQ(caldav::topicFingerprint(node, "parent-uid", "{\\rtf1 Page text\\par}"),
              "7c49ed419fd9b341");
}

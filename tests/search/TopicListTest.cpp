// The packed list of topics gives back every id and title as it was added.
#include "search/TopicList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nimbus::search {
namespace {

TEST(TopicList, GivesBackEachTopicsTextsExactly)
{
    const std::vector<TopicEntry> entries{{"STD0001", "Topics"},
                                          {"", "no id"},
                                          {"7", ""},
                                          {std::string("a\0b", 3), "\xE6\x9D\xB1\xE4\xBA\xAC trip"},
                                          {"8", std::string(300, 'x')}};
    const TopicList list(entries);
    ASSERT_EQ(list.size(), entries.size());
    std::size_t i = 0;
    for (const TopicList::Topic topic : list) {
        EXPECT_EQ(topic.uni, entries[i].uni) << i;
        EXPECT_EQ(topic.title, entries[i].title) << i;
        EXPECT_EQ(list[i].entry().title, entries[i].title);
        ++i;
    }
    EXPECT_EQ(i, entries.size());

    // Added one by one, without room made first.
    TopicList grown;
    EXPECT_TRUE(grown.empty());
    EXPECT_EQ(grown.begin(), grown.end());
    for (const TopicEntry &entry : entries)
        grown.add(entry.uni, entry.title);
    ASSERT_EQ(grown.size(), entries.size());
    EXPECT_EQ(grown[3].uni, entries[3].uni);
    EXPECT_EQ(grown[4].title, entries[4].title);
}

} // namespace
} // namespace nimbus::search

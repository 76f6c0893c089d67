// The compact string the node keeps its rarely set texts in: it must behave as the
// std::string it replaced wherever the fields are read, compared and assigned.
#include "store/CompactString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "store/CompactStringPool.h"
#include "store/TNimbusNode.h"

namespace nimbus {
namespace {

TEST(CompactString, HoldsAnyBytesAndFreesItsBlockWhenEmptied)
{
    static_assert(sizeof(CompactString) == sizeof(void *));
    CompactString s;
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.size(), 0u);
    EXPECT_STREQ(s.c_str(), "");

    // Bytes a store value may hold: a NUL inside, bytes above 127.
    const std::string bytes("a\0b\xE9", 4);
    s = bytes;
    EXPECT_EQ(s.size(), 4u);
    EXPECT_EQ(s.str(), bytes);
    EXPECT_EQ(s.c_str()[4], '\0');

    s = "";
    EXPECT_TRUE(s.empty());
    s = std::string_view("20240310-093000");
    s.clear();
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s, "");
}

TEST(CompactString, AssigningAPartOfItselfKeepsTheText)
{
    CompactString s;
    s = "20240310-093000";
    s = s.view().substr(0, 8); // the old block is what is being read
    EXPECT_EQ(s, "20240310");
    s = s;
    EXPECT_EQ(s, "20240310");
    s = std::move(s);
    EXPECT_EQ(s, "20240310");
}

TEST(CompactString, CopiesAndMovesOwnTheirText)
{
    CompactString a;
    a = "Ann";
    CompactString b = a;
    b = "Bob";
    EXPECT_EQ(a, "Ann");
    CompactString c = std::move(b);
    EXPECT_TRUE(b.empty()); // NOLINT: the moved-from value is defined to be empty
    EXPECT_EQ(c, "Bob");
    c = std::move(a);
    EXPECT_EQ(c, "Ann");
    EXPECT_TRUE(a.empty()); // NOLINT
}

TEST(CompactString, ComparesJoinsAndSortsAsStdString)
{
    const std::vector<std::string> texts{"", "0", "09:30:00", "10:00:00", "Z", "a", "ab", "b"};
    for (const std::string &x : texts) {
        CompactString cx;
        cx = x;
        EXPECT_EQ(std::string(cx), x);
        EXPECT_EQ(cx + "|" + cx, x + "|" + x);
        EXPECT_EQ("<" + cx + '>', "<" + x + ">");
        std::ostringstream out;
        out << cx;
        EXPECT_EQ(out.str(), x);
        for (const std::string &y : texts) {
            CompactString cy;
            cy = y;
            EXPECT_EQ(cx == cy, x == y) << x << " " << y;
            EXPECT_EQ(cx == y, x == y);
            EXPECT_EQ(y == cx, x == y);
            EXPECT_EQ(cx == y.c_str(), x == y);
            EXPECT_EQ(cx < cy, x < y) << x << " " << y;
            EXPECT_EQ(cx < y, x < y);
            EXPECT_EQ(cx + cy, x + y);
        }
    }
    CompactString stamp;
    stamp = "20240310-093000";
    EXPECT_EQ(stamp.substr(9, 2), "09");
    EXPECT_EQ(stamp.substr(9), "093000");
    EXPECT_EQ(stamp.find('-'), 8u);
    EXPECT_TRUE(stamp.starts_with("2024"));
    EXPECT_EQ(stamp[8], '-');
    EXPECT_EQ(stamp.back(), '0');
}

TEST(CompactString, NodeFieldsKeepTheirValuesThroughCopyAndMove)
{
    TNimbusNode a("1");
    a.cre = "20240310-093000";
    a.fdate = "20240311";
    a.fTime = "10:00:00";
    a.from = "Ann";
    TNimbusNode b("2");
    b.AssignNode(a);
    a.cre.clear();
    EXPECT_EQ(b.cre, "20240310-093000");
    EXPECT_EQ(b.fdate, "20240311");
    EXPECT_EQ(b.from, "Ann");
    TNimbusNode c(std::move(b));
    EXPECT_EQ(c.fTime, "10:00:00");
    EXPECT_TRUE(c.parent.empty());
}

TEST(CompactString, EveryLengthSurvivesReassignmentToEveryOther)
{
    // Lengths on both sides of each block size and of the largest pooled block, assigned
    // over each other: a new value reuses the block when its size allows, takes another
    // otherwise, and a part of itself may be the new value either way.
    std::vector<std::string> texts;
    for (std::size_t length = 0; length <= compact::kLargestBlock + 20; ++length) {
        std::string text(length, 'a');
        for (std::size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>('a' + (length + i) % 26);
        texts.push_back(text);
    }
    std::vector<CompactString> strings(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        strings[i] = texts[i];
    for (std::size_t shift = 1; shift < texts.size(); shift += 7) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            strings[i] = texts[(i + shift) % texts.size()];
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string &expected = texts[(i + shift) % texts.size()];
            ASSERT_EQ(strings[i].view(), expected) << i << " " << shift;
            ASSERT_EQ(strings[i].c_str()[expected.size()], '\0');
        }
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        CompactString s(texts[i]);
        s = s.view().substr(s.size() / 3); // the tail of itself, often the same block size
        EXPECT_EQ(s, std::string_view(texts[i]).substr(texts[i].size() / 3));
        s = s.view().substr(0, s.size() / 2);
        EXPECT_EQ(s, std::string_view(texts[i]).substr(
                         texts[i].size() / 3, (texts[i].size() - texts[i].size() / 3) / 2));
    }
}

TEST(CompactString, FreedBlocksAreReusedAcrossThreadsThatEnd)
{
    // A stamp on each of many topics, made and freed again and again, on threads that come
    // and go (a sync worker, say): the blocks an ended thread held must be found again, or
    // every such thread would strand a slab's worth of them.
    auto makeAndFree = [] {
        std::vector<CompactString> stamps(5000);
        for (CompactString &stamp : stamps)
            stamp = "20240310-093000";
    };
    std::thread(makeAndFree).join();
    const std::size_t afterFirst = compact::slabBytes();
    for (int round = 0; round < 20; ++round)
        std::thread(makeAndFree).join();
    EXPECT_EQ(compact::slabBytes(), afterFirst);

    // Values made on one thread and freed or changed on others, while those also make their
    // own: every value keeps its text until it goes.
    std::vector<CompactString> made(4000);
    std::thread maker([&] {
        for (std::size_t i = 0; i < made.size(); ++i)
            made[i] = std::to_string(i) + "-" + std::string(i % 40, 'x');
    });
    maker.join();
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([&made, w] {
            std::vector<CompactString> own;
            for (std::size_t i = static_cast<std::size_t>(w); i < made.size(); i += 4) {
                own.emplace_back(made[i].view());
                if (i % 3 == 0)
                    made[i].clear();
                else
                    made[i] = own.back().view().substr(0, own.back().size() / 2);
            }
        });
    for (std::thread &worker : workers)
        worker.join();
    for (std::size_t i = 0; i < made.size(); ++i) {
        const std::string full = std::to_string(i) + "-" + std::string(i % 40, 'x');
        EXPECT_EQ(made[i], i % 3 == 0 ? std::string() : full.substr(0, full.size() / 2)) << i;
    }
}

} // namespace
} // namespace nimbus

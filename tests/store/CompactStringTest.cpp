// The compact string the node keeps its rarely set texts in: it must behave as the
// std::string it replaced wherever the fields are read, compared and assigned.
#include "store/CompactString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

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

} // namespace
} // namespace nimbus

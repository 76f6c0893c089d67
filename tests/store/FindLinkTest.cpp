// The link finder that checklist items run through.
#include <gtest/gtest.h>

#include "store/FindLink.h"

using nimbus::FindLink;
using nimbus::LinkRecord;

TEST(FindLink, WebAddressesEndAtBlankOrComma)
{
    LinkRecord link;
    EXPECT_EQ(FindLink("see http://example.org/a, then", link), 25);
    EXPECT_TRUE(link.found);
    EXPECT_FALSE(link.isFile);
    EXPECT_EQ(link.link, "http://example.org/a");
    EXPECT_EQ(link.start, 5);
    EXPECT_EQ(link.length, 20);

    EXPECT_EQ(FindLink("https://x.y", link), 12);
    EXPECT_EQ(link.link, "https://x.y");
}

TEST(FindLink, PrefixOrderWinsOverPosition)
{
    LinkRecord link;
    // "http://" is looked for before "ftp://", although the ftp address comes first.
    FindLink("ftp://a.b http://c.d", link);
    EXPECT_EQ(link.link, "http://c.d");
}

TEST(FindLink, WwwAndMailAddresses)
{
    LinkRecord link;
    FindLink("go to www.example.org now", link);
    EXPECT_EQ(link.link, "http://www.example.org");
    EXPECT_EQ(link.start, 7);
    EXPECT_EQ(link.length, 15);

    FindLink("write mailto:someone@example.org", link);
    EXPECT_EQ(link.link, "mailto:someone@example.org");
}

TEST(FindLink, FilePaths)
{
    LinkRecord link;
    EXPECT_GT(FindLink("open C:\\docs\\plan.txt please", link), 0);
    EXPECT_TRUE(link.isFile);
    EXPECT_EQ(link.link, "C:\\docs\\plan.txt");

    EXPECT_EQ(FindLink("ratio 3:4 only", link), -1);
    EXPECT_EQ(FindLink("note: nothing", link), -1) << "no dot after the colon";
    EXPECT_EQ(FindLink(":x.y", link), -1) << "a colon at the start has no drive letter";
    EXPECT_FALSE(link.found);
}

TEST(FindLink, NothingFound)
{
    LinkRecord link;
    EXPECT_EQ(FindLink("", link), -1);
    EXPECT_EQ(FindLink("plain words", link), -1);
    EXPECT_EQ(FindLink("http://", link), 8) << "a bare prefix is still a link";
}

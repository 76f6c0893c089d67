// The hashes that stored files keep (the index's file and title hashes) stay the values they
// always were: a change would make every index look out of date or, worse, hide a change.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "fileio/Fnv1a.h"
#include "search/SearchIndex.h"
#include "search/TopicDocuments.h"
#include "support/TempFolder.h"

using namespace nimbus;

TEST(StoredHashes, TheProgramsFnv1aKeepsItsKnownValues)
{
    // The program's start value, not the published one (see Fnv1a.h).
    EXPECT_EQ(fileio::fnv1a(""), 0x14650fb0739d0383ULL);
    EXPECT_EQ(fileio::fnv1a("a"), 0x44bd8ad473cd9906ULL);
    EXPECT_EQ(fileio::fnv1a("foobar"), 0x88fad7c0a8ff07f2ULL);
    // Carried on over pieces, it is the hash of the whole.
    EXPECT_EQ(fileio::fnv1a("bar", fileio::fnv1a("foo")), fileio::fnv1a("foobar"));
    EXPECT_EQ(fileio::fnv1aByte('r', fileio::fnv1a("fooba")), fileio::fnv1a("foobar"));
    // The 32-bit one is the published FNV-1a.
    EXPECT_EQ(fileio::fnv1a32(""), 0x811c9dc5u);
    EXPECT_EQ(fileio::fnv1a32("a"), 0xe40c292cu);
    EXPECT_EQ(fileio::fnv1a32("foobar"), 0xbf9cf968u);
}

TEST(StoredHashes, TitleAndFileHashesAreTheIndexesValues)
{
    EXPECT_EQ(search::TitleHash("foobar"), static_cast<std::int64_t>(0x88fad7c0a8ff07f2ULL));
    EXPECT_EQ(search::TitleHash("Report \xc3\xa9"), 4769615010248621823);

    test::TempFolder folder;
    // More than one read's worth, so the hash is carried across reads.
    std::string bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += static_cast<char>(i * 7 + i / 13);
    std::ofstream(folder / "page.txt", std::ios::binary) << bytes;
    EXPECT_EQ(search::FileHash(folder / "page.txt"), -8774882399988258821LL);
    EXPECT_EQ(search::FileHash(folder / "missing.txt"), 0);
}

// The topics' part of the index's summary (layout, count, each id and title ended by a NUL):
// an index written before keeps finding its summary true.
TEST(StoredHashes, TheTopicsDigestIsTheSummarysValue)
{
    const search::TopicList topics{{"1", "ab"}, {"2", ""}};
    EXPECT_EQ(search::SearchIndex::Digest(topics).value(), 0x96851d6b3a8c348bULL);
}

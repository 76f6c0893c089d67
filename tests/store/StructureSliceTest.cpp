// The store file is read in slices: a line cut by a slice's end, a CR LF (or LF CR) pair cut
// between two slices, a line longer than a slice and NUL bytes must read exactly as they do
// when the whole file is held at once, through the line reader every name=value file uses.
#include <gtest/gtest.h>

#include <random>

#include "fileio/OMFILE.h"
#include "store/StructureReader.h"
#include "store/TNimbusNode.h"
#include "store/TNimbusStructure.h"
#include "store/TopicCodes.h"
#include "support/TempFolder.h"

namespace nimbus {
namespace {

// The records as the writer would put them, one line each, so two reads can be compared.
std::string recordsOf(const TNimbusStructure &store)
{
    std::string out;
    for (const auto &entry : store.Entries()) {
        const TNimbusNode &n = *entry.node;
        out += n.uni + "|" + n.text + "|" + std::to_string(n.lev) + "|" + std::to_string(n.ttype) +
               "|" + std::to_string(n.status) + "|" + n.dlDate + "|" + n.dlTime + "|" + n.cre +
               "|" + std::to_string(n.pri) + (n.urgent ? "|urgent" : "") + "\n";
    }
    return out;
}

TEST(StructureSlices, ReadAsTheWholeFileReads)
{
    test::TempFolder root;
    std::mt19937 random(11);
    const char *const ends[] = {"\r\n", "\n", "\r", "\n\r"};
    std::string file;
    auto line = [&](const std::string &text) { file += text + ends[random() % 4]; };
    line("uni=STD0001");
    line("text=Topics");
    line("lev=0");
    line("type=1");
    for (int i = 1; i <= 9000; ++i) {
        line("uni=" + std::to_string(i));
        std::string title = "Topic " + std::to_string(i) + std::string(random() % 90, 'x');
        if (i == 4000)
            title += std::string(700 * 1024, 'y'); // longer than a slice
        if (i % 997 == 0 && i > 6000)
            title.insert(3, 1, '\0'); // dropped, as from every line (the first slices have none)
        line("text=" + title);
        line("lev=" + std::to_string(1 + (i % 3 == 2)));
        line("\tttype = 4 ");
        if (i % 5 == 0)
            line("\"dlDate\"=2025031" + std::to_string(i % 10));
        if (i % 7 == 0)
            line("dlTime\t09:30:00");
        line("cre=20240101-120000");
        if (i % 11 == 0)
            line("pri=" + std::to_string(i % 9 + 1));
        if (i % 13 == 0)
            line("urgent=Y");
        // The separator is the first "=" or TAB, on either side of any 64-byte boundary.
        if (i % 17 == 0)
            line(std::string(17 + i % 130, ' ') + "pri = " + std::to_string(i % 9 + 1));
        if (i % 19 == 0)
            line("text\tTab first = then an equals sign " + std::string(i % 40, 'z'));
        if (i % 23 == 0)
            line("text=Equals first\tthen a tab " + std::string(i % 40, 'z'));
        if (file.size() > 250000 && file.size() < 262000) {
            // A CR LF whose CR is the last byte of the first slice (256 KiB).
            const std::string start = "text=Padding ";
            file += start + std::string(262143 - file.size() - start.size(), 'p') + "\r\n";
        }
    }
    // A record without a level is reported with its line number, which every line before it
    // counts towards.
    line("uni=last");
    line("text=No level");
    test::writeFile(root / "Structure.dat", file);

    TNimbusStructure sliced;
    StructureReader reader(sliced);
    ASSERT_TRUE(reader.ReadFile(root / "Structure.dat"));

    // The same bytes held whole and handed over line by line.
    TNimbusStructure whole;
    StructureReader lines(whole);
    fileio::OMFILEPtr held = fileio::openPlain(root / "Structure.dat", "R", 0);
    ASSERT_TRUE(held);
    std::string_view text;
    std::string scratch;
    int number = 0;
    while (fileio::nextLine(*held, text)) {
        scratch.assign(text);
        std::erase(scratch, '\0');
        lines.ReadLine(scratch, ++number);
    }
    lines.Finish();

    EXPECT_EQ(sliced.Count(), 9002);
    ASSERT_EQ(reader.Problems().size(), 1u);
    EXPECT_EQ(recordsOf(sliced), recordsOf(whole));
    ASSERT_EQ(lines.Problems().size(), 1u);
    EXPECT_EQ(reader.Problems()[0].english(), lines.Problems()[0].english());
    EXPECT_GT(sliced.Find("4000")->text.size(), 700u * 1024);
    EXPECT_TRUE(sliced.Find("6979")->text.starts_with("Topic 6979"));
    EXPECT_EQ(sliced.Find("6979")->text.find('\0'), std::string::npos);
}

TEST(StructureSlices, NamesCloseToAKeyAreNotKeys)
{
    // Keys are told apart by all their bytes, whatever their length: a name one byte longer
    // or shorter than a key, or in other case, or longer than any key, sets nothing.
    test::TempFolder root;
    std::string file = "uni=1\r\ntext=Kept\r\nlev=2\r\nttype=4\r\npri=3\r\n";
    for (const char *name :
         {"le", "levv", "Lev", "uni2", "tex", "texts", "ttyp", "ttypes", "pri ", "dlDat", "dlDates",
          "pr%%", "pr", "durtypes", "parentsX", "xdurtype", "topnodes", "oldttype2", "text\x7f"})
        file += std::string(name) + "=9\r\n";
    file += " dac=7\r\n"; // a name with a blank before it is trimmed, as a hand edit leaves it
    file += "uni=2\r\nlev=1\r\n";
    test::writeFile(root / "Structure.dat", file);
    TNimbusStructure store;
    StructureReader reader(store);
    ASSERT_TRUE(reader.ReadFile(root / "Structure.dat"));
    ASSERT_EQ(store.Count(), 2);
    const TNimbusNode &n = *store.Find("1");
    EXPECT_EQ(n.text, "Kept");
    EXPECT_EQ(n.lev, 2);
    EXPECT_EQ(n.ttype, 4);
    EXPECT_EQ(n.pri, 9); // "pri " is "pri" once trimmed
    EXPECT_TRUE(n.dlDate.empty());
    EXPECT_EQ(n.percent, 0);
    EXPECT_EQ(n.durtype, kUnitNone);
    EXPECT_FALSE(n.topnode);
    EXPECT_EQ(n.oldttype, 0);
    EXPECT_EQ(n.dac, 7);
}

} // namespace
} // namespace nimbus

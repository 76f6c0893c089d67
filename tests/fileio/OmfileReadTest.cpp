// Reading plain line files: line ends, NUL bytes, the end state, and name/value pairs.
#include "TempFolder.h"

#include "fileio/OMFILE.h"

using namespace nimbus::fileio;

namespace {

struct Line {
    int count;
    std::string text;
    bool operator==(const Line &) const = default;
};

class OmfileReadTest : public TempFolderTest {
protected:
    // Every line of a file holding bytes, as (returned count, text), read until -1.
    std::vector<Line> linesOf(const std::string &bytes)
    {
        put("lines.txt", bytes);
        OMFILEPtr file = openPlain(path("lines.txt"), "R", 0);
        EXPECT_TRUE(file);
        std::vector<Line> lines;
        std::string text;
        for (int count; file && (count = readLine(*file, text)) >= 0;)
            lines.push_back({count, text});
        if (file) {
            EXPECT_EQ(file->linesRead, static_cast<int>(lines.size()));
        }
        close(file);
        return lines;
    }

    void pairsOf(const std::string &bytes, std::vector<std::string> &names,
                 std::vector<std::string> &values)
    {
        put("pairs.txt", bytes);
        OMFILEPtr file = openPlain(path("pairs.txt"), "R", 0);
        ASSERT_TRUE(file);
        names = {"stale"};
        values = {"stale", "entries"};
        readPairs(*file, names, values);
        close(file);
    }
};

using Lines = std::vector<Line>;

TEST_F(OmfileReadTest, LineEndsOfEveryKindEndOneLine)
{
    EXPECT_EQ(linesOf("a\r\nb"), (Lines{{1, "a"}, {1, "b"}}));
    EXPECT_EQ(linesOf("a\n\rb"), (Lines{{1, "a"}, {1, "b"}}));
    EXPECT_EQ(linesOf("a\r\n"), (Lines{{1, "a"}}));
    EXPECT_EQ(linesOf("a\rb\nc"), (Lines{{1, "a"}, {1, "b"}, {1, "c"}}));
    // Two terminators of the same kind are two line ends.
    EXPECT_EQ(linesOf("a\r\rb\n\nc"), (Lines{{1, "a"}, {0, ""}, {1, "b"}, {0, ""}, {1, "c"}}));
    EXPECT_EQ(linesOf("a\r\n\r\nb"), (Lines{{1, "a"}, {0, ""}, {1, "b"}}));
    EXPECT_EQ(linesOf("\r\n"), (Lines{{0, ""}}));
}

TEST_F(OmfileReadTest, LastLineWithoutTerminatorAndNulBytes)
{
    EXPECT_EQ(linesOf("first\r\nlast"), (Lines{{5, "first"}, {4, "last"}}));
    // A NUL is counted but not part of the text.
    EXPECT_EQ(linesOf(std::string("a\0b\r\n\0\0", 7)), (Lines{{3, "ab"}, {2, ""}}));
}

TEST_F(OmfileReadTest, LongFileWithCarriageReturnsOnly)
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += "line" + std::to_string(i) + "\r";
    const Lines lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 5000u);
    EXPECT_EQ(lines.back().text, "line4999");
}

TEST_F(OmfileReadTest, EmptyFileAndAppendModeAreAtTheirEndAtOnce)
{
    put("empty.txt", "");
    OMFILEPtr empty = openPlain(path("empty.txt"), "R", 0);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->atEnd);
    std::string text = "old";
    EXPECT_EQ(readLine(*empty, text), -1);
    EXPECT_EQ(readLine(*empty, text), -1);

    put("log.txt", "one\r\ntwo\r\n");
    OMFILEPtr log = openPlain(path("log.txt"), "A", 0);
    ASSERT_TRUE(log);
    EXPECT_TRUE(log->atEnd);
    EXPECT_EQ(readLine(*log, text), -1);
    EXPECT_TRUE(close(log));
    EXPECT_EQ(get("log.txt"), "one\r\ntwo\r\n");
}

TEST_F(OmfileReadTest, OpenFailuresGiveNothing)
{
    EXPECT_FALSE(openPlain(path("missing.txt"), "R", 0));
    EXPECT_FALSE(openEnciphered(path("missing.txt"), "R", 0));
    put("x.txt", "a");
    // The mode is compared whole and case-sensitively.
    EXPECT_FALSE(openPlain(path("x.txt"), "r", 0));
    EXPECT_FALSE(openPlain(path("x.txt"), "RW", 0));
    // A folder is not a file.
    EXPECT_FALSE(openPlain(folder, "R", 0));
}

TEST_F(OmfileReadTest, PairSplittingRules)
{
    std::string name, value;
    splitPair("\"x=y\"=z", name, value);
    EXPECT_EQ(name, "x=y");
    EXPECT_EQ(value, "z");
    splitPair("a=b=c", name, value);
    EXPECT_EQ(name, "a");
    EXPECT_EQ(value, "b=c");
    splitPair("key\tvalue=1", name, value);
    EXPECT_EQ(name, "key");
    EXPECT_EQ(value, "\tvalue=1");
    splitPair("lonely", name, value);
    EXPECT_EQ(name, "lonely");
    EXPECT_EQ(value, "");
    // Reading goes on after the closing quote; an unclosed quote takes the rest of the line.
    splitPair("\"q\"r=s", name, value);
    EXPECT_EQ(name, "qr");
    EXPECT_EQ(value, "s");
    splitPair("\"open=1", name, value);
    EXPECT_EQ(name, "open=1");
    EXPECT_EQ(value, "");
    splitPair(std::string_view("n=v\0hidden", 10), name, value);
    EXPECT_EQ(name, "n");
    EXPECT_EQ(value, "v");
}

TEST_F(OmfileReadTest, ReadPairsTrimsPlainFilesAndSkipsBlankNames)
{
    std::vector<std::string> names, values;
    pairsOf("  Name = Value \t\r\n"
            "=no name\r\n"
            "   =blank name\r\n"
            "\x01"
            "ctl=1\r\n"
            "\r\n"
            "flag\r\n"
            "\"quoted = name\"= q \r\n"
            "Tab\tx\r\n",
            names, values);
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "flag", "quoted = name", "Tab"}));
    EXPECT_EQ(values, (std::vector<std::string>{"Value", "", "q", "x"}));
}

} // namespace

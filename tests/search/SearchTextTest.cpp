// Page text without RTF markup, folding and word splitting, the query language and the
// matcher that places snippets and highlights.
#include <gtest/gtest.h>

#include "search/RtfText.h"
#include "search/SearchQuery.h"
#include "search/TextFold.h"
#include "search/TextMatcher.h"
#include "store/TopicCodes.h"

namespace nimbus::search {
namespace {

TEST(RtfText, KeepsOnlyVisibleTextAndDecodesEscapes)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Writer;}"
        "{\\info{\\title Secret title}}\n"
        "\\pard\\f0\\fs20 Caf\\'e9 au lait\\par\n"
        "{\\pict\\pngblip 89504e470d0a1a0a}"
        "\\uc1 \\u1055?\\u1088?\\u1080?\\u1074?\\u1077?\\u1090? \\u26481?\\u20140?\\par "
        "{\\field{\\*\\fldinst HYPERLINK \"http://hidden.example\"}{\\fldrslt shown link}}"
        "\\tab x\\~y \\{braces\\} \\\\ \\emdash \\u-10179?\\u-8704? end}";
    const std::string text = RtfToText(rtf);
    EXPECT_NE(text.find("Café au lait\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Привет 東京\n"), std::string::npos) << text;
    EXPECT_NE(text.find("shown link"), std::string::npos);
    EXPECT_NE(text.find("\tx y {braces} \\ —"), std::string::npos) << text;
    EXPECT_NE(text.find("\xF0\x9F\x98\x80 end"), std::string::npos) << "surrogate pair: " << text;
    for (const char *hidden : {"Arial", "Courier", "Secret", "Writer", "89504e", "hidden.example",
                               "red255", "fs20", "?"}) {
        EXPECT_EQ(text.find(hidden), std::string::npos) << hidden << " in " << text;
    }
}

TEST(RtfText, PlainPagesAndDamageAreHandled)
{
    EXPECT_EQ(RtfToText("just plain text {not rtf}"), "just plain text {not rtf}");
    // Cut in the middle of a group, an escape and a control word: whatever was readable.
    EXPECT_EQ(RtfToText("{\\rtf1 {\\b bold} tail \\'e"), "bold tail ");
    EXPECT_EQ(RtfToText("{\\rtf1 a}}}} b\\"), "a b");
    EXPECT_EQ(RtfToText("{\\rtf1 \\bin5 {{{{{visible}"), "visible");
    std::string deep = "{\\rtf1 ";
    for (int i = 0; i < 5000; ++i) deep += "{";
    deep += "deep";
    EXPECT_EQ(RtfToText(deep), "deep");
}

TEST(TextFold, FoldsCaseAndAccentsInSeveralScripts)
{
    EXPECT_EQ(Fold("Café CRÈME Straße Œuvre Łódź"), "cafe creme strasse oeuvre lodz");
    EXPECT_EQ(Fold("ΚΑΛΗΜΈΡΑ Ελλάδα"), "καλημερα ελλαδα");
    EXPECT_EQ(Fold("ПРИВЕТ Ёлка"), "привет елка");
    EXPECT_EQ(Fold("日本"), "日本");
}

TEST(TextFold, SplitsWordsAndIdeographsWithByteRanges)
{
    const std::string text = "Héllo, wörld! 東京タワー e-mail";
    const std::vector<Token> tokens = Tokenize(text);
    std::vector<std::string> words;
    for (const Token &t : tokens) words.push_back(t.folded);
    EXPECT_EQ(words, (std::vector<std::string>{"hello", "world", "東", "京", "タ", "ワ", "ー", "e", "mail"}));
    EXPECT_EQ(text.substr(tokens[1].begin, tokens[1].end - tokens[1].begin), "wörld");
    EXPECT_EQ(SegmentForIndex("a東京b"), "a 東  京 b");
    // Invalid UTF-8 is read, not rejected.
    EXPECT_EQ(Tokenize(std::string("ab\xff\xc3") + "cd").size(), 1u);
}

TEST(Query, EveryFormIsTakenApart)
{
    const SearchQuery q = ParseQuery(
        "paint \"blue door\" gard* -red type:task status:waiting urgent due:<7d "
        "section:\"Product info\" -\"old plan\" weird:thing");
    ASSERT_EQ(q.terms.size(), 6u);
    EXPECT_EQ(q.terms[0].text, "paint");
    EXPECT_TRUE(q.terms[1].phrase);
    EXPECT_EQ(q.terms[1].text, "blue door");
    EXPECT_TRUE(q.terms[2].prefix);
    EXPECT_EQ(q.terms[2].text, "gard");
    EXPECT_TRUE(q.terms[3].excluded);
    EXPECT_TRUE(q.terms[4].excluded && q.terms[4].phrase);
    EXPECT_EQ(q.terms[5].text, "weird:thing") << "an unknown filter is searched as words";
    EXPECT_EQ(q.filters.ttype, kTopicTask);
    EXPECT_EQ(q.filters.status, kStatusWaiting);
    EXPECT_TRUE(q.filters.urgent);
    ASSERT_TRUE(q.filters.due);
    EXPECT_EQ(q.filters.due->op, DueFilter::Op::Within);
    EXPECT_EQ(q.filters.due->days, 7);
    EXPECT_EQ(q.filters.section, "product info");
    EXPECT_EQ(FtsPhrase(q.terms[0]), "\"paint\"");
    EXPECT_EQ(FtsPhrase(q.terms[1]), "\"blue door\"");
    EXPECT_EQ(FtsPhrase(q.terms[2]), "\"gard\" *");
    EXPECT_EQ(FtsPhrase(q.terms[4]), "\"old plan\"");
    EXPECT_TRUE(q.needsIndex());
    EXPECT_FALSE(ParseQuery("type:task").needsIndex());
    EXPECT_TRUE(ParseQuery("type:task -cafe").needsIndex()) << "an exclusion looks in the pages";

    EXPECT_EQ(ParseQuery("due:>2w").filters.due->days, 14);
    EXPECT_EQ(ParseQuery("due:overdue").filters.due->op, DueFilter::Op::Overdue);
    EXPECT_FALSE(ParseQuery("type:banana").filters.ttype) << "not a type: searched as a word";
    EXPECT_EQ(ParseQuery("type:banana").terms.size(), 1u);
    EXPECT_TRUE(ParseQuery("\"urgent\"").terms.size() == 1 && !ParseQuery("\"urgent\"").filters.urgent);
}

TEST(Query, NothingTypedCanReachTheIndexSyntax)
{
    // Quotes, operators and column names are words, never syntax.
    auto phrases = [](const char *text) {
        std::vector<std::string> out;
        for (const QueryTerm &t : ParseQuery(text).terms)
            out.push_back(FtsPhrase(t));
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(phrases("a\"b OR body:c NEAR("),
              (V{"\"a\"\"b\"", "\"or\"", "\"body:c\"", "\"near(\""}));
    EXPECT_EQ(phrases("x\"\"y"), V{"\"x\"\"\"\"y\""});
    EXPECT_EQ(phrases("!!! ..."), (V{"", ""})) << "no word: nothing to look up";
    EXPECT_FALSE(ParseQuery("-only -excluded").hasWords());
    EXPECT_TRUE(ParseQuery("  ").empty());
    EXPECT_EQ(phrases("東京"), V{"\" 東  京 \""}) << "ideographs become a phrase";
}

TEST(Matcher, FindsWordsPhrasesAndPrefixesLikeTheIndex)
{
    const std::string text = "The blue door of the CAFÉ; blue doors, Blue Door again.";
    const SearchQuery q = ParseQuery("\"blue door\" cafe");
    const std::vector<MatchRange> m = FindMatches(text, q);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(text.substr(m[0].begin, m[0].end - m[0].begin), "blue door");
    EXPECT_EQ(text.substr(m[1].begin, m[1].end - m[1].begin), "CAFÉ");
    EXPECT_EQ(text.substr(m[2].begin, m[2].end - m[2].begin), "Blue Door");
    EXPECT_EQ(FindMatches(text, ParseQuery("doo*")).size(), 3u);
    EXPECT_TRUE(FindMatches(text, ParseQuery("-blue")).empty());
}

TEST(Matcher, SnippetShowsTheMatchWithItsMarks)
{
    std::string text(400, 'x');
    for (std::size_t i = 0; i < text.size(); i += 10) text[i] = ' ';
    text += " the needle\nis here ";
    text += std::string(300, 'y');
    const Snippet s = MakeSnippet(text, ParseQuery("needle"), 80);
    ASSERT_EQ(s.marks.size(), 1u);
    EXPECT_EQ(s.text.substr(s.marks[0].begin, s.marks[0].end - s.marks[0].begin), "needle");
    EXPECT_EQ(s.text.rfind("… ", 0), 0u);
    EXPECT_EQ(s.text.find('\n'), std::string::npos);
    EXPECT_LE(s.text.size(), 100u);
    const Snippet start = MakeSnippet("short text", ParseQuery("absent"));
    EXPECT_EQ(start.text, "short text");
    EXPECT_TRUE(start.marks.empty());
}

}  // namespace
}  // namespace nimbus::search

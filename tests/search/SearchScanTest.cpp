// The index against an independent reading of the same files: a generated store of a few
// thousand topics with RTF and plain details pages and checklists, and a couple of hundred
// generated queries (words across title and pages, phrases, prefixes, exclusions, every
// filter). For each query the set of topics found must be the set that search_scan.py, a
// plain Python scan of Structure.dat and the page files, computes.
#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

#include "SearchFixture.h"
#include "search/TextFold.h"
#include "store/DateFormat.h"
#include "support/ChildProcess.h"

namespace nimbus::test {
namespace {

const std::vector<std::string> kWords = {
    "budget",  "report",      "meeting",   "garden",   "invoice",   "dentist",  "holiday",
    "plan",    "notes",       "quarterly", "review",   "insurance", "plumber",  "team",
    "call",    "paint",       "door",      "blue",     "red",       "window",   "letter",
    "bank",    "tax",         "return",    "car",      "repair",    "school",   "trip",
    "train",   "ticket",      "follow-up", "e-mail",   "2024",      "2025",     "q3",
    "café",    "Müller",      "straße",    "résumé",   "naïve",     "Zoë",      "Genève",
    "façade",  "smörgåsbord", "Москва",    "ёлка",     "κόσμε",     "Meeting",  "BUDGET",
    "Garden",  "order",       "parts",     "supplier", "friday",    "monday",   "agenda",
    "minutes", "draft",       "final",     "photo",    "album",     "birthday", "gift",
    "recipe",  "soup",        "bread",     "flour",    "yeast",     "oven",     "roof",
    "gutter",  "ladder",      "tiles",     "contract", "lease",     "rent",     "deposit",
    "keys",    "moving",      "boxes",     "tape"};

const char *const kFilters[] = {
    "type:task",    "type:event",     "type:note",    "type:idea",   "type:finance",
    "type:general", "status:waiting", "status:done",  "status:new",  "status:progress",
    "status:hold",  "urgent",         "due:<7d",      "due:<=3d",    "due:>2w",
    "due:today",    "due:overdue",    "section:prod", "section:Top", "section:\"Product info\"",
    "section:proj"};

// A details page as a word processor writes it: accents as \'hh, other letters as \uN.
std::string rtfOf(const std::string &text)
{
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;}\\pard\\f0\\fs20 ";
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t cp = search::DecodeUtf8(text, pos);
        char hex[16];
        if (cp == '\n') {
            out += "\\par\n";
        } else if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp >= 0xA0 && cp <= 0xFF) {
            std::snprintf(hex, sizeof hex, "\\'%02x", static_cast<unsigned>(cp));
            out += hex;
        } else {
            std::snprintf(hex, sizeof hex, "\\u%d?", static_cast<int>(cp));
            out += hex;
        }
    }
    return out + "\\par}";
}

class Generated {
public:
    explicit Generated(const std::string &data) : data_(data) {}

    // Words with commas; sentences also end in full stops and new lines (pages only).
    std::string words(int count, bool sentences = false)
    {
        std::string s;
        for (int i = 0; i < count; ++i) {
            if (i)
                s += random_() % 6 == 0 ? ", " : (sentences && random_() % 9 == 0 ? ".\n" : " ");
            s += word();
        }
        return s;
    }
    const std::string &word() { return kWords[random_() % kWords.size()]; }
    bool chance(int percent) { return static_cast<int>(random_() % 100) < percent; }
    std::uint32_t next() { return random_(); }

    // Writes a topic's pages straight into the data folder, as another copy would have.
    void pages(const std::string &uni)
    {
        std::string list;
        int page = 0;
        const int details = chance(65) ? 1 + static_cast<int>(random_() % 2) : 0;
        for (int i = 0; i < details; ++i) {
            const std::string file = uni + "-" + std::to_string(++page) + ".txt";
            list += "con=0\r\nuni=" + std::to_string(page) + "\r\nfile=" + file + "\r\n";
            const std::string text = words(6 + static_cast<int>(random_() % 30), true);
            texts_.push_back(text);
            std::ofstream(data_ + "Text/" + file, std::ios::binary)
                << (chance(60) ? rtfOf(text) : text);
        }
        if (chance(35)) {
            const std::string file = uni + "-" + std::to_string(++page) + ".lst";
            list += "con=1\r\nuni=" + std::to_string(page) + "\r\nfile=" + file + "\r\n";
            std::string items;
            const int count = 1 + static_cast<int>(random_() % 5);
            for (int i = 0; i < count; ++i) {
                const std::string item = words(1 + static_cast<int>(random_() % 4));
                texts_.push_back(item);
                items += "chk=" + std::to_string(random_() % 2) + "\r\ntxt=" + item + "\r\n";
            }
            std::ofstream(data_ + "CheckList/" + file, std::ios::binary) << items;
        }
        if (!list.empty())
            std::ofstream(data_ + "Packs/" + uni + ".pkt", std::ios::binary) << list;
    }
    // Two words that stand together in some page or checklist.
    std::string phraseFromText()
    {
        const std::string &text = texts_[random_() % texts_.size()];
        std::vector<std::string> tokens;
        std::string current;
        for (const char c : text + " ") {
            if (c == ' ' || c == ',' || c == '.' || c == '\n') {
                if (!current.empty())
                    tokens.push_back(current);
                current.clear();
            } else {
                current += c;
            }
        }
        if (tokens.size() < 2)
            return tokens.empty() ? word() : tokens[0];
        const std::size_t at = random_() % (tokens.size() - 1);
        return tokens[at] + " " + tokens[at + 1];
    }

private:
    std::string data_;
    std::mt19937 random_{20240310};
    std::vector<std::string> texts_;
};

std::string queryOf(Generated &g, int kind)
{
    auto filter = [&] { return std::string(kFilters[g.next() % std::size(kFilters)]); };
    auto spelled = [&](std::string w) { // as a user might type it
        if (g.chance(20))
            return search::Fold(w);
        if (g.chance(10))
            for (char &c : w)
                if (c >= 'a' && c <= 'z')
                    c = static_cast<char>(c - 'a' + 'A');
        return w;
    };
    auto prefix = [&] { // two to four bytes, never half a letter
        const std::string w = search::Fold(g.word());
        std::size_t n = std::min<std::size_t>(w.size(), 2 + g.next() % 3);
        while (n < w.size() && (static_cast<unsigned char>(w[n]) & 0xC0) == 0x80)
            --n;
        return w.substr(0, n) + "*";
    };
    switch (kind % 12) {
    case 0:
        return spelled(g.word());
    case 1:
        return spelled(g.word()) + " " + spelled(g.word());
    case 2:
        return g.word() + " " + g.word() + " " + g.word();
    case 3:
        return "\"" + g.phraseFromText() + "\"";
    case 4:
        return prefix();
    case 5:
        return g.word() + " -" + g.word();
    case 6:
        return g.word() + " -\"" + g.phraseFromText() + "\"";
    case 7:
        return g.word() + " " + filter();
    case 8:
        return filter() + (g.chance(40) ? " " + filter() : "");
    case 9:
        return filter() + " -" + g.word() + (g.chance(30) ? " -" + prefix() : "");
    case 10:
        return g.word() + " " + prefix() + " " + filter();
    default:
        return "\"" + g.phraseFromText() + "\" " + g.word() + " -" + g.word();
    }
}

TEST(SearchScan, TheIndexFindsWhatAPlainScanOfTheFilesFinds)
{
    TempFolder root;
    makeFolders(root.path());
    const FixedClock clock(DateTime::fromCivil(2024, 3, 10, 9, 0, 0));
    Generated g(root.path());

    TNimbusStructure written;
    written.SetFileName(root / "Structure.dat");
    const struct {
        const char *uni, *title;
        int kind;
    } sections[] = {{"STD0001", "Topics", 1},
                    {"STD0005", "Product information", 5},
                    {"SEC7", "Projects and plans", 1}};
    int id = 100;
    for (const auto &section : sections) {
        addNode(written, section.uni, 0, section.title, section.kind).ttype = -1;
        int lev = 1;
        for (int i = 0; i < 1000; ++i) {
            lev = std::clamp(lev + static_cast<int>(g.next() % 3) - 1, 1, 4);
            const std::string uni = std::to_string(id++);
            TNimbusNode &node = addNode(written, uni, lev,
                                        g.words(1 + static_cast<int>(g.next() % 4)), section.kind);
            node.ttype = 2 + static_cast<int>(g.next() % 6);
            node.status = static_cast<int>(g.next() % 6);
            node.urgent = g.chance(10);
            if (g.chance(50))
                node.dlDate =
                    dates::dateKey(clock.now().addDays(static_cast<int>(g.next() % 61) - 30));
            g.pages(uni);
        }
    }
    ASSERT_TRUE(written.SaveStructure());

    // Both sides read what is on disk.
    TNimbusStructure store;
    store.SetFileName(root / "Structure.dat");
    ASSERT_TRUE(store.LoadStructure());
    ASSERT_EQ(store.Count(), 3003);
    std::vector<search::TopicEntry> topics;
    for (int i = 0; i < store.Count(); ++i)
        topics.push_back({std::string(store.Id(i)), store.Node(i)->text});
    RecordingLog log;
    search::SearchIndex index(root / "Search.db", ContentFolders::inDataFolder(root.path()), log);
    ASSERT_TRUE(index.Build(topics));

    std::vector<std::string> queries;
    for (int i = 0; i < 216; ++i)
        queries.push_back(queryOf(g, i));
    std::ofstream(root / "queries.txt", std::ios::binary) << [&] {
        std::string all;
        for (const std::string &q : queries)
            all += q + "\n";
        return all;
    }();
    ChildProcess scan(
        NIMBUS_PYTHON3,
        {SEARCH_SCAN_SCRIPT, root.path(), root / "queries.txt", "20240310", root / "found.txt"},
        {});
    ASSERT_TRUE(scan.waitForExit(std::chrono::seconds(120)));
    ASSERT_EQ(scan.exitCode(), 0);
    std::istringstream expected(readFile(root / "found.txt"));

    std::size_t answered = 0, large = 0;
    for (const std::string &query : queries) {
        std::string line;
        ASSERT_TRUE(std::getline(expected, line)) << "the scan stopped before " << query;
        std::vector<std::string> found;
        for (const search::SearchResult &r :
             search::RunSearch(&index, search::ParseQuery(query), store, clock, 1000000))
            found.push_back(r.topic);
        std::sort(found.begin(), found.end());
        std::string joined;
        for (const std::string &topic : found)
            joined += (joined.empty() ? "" : " ") + topic;
        EXPECT_EQ(joined, line) << "query: " << query;
        answered += !found.empty();
        large += found.size() > 200;
    }
    // The queries test something: most find topics, some more than a results page holds.
    EXPECT_GT(answered, queries.size() * 2 / 3);
    EXPECT_GT(large, 5u);
}

} // namespace
} // namespace nimbus::test

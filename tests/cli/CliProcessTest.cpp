// The real nimbus-cli on real data folders while the program does not run: every command and
// format, and the statuses and messages of bad dates, unknown ids and damaged stores, which
// change nothing.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>

#include "CliRun.h"

using nimbus::test::CliHome;
using nimbus::test::readFile;
using nimbus::test::writeFile;

namespace {

std::map<std::string, std::string> snapshot(const std::string &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
        files[entry.path().string()] = entry.is_regular_file() ? readFile(entry.path()) : "";
    return files;
}

} // namespace

TEST(CliOffline, AddSetDoneRemoveWriteTheStoreWithOldVersions)
{
    CliHome home;
    auto added = home.run({"add", "Pay Rent", "--due", "2020-01-05", "--priority", "2"});
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "Added 1\n");
    EXPECT_NE(home.store().find("text=Pay Rent"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(home.data + "Structure(1).dat"));
    EXPECT_NE(readFile(home.data + "strnew.dat").find("1"), std::string::npos);

    auto sub = home.run({"add", "Receipt", "--under", "1", "--type", "note"});
    ASSERT_EQ(sub.status, 0) << sub.err;

    auto overdue = home.run({"list", "overdue", "--format", "tsv"});
    EXPECT_EQ(overdue.status, 0);
    EXPECT_EQ(overdue.out.substr(0, overdue.out.find('\t', overdue.out.find('\t') + 1)), "1\tTopics/Pay Rent");
    auto below = home.run({"list", "--under", "1", "--format", "json"});
    EXPECT_EQ(below.status, 0);
    EXPECT_NE(below.out.find("\"path\":\"Topics/Pay Rent/Receipt\""), std::string::npos) << below.out;
    EXPECT_NE(below.out.find("\"status\":\"Information topic\""), std::string::npos);

    ASSERT_EQ(home.run({"set", "1", "urgent=yes", "title=Pay the rent"}).status, 0);
    auto urgent = home.run({"list", "urgent"});
    EXPECT_NE(urgent.out.find("Topics/Pay the rent"), std::string::npos) << urgent.out;

    ASSERT_EQ(home.run({"done", "1"}).status, 0);
    EXPECT_EQ(home.run({"list", "overdue"}).status, 1); // nothing overdue any more
    auto shown = home.run({"show", "1"});
    EXPECT_EQ(shown.status, 0);
    EXPECT_NE(shown.out.find("Complete:  100%"), std::string::npos) << shown.out;

    // The removed topics' page lists go with them; another topic's stays.
    ASSERT_EQ(home.run({"add", "Keep me"}).status, 0);
    std::filesystem::create_directories(home.data + "Packs");
    for (const char *id : {"1", "2", "3"})
        writeFile(home.data + "Packs/" + id + ".pkt", "");
    ASSERT_EQ(home.run({"remove", "1"}).status, 0);
    EXPECT_EQ(home.store().find("uni=1\r\n"), std::string::npos);
    EXPECT_EQ(home.store().find("uni=2\r\n"), std::string::npos); // the topic below went with it
    EXPECT_EQ(home.run({"show", "2"}).status, 1);
    // A word that is no id at all is a mistake in the command, told as such.
    const auto malformed = home.run({"show", "abc"});
    EXPECT_EQ(malformed.status, 2);
    EXPECT_NE(malformed.err.find("not a topic id"), std::string::npos) << malformed.err;
    EXPECT_EQ(home.run({"show", "1x"}).status, 1); // id-like: simply not there
    EXPECT_FALSE(std::filesystem::exists(home.data + "Packs/1.pkt"));
    EXPECT_FALSE(std::filesystem::exists(home.data + "Packs/2.pkt"));
    EXPECT_TRUE(std::filesystem::exists(home.data + "Packs/3.pkt"));
    EXPECT_FALSE(std::filesystem::exists(home.data + "RemovedTopics"));
}

// A title from a shared calendar or a colleague may hold escape sequences: every format
// prints them escaped, so nothing reaches the terminal as a control.
TEST(CliOffline, ControlCharactersInTitlesArePrintedEscaped)
{
    CliHome home;
    const std::string title = "Pay \x1b]0;owned\x07rent\x1b[2J\x7f";
    ASSERT_EQ(home.run({"add", title}).status, 0);
    for (const char *format : {"text", "json", "tsv"}) {
        SCOPED_TRACE(format);
        const auto listed = home.run({"list", "all", "--format", format});
        EXPECT_NE(listed.out.find("rent"), std::string::npos) << listed.out;
        ASSERT_EQ(listed.status, 0);
        EXPECT_EQ(listed.out.find('\x1b'), std::string::npos) << listed.out;
        EXPECT_EQ(listed.out.find('\x07'), std::string::npos) << listed.out;
        EXPECT_EQ(listed.out.find('\x7f'), std::string::npos) << listed.out;
    }
    EXPECT_NE(home.run({"list", "all"}).out.find("Pay \\x1b]0;owned\\x07rent\\x1b[2J\\x7f"),
              std::string::npos);
    EXPECT_NE(
        home.run({"list", "all", "--format", "json"}).out.find("Pay \\u001b]0;owned\\u0007rent"),
        std::string::npos);
    const auto shown = home.run({"show", "1"});
    EXPECT_EQ(shown.out.find('\x1b'), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Topics/Pay \\x1b]0;owned"), std::string::npos) << shown.out;
}

TEST(CliOffline, SummaryCountsAndStatusBarObject)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Late", "--due", "2020-01-05"}).status, 0);
    ASSERT_EQ(home.run({"add", "Flagged", "--urgent"}).status, 0);
    auto text = home.run({"summary"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Overdue: 1\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Urgent: 1\n"), std::string::npos);
    EXPECT_NE(text.out.find("New: 2\n"), std::string::npos);
    auto json = home.run({"summary", "--format", "json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.find("{\"text\":"), 0u) << json.out;
    EXPECT_NE(json.out.find("\"class\":\"overdue\""), std::string::npos);
    EXPECT_NE(json.out.find("\"overdue\":1"), std::string::npos);
    EXPECT_EQ(json.out.back(), '\n');
    EXPECT_EQ(json.out.find('\n'), json.out.size() - 1); // one line for the status bar
}

TEST(CliOffline, EveryListAndFormatAnswersAndHelpCoversEveryCommand)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Soon", "--due", "tomorrow"}).status, 0);
    for (const char *list : {"deadlines", "overdue", "urgent", "today", "week", "in-progress", "waiting",
                             "events", "new", "changes", "favourites", "all"})
        for (const char *format : {"text", "json", "tsv"}) {
            auto r = home.run({"list", list, "--format", format, "--sort", "title"});
            EXPECT_TRUE(r.status == 0 || r.status == 1) << list << " " << format << ": " << r.err;
            if (std::string(format) == "json") {
                EXPECT_EQ(r.out.front(), '[') << list;
            }
        }
    EXPECT_NE(home.run({"list", "week"}).out.find("Soon"), std::string::npos);
    EXPECT_NE(home.run({"list", "deadlines", "--type", "task"}).out.find("Soon"), std::string::npos);
    EXPECT_EQ(home.run({"list", "all", "--section", "Topics", "--type", "event"}).status, 1);
    for (const char *command : {"summary", "list", "show", "add", "done", "set", "remove", "search", "export"}) {
        auto help = home.run({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out.find(std::string("Usage: nimbus-cli ") + command), 0u) << help.out;
    }
    EXPECT_EQ(home.run({"--help"}).status, 0);
    EXPECT_EQ(home.run({}).status, 2);
    EXPECT_EQ(home.run({"frobnicate"}).status, 2);
}

TEST(CliOffline, BadInputUnknownIdsAndDamageChangeNothing)
{
    CliHome home;
    ASSERT_EQ(home.run({"add", "Keep"}).status, 0);
    const auto before = snapshot(home.data);

    struct Case {
        std::vector<std::string> words;
        int status;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"add", "X", "--due", "30/02/2024"}, 2, "\"30/02/2024\" is not a date"},
        {{"add", "X", "--due", "2024-03-05", "25:00"}, 2, "is not a time of day"},
        {{"add", "X", "--under", "999"}, 1, "no topic has the id 999"},
        {{"set", "999", "priority=2"}, 1, "no topic has the id 999"},
        {{"set", "1", "priority=12"}, 2, "priority takes"},
        {{"set", "1", "colour=red"}, 2, "unknown field"},
        {{"done", "999"}, 1, "no topic has the id 999"},
        {{"remove", "999"}, 1, "no topic has the id 999"},
        {{"list", "someday"}, 2, "unknown list"},
        {{"list", "--format", "xml"}, 2, "--format takes"},
        {{"show", "999"}, 1, "no topic has the id 999"},
    };
    for (const Case &c : cases) {
        auto r = home.run(c.words);
        EXPECT_EQ(r.status, c.status) << c.words[0] << " " << c.words[1];
        EXPECT_NE(r.err.find("nimbus-cli: "), std::string::npos);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    EXPECT_EQ(snapshot(home.data), before);

    // A store cut short in the middle of a line: every command says so and nothing is written.
    std::string cut = home.store();
    cut.resize(cut.size() - 3);
    writeFile(home.data + "Structure.dat", cut);
    const auto damaged = snapshot(home.data);
    for (const auto &words : std::vector<std::vector<std::string>>{
             {"summary"}, {"list", "all"}, {"show", "1"}, {"add", "Y"}, {"done", "1"}, {"remove", "1"},
             {"search", "Keep"}, {"export", "--ics"}}) {
        auto r = home.run(words);
        EXPECT_EQ(r.status, 3) << words[0];
        EXPECT_NE(r.err.find("is damaged"), std::string::npos) << r.err;
    }
    EXPECT_EQ(snapshot(home.data), damaged);
}

TEST(CliOffline, MissingDataFolderIsAStoreProblem)
{
    CliHome home(false);
    auto r = home.run({"summary"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("there is no data folder"), std::string::npos) << r.err;
    EXPECT_EQ(home.run({"add", "X"}).status, 3);
    EXPECT_FALSE(std::filesystem::exists(home.data));
}

TEST(CliOffline, ALockFileThatCannotBeLockedStopsEveryWrite)
{
    // Started from cron, nimbus-cli cannot reach a program that may run: only the lock can say
    // that none does, and a lock file in this state cannot.
    CliHome home;
    ASSERT_EQ(home.run({"add", "Written before"}).status, 0);
    const std::string lock = home.data + "Running.lock";
    const std::string elsewhere = home.root / "elsewhere.txt";
    writeFile(elsewhere, "someone's file");
    const std::map<std::string, std::function<void()>> plants = {
        {"a folder", [&] { std::filesystem::create_directory(lock); }},
        {"a dangling link", [&] { std::filesystem::create_symlink(home.root / "none", lock); }},
        {"a link to a file elsewhere", [&] { std::filesystem::create_symlink(elsewhere, lock); }},
        {"an unreadable file",
         [&] {
             writeFile(lock, "");
             std::filesystem::permissions(lock, std::filesystem::perms::none);
         }},
    };
    for (const auto &[what, plant] : plants) {
        if (what == "an unreadable file" && ::geteuid() == 0)
            continue; // root opens it whatever its mode
        plant();
        const auto before = snapshot(home.data);
        for (const auto &words : {std::vector<std::string>{"add", "From cron"},
                                  std::vector<std::string>{"done", "1"}}) {
            auto refused = home.run(words);
            EXPECT_EQ(refused.status, 3) << what;
            EXPECT_NE(refused.err.find(lock + " cannot be used ("), std::string::npos)
                << what << ": " << refused.err;
            EXPECT_NE(refused.err.find("nothing was changed"), std::string::npos) << refused.err;
        }
        EXPECT_EQ(snapshot(home.data), before) << what;
        std::filesystem::remove(lock);
    }
    EXPECT_EQ(readFile(elsewhere), "someone's file");
    // Once it is gone, nimbus-cli writes again and leaves no lock file behind.
    EXPECT_EQ(home.run({"add", "From cron"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(lock)));
}

// Under a limit on its addresses (a ulimit on a shared server), nimbus-cli reserves no heap for
// large pages and answers as without the limit.
TEST(CliOffline, AnAddressLimitLeavesTheAnswersAlone)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory needs more addresses than the limit";
#endif
    CliHome home;
    ASSERT_EQ(home.run({"add", "Pay Rent", "--due", "2020-01-05"}).status, 0);
    for (const std::vector<std::string> &words :
         {std::vector<std::string>{"list", "overdue"}, {"summary"}, {"show", "1"}}) {
        const auto unlimited = home.run(words);
        ASSERT_EQ(unlimited.status, 0) << unlimited.err;
        const std::string out = home.root / "limited.out";
        const int raw = std::system(("ulimit -v 300000; " + home.commandLine(words) + " >" +
                                     nimbus::test::shellQuoted(out) + " 2>/dev/null")
                                        .c_str());
        ASSERT_TRUE(WIFEXITED(raw)) << words.front();
        EXPECT_EQ(WEXITSTATUS(raw), 0) << words.front();
        EXPECT_EQ(readFile(out), unlimited.out) << words.front();
    }
}

// Repeats typed in words: a rule reaches Recurrence.dat beside the store's nearest plain rule,
// show says it in words, a plain repeat or none takes it off again, and words it cannot read
// are refused with the usage, changing nothing.
TEST(CliOffline, RepeatRulesInWordsAreKeptBesideThePlainRule)
{
    CliHome home;
    const std::string rules = home.data + "Recurrence.dat";
    // Tuesday 8 December 2026; "last fri" unquoted, as two words. A new rule begins at its
    // first day from the due date on (every other week counted from the due date's week).
    auto added = home.run({"add", "Board", "--due", "2026-12-08", "--recur", "last", "fri"});
    ASSERT_EQ(added.status, 0) << added.err;
    const std::string id = added.out.substr(6, added.out.size() - 7);
    EXPECT_EQ(readFile(rules), id + "\tSTART=20261225;FREQ=MONTHLY;BYDAY=-1FR\r\n");
    EXPECT_NE(home.store().find("rno=1\r\nrtype=4"), std::string::npos) << home.store();
    auto shown = home.run({"show", id});
    EXPECT_NE(shown.out.find("Due:       25/12/2026"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Recurs:    monthly on last fri\n"), std::string::npos) << shown.out;
    // An export carries the whole rule from its first date.
    auto exported = home.run({"export", "--ics", "--under", "STD0001"});
    EXPECT_NE(exported.out.find("RRULE:FREQ=MONTHLY;BYDAY=-1FR\r\n"), std::string::npos)
        << exported.out;
    EXPECT_NE(exported.out.find("DUE;VALUE=DATE:20261225\r\n"), std::string::npos) << exported.out;

    ASSERT_EQ(home.run({"set", id, "recur=every 2 weeks on mon,thu until 2027-03-31"}).status, 0);
    EXPECT_EQ(readFile(rules),
              id + "\tSTART=20270104;FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH;UNTIL=20270331T235959\r\n");
    EXPECT_NE(
        home.run({"show", id}).out.find("Recurs:    every 2 weeks on mon,thu until 2027-03-31\n"),
        std::string::npos);

    const auto before = snapshot(home.data);
    auto refused = home.run({"set", id, "recur=every blue moon"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("\"every\" needs a unit"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("\"monthly on 15\""), std::string::npos) << refused.err;
    EXPECT_EQ(snapshot(home.data), before);

    ASSERT_EQ(home.run({"set", id, "recur=3 days"}).status, 0);
    EXPECT_EQ(readFile(rules), "");
    EXPECT_NE(home.run({"show", id}).out.find("Recurs:    every 3 Days\n"), std::string::npos);
}

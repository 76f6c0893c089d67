// The real program started on data files that a disk error, a sync tool, a hand edit or
// another program damaged. Each time it starts, closes in its usual time after SIGTERM with
// status 0, keeps every topic it could read under its own id, keeps the damaged file as it was
// and says in its log what happened.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>

#include "support/ChildProcess.h"
#include "support/ProgramCopy.h"

using namespace std::chrono_literals;
using nimbus::test::ChildProcess;
using nimbus::test::readFile;
using nimbus::test::waitFor;
using nimbus::test::writeFile;

namespace {

std::string record(const std::string &uni, const std::string &text, int lev, const std::string &more = {})
{
    return "uni=" + uni + "\r\ntext=" + text + "\r\nlev=" + std::to_string(lev) + "\r\ntype=1\r\n" + more;
}

// The template's sections with these topics at the top of "Topics".
std::string storeWith(const std::string &topics)
{
    return nimbus::test::templateStoreWith(NIMBUS_TEMPLATE_STORE, topics);
}

// Ten ordinary topics, each with a page list file named after its id.
std::string ordinaryTopics()
{
    std::string topics;
    for (int i = 1; i <= 10; ++i)
        topics += record(std::to_string(100 + i), "Topic " + std::to_string(100 + i), 1, "ttype=4\r\n");
    return topics;
}

struct DataFolder : nimbus::test::ProgramCopy {
    DataFolder() : ProgramCopy(NIMBUS_EXECUTABLE)
    {
        std::filesystem::create_directories(data + "Packs");
        std::filesystem::copy_file(NIMBUS_TEMPLATE_STORE, root / "prog/Structure.dat");
        for (int i = 101; i <= 110; ++i)
            writeFile(data + "Packs/" + std::to_string(i) + ".pkt", "dac=0\r\n");
    }
    std::string store() const { return readFile(data + "Structure.dat"); }
    int starts() const { return count(" started\r\n"); }

    // Starts the program, waits until it runs, closes it with SIGTERM.
    void startAndClose(std::chrono::seconds startLimit = 30s)
    {
        const int startsBefore = starts();
        ChildProcess nimbus(program, {}, environment());
        ASSERT_TRUE(nimbus.started());
        // The log of earlier runs stays: this run has started once one more line says so.
        ASSERT_TRUE(waitFor([&] { return starts() > startsBefore || nimbus.waitForExit(0ms); }, startLimit))
            << log().substr(0, 2000);
        ASSERT_FALSE(nimbus.waitForExit(0ms)) << "ended by itself, status " << nimbus.exitCode();
        nimbus.signal(SIGTERM);
        // The limit only bounds a close that hangs (a megabyte in a log line once took a minute).
        ASSERT_TRUE(nimbus.waitForExit(20s)) << "no orderly close";
        EXPECT_TRUE(nimbus.exitedNormally());
        EXPECT_EQ(nimbus.exitCode(), 0);
    }

    bool damagedCopyKept(const std::string &content) const
    {
        for (const auto &entry : std::filesystem::directory_iterator(data))
            if (entry.path().filename().string().rfind("Structure-damaged-", 0) == 0
                && readFile(entry.path()) == content)
                return true;
        return false;
    }
    // Every ordinary topic is still stored under its own id with its own title.
    void expectOrdinaryTopicsKept() const
    {
        const std::string now = store();
        for (int i = 101; i <= 110; ++i) {
            const std::string id = std::to_string(i);
            EXPECT_NE(now.find("uni=" + id + "\r\ntext=Topic " + id + "\r\n"), std::string::npos) << id;
        }
    }
};

TEST(ProgramDamage, DeepChainsHugeWindowsAndHugeValues)
{
    {
        // A chain of 30,000 expanded levels.
        DataFolder folder;
        std::string chain = ordinaryTopics();
        for (int lev = 1; lev <= 30000; ++lev)
            chain += record("c" + std::to_string(lev), "level " + std::to_string(lev), lev, "exp=Y\r\n");
        writeFile(folder.data + "Structure.dat", storeWith(chain));
        folder.startAndClose();
        folder.expectOrdinaryTopicsKept();
        EXPECT_NE(folder.store().find("uni=c30000\r\ntext=level 30000\r\nlev=30000\r\n"), std::string::npos);
    }
    for (const char *size : {"100000", "2147483647"}) {
        DataFolder folder;
        writeFile(folder.data + "Structure.dat", storeWith(ordinaryTopics()));
        writeFile(folder.data + "screen.dat", std::string("top=") + size + "\r\nleft=-" + size + "\r\nwidth=" + size
                                                  + "\r\nheight=" + size + "\r\ndue=" + size + "\r\ninfo=" + size
                                                  + "\r\ntree=" + size + "\r\n");
        folder.startAndClose();
        folder.expectOrdinaryTopicsKept();
    }
    {
        // A title of a megabyte and a level value of ten megabytes.
        DataFolder folder;
        const std::string title(1 << 20, 'T');
        const std::string lev(10 << 20, '9');
        const std::string topics = ordinaryTopics() + "uni=201\r\ntext=" + title + "\r\nlev=1\r\n"
                                   + "uni=202\r\ntext=Deep\r\nlev=x" + lev + "\r\n";
        const std::string damaged = storeWith(topics);
        writeFile(folder.data + "Structure.dat", damaged);
        folder.startAndClose();
        folder.expectOrdinaryTopicsKept();
        EXPECT_NE(folder.store().find("text=" + title + "\r\n"), std::string::npos);
        EXPECT_TRUE(folder.damagedCopyKept(damaged));
        EXPECT_LT(folder.log().size(), 100000u) << "the log holds excerpts, not the values";
    }
}

// Reminder files of a million unreadable lines: the program starts and closes as usual, says
// so in twenty lines and a summary rather than a million, and keeps every line it could not read.
TEST(ProgramDamage, AMillionUnreadableReminderLines)
{
    DataFolder folder;
    writeFile(folder.data + "Structure.dat", storeWith(ordinaryTopics()));
    std::string lines;
    for (int i = 0; i < 1'000'000; ++i)
        lines += "shown=X" + std::to_string(i) + "\r\n";
    writeFile(folder.data + "Reminders.dat", lines);
    writeFile(folder.data + "ReminderLeads.txt", lines);
    folder.startAndClose();
    folder.expectOrdinaryTopicsKept();
    const std::string log = folder.log();
    EXPECT_NE(log.find("Reminders.dat: and 999,980 more like it"), std::string::npos);
    EXPECT_NE(log.find("ReminderLeads.txt: and 999,980 more like it"), std::string::npos);
    EXPECT_LT(log.size(), 100000u);
    EXPECT_NE(readFile(folder.data + "Reminders.dat").find("shown=X999999\r\n"), std::string::npos);
}

TEST(ProgramDamage, PagesTooLongToLayOutAreShownCut)
{
    // The topic shown at start has a plain page of one unbroken word of a megabyte.
    DataFolder folder;
    writeFile(folder.data + "Structure.dat", storeWith(ordinaryTopics() + record("301", "Long page", 1, "sel=Y\r\ndac=1\r\ndam=1\r\n")));
    std::filesystem::create_directories(folder.data + "Text");
    std::filesystem::create_directories(folder.data + "CheckList");
    writeFile(folder.data + "Packs/301.pkt", "con=0\r\nuni=1\r\nfile=301-1.txt\r\n");
    writeFile(folder.data + "CheckList/301-1.~txt", "cre=20260101-090000\r\ndata=1\r\n");
    const std::string page(1 << 20, 'w');
    writeFile(folder.data + "Text/301-1.txt", page);
    folder.startAndClose();
    folder.expectOrdinaryTopicsKept();
    EXPECT_EQ(readFile(folder.data + "Text/301-1.txt"), page);
    EXPECT_NE(folder.log().find("shown cut short"), std::string::npos) << folder.log().substr(0, 3000);
}

TEST(ProgramDamage, DamagedRecordsSpreadNothing)
{
    struct Case {
        const char *what;
        std::function<std::string(const std::string &)> damage;  // of the whole file
        const char *logged;
    };
    const Case cases[] = {
        {"an empty and a repeated id with the counter gone",
         [](const std::string &s) {
             std::string d = s;
             d.insert(d.find("uni=101"), record("", "No id", 1));
             d.insert(d.find("uni=102"), record("101", "Repeated", 1));
             return d;
         },
         "repeated id"},
        {"a record without its level",
         [](const std::string &s) {
             std::string d = s;
             d.erase(d.find("lev=1\r\n", d.find("uni=104")), 7);
             return d;
         },
         "has no level"},
        {"a UTF-8 byte-order mark", [](const std::string &s) { return "\xEF\xBB\xBF" + s; }, "started"},
        {"a negative level on the first record",
         [](const std::string &s) {
             std::string d = s;
             d.replace(d.find("lev=0"), 5, "lev=-3");
             return d;
         },
         "not a level"},
        {"a file cut in its last record", [](const std::string &s) { return s.substr(0, s.size() - 3); },
         "cut short"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DataFolder folder;
        std::filesystem::remove(folder.data + "StructUnique.dat");
        const std::string damaged = c.damage(storeWith(ordinaryTopics()));
        writeFile(folder.data + "Structure.dat", damaged);
        folder.startAndClose();
        folder.expectOrdinaryTopicsKept();
        EXPECT_NE(folder.log().find(c.logged), std::string::npos) << folder.log();
        // The "Topics" section is still the first record, a section.
        EXPECT_EQ(folder.store().find("uni=STD0001\r\ntext=Topics\r\nlev=0\r\n"), 0u) << folder.store().substr(0, 200);
        if (std::string(c.logged) != "started") {
            EXPECT_TRUE(folder.damagedCopyKept(damaged));
        }
    }
}

TEST(ProgramDamage, StoresThatCannotBeReadAreNeverReplaced)
{
    {
        // A link to a store on a disk that is not mounted.
        DataFolder folder;
        std::filesystem::create_symlink(folder.root / "unmounted/Structure.dat", folder.data + "Structure.dat");
        folder.startAndClose();
        EXPECT_TRUE(std::filesystem::is_symlink(folder.data + "Structure.dat"));
        EXPECT_FALSE(std::filesystem::exists(folder.root / "unmounted"));
        EXPECT_NE(folder.log().find("could not be read"), std::string::npos) << folder.log();
    }
    {
        // A store saved by an editor in UTF-16.
        DataFolder folder;
        std::string wide = "\xFF\xFE";
        for (char c : storeWith(ordinaryTopics()))
            wide += std::string{c, '\0'};
        writeFile(folder.data + "Structure.dat", wide);
        folder.startAndClose();
        EXPECT_EQ(readFile(folder.data + "Structure.dat"), wide);
        EXPECT_NE(folder.log().find("UTF-16"), std::string::npos) << folder.log();
    }
    {
        // A folder where the temporary copy goes: the store is still saved.
        DataFolder folder;
        writeFile(folder.data + "Structure.dat", storeWith(ordinaryTopics() + record("", "Needs an id", 1)));
        std::filesystem::create_directory(folder.data + "Structure.tmp");
        folder.startAndClose();
        folder.expectOrdinaryTopicsKept();
        EXPECT_NE(folder.store().find("text=Needs an id"), std::string::npos);
        EXPECT_EQ(folder.store().find("uni=\r\n"), std::string::npos);
    }
}

TEST(ProgramDamage, CutStoreKeepsItsCompleteOldVersionsOverRestarts)
{
    // Five complete old versions, then a sync tool cuts the store in its last record.
    DataFolder folder;
    const std::string complete = storeWith(ordinaryTopics());
    for (int n = 1; n <= 5; ++n)
        writeFile(folder.data + "Structure(" + std::to_string(n) + ").dat", complete);
    const std::string cut = complete.substr(0, complete.size() - 10);
    writeFile(folder.data + "Structure.dat", cut);
    for (int run = 0; run < 5; ++run)
        folder.startAndClose();
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(readFile(folder.data + "Structure(" + std::to_string(n) + ").dat"), complete) << n;
    EXPECT_TRUE(folder.damagedCopyKept(cut));
    EXPECT_NE(folder.log().find("cut short"), std::string::npos);
    folder.expectOrdinaryTopicsKept();
}

TEST(ProgramDamage, ManyTopicsWithACounterFarBehind)
{
    DataFolder folder;
    std::string topics = ordinaryTopics() + record("", "Needs an id", 1);
    for (int i = 1000; i < 121000; ++i)
        topics += record(std::to_string(i), "t", 1);
    writeFile(folder.data + "Structure.dat", storeWith(topics));
    writeFile(folder.data + "StructUnique.dat", "00000005");
    folder.startAndClose(60s);
    folder.expectOrdinaryTopicsKept();
    EXPECT_NE(folder.store().find("uni=121000\r\ntext=Needs an id"), std::string::npos);
    EXPECT_EQ(readFile(folder.data + "StructUnique.dat"), "00121000");
}

}  // namespace

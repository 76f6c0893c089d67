// The real program left running while its clock runs 360 times faster than the wall clock
// (libfaketime): recurring events roll every few seconds, finished events stay finished, the
// store is written only when something changed, its old versions stay different from each
// other, and the program keeps answering its channel.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "ipc/Channels.h"
#include "support/ChildProcess.h"
#include "support/ProgramCopy.h"

using namespace std::chrono_literals;
using nimbus::ipc::PipeLine;
using nimbus::ipc::SendToChannel;
using nimbus::test::ChildProcess;
using nimbus::test::readFile;
using nimbus::test::waitFor;
using nimbus::test::writeFile;

namespace {

const char *const kFakeTimeLibrary = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1";

// Topics placed at the top of the template's "Topics" section.
const std::string kTopics =
    // A meeting every 15 minutes, finished at its start time.
    "uni=9001\r\ntext=Stand-up\r\nlev=1\r\ntype=1\r\nttype=3\r\nstatus=1\r\nrecur=Y\r\n"
    "dlDate=20260302\r\ndlTime=08:15:00\r\nrsDate=20260302\r\nrsTime=08:15:00\r\nrno=15\r\n"
    "rtype=0\r\ndurno=1\r\ndurtype=0\r\n"
    // Every hour without a time of its own: it counts from midnight and passes midnight.
    "uni=9002\r\ntext=Hourly reading\r\nlev=1\r\ntype=1\r\nttype=3\r\nstatus=5\r\nrecur=Y\r\n"
    "dlDate=20260302\r\nrsDate=20260302\r\nrno=1\r\nrtype=1\r\ndurno=1\r\ndurtype=1\r\n"
    // Finished one-off events.
    "uni=9003\r\ntext=Conference\r\nlev=1\r\ntype=1\r\nttype=3\r\nstatus=3\r\ndl=Y\r\n"
    "dlDate=20260220\r\ndlTime=09:00:00\r\nfdate=20260222\r\nfTime=09:00:00\r\ndurno=3\r\ndurtype=2\r\n"
    "uni=9004\r\ntext=Dentist\r\nlev=1\r\ntype=1\r\nttype=3\r\ndl=Y\r\n"
    "dlDate=20260301\r\ndurno=1\r\ndurtype=2\r\n"
    // A task due next week.
    "uni=9005\r\ntext=Tax return\r\nlev=1\r\ntype=1\r\nttype=4\r\nstatus=1\r\ndl=Y\r\n"
    "dlDate=20260309\r\n";

// The program with those topics, started under libfaketime, spoken to over its channel.
struct FastClockProgram : nimbus::test::ProgramCopy {
    FastClockProgram() : ProgramCopy(NIMBUS_EXECUTABLE)
    {
        writeFile(data + "Structure.dat", nimbus::test::templateStoreWith(NIMBUS_TEMPLATE_STORE, kTopics));
        writeFile(data + "StructUnique.dat", "00010000");
    }
    std::unique_ptr<ChildProcess> start(const std::string &fakeTime) const
    {
        return std::make_unique<ChildProcess>(
            program, std::vector<std::string>{},
            environment({std::string("LD_PRELOAD=") + kFakeTimeLibrary, "FAKETIME=" + fakeTime,
                         "FAKETIME_NO_CACHE=1"}));
    }
    bool send(const std::string &line) const
    {
        return SendToChannel(PipeLine("nimbusslavemode", true, channels), nullptr, {line});
    }
};

// The value of key in the record of topic uni.
std::string valueIn(const std::string &store, const std::string &uni, const std::string &key)
{
    const std::size_t record = store.find("uni=" + uni + "\r\n");
    if (record == std::string::npos)
        return {};
    const std::size_t end = store.find("\r\nuni=", record);
    const std::size_t at = store.find("\r\n" + key + "=", record);
    if (at == std::string::npos || at > end)
        return {};
    const std::size_t from = at + key.size() + 3;
    return store.substr(from, store.find("\r\n", from) - from);
}

}  // namespace

TEST(ProgramTime, HoursOfFastTicksWriteTheStoreOnlyWhenItChanged)
{
    if (!std::filesystem::exists(kFakeTimeLibrary))
        GTEST_SKIP() << "libfaketime is not installed (Debian package faketime)";
    FastClockProgram copy;
    auto nimbus = copy.start("@2026-03-02 08:00:00 x360");
    ASSERT_TRUE(waitFor([&] { return copy.log().find("started") != std::string::npos; }, 30s)) << copy.log();

    // Forty seconds are four simulated hours: sixteen stand-ups, four hourly readings. The
    // save timer comes round every sixth of a second; each rewrite replaces the file.
    std::set<ino_t> versions;
    int rewrites = 0;
    ino_t last = 0;
    int answered = 0;
    const auto until = std::chrono::steady_clock::now() + 40s;
    auto nextWakeup = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() < until) {
        struct stat st {};
        if (::stat((copy.data + "Structure.dat").c_str(), &st) == 0 && st.st_ino != last) {
            rewrites += last != 0;
            last = st.st_ino;
        }
        if (std::chrono::steady_clock::now() >= nextWakeup) {
            // The program answers its channel however busy its timers are.
            const int before = copy.count("Brought to the front");
            ASSERT_TRUE(copy.send("wakeup=now"));
            ASSERT_TRUE(waitFor([&] { return copy.count("Brought to the front") > before; }, 10s))
                << "no answer to wakeup " << answered + 1;
            ++answered;
            nextWakeup = std::chrono::steady_clock::now() + 8s;
        }
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(copy.send("close"));
    ASSERT_TRUE(nimbus->waitForExit(30s));
    EXPECT_EQ(nimbus->exitCode(), 0);

    const std::string store = readFile(copy.data + "Structure.dat");
    // The recurring events kept moving, the hourly one past midnight's "no time".
    const std::string standUp = valueIn(store, "9001", "dlTime");
    const std::string reading = valueIn(store, "9002", "dlTime");
    EXPECT_EQ(valueIn(store, "9001", "dlDate"), "20260302");
    EXPECT_GE(standUp, "10:00:00") << store;
    EXPECT_GE(reading, "10:00:00") << store;
    // The finished events kept what they had.
    EXPECT_EQ(valueIn(store, "9003", "fdate"), "20260222");
    EXPECT_EQ(valueIn(store, "9003", "status"), "3");
    EXPECT_EQ(valueIn(store, "9004", "fdate"), "20260301");

    // About one rewrite per roll (and a few for starts and the close), not one per save tick
    // (which would be some 240). A roll and the event's return to "future" ten seconds
    // later usually share one save.
    RecordProperty("rewrites", rewrites);
    EXPECT_GE(rewrites, 6);
    EXPECT_LE(rewrites, 60);

    // Five old versions, each different from the others and from the store.
    std::set<std::string> contents{store};
    int kept = 0;
    for (const auto &entry : std::filesystem::directory_iterator(copy.data)) {
        const std::string name = entry.path().filename();
        if (name.rfind("Structure(", 0) == 0) {
            ++kept;
            EXPECT_TRUE(contents.insert(readFile(entry.path())).second) << name << " repeats another version";
        }
    }
    EXPECT_EQ(kept, 5);
    EXPECT_GE(answered, 4);
}

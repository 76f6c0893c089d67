// Saves on a full disk: a tmpfs filled up to a chosen free space (as root), or a file-size
// limit. Every save that does not fit fails cleanly (the files it would replace are intact, no
// temporary file is left, the store stays modified and the main log names the system's
// error), and the next save once there is room again succeeds.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>

#include "StoreGenerator.h"
#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "reliability/TinyFilesystem.h"
#include "shell/core/MainLog.h"
#include "store/ContentFiles.h"
#include "store/StructureWriter.h"
#include "store/TNimbusStructure.h"
#include "store/TPreferences.h"
#include "support/TempFolder.h"

using namespace nimbus;
using nimbus::test::readFile;
using nimbus::test::TempFolder;
using nimbus::test::TinyFilesystem;

namespace {

constexpr const char *kSaveProblem = "*** A problem occurred while saving the structure: ";

class FullDisk : public ::testing::Test {
protected:
    TempFolder root;
    std::string data = root / "data/";
    FixedClock clock{DateTime::fromCivil(2025, 6, 1, 9, 0, 0)};
    TNimbusStructure store;
    TPreferences prefs;
    std::unique_ptr<MainLog> log;
    std::vector<std::string> shown; // what the window's log view shows
    int failed = 0;
    int recovered = 0;

    void SetUp() override { std::filesystem::create_directories(data); }

    void createData()
    {
        std::filesystem::create_directories(data + "CheckList");
        store.SetFileName(data + "Structure.dat");
        store.SetUniqueFileName(data + "StructUnique.dat");
        store.setClock(&clock);
        bench::GenerateStore(store, 3000, clock.now(), 3);
        prefs.SetDataFolder(data);
        log = std::make_unique<MainLog>(data + "MainLog.txt", clock);
        log->setView([this](const std::string &line) { shown.push_back(line); });
        ASSERT_TRUE(store.SaveStructure());
        ASSERT_TRUE(prefs.Save());
    }

    std::string records() const
    {
        std::string bytes;
        for (const auto &entry : store.Entries())
            structure::AppendRecord(bytes, *entry.node);
        return bytes;
    }

    struct Outcome {
        bool store = true;
        bool prefs = true;
    };
    // The main window's save step: the store, then the preferences; a failure goes to the
    // main log with the system's error text.
    Outcome saveStep()
    {
        Outcome outcome;
        if (StoreResult saved = store.SaveStructure(); !saved) {
            log->setErrorDetail(saved.errorText);
            log->AddErrorToLog(kSaveProblem);
            outcome.store = false;
        }
        if (StoreResult saved = prefs.Save(); !saved) {
            log->setErrorDetail(saved.errorText);
            log->AddErrorToLog("*** A problem occurred while saving the preferences: ");
            outcome.prefs = false;
        }
        return outcome;
    }

    // Every file of the data folder but the log and the filler, by name.
    std::map<std::string, std::string> files() const
    {
        std::map<std::string, std::string> all;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(data)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && name != "MainLog.txt" && name != ".filler")
                all[entry.path().string().substr(data.size())] = readFile(entry.path().string());
        }
        return all;
    }

    // Changes the store (it grows) and the preferences, squeezes the space with `squeeze`,
    // saves, and checks the outcome; a failed save is then retried with the space back.
    void attempt(int round, const std::function<void()> &squeeze,
                 const std::function<void()> &release, bool mustFail, const std::string &errorText,
                 bool logFileWritable)
    {
        for (int i = 0; i < 40; ++i) {
            std::string id = std::to_string(round);
            id.append("-").append(std::to_string(i));
            auto node = std::make_unique<TNimbusNode>(id);
            node->lev = 1;
            node->type = 1;
            node->text = "Added while the disk fills, round " + std::to_string(round);
            store.Insert(1, std::move(node));
        }
        store.modified = true;
        prefs.font = "Font of round " + std::to_string(round);
        const std::string expected = records();
        const auto before = files();
        shown.clear();

        squeeze();
        const Outcome outcome = saveStep();
        release();

        const auto after = files();
        if (outcome.prefs) {
            EXPECT_NE(after.at("pref.txt").find(prefs.font), std::string::npos);
        } else {
            EXPECT_EQ(after.at("pref.txt"), before.at("pref.txt")) << "round " << round;
        }
        if (mustFail) {
            EXPECT_FALSE(outcome.store)
                << "round " << round << ": a save that cannot fit succeeded";
        }
        if (outcome.store) {
            EXPECT_EQ(readFile(data + "Structure.dat"), expected) << "round " << round;
            EXPECT_FALSE(store.modified);
            return;
        }
        ++failed;
        // The store file and the preferences are exactly as before; the ".tmp" copy may hold
        // the new records; old versions keep their counts; no temporary file is left behind.
        EXPECT_TRUE(store.modified) << "round " << round;
        EXPECT_EQ(after.at("Structure.dat"), before.at("Structure.dat")) << "round " << round;
        const std::string tmp = after.count("Structure.tmp") ? after.at("Structure.tmp") : "";
        EXPECT_TRUE(tmp == before.at("Structure.tmp") || tmp == expected) << "round " << round;
        std::vector<std::string> versions;
        fileio::listVersionFiles(data + "Structure.dat", versions);
        EXPECT_LE(versions.size(), 5u);
        for (const auto &[name, bytes] : after)
            EXPECT_FALSE(fileio::fileNameOf(name).starts_with(".")) << "left behind: " << name;
        // The problem is shown and, where the log file could still grow, written to it.
        const std::string pad(20, ' ');
        ASSERT_GE(shown.size(), 2u) << "round " << round;
        EXPECT_TRUE(shown[0].ends_with(kSaveProblem)) << shown[0];
        EXPECT_NE(shown[1].find(errorText), std::string::npos) << shown[1];
        EXPECT_TRUE(shown[1].starts_with(pad)) << shown[1];
        if (logFileWritable) {
            const std::string logText = readFile(data + "MainLog.txt");
            EXPECT_NE(logText.find(kSaveProblem + std::string("\r\n") + pad), std::string::npos);
            EXPECT_NE(logText.find(errorText), std::string::npos) << logText;
        }

        // With room again the next save writes what the failed one could not.
        const Outcome retried = saveStep();
        if (retried.store && retried.prefs && readFile(data + "Structure.dat") == expected &&
            !store.modified)
            ++recovered;
        else
            ADD_FAILURE() << "round " << round << ": the save after space returned failed";
    }
};

} // namespace

TEST_F(FullDisk, SavesOnAFullFilesystemFailCleanlyAndSucceedOnceSpaceReturns)
{
    TinyFilesystem tiny(data, 8 * 1024 * 1024);
    if (!tiny.mounted())
        GTEST_SKIP() << "no tmpfs: " << tiny.reason();
    createData();
    const std::uint64_t size = readFile(data + "Structure.dat").size();
    // From two and a half times the store file down to no room at all, so that a save runs
    // out of room in each of its steps: the ".tmp" copy, the old version, the new store file
    // (early rounds, while few old versions can be pruned to make room).
    const std::string noSpace = std::strerror(ENOSPC);
    int round = 0;
    for (std::int64_t room = 5 * static_cast<std::int64_t>(size) / 2; room >= 0;
         room -= static_cast<std::int64_t>(size) / 8) {
        ++round;
        attempt(
            round, [&] { ASSERT_TRUE(tiny.leaveFree(static_cast<std::uint64_t>(room))); },
            [&] { tiny.freeSpace(); }, room + 64 * 1024 < static_cast<std::int64_t>(size), noSpace,
            room >= 16 * 1024);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GE(failed, 5);
    EXPECT_EQ(recovered, failed);
    std::printf("failed saves recovered: %d of %d on a full tmpfs (%d rounds)\n", recovered, failed,
                round);
}

TEST_F(FullDisk, SavesBeyondTheFileSizeLimitFailCleanlyAndSucceedOnceItIsLifted)
{
    createData();
    const rlim_t size = readFile(data + "Structure.dat").size();
    rlimit original{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &original), 0);
    // Writing past the limit must give an error, not end the process.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const std::string tooLarge = std::strerror(EFBIG);
    int round = 0;
    for (rlim_t limit : {rlim_t(64 * 1024), size / 2, size - 1, size + 40 * 1024}) {
        ++round;
        auto squeeze = [&] {
            rlimit tight = original;
            tight.rlim_cur = limit;
            ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
        };
        auto release = [&] { ::setrlimit(RLIMIT_FSIZE, &original); };
        attempt(round, squeeze, release, limit < size, tooLarge, true);
        if (HasFatalFailure())
            break;
    }
    ::setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_GE(failed, 3);
    EXPECT_EQ(recovered, failed);
    std::printf("failed saves recovered: %d of %d at a file-size limit\n", recovered, failed);
}

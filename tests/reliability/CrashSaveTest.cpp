// Kills a process that saves a store of 10,000 topics with content at seeded random instants
// of a save, and checks after every kill that each file reads back whole, holding either what
// it held before the interrupted save or what that save wrote, and that old versions stay
// within their counts.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <random>
#include <thread>

#include "fileio/FolderOps.h"
#include "fileio/Versions.h"
#include "reliability/CrashScenario.h"
#include "reliability/DriverProcess.h"
#include "shell/core/DataFolderLayout.h"
#include "support/TempFolder.h"

using namespace std::chrono_literals;
using nimbus::test::CrashScenario;
using nimbus::test::DriverProcess;
using nimbus::test::TempFolder;

namespace {

constexpr int kKills = 200;

struct FileStamp {
    std::int64_t size;
    std::int64_t mtime;
    bool operator==(const FileStamp &) const = default;
};
using Listing = std::map<std::string, FileStamp>;

Listing listFolder(const std::string &folder)
{
    Listing files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        struct stat st {};
        const std::string path = entry.path().string();
        ::stat(path.c_str(), &st);
        files[path.substr(folder.size())] = {st.st_size, st.st_mtim.tv_sec * 1'000'000'000 +
                                                             st.st_mtim.tv_nsec};
    }
    return files;
}

bool isTemporary(const std::string &relativePath)
{
    return nimbus::fileio::fileNameOf(relativePath).starts_with(".");
}

// The file an old version belongs to ("CheckList/5-1(3).lst" -> "CheckList/5-1.lst"), or empty.
std::string ownerOfVersion(const std::string &relativePath)
{
    const std::string name = nimbus::fileio::fileNameOf(relativePath);
    if (!nimbus::fileio::isVersionName(name))
        return {};
    const std::string ext = nimbus::fileio::extensionOf(name);
    const std::string base = nimbus::fileio::baseNameOf(name);
    return nimbus::fileio::folderOf(relativePath) + base.substr(0, base.rfind('(')) + ext;
}

struct Figures {
    int kills = 0;
    int survived = 0;
    int allBefore = 0;
    int allAfter = 0;
    int mixed = 0;
    int temporariesLeft = 0;
};

class CrashSave : public ::testing::Test {
protected:
    TempFolder root;
    std::string data = root / "data/";
    std::string progress = root / "progress.txt";
    Figures figures;

    // One driver run with this seed; killed `delay` after it reports ready, or, without a
    // delay, after its last round (the save lengths are then added to saveLengths).
    void runAndCheck(std::uint32_t seed, std::optional<std::chrono::microseconds> delay,
                     std::vector<std::int64_t> *saveLengths = nullptr)
    {
        const auto *result = ::testing::UnitTest::GetInstance()->current_test_info()->result();
        const int failuresBefore = result->total_part_count();
        CrashScenario model(data);
        std::string error;
        ASSERT_TRUE(model.Load(error)) << "before run " << seed << ": " << error;
        // What each round leaves in each file it touches, worked out before the run starts.
        std::vector<std::map<std::string, std::string>> rounds;
        for (int round = 1; round <= CrashScenario::kRounds; ++round) {
            model.Change(seed, round);
            rounds.push_back(model.Expected());
        }
        std::map<std::string, std::string> before;
        for (const auto &[path, bytes] : rounds.back())
            before[path] = model.Canonical(path);
        const Listing listedBefore = listFolder(data);
        std::filesystem::remove(progress);

        {
            DriverProcess driver(CRASH_SAVE_DRIVER, {"run", data, progress, std::to_string(seed)});
            ASSERT_TRUE(driver.started());
            std::string line;
            ASSERT_TRUE(driver.readLine(line, 300s)) << "the driver did not start";
            ASSERT_EQ(line, "ready");
            if (delay) {
                std::this_thread::sleep_for(*delay);
            } else {
                while (driver.readLine(line, 300s) && line != "done")
                    if (saveLengths && line.starts_with("saved "))
                        saveLengths->push_back(std::stoll(line.substr(line.rfind(' ') + 1)));
                ASSERT_EQ(line, "done");
            }
            driver.kill();
        }

        std::string log;
        nimbus::fileio::readWholeFile(progress, log);
        int begun = 0;
        for (std::size_t at = log.find("begin "); at != std::string::npos;
             at = log.find("begin ", at + 1))
            begun = std::max(begun, std::atoi(log.c_str() + at + 6));
        ASSERT_LE(begun, CrashScenario::kRounds);

        // Each touched file holds what the last finished round or the interrupted one left.
        int atBefore = 0, atAfter = 0;
        for (const auto &[path, last] : rounds.back()) {
            const auto stateAfter = [&](int round) -> const std::string & {
                if (round == 0)
                    return before.at(path);
                const auto &files = rounds[static_cast<std::size_t>(round - 1)];
                const auto it = files.find(path);
                return it == files.end() ? before.at(path) : it->second;
            };
            const std::string actual = model.Canonical(path);
            const std::string &older = stateAfter(std::max(begun - 1, 0));
            const std::string &newer = stateAfter(begun);
            EXPECT_TRUE(actual == older || actual == newer)
                << "run " << seed << ", round " << begun << ": " << path << " holds neither its "
                << "old nor its new content (" << actual.size() << " bytes; old " << older.size()
                << ", new " << newer.size() << ")";
            atBefore += actual == older && older != newer;
            atAfter += actual == newer && older != newer;
        }

        // Nothing else changed; new files are old versions within their counts, or the
        // temporary file of a write that was cut short.
        const Listing listedAfter = listFolder(data);
        std::map<std::string, std::vector<std::string>> versions;
        int temporaries = 0;
        for (const auto &[path, stamp] : listedAfter) {
            if (rounds.back().count(path))
                continue;
            if (isTemporary(path)) {
                ++temporaries;
                continue;
            }
            const std::string owner = ownerOfVersion(path);
            if (!owner.empty()) {
                versions[owner].push_back(path);
                continue;
            }
            const auto old = listedBefore.find(path);
            EXPECT_TRUE(old != listedBefore.end() && old->second == stamp)
                << "run " << seed << ": " << path << " changed although no save touches it";
        }
        for (const auto &[path, stamp] : listedBefore)
            EXPECT_TRUE(listedAfter.count(path) || !ownerOfVersion(path).empty())
                << "run " << seed << ": " << path << " disappeared";
        for (const auto &[owner, names] : versions) {
            std::string list;
            for (const std::string &name : names)
                list += " " + name;
            EXPECT_LE(names.size(), static_cast<std::size_t>(CrashScenario::VersionsAllowed(
                                        nimbus::fileio::fileNameOf(owner))))
                << "run " << seed << ": old versions of " << owner << ":" << list;
        }

        if (!delay)
            return;
        ++figures.kills;
        figures.survived += result->total_part_count() == failuresBefore;
        figures.allBefore += atAfter == 0;
        figures.allAfter += atBefore == 0 && atAfter > 0;
        figures.mixed += atBefore > 0 && atAfter > 0;
        figures.temporariesLeft = temporaries;
    }
};

} // namespace

TEST_F(CrashSave, EveryKillLeavesEachFileWholeWithItsOldOrNewContent)
{
    {
        DriverProcess create(CRASH_SAVE_DRIVER, {"create", data});
        ASSERT_TRUE(create.started());
        ASSERT_EQ(create.wait(), 0);
    }
    // A run that is not killed measures how long a save takes.
    std::vector<std::int64_t> lengths;
    runAndCheck(0, std::nullopt, &lengths);
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(lengths.size(), static_cast<std::size_t>(CrashScenario::kRounds));
    const std::int64_t saveLength = *std::max_element(lengths.begin(), lengths.end());
    std::printf("a save of %d topics with content takes up to %.1f ms\n", CrashScenario::kTopics,
                saveLength / 1000.0);

    std::mt19937_64 random(20250601);
    std::uniform_int_distribution<std::int64_t> instant(0,
                                                        std::max<std::int64_t>(saveLength - 1, 0));
    for (int kill = 1; kill <= kKills && !HasFatalFailure(); ++kill)
        runAndCheck(static_cast<std::uint32_t>(kill), std::chrono::microseconds(instant(random)));

    // The next start-up clears what the kills left half-written, and the program's own
    // loaders read the whole folder back.
    nimbus::TAppPaths paths;
    paths.DataFolder = data;
    paths.TextFolder = data + "Text/";
    paths.CheckListFolder = data + "CheckList/";
    paths.PacksFolder = data + "Packs/";
    paths.OutboxFolder = data + "Outbox/";
    paths.FormatsFolder = data + "Formats/";
    paths.ControlFolder = data + "$Control/";
    nimbus::createDataFolders(paths);
    for (const auto &[path, stamp] : listFolder(data))
        EXPECT_FALSE(isTemporary(path)) << path << " was left after start-up";
    CrashScenario last(data);
    std::string error;
    EXPECT_TRUE(last.Load(error)) << error;
    std::printf("kills survived: %d of %d (every file old: %d, every file new: %d, mixed: %d); "
                "temporary files left by kills: %d, all removed at the next start-up\n",
                figures.survived, figures.kills, figures.allBefore, figures.allAfter, figures.mixed,
                figures.temporariesLeft);
}

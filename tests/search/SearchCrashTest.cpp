// A real process killed while it updates or builds the index: the index that is left either
// opens and, once checked against the store, answers with what the pages say now, or is
// rebuilt. Either way the next start works and answers correctly.
#include <csignal>
#include <cstdlib>

#include "SearchFixture.h"
#include "support/ChildProcess.h"

namespace nimbus::test {
namespace {

class SearchCrash : public SearchStore {
protected:
    void SetUp() override {
        store.SetFileName(root / "Structure.dat");
        ASSERT_TRUE(store.SaveStructure());
    }
    long steps() {
        try {
            return std::stol(readFile(root / "steps"));
        } catch (...) {
            return -1;
        }
    }
    // What a start does: open or rebuild, then check against the store.
    void startAgain(search::SearchIndex &again) {
        if (!again.Open()) {
            ASSERT_TRUE(again.Build(snapshot()));
        }
        ASSERT_GE(again.Refresh(snapshot()), 0);
    }
};

TEST_F(SearchCrash, KillDuringUpdatesLeavesAnIndexThatAnswersWhatThePageSays)
{
    ASSERT_TRUE(index.Build(snapshot()));
    index.Close();
    for (const long killAfter : {5L, 40L}) {
        SCOPED_TRACE(killAfter);
        ChildProcess child(SEARCH_UPDATE_CHILD, {"update", root.path(), "15"}, {});
        ASSERT_TRUE(child.started());
        ASSERT_TRUE(waitFor([&] { return steps() >= killAfter; }, std::chrono::seconds(60)));
        child.signal(SIGKILL);
        ASSERT_TRUE(child.waitForExit(std::chrono::seconds(10)));

        // The page as it is on disk now names the last mark written.
        const std::string page = readFile(root / "Text/15-1.txt");
        const std::size_t at = page.find("mark");
        ASSERT_NE(at, std::string::npos);
        const long mark = std::atol(page.c_str() + at + 4);
        search::SearchIndex again(root / "Search.db", folders, log);
        startAgain(again);
        EXPECT_EQ(find(again, "mark" + std::to_string(mark)), (V{"15:P"}));
        EXPECT_TRUE(find(again, "mark" + std::to_string(mark - 1)).empty());
        EXPECT_EQ(find(again, "cafe"), (V{"10:TP"})) << "the rest is untouched";
    }
}

TEST_F(SearchCrash, KillDuringABuildLeavesNoHalfIndex)
{
    // Enough topics for the build to report progress before it ends.
    const int topics = store.IndexOf("STD0005");
    for (int i = 0; i < 3000; ++i)
        addNode(store, std::string("T").append(std::to_string(i)), 1,
                std::string("Topic number ").append(std::to_string(i)), 1, topics);
    ASSERT_TRUE(store.SaveStructure());
    writeFile(root / "steps", "-1");
    ChildProcess child(SEARCH_UPDATE_CHILD, {"build", root.path()}, {});
    ASSERT_TRUE(waitFor([&] { return steps() >= 1000; }, std::chrono::seconds(60)));
    child.signal(SIGKILL);
    ASSERT_TRUE(child.waitForExit(std::chrono::seconds(10)));

    search::SearchIndex again(root / "Search.db", folders, log);
    startAgain(again);
    EXPECT_EQ(find(again, "cafe"), (V{"10:TP"}));
    EXPECT_EQ(find(again, "\"number 2999\"").size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(root / "Search.db.new"));
}

}  // namespace
}  // namespace nimbus::test

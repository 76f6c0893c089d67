// Thousands of random user changes on a generated store with pages, undone and redone: every
// state the history passes through must be exactly one the user saw.
#include <gtest/gtest.h>

#include <functional>

#include "fileio/FolderOps.h"
#include "history/HistoryStore.h"
#include "history/RandomUser.h"
#include "history/UndoHistory.h"

namespace nimbus::history {
namespace {

// Smaller under the sanitizers, which make every step several times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kTopics = 1000;
constexpr int kOperations = 500;
#else
constexpr int kTopics = 5000;
constexpr int kOperations = 2000;
#endif

// A state as the tests compare it: the store's records and the content folders' file names.
// Writing every record of thousands of topics and listing thousands of files at every step
// would take most of the test's time, so the records are taken at every fourth step and the
// names at every twentieth; the walk checks the positions it meets that have them, and the
// ends are compared whole.
struct State {
    std::size_t records = 0; // 0: not taken
    std::size_t names = 0;
};

State stateOf(const test::HistoryStore &data, std::size_t step)
{
    State state;
    if (step % 4 == 0)
        state.records = std::hash<std::string>{}(data.records()) | 1;
    if (step % 20 == 0)
        state.names = std::hash<std::string>{}(data.contentNames()) | 1;
    return state;
}

TEST(HistoryProperty, RandomChangesUndoneAndRedoneGiveBackEveryStateByteForByte)
{
    test::HistoryStore data(kTopics);
    ASSERT_TRUE(data.store.SaveStructure());
    std::string startFile;
    ASSERT_TRUE(fileio::readWholeFile(data.store.FileName(), startFile));
    const auto startFiles = data.contentFiles();
    ASSERT_GT(startFiles.size(), static_cast<std::size_t>(kTopics));

    UndoHistory history(data.context(), HistoryLimits{kOperations, std::size_t{1} << 30});
    RandomUser user(data, history);
    // The model: the state after each step, by hash (the whole text of thousands of steps
    // would not fit).
    std::vector<State> states{stateOf(data, 0)};
    while (history.size() < static_cast<std::size_t>(kOperations))
        if (user.act())
            states.push_back(stateOf(data, states.size()));
    ASSERT_TRUE(data.store.SaveStructure());
    std::string endFile;
    ASSERT_TRUE(fileio::readWholeFile(data.store.FileName(), endFile));
    const auto endFiles = data.contentFiles();
    ASSERT_NE(endFile, startFile);

    // Random walks back and forth; each position must be the state the model says.
    for (int step = 0; step < kOperations; ++step) {
        const bool back = history.canUndo() && (!history.canRedo() || data.rng() % 2 == 0);
        ASSERT_TRUE(back ? history.undo() : history.redo()) << "step " << step;
        const State now = stateOf(data, history.undoable());
        ASSERT_EQ(now.records, states[history.undoable()].records)
            << "step " << step << " at " << history.undoable();
        ASSERT_EQ(now.names, states[history.undoable()].names)
            << "step " << step << " at " << history.undoable();
    }

    while (history.canUndo())
        ASSERT_TRUE(history.undo());
    ASSERT_TRUE(data.store.SaveStructure());
    std::string undoneFile;
    ASSERT_TRUE(fileio::readWholeFile(data.store.FileName(), undoneFile));
    EXPECT_TRUE(undoneFile == startFile) << "Structure.dat differs from the start";
    EXPECT_TRUE(data.contentFiles() == startFiles) << "content files differ from the start";

    while (history.canRedo())
        ASSERT_TRUE(history.redo());
    ASSERT_TRUE(data.store.SaveStructure());
    std::string redoneFile;
    ASSERT_TRUE(fileio::readWholeFile(data.store.FileName(), redoneFile));
    EXPECT_TRUE(redoneFile == endFile) << "Structure.dat differs from the end state";
    EXPECT_TRUE(data.contentFiles() == endFiles) << "content files differ from the end state";
}

} // namespace
} // namespace nimbus::history

// The cutting rule both undo histories follow (the window's over a QUndoStack and UndoHistory),
// so that what the history tests show of one holds for the other.
#include <gtest/gtest.h>

#include "history/HistoryTrim.h"

using nimbus::history::HistoryTrim;

TEST(HistoryTrim, TheOldestDoneStepsGoAndNeverTheNewestOrAnUndoneOne)
{
    const HistoryTrim rule(3, 1000);
    // Within both limits nothing goes.
    EXPECT_FALSE(rule.dropsOldest(3, 3, 1000));
    // Over either limit the oldest goes.
    EXPECT_TRUE(rule.dropsOldest(4, 4, 10));
    EXPECT_TRUE(rule.dropsOldest(2, 2, 1001));
    // The newest step stays however large: the last change can always be undone.
    EXPECT_FALSE(rule.dropsOldest(1, 1, 1'000'000));
    // An undone step is the way to its redo: with none done, nothing goes.
    EXPECT_FALSE(rule.dropsOldest(5, 0, 1'000'000));
    EXPECT_TRUE(rule.dropsOldest(5, 1, 1'000'000));
}

// "Skip this occurrence" as one undoable step: the skipped date joins the series on the topic
// and in the recurrence file, the topic shows its next occurrence, and undo and redo put both
// back exactly, refusing when the repeat was changed in between.
#include <gtest/gtest.h>

#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleText.h"
#include "recurrence/SkipOccurrence.h"
#include "recurrence/TopicRecurrence.h"
#include "store/RecordingLog.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::recurrence {
namespace {

Series series(const std::string &text)
{
    Series s;
    std::string error;
    EXPECT_TRUE(parseSeries(text, s, error)) << error;
    return s;
}

TEST(SkipOccurrence, OneUndoableStepOnTheTopicAndTheFile)
{
    test::TempFolder folder;
    test::RecordingLog log;
    RecurrenceFile file(folder.path());
    TNimbusStructure store;
    auto made = std::make_unique<TNimbusNode>("5");
    made->lev = 1;
    made->type = kSectionTopics;
    made->ttype = kTopicTask;
    made->status = kStatusInProgress;
    made->percent = 40;
    made->dlDate = "20260107";
    TNimbusNode &node = *made;
    ASSERT_GE(store.Append(std::move(made)), 0);
    const Series before = series("START=20260105;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=3");
    applySeries(node, before);
    file.Set("5", before);
    const DateTime now = DateTime::fromCivil(2026, 1, 6, 12);

    history::FieldEditRecorder recorder(store, {"5"});
    ASSERT_TRUE(skipOccurrence(node, file, now));
    history::CommandGroup step;
    step.add(std::make_unique<SeriesEdit>(file, "5", before, *seriesOf(node)));
    step.add(recorder.finish());

    EXPECT_EQ(node.dlDate, "20260109");
    EXPECT_EQ(node.status, kStatusNotStarted);
    EXPECT_EQ(node.percent, 0);
    EXPECT_EQ(file.Find("5")->exceptions,
              std::vector<std::int64_t>{DateTime::fromCivil(2026, 1, 7).dayNumber()});
    // Friday the 9th is the last of the three: it is completed, not skipped.
    EXPECT_FALSE(canSkipOccurrence(node));

    history::HistoryContext context{store, {}, nullptr, log, nullptr};
    ASSERT_TRUE(step.revert(context));
    EXPECT_EQ(node.dlDate, "20260107");
    EXPECT_EQ(node.status, kStatusInProgress);
    EXPECT_EQ(node.percent, 40);
    EXPECT_EQ(*seriesOf(node), before);
    EXPECT_EQ(*file.Find("5"), before);
    ASSERT_TRUE(step.apply(context));
    EXPECT_EQ(node.dlDate, "20260109");

    // Someone set another repeat meanwhile: undo refuses and changes nothing.
    const Series other = series("START=20260105;FREQ=DAILY");
    applySeries(node, other);
    const std::string due = node.dlDate;
    EXPECT_FALSE(step.revert(context));
    EXPECT_EQ(*seriesOf(node), other);
    EXPECT_EQ(node.dlDate, due);
    EXPECT_TRUE(log.mentions("was changed since"));
}

} // namespace
} // namespace nimbus::recurrence

// The recurrence editor's rules without a window: which series it can show and that showing
// them changes nothing, what a choice makes of a series (its first day, its skipped dates, its
// end), the words for rules it cannot show, and OK's effect on a topic and the recurrence file
// as one step that undoes and redoes.
#include <gtest/gtest.h>

#include <map>

#include "fileio/UiText.h"
#include "history/CommandGroup.h"
#include "history/FieldEdit.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/RuleEditing.h"
#include "recurrence/RuleText.h"
#include "recurrence/SkipOccurrence.h"
#include "recurrence/TopicRecurrence.h"
#include "recurrence/TopicRuleOptions.h"
#include "store/Clock.h"
#include "store/RecordingLog.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::recurrence {
namespace {

std::int64_t day(int y, int m, int d)
{
    return DateTime::fromCivil(y, m, d).dayNumber();
}

Series series(const std::string &text)
{
    Series s;
    std::string error;
    EXPECT_TRUE(parseSeries(text, s, error)) << text << ": " << error;
    return s;
}

std::string dates(const std::vector<std::int64_t> &days)
{
    std::string out;
    for (const std::int64_t d : days)
        out += (out.empty() ? "" : " ") + formatDateText(d, std::nullopt);
    return out;
}

TEST(RuleEditing, RulesTheEditorShowsComeBackMeaningTheSame)
{
    for (const char *text : {
             "START=20260105;FREQ=DAILY;INTERVAL=3",
             "START=20260105;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10",
             "START=20260106;FREQ=WEEKLY;INTERVAL=2",
             "START=20260105;FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR;COUNT=30",
             "START=20260131;FREQ=MONTHLY",
             "START=20260105;FREQ=MONTHLY;BYMONTHDAY=15;UNTIL=20261231",
             "START=20260130;FREQ=MONTHLY;INTERVAL=2;BYDAY=-1FR",
             "START=20260113T090000;FREQ=MONTHLY;BYDAY=2TU;UNTIL=20260609T080000",
             "START=20260105;FREQ=YEARLY;INTERVAL=2;EXDATE=20280105",
         }) {
        SCOPED_TRACE(text);
        const Series original = series(text);
        const std::optional<EditableRule> shown = editableRule(original);
        ASSERT_TRUE(shown);
        Series again = original;
        again.rule = ruleFromEditable(*shown, &original);
        EXPECT_EQ(dates(again.between(day(2026, 1, 1), day(2029, 12, 31))),
                  dates(original.between(day(2026, 1, 1), day(2029, 12, 31))));
        // An end kept on its day keeps its time of day: 08:00 lets the 9 June 09:00 one out.
        EXPECT_EQ(again.rule.until, original.rule.until);
    }
}

TEST(RuleEditing, RulesTheEditorCannotShowAreRefused)
{
    for (const char *text : {
             "START=20260105;FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
             "START=20260105;FREQ=MONTHLY;BYMONTHDAY=1,15",
             "START=20260105;FREQ=MONTHLY;BYMONTHDAY=-1",
             "START=20260105;FREQ=YEARLY;BYMONTH=1,7",
             "START=20260105;FREQ=WEEKLY;RDATE=20260110",
             "START=20260105;FREQ=MONTHLY;BYDAY=5MO",
             "START=20260105;FREQ=MONTHLY;BYDAY=MO",
             "START=20260105;FREQ=DAILY;INTERVAL=2;BYDAY=MO",
             "START=20260105;FREQ=WEEKLY;COUNT=10000",
         }) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(editableRule(series(text)));
    }
}

TEST(RuleEditing, ANewRuleStartsOnItsFirstDayFromTheChosenDate)
{
    // Tuesday 6 January: Monday, Wednesday and Friday ten times begins on Wednesday.
    EditableRule chosen = defaultEditableRule(day(2026, 1, 6));
    chosen.weekdays = 0b10101;
    chosen.end = RuleEnd::AfterCount;
    chosen.count = 10;
    const Series made = editedSeries(nullptr, &chosen, day(2026, 1, 6), 9 * 3600 * 1000);
    EXPECT_EQ(formatSeries(made), "START=20260107T090000;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10");
    EXPECT_EQ(dates(nextOccurrences(made, day(2026, 1, 6))),
              "20260107 20260109 20260112 20260114 20260116");
    EXPECT_EQ(made.between(day(2026, 1, 1), day(2026, 12, 31)).size(), 10u);

    // The last Friday from Saturday 31 January is 27 February; a rule ended before any day
    // it picks has none.
    Rule lastFriday;
    lastFriday.frequency = Frequency::Monthly;
    lastFriday.byDay = {{4, -1}};
    EXPECT_EQ(firstRuleDay(lastFriday, day(2026, 1, 31)), day(2026, 2, 27));
    lastFriday.until = day(2026, 2, 20) * DateTime::kMsecsPerDay;
    EXPECT_FALSE(firstRuleDay(lastFriday, day(2026, 1, 31)));

    // "Every 2 weeks" as the plain rule is where a new custom rule starts.
    const EditableRule fromPlain = defaultEditableRule(day(2026, 1, 6), 2, kUnitWeeks);
    EXPECT_EQ(fromPlain.frequency, Frequency::Weekly);
    EXPECT_EQ(fromPlain.interval, 2);
    EXPECT_EQ(fromPlain.weekdays, 1u << 1);
}

TEST(RuleEditing, OkKeepsWhatTheUserDidNotChange)
{
    const Series original = series("START=20260105T000000;FREQ=WEEKLY;BYDAY=MO;EXDATE=20260119");
    // Shown and given back untouched, with no time ticked: the very same series.
    const EditableRule shown = *editableRule(original);
    EXPECT_EQ(editedSeries(&original, &shown, day(2026, 1, 12), std::nullopt), original);
    // A series the editor cannot show comes back as it was too.
    const Series foreign = series("START=20260105;FREQ=MONTHLY;BYDAY=MO,FR;BYSETPOS=1,-1");
    EXPECT_EQ(editedSeries(&foreign, nullptr, day(2026, 2, 2), std::nullopt), foreign);

    // Thursdays added from Tuesday the 13th: the rule starts on the 15th and the skipped
    // Monday stays skipped.
    EditableRule changed = shown;
    changed.weekdays |= 1u << 3;
    const Series edited = editedSeries(&original, &changed, day(2026, 1, 13), std::nullopt);
    EXPECT_EQ(edited.startDay, day(2026, 1, 15));
    EXPECT_EQ(edited.exceptions, original.exceptions);
    EXPECT_EQ(dates(nextOccurrences(edited, day(2026, 1, 13))),
              "20260115 20260122 20260126 20260129 20260202");

    // An end moved to another day takes that whole day.
    changed.end = RuleEnd::OnDate;
    changed.untilDay = day(2026, 3, 2);
    EXPECT_EQ(formatRule(ruleFromEditable(changed, &original)),
              "FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=20260302T235959");
}

TEST(RuleEditing, RulesAreToldInWords)
{
    const std::pair<const char *, const char *> cases[] = {
        {"START=20260105;FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", "Every weekday"},
        {"START=20260105;FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR;COUNT=10",
         "Every 2 weeks on Monday and Friday, 10 times"},
        {"START=20260105;FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1",
         "Every month on Monday, Tuesday, Wednesday, Thursday and Friday, taking the last of "
         "those days in each month"},
        {"START=20260105;FREQ=YEARLY;BYMONTH=1,7;BYMONTHDAY=1,-2;UNTIL=20301231",
         "Every year in January and July on day 1 and the second to last day, until 31/12/2030"},
        {"START=20260113;FREQ=MONTHLY;BYDAY=FR;BYMONTHDAY=13",
         "Every month on Friday, when that is day 13"},
        {"START=20260105;FREQ=MONTHLY;BYDAY=2TU,-1FR;COUNT=1",
         "Every month on the second Tuesday and the last Friday, once"},
        {"START=20260105;FREQ=YEARLY;INTERVAL=2", "Every 2 years on 5 January"},
        {"START=20260105;FREQ=DAILY;EXDATE=20260107,20260108;RDATE=20260201,20260301,20260401,"
         "20260501,20260601",
         "Every day; 2 dates skipped; also on 01/02/2026, 01/03/2026, 01/04/2026 and 2 more "
         "dates"},
    };
    for (const auto &[text, words] : cases)
        EXPECT_EQ(describeSeries(series(text), 0), words) << text;
    EXPECT_EQ(describeSeries(series("START=20260105;FREQ=DAILY;UNTIL=20261231"), 1),
              "Every day, until 12/31/2026");
}

// Each piece of the words goes through the translations, with its numbers and names put in
// where the translation wants them.
TEST(RuleEditing, TheWordsAreTranslatedPieceByPiece)
{
    text::setTranslator([](const char *context, const char *source) -> std::string {
        const std::map<std::string, std::string> german = {
            {"Every %1 weeks", "Alle %1 Wochen"},
            {" on %1", " am %1"},
            {"Monday", "Montag"},
            {"Friday", "Freitag"},
            {" and ", " und "},
            {", %1 times", ", %1-mal"},
            {"; %1 dates skipped", "; %1 Termine ausgelassen"}};
        const auto found = german.find(source);
        return std::string(context) == "RuleWords" && found != german.end() ? found->second
                                                                            : source;
    });
    const std::string said = describeSeries(
        series(
            "START=20260105;FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR;COUNT=12;EXDATE=20260105,20260109"),
        0);
    text::setTranslator(nullptr);
    EXPECT_EQ(said, "Alle 2 Wochen am Montag und Freitag, 12-mal; 2 Termine ausgelassen");
}

TEST(RuleEditing, OkGivesTheTopicItsSeriesAsOneStep)
{
    test::TempFolder folder;
    test::RecordingLog log;
    RecurrenceFile file(folder.path());
    TNimbusStructure store;
    auto made = std::make_unique<TNimbusNode>("7");
    made->lev = 1;
    made->type = kSectionTopics;
    made->ttype = kTopicTask;
    made->status = kStatusNotStarted;
    made->recur = true;
    made->rno = 1;
    made->rtype = kUnitDays;
    made->dlDate = made->rsDate = "20260106";
    TNimbusNode &node = *made;
    ASSERT_GE(store.Append(std::move(made)), 0);
    FixedClock clock(DateTime::fromCivil(2026, 1, 5, 12));

    // The dialog chose Monday, Wednesday and Friday from Tuesday the 6th.
    TopicOptions values = topicOptionsFromNode(node, 0, false);
    values.cancelled = false;
    values.richRule = "START=20260107;FREQ=WEEKLY;BYDAY=MO,WE,FR;COUNT=10";
    history::FieldEditRecorder recorder(store, {"7"});
    SeriesChange change;
    ASSERT_TRUE(applyTopicOptionsWithSeries(values, node, clock, file, &change).applied);
    EXPECT_EQ(node.dlDate, "20260107");
    EXPECT_EQ(node.rsDate, "20260107");
    EXPECT_EQ(node.rtype, kUnitWeeks);
    ASSERT_TRUE(seriesOf(node));
    EXPECT_EQ(formatSeries(*seriesOf(node)), values.richRule);
    ASSERT_TRUE(file.Find("7"));
    EXPECT_EQ(*file.Find("7"), *seriesOf(node));
    ASSERT_TRUE(change.changed);
    EXPECT_FALSE(change.before);

    history::CommandGroup step;
    step.add(recorder.finish());
    step.add(std::make_unique<SeriesEdit>(file, "7", change.before, change.after));
    history::HistoryContext context{store, {}, nullptr, log, nullptr};
    ASSERT_TRUE(step.revert(context));
    EXPECT_FALSE(attachedSeries(node));
    EXPECT_FALSE(file.Find("7"));
    EXPECT_EQ(node.dlDate, "20260106");
    EXPECT_EQ(node.rtype, kUnitDays);
    ASSERT_TRUE(step.apply(context));
    EXPECT_EQ(*seriesOf(node), *change.after);
    EXPECT_EQ(node.dlDate, "20260107");

    // The same values again change nothing; a one-off topic loses its series in both places.
    ASSERT_TRUE(applyTopicOptionsWithSeries(values, node, clock, file, &change).applied);
    EXPECT_FALSE(change.changed);
    values.recur = false;
    ASSERT_TRUE(applyTopicOptionsWithSeries(values, node, clock, file, &change).applied);
    EXPECT_TRUE(change.changed);
    EXPECT_FALSE(change.after);
    EXPECT_FALSE(attachedSeries(node));
    EXPECT_FALSE(file.Find("7"));
}

} // namespace
} // namespace nimbus::recurrence

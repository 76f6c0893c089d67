// The reminder files in a real data folder: what is written reads back the same, damaged and
// unknown lines are logged and kept, a state file cut before its watermark shows nothing
// again, and old records are forgotten.
#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingLog.h"
#include "reminders/ReminderLeads.h"
#include "reminders/ReminderPreferences.h"
#include "reminders/ReminderState.h"
#include "reminders/ReminderTrigger.h"
#include "support/TempFolder.h"

using namespace nimbus;
using namespace nimbus::reminders;
using nimbus::test::readFile;
using nimbus::test::RecordingLog;
using nimbus::test::TempFolder;
using nimbus::test::writeFile;

namespace {

DateTime at(int day, int hour, int minute)
{
    return DateTime::fromCivil(2026, 3, day, hour, minute);
}

// Only the file itself: no temporary file left beside it.
void expectOnlyFile(const TempFolder &folder, const std::string &name)
{
    for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename(), name);
}

} // namespace

TEST(ReminderFiles, StateKeepsShownDismissedAndSnoozedAcrossARestart)
{
    TempFolder folder;
    RecordingLog log;
    ReminderState state;
    state.SetDataFolder(folder.path());
    ASSERT_TRUE(state.Load(log));
    EXPECT_FALSE(state.watermark); // a first run

    const std::string shown = triggerKey("12", ReminderKind::Starts, at(2, 10, 15));
    const std::string dismissed = triggerKey("a|b=c", ReminderKind::Overdue, at(2, 14, 0));
    const std::string snoozed = triggerKey("7", ReminderKind::DueToday, at(2, 8, 0));
    const std::string ancient = triggerKey("8", ReminderKind::DueToday, at(1, 8, 0).addDays(-40));
    state.watermark = at(2, 15, 0);
    state.markShown(shown);
    state.markShown(dismissed);
    state.records[dismissed].dismissed = true;
    state.records[snoozed].snoozedUntil = at(3, 8, 0);
    state.markShown(ancient);
    ASSERT_TRUE(state.Save(log));
    expectOnlyFile(folder, "Reminders.dat");
    EXPECT_EQ(readFile(folder / "Reminders.dat"),
              "watermark=20260302-150000\r\n"
              "dismissed=O20260302-140000|a|b=c\r\n"
              "shown=S20260302-101500|12\r\n"
              "snoozed=20260303-080000|T20260302-080000|7\r\n");

    ReminderState again;
    again.SetDataFolder(folder.path());
    ASSERT_TRUE(again.Load(log));
    EXPECT_EQ(again.watermark, at(2, 15, 0));
    EXPECT_EQ(again.records.size(), 3u);
    EXPECT_TRUE(again.records.at(dismissed).dismissed);
    EXPECT_EQ(again.records.at(snoozed).snoozedUntil, at(3, 8, 0));
    EXPECT_TRUE(again.handled(shown));
    EXPECT_EQ(keyTopic(dismissed), "a|b=c");
    EXPECT_TRUE(log.lines.empty());
}

TEST(ReminderFiles, DamagedStateLinesAreLoggedKeptAndTheWatermarkRecovered)
{
    TempFolder folder;
    RecordingLog log;
    // Cut before its watermark line was read back, with one line of nonsense.
    writeFile(folder / "Reminders.dat", "shown=S20260302-101500|12\r\n"
                                        "shown=X20260302-111500|13\r\n"
                                        "snoozed=2026|S20260302-101500|12\r\n"
                                        "shown=S20260302-121500|14");
    ReminderState state;
    state.SetDataFolder(folder.path());
    ASSERT_TRUE(state.Load(log));
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_TRUE(log.mentions("shown=X20260302-111500|13"));
    // Nothing the file lists comes again: the pass starts after the latest of them.
    EXPECT_EQ(state.watermark, at(2, 12, 15));
    ASSERT_TRUE(state.Save(log));
    const std::string saved = readFile(folder / "Reminders.dat");
    EXPECT_NE(saved.find("shown=X20260302-111500|13\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("snoozed=2026|S20260302-101500|12\r\n"), std::string::npos) << saved;
}

TEST(ReminderFiles, AMillionDamagedLinesCostAFewLogLinesAndAreAllKept)
{
    TempFolder folder;
    std::string lines;
    for (int i = 0; i < 1'000'000; ++i)
        lines += "shown=X" + std::to_string(i) + "\r\n";
    writeFile(folder / "Reminders.dat", lines);
    writeFile(folder / "ReminderLeads.txt", lines);
    RecordingLog log;
    ReminderState state;
    state.SetDataFolder(folder.path());
    ASSERT_TRUE(state.Load(log));
    ReminderLeads leads;
    leads.SetDataFolder(folder.path());
    ASSERT_TRUE(leads.Load(log));
    EXPECT_EQ(log.lines.size(), 2 * 21u);
    EXPECT_TRUE(log.mentions("*** Reminders.dat: and 999,980 more like it"));
    EXPECT_TRUE(log.mentions("*** ReminderLeads.txt: and 999,980 more like it"));
    state.modified = true;
    ASSERT_TRUE(state.Save(log));
    const std::string saved = readFile(folder / "Reminders.dat");
    EXPECT_NE(saved.find("shown=X999999\r\n"), std::string::npos);
}

TEST(ReminderFiles, PreferencesReadBackAndABadTimeKeepsItsDefault)
{
    TempFolder folder;
    RecordingLog log;
    ReminderPreferences defaults;
    defaults.SetDataFolder(folder.path());
    ASSERT_TRUE(defaults.Load(log)); // no file: the defaults
    EXPECT_TRUE(defaults.enabled);
    EXPECT_FALSE(defaults.keepInTray);
    EXPECT_FALSE(defaults.isQuiet(at(2, 23, 0)));

    writeFile(folder / "ReminderPrefs.txt", "on=N\r\nsound=N\r\nquiet=Y\r\nquietFrom=13:00\r\n"
                                            "quietTo=25:00\r\ntray=Y\r\nfuture=1\r\n");
    ReminderPreferences prefs;
    prefs.SetDataFolder(folder.path());
    ASSERT_TRUE(prefs.Load(log));
    EXPECT_FALSE(prefs.enabled);
    EXPECT_FALSE(prefs.sound);
    EXPECT_TRUE(prefs.keepInTray);
    EXPECT_EQ(prefs.quietFrom, 13 * 60);
    EXPECT_EQ(prefs.quietTo, 7 * 60);
    EXPECT_TRUE(log.mentions("quietTo=25:00"));
    // Quiet hours within one day.
    prefs.quietTo = 14 * 60;
    EXPECT_TRUE(prefs.isQuiet(at(2, 13, 30)));
    EXPECT_FALSE(prefs.isQuiet(at(2, 14, 0)));
    EXPECT_EQ(prefs.quietEnds(at(2, 13, 30)), at(2, 14, 0));
    ASSERT_TRUE(prefs.Save(log));
    EXPECT_EQ(readFile(folder / "ReminderPrefs.txt"),
              "on=N\r\nsound=N\r\nquiet=Y\r\nquietFrom=13:00\r\nquietTo=14:00\r\nmorning=08:00\r\n"
              "tray=Y\r\nfuture=1\r\n");
}

TEST(ReminderFiles, LeadsOnlyTakeTheOfferedChoicesAndKeepWhatTheyCannotRead)
{
    TempFolder folder;
    RecordingLog log;
    writeFile(folder / "ReminderLeads.txt", "lead=15|9001\r\nlead=7|9002\r\nlead=60|\r\n");
    ReminderLeads leads;
    leads.SetDataFolder(folder.path());
    ASSERT_TRUE(leads.Load(log));
    EXPECT_EQ(leads.leadOf("9001"), 15);
    EXPECT_EQ(leads.leadOf("9002"), 0);
    EXPECT_EQ(log.lines.size(), 2u);
    EXPECT_FALSE(leads.setLead("9003", 20));
    EXPECT_TRUE(leads.setLead("9003", 1440));
    EXPECT_TRUE(leads.setLead("9001", 0));
    EXPECT_TRUE(leads.modified);
    ASSERT_TRUE(leads.Save(log));
    EXPECT_EQ(readFile(folder / "ReminderLeads.txt"),
              "lead=1440|9003\r\nlead=7|9002\r\nlead=60|\r\n");
    expectOnlyFile(folder, "ReminderLeads.txt");
    EXPECT_EQ(leadChoiceText(0), "None");
    EXPECT_EQ(leadChoiceText(30), "30 minutes before");
    EXPECT_EQ(leadChoiceText(1440), "1 day before");
}

TEST(ReminderFiles, AFolderThatCannotBeWrittenLeavesTheOldFileAndSaysSo)
{
    TempFolder folder;
    RecordingLog log;
    ReminderState state;
    state.SetDataFolder(folder / "missing/");
    state.watermark = at(2, 9, 0);
    state.modified = true;
    EXPECT_FALSE(state.Save(log));
    EXPECT_TRUE(log.mentions("Reminders.dat"));
    EXPECT_TRUE(state.modified) << "a failed save leaves the state to be written again";
}

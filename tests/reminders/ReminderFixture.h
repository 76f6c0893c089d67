// A topic store with a "Topics" section, the reminder files in a temporary data folder and a
// clock, for driving reminder passes through simulated time.
#pragma once

#include <memory>
#include <string>

#include "RecordingLog.h"
#include "reminders/ReminderEngine.h"
#include "reminders/ReminderLeads.h"
#include "reminders/ReminderMidnights.h"
#include "reminders/ReminderPreferences.h"
#include "reminders/ReminderState.h"
#include "store/Clock.h"
#include "store/DeadlineTick.h"
#include "store/TNimbusStructure.h"
#include "support/TempFolder.h"

namespace nimbus::test {

struct ReminderFixture {
    TempFolder folder;
    RecordingLog log;
    TNimbusStructure store;
    FixedClock clock{DateTime::fromCivil(2026, 3, 2, 7, 0, 0)};
    reminders::ReminderPreferences preferences;
    reminders::ReminderLeads leads;
    std::unique_ptr<reminders::ReminderMidnights> midnights;
    std::unique_ptr<reminders::ReminderState> state;
    std::unique_ptr<reminders::ReminderEngine> engine;

    ReminderFixture()
    {
        auto section = std::make_unique<TNimbusNode>("STD0001");
        section->text = "Topics";
        section->type = kSectionTopics;
        section->sys = true;
        store.Append(std::move(section));
        preferences.SetDataFolder(folder.path());
        leads.SetDataFolder(folder.path());
        start();
    }

    // The program starts (again): the state as the file holds it, a new engine.
    void start()
    {
        state = std::make_unique<reminders::ReminderState>();
        state->SetDataFolder(folder.path());
        state->Load(log);
        midnights = std::make_unique<reminders::ReminderMidnights>();
        midnights->SetDataFolder(folder.path());
        midnights->Load(log);
        engine = std::make_unique<reminders::ReminderEngine>(*state, preferences, leads,
                                                             midnights.get());
    }
    // The program closes: the state is written.
    void close()
    {
        state->Save(log);
        midnights->Save(log);
    }

    TNimbusNode &topic(const std::string &uni, const std::string &text, int ttype,
                       const std::string &date, const std::string &time = {})
    {
        auto node = std::make_unique<TNimbusNode>(uni);
        node->lev = 1;
        node->type = kSectionTopics;
        node->text = text;
        node->ttype = ttype;
        node->status = kStatusNotStarted;
        node->dl = true;
        node->dlDate = date;
        node->dlTime = time;
        if (ttype == kTopicEvent) {
            // Two days: an event of one day with a time ends at its start time.
            node->durno = 2;
            node->durtype = kUnitDays;
        }
        TNimbusNode &made = *node;
        store.Append(std::move(node));
        return made;
    }

    // A series every `every` periods of `unit` from the given start; an event lasts `length`
    // periods of `lengthUnit`.
    TNimbusNode &series(const std::string &uni, const std::string &text, int ttype,
                        const std::string &date, const std::string &time, int every, int unit,
                        int length = 1, int lengthUnit = kUnitMinutes)
    {
        TNimbusNode &made = topic(uni, text, ttype, date, time);
        made.dl = false;
        made.recur = true;
        made.rno = every;
        made.rtype = unit;
        made.rsDate = date;
        made.rsTime = time;
        if (ttype == kTopicEvent) {
            made.durno = length;
            made.durtype = lengthUnit;
        }
        return made;
    }

    // One pass as the program's deadline timer makes it: reminders first, then the schedules.
    std::vector<reminders::ReminderGroup> pass()
    {
        auto groups = engine->poll(store, clock.now());
        RunDeadlineTick(store, clock, nullptr);
        return groups;
    }
};

inline DateTime at(int day, int hour, int minute, int second = 0)
{
    return DateTime::fromCivil(2026, 3, day, hour, minute, second);
}

} // namespace nimbus::test

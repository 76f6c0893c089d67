// One sync of a data folder; see SyncSession.h.
#include "caldav/SyncSession.h"

#include <unistd.h>

#include "caldav/LocalApply.h"
#include "caldav/LocalSnapshot.h"
#include "caldav/RemovalGuard.h"
#include "caldav/SyncState.h"
#include "caldav/ZoneChange.h"
#include "calendar/CalendarLinks.h"
#include "calendar/LocalZone.h"
#include "recurrence/RecurrenceFile.h"
#include "recurrence/TopicRecurrence.h"
#include "store/Clock.h"
#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldav {

std::string SyncReport::summary() const
{
    if (!ok)
        return "Calendar sync failed: " + error;
    return "Calendar sync: " + std::to_string(counts.sent) + " sent, " +
           std::to_string(counts.deletedOnServer) + " removed on the server, " +
           std::to_string(counts.received) + " received, " + std::to_string(counts.removedHere) +
           " removed here, " + std::to_string(counts.conflicts) + " conflicts" +
           (counts.refused > 0
                ? ", " + std::to_string(counts.refused) + " refused by the server (see the log)"
                : "") +
           (counts.heldHere > 0
                ? ", " + std::to_string(counts.heldHere) + " kept here (the calendar is read-only)"
                : "") +
           ".";
}

SyncReport syncDataFolder(HttpTransport &transport, const SessionSettings &settings, StoreLog &log)
{
    SyncReport report;
    const Clock &clock = settings.clock ? *settings.clock : SystemClock::instance();
    TNimbusStructure store;
    store.setLog(&log);
    store.SetPaths(settings.dataFolder, settings.dataFolder);
    store.LoadStructure();
    if (store.LoadFailed()) {
        report.error = "The topic store could not be read; nothing was synced.";
        return report;
    }
    // The topics' series, so that entries carry each whole rule and rules arriving are kept.
    // Without them every repeating topic would go out with its plain rule only, over the
    // whole rule on the server.
    recurrence::RecurrenceFile rules(settings.dataFolder);
    if (!rules.Load(log)) {
        report.error =
            "The repeat rules (" + rules.path() + ") could not be read; nothing was synced.";
        return report;
    }
    recurrence::attachSeries(store, rules);
    SyncState state;
    state.Load(settings.dataFolder, settings.calendarUrl);
    const SyncState asRead = state;
    if (state.Bind(settings.calendarUrl, settings.subtree))
        log.AddToLog("Calendar sync: the calendar or the synced topic changed; topics are matched by UID.");
    calendar::CalendarLinks links;
    links.Load(settings.dataFolder);
    // The installation id is part of every UID sent: it must be on disk before the first one
    // leaves, or a sync cut short would come back under other UIDs and send everything twice.
    const bool linksOnDisk = ::access((settings.dataFolder + calendar::CalendarLinks::kFileName).c_str(), F_OK) == 0;
    if (const StoreResult saved = linksOnDisk ? StoreResult{} : links.Save(); !saved) {
        report.error = "The calendar links could not be saved (" + saved.errorText + "); nothing was synced.";
        return report;
    }
    TopicUids uids(state, links);
    const ContentFolders folders = ContentFolders::inDataFolder(settings.dataFolder);
    PageAccess pages;
    if (settings.withPages) {
        pages.folders = &folders;
        pages.converter = settings.converter;
        pages.writer = settings.pageWriter;
    }
    // Times read in another zone than this machine's now move to it first, keeping their
    // instants. The store is saved before the state: a topic already moved no longer matches
    // its fingerprint there, so a sync cut short between the two never moves it twice.
    const ZoneChange zones =
        planZoneChange(store, settings.subtree, state, uids, calendar::localZoneName(), pages);
    applyZoneChange(zones, state);
    const bool movedHere = applyZoneChange(zones, store);
    if (movedHere)
        log.AddToLog(zoneChangeNote(zones));
    const LocalSnapshot snapshot =
        takeSnapshot(store, settings.subtree, uids, state.localOnly, pages, &log);

    SyncOptions options;
    options.calendarUrl = settings.calendarUrl;
    options.useSyncCollection = settings.useSyncCollection;
    options.wholeUploadMinimum = settings.wholeUploadMinimum;
    options.stampNow = dates::stamp(clock.now());
    options.stop = settings.stop;
    options.progress = settings.progress;
    SyncEngine engine(transport, options);
    ExchangeResult exchange = engine.exchange(snapshot, state);
    if (const int removals = removalsIn(exchange); removalsNeedConsent(removals, exchange.topicsHere)) {
        const std::string question = removalQuestion(removals, exchange.topicsHere, settings.calendarUrl);
        if (!settings.confirmRemovals || !settings.confirmRemovals(question))
            keepRemovedTopics(exchange);
    }
    for (const std::string &line : exchange.log)
        log.AddToLog(line);
    report.counts = exchange.counts;
    report.error = exchange.error;
    report.authFailed = exchange.authFailed;

    const ApplyResult applied =
        applyChanges(store, settings.subtree, exchange.changes, exchange.state, uids, links,
                     options.stampNow, log, pages, &rules);
    if (!applied.error.empty())
        log.AddToLog("Calendar sync: " + applied.error);
    // The links before the store (a topic the store holds must be found by its UID), the state
    // last (it must never speak of topics the store does not hold).
    if (const StoreResult saved = applied.addedUnis.empty() ? StoreResult{} : links.Save(); !saved)
        log.AddErrorToLog("*** The calendar links could not be saved: ", saved.errorText);
    if (applied.changed || movedHere) {
        if (const StoreResult saved = store.SaveStructure(); !saved) {
            log.AddErrorToLog("*** A problem occurred while saving the structure: ", saved.errorText);
            report.error = "The topic store could not be saved: " + saved.errorText;
            report.ok = false;
            return report;
        }
    }
    // After the store, as the window saves them: a series is never on file for a topic the
    // store does not hold.
    if (rules.modified)
        rules.Save(log); // logs its own failure; the topics keep their nearest plain rules
    if (exchange.state.sameAs(asRead))
        ;  // nothing changed: the file stays as it is
    else if (const StoreResult saved = exchange.state.Save(); !saved)
        log.AddErrorToLog("*** The calendar sync state could not be saved: ", saved.errorText);
    report.ok = exchange.ok && applied.error.empty();
    if (report.error.empty())
        report.error = applied.error;
    log.AddToLog(report.summary());
    return report;
}

}  // namespace nimbus::caldav

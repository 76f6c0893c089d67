// The window's side of calendar sync: runs the sync engine for each calendar of the account,
// one after the other on a worker thread, on start, on the account's interval, shortly after local
// changes and on "Sync now"; takes the server's changes into the tree on the window's thread; shows
// progress and the last result in the status line beside the activity log; tries again with
// back-off after a failure. The password comes from the desktop's secret store or is asked once per
// session. Details pages travel with the entries. The window's thread copies the synced topics
// (copySubtree); the worker reads their pages and fingerprints them (finishSnapshot), so that a
// large store holds the window only for the copy. The page open in the editor is saved before the
// copy is taken and again before the server's changes are applied (so an edit typed
// meanwhile counts as a change here and is never written over); when the sync is about to
// write the shown topic's page, the editor lets go of it first and shows it again from the
// file afterwards, so that it never saves its older text over what arrived.
#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "caldav/CalendarAccount.h"
#include "caldav/LocalSnapshot.h"
#include "caldav/SyncEngine.h"
#include "caldav/SyncState.h"
#include "calendar/CalendarLinks.h"
#include "shell/caldav/PasswordKeeper.h"
#include "shell/calendar/RichDetailsConverter.h"
#include "shell/calendar/RichPageWriter.h"
#include "store/TContent.h"

class QLabel;
class QPushButton;
class QTimer;

namespace nimbus {
class TformMain;
}

namespace nimbus::caldavui {

class CalendarSyncController : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // Asks the user for the account's password; nothing when they cancel.
        std::function<std::optional<std::string>(const std::string &question)> askPassword;
        std::shared_ptr<PasswordKeeper> passwords;
        // Asks before a sync removes many topics here at once; false keeps them.
        std::function<bool(const std::string &question)> confirmRemovals;
    };

    CalendarSyncController(TformMain &window, Hooks hooks);
    ~CalendarSyncController() override;

    // Reads the account and syncs once when one is set up; then the interval runs.
    void start();
    // "Sync now": also asks for a password again.
    void syncNow();
    // A topic changed here: a sync follows once changes have stopped for a few seconds.
    void localChange();
    // "Calendar sync ...": the account dialog, and a sync when it is accepted.
    void editAccount();
    // The account dialog's result: saved, and a sync started. password may be empty.
    bool setAccount(const caldav::CalendarAccount &account, const std::string &password);

    const caldav::CalendarAccount &account() const { return account_; }
    bool running() const { return busy_; }
    const std::string &lastResult() const { return lastResult_; }
    QTimer *timer() const { return timerCalendarSync; }

    QLabel *labelCalendarSync = nullptr;
    QPushButton *buttonSyncNow = nullptr;
    QPushButton *buttonCalendarAccount = nullptr;  // opens the account dialog
    QTimer *timerCalendarSync = nullptr;
    QTimer *timerCalendarChanges = nullptr;  // debounces local changes

    static constexpr int kDebounceMs = 10'000;

signals:
    // A sync ended (also when it failed); ok as the engine said.
    void syncFinished(bool ok);
    // The account was set (the preferences page shows it).
    void accountChanged();

private:
    struct Job;
    struct Outcome;
    void begin();
    void finish(std::shared_ptr<Outcome> outcome);
    void apply(Outcome &outcome);
    void showStatus(const QString &text);
    void scheduleNext(bool failed);
    void joinWorker();
    // Where the details pages travel from and to: the data folder's content folders, rich
    // pages read and written through the editor's RTF reader and writer.
    caldav::PageAccess pageAccess();

    TformMain &window_;
    Hooks hooks_;
    caldav::CalendarAccount account_;
    // Per calendar of the account, in its order.
    std::vector<caldav::SyncState> states_;
    calendar::CalendarLinks links_;
    std::vector<caldav::TopicUids> uids_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::string sessionPassword_;
    bool storePassword_ = false;
    bool askedThisSession_ = false;
    bool askOnNeed_ =
        false; // the sync under way was asked for by the user: it may ask for a password
    bool againWhenDone_ = false;
    bool busy_ = false;
    bool applying_ = false;
    // The states are what "CalendarSync.dat" held when the last sync wrote it: the next sync
    // keeps them while the file is unchanged.
    bool statesAsSaved_ = false;
    bool stateUnsaved_ = false;  // the store could not be saved: the state waits in memory  // our own changes to the tree are no local changes  // from the start of a sync until its result is taken in
    int failures_ = 0;
    std::string lastResult_;
    ContentFolders folders_;
    calendar::RichDetailsConverter converter_;
    calendar::RichPageWriter pageWriter_;
};

}  // namespace nimbus::caldavui

// Calendar sync in the window; see CalendarSyncController.h.
#include "shell/caldav/CalendarSyncController.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "caldav/CurlTransport.h"
#include "caldav/LocalApply.h"
#include "caldav/RemovalGuard.h"
#include "caldav/ZoneChange.h"
#include "calendar/LocalZone.h"
#include "fileio/FolderOps.h"
#include "recurrence/RecurrenceFile.h"
#include "shell/TformMain.h"
#include "shell/TopicTreeModel.h"
#include "shell/TreeController.h"
#include "shell/TreeHistory.h"
#include "shell/caldav/CalendarAccountDialog.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/TopicPage.h"
#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldavui {

namespace {

// A line the worker would have told the store's log.
struct PageProblem {
    bool error = false;
    std::string message, detail;
};

} // namespace

struct CalendarSyncController::Job {
    caldav::CalendarAccount account;
    std::string password;
    bool storePassword = false;
    // Per calendar: its topics as the window copied them; the worker reads their pages and
    // fingerprints them (finishSnapshot), so that the window waits only for the copy.
    std::vector<caldav::SubtreeCopy> copies;
    ContentFolders folders; // where the worker reads the pages
    std::vector<caldav::SyncState> states;
    std::string stampNow;
};

struct CalendarSyncController::Outcome {
    std::vector<caldav::CalendarBinding> calendars;  // the account's calendars it ran with
    bool needPassword = false;
    std::string password;  // the one used
    std::vector<caldav::ExchangeResult> exchanges;  // per calendar; fewer when one failed
    // What the worker found wrong with pages, for the store's log on the window's thread.
    std::vector<PageProblem> pageProblems;
};

namespace {

// What the worker finds wrong with a page, kept for the window's thread to log.
class KeptStoreLog : public StoreLog {
public:
    using Lines = std::vector<PageProblem>;
    explicit KeptStoreLog(Lines &lines) : lines_(lines) {}
    void AddToLog(const std::string &message) override { lines_.push_back({false, message, {}}); }
    void AddErrorToLog(const std::string &message, const std::string &detail) override
    {
        lines_.push_back({true, message, detail});
    }

private:
    Lines &lines_;
};

} // namespace

CalendarSyncController::CalendarSyncController(TformMain &window, Hooks hooks)
    : QObject(&window), window_(window), hooks_(std::move(hooks))
{
    if (!hooks_.passwords)
        hooks_.passwords = std::make_shared<NoPasswordStore>();
    labelCalendarSync = new QLabel(&window);
    labelCalendarSync->setObjectName("labelCalendarSync");
    labelCalendarSync->setAccessibleName(tr("Calendar sync"));
    labelCalendarSync->hide();
    buttonSyncNow = new QPushButton(tr("Sync now"), &window);
    buttonSyncNow->setObjectName("buttonSyncNow");
    buttonSyncNow->setToolTip(tr("Sync the calendar now"));
    buttonSyncNow->hide();
    connect(buttonSyncNow, &QPushButton::clicked, this, &CalendarSyncController::syncNow);
    buttonCalendarAccount = new QPushButton(tr("Calendar sync ..."), &window);
    buttonCalendarAccount->setObjectName("buttonCalendarAccount");
    buttonCalendarAccount->setToolTip(tr("Keep topics in step with a calendar on a server"));
    connect(buttonCalendarAccount, &QPushButton::clicked, this, &CalendarSyncController::editAccount);
    timerCalendarSync = new QTimer(this);
    timerCalendarSync->setSingleShot(true);
    connect(timerCalendarSync, &QTimer::timeout, this, [this] { begin(); });
    timerCalendarChanges = new QTimer(this);
    timerCalendarChanges->setSingleShot(true);
    timerCalendarChanges->setInterval(kDebounceMs);
    connect(timerCalendarChanges, &QTimer::timeout, this, [this] { begin(); });
}

CalendarSyncController::~CalendarSyncController()
{
    stop_ = true;
    joinWorker();
}

void CalendarSyncController::joinWorker()
{
    if (worker_.joinable())
        worker_.join();
}

caldav::PageAccess CalendarSyncController::pageAccess()
{
    folders_ = ContentFolders::inDataFolder(window_.paths().DataFolder);
    caldav::PageAccess access;
    access.folders = &folders_;
    access.converter = &converter_;
    access.writer = &pageWriter_;
    return access;
}

void CalendarSyncController::start()
{
    account_.Load(window_.paths().DataFolder);
    stateUnsaved_ = false;
    statesAsSaved_ = false;
    emit accountChanged();
    const bool on = account_.configured();
    labelCalendarSync->setVisible(on);
    buttonSyncNow->setVisible(on);
    if (on)
        begin();
}

void CalendarSyncController::syncNow()
{
    askedThisSession_ = false;
    askOnNeed_ = true;
    begin();
}

void CalendarSyncController::editAccount()
{
    if (window_.store() == nullptr)
        return;
    if (window_.treeController())
        window_.treeController()->SyncStoreFromTree();
    CalendarAccountDialog dialog(account_, *window_.store(), &window_);
    if (dialog.exec() == QDialog::Accepted)
        setAccount(dialog.account(), dialog.password());
}

void CalendarSyncController::localChange()
{
    if (account_.configured() && !applying_)
        timerCalendarChanges->start();
}

bool CalendarSyncController::setAccount(const caldav::CalendarAccount &account, const std::string &password)
{
    if (const StoreResult saved = account.Save(window_.paths().DataFolder); !saved) {
        window_.AddErrorToLog("*** The calendar account could not be saved: " + saved.errorText);
        return false;
    }
    account_ = account;
    stateUnsaved_ = false;
    statesAsSaved_ = false;
    std::vector<std::string> urls;
    for (const caldav::CalendarBinding &c : account_.calendars)
        urls.push_back(c.calendarUrl);
    if (const StoreResult kept = caldav::SyncState::KeepOnly(window_.paths().DataFolder, urls); !kept)
        window_.AddErrorToLog("*** The calendar sync state could not be saved: " + kept.errorText);
    emit accountChanged();
    if (!password.empty()) {
        sessionPassword_ = password;
        storePassword_ = true;
    }
    labelCalendarSync->setVisible(account_.configured());
    buttonSyncNow->setVisible(account_.configured());
    // The user has just set the account up: a password the server wants is asked for now.
    askOnNeed_ = true;
    if (account_.configured())
        begin();
    return true;
}

// The status line speaks the user's language; the log keeps the English of lastResult_.
void CalendarSyncController::showStatus(const QString &text)
{
    labelCalendarSync->setText(text);
}

void CalendarSyncController::scheduleNext(bool failed)
{
    failures_ = failed ? failures_ + 1 : 0;
    if (account_.configured() && !window_.closing())
        timerCalendarSync->start(caldav::retryDelaySeconds(account_.intervalMinutes, failures_) * 1000);
}

void CalendarSyncController::begin()
{
    if (!account_.configured() || window_.closing() || window_.store() == nullptr || !window_.treeController())
        return;
    if (running()) {
        againWhenDone_ = true;
        return;
    }
    timerCalendarSync->stop();
    timerCalendarChanges->stop();
    std::string problem = caldav::serverProblem(account_);
    if (problem.empty())
        problem = caldav::bindingProblem(account_.calendars, *window_.store());
    // Without the topics' repeat rules every repeating topic would go out with its plain rule
    // only, over the whole rule on the server.
    if (problem.empty() && window_.recurrenceFile() && window_.recurrenceFile()->readFailed())
        problem = "the repeat rules (" + window_.recurrenceFile()->path() + ") could not be read";
    if (!problem.empty()) {
        lastResult_ = "Calendar sync failed: " + problem;
        showStatus(tr("Calendar sync failed: %1").arg(QString::fromStdString(problem)));
        window_.AddToLog("*** " + lastResult_);
        emit syncFinished(false);
        return;
    }
    // What the server last saw of each topic; the file can have been changed by a session of
    // the engine run elsewhere, so it is read again unless the last save failed or the file
    // is still the one the states were all just written to (at 100,000 topics it is megabytes
    // to read at every sync).
    bool kept = statesAsSaved_ && states_.size() == account_.calendars.size();
    for (std::size_t i = 0; kept && i < states_.size(); ++i)
        kept = states_[i].calendarUrl() == account_.calendars[i].calendarUrl &&
               states_[i].fileUnchanged();
    // From here on the states move away from the file until they are saved again.
    statesAsSaved_ = false;
    if (!kept && (!stateUnsaved_ || states_.size() != account_.calendars.size())) {
        states_.assign(account_.calendars.size(), {});
        for (std::size_t i = 0; i < states_.size(); ++i)
            states_[i].Load(window_.paths().DataFolder, account_.calendars[i].calendarUrl);
    }
    for (std::size_t i = 0; i < states_.size(); ++i)
        if (states_[i].Bind(account_.calendars[i].calendarUrl, account_.calendars[i].subtree))
            window_.AddToLog("Calendar sync: the topic synced with \"" + account_.calendars[i].calendarName +
                             "\" changed; topics are matched by UID.");
    links_.Load(window_.paths().DataFolder);
    // The installation id in every UID must be on disk before the first entry leaves.
    const bool linksOnDisk = fileio::fileExists(window_.paths().DataFolder + calendar::CalendarLinks::kFileName);
    if (const StoreResult saved = linksOnDisk ? StoreResult{} : links_.Save(); !saved) {
        showStatus(tr("Calendar sync failed: the calendar links could not be saved."));
        window_.AddErrorToLog("*** The calendar links could not be saved: " + saved.errorText);
        scheduleNext(true);
        return;
    }
    uids_.clear();
    for (const caldav::SyncState &state : states_)
        uids_.emplace_back(state, links_);
    // The snapshot reads the pages from their files: what is typed in the editor goes there first.
    window_.SaveCurrentPage();
    window_.treeController()->SyncStoreFromTree();
    const caldav::PageAccess pages = pageAccess();
    // Times read in another zone than this machine's now move to it first, keeping their
    // instants; the store is saved at once (before the state, see ZoneChange.h).
    bool moved = false;
    for (std::size_t i = 0; i < states_.size(); ++i) {
        const caldav::ZoneChange zones =
            caldav::planZoneChange(*window_.store(), account_.calendars[i].subtree, states_[i],
                                   uids_[i], calendar::localZoneName(), pages);
        caldav::applyZoneChange(zones, states_[i]);
        if (caldav::applyZoneChange(zones, *window_.store())) {
            window_.AddToLog(caldav::zoneChangeNote(zones));
            moved = true;
        }
    }
    if (moved) {
        window_.treeController()->BuildTree();
        window_.treeController()->markChanged();
        window_.SaveStore();
    }

    auto job = std::make_shared<Job>();
    job->account = account_;
    job->password = sessionPassword_;
    job->storePassword = storePassword_;
    for (std::size_t i = 0; i < states_.size(); ++i)
        job->copies.push_back(caldav::copySubtree(*window_.store(), account_.calendars[i].subtree,
                                                  uids_[i], states_[i].localOnly));
    job->folders = folders_;
    job->states = states_;
    job->stampNow = dates::stamp(window_.clock().now());
    stop_ = false;
    showStatus(
        tr("Calendar sync: connecting to %1 ...").arg(QString::fromStdString(account_.server)));
    busy_ = true;
    worker_ = std::thread([this, job] {
        auto outcome = std::make_shared<Outcome>();
        outcome->calendars = job->account.calendars;
        std::string password = job->password;
        if (password.empty() && hooks_.passwords->available()) {
            if (auto kept = hooks_.passwords->lookup(job->account.server, job->account.user))
                password = *kept;
        }
        // Without a password the server is asked all the same: one that needs none answers,
        // and only one that refuses makes the window ask.
        {
            outcome->password = password;
            // One transport for every calendar, so that they share a connection where the
            // server keeps it open.
            caldav::TransportSettings settings{job->account.user, password};
            settings.stop = &stop_;  // closing the window ends the request under way
            caldav::CurlTransport transport(settings);
            // The pages are read here, each as its file is now, through a converter of the
            // worker's own.
            calendar::RichDetailsConverter converter;
            caldav::PageAccess pages;
            pages.folders = &job->folders;
            pages.converter = &converter;
            KeptStoreLog pageLog(outcome->pageProblems);
            for (std::size_t i = 0; i < job->copies.size(); ++i) {
                const caldav::LocalSnapshot snapshot =
                    caldav::finishSnapshot(std::move(job->copies[i]), pages, &pageLog);
                const caldav::CalendarBinding &calendar = job->account.calendars[i];
                caldav::SyncOptions options;
                options.calendarUrl = calendar.calendarUrl;
                options.stampNow = job->stampNow;
                options.stop = &stop_;
                options.progress = [this, name = calendar.calendarName](int done, int total,
                                                                        const std::string &text) {
                    const QString line = tr("Calendar sync (%1): %2 of %3 - %4")
                                             .arg(QString::fromStdString(name))
                                             .arg(done)
                                             .arg(total)
                                             .arg(QString::fromStdString(text));
                    QMetaObject::invokeMethod(this, [this, line] { showStatus(line); }, Qt::QueuedConnection);
                };
                caldav::SyncEngine engine(transport, options);
                outcome->exchanges.push_back(engine.exchange(snapshot, job->states[i]));
                if (!outcome->exchanges.back().ok)
                    break;
            }
            const caldav::ExchangeResult &last = outcome->exchanges.back();
            if (password.empty() && last.authFailed)
                outcome->needPassword = true;
            else if (job->storePassword && !password.empty() && !last.authFailed &&
                     last.error.empty() && hooks_.passwords->available())
                hooks_.passwords->store(job->account.server, job->account.user, password);
        }
        QMetaObject::invokeMethod(this, [this, outcome] { finish(outcome); }, Qt::QueuedConnection);
    });
}

void CalendarSyncController::finish(std::shared_ptr<Outcome> outcome)
{
    joinWorker();
    if (window_.closing())
        return;
    for (const PageProblem &problem : outcome->pageProblems) {
        if (problem.error)
            window_.storeLog().AddErrorToLog(problem.message, problem.detail);
        else
            window_.storeLog().AddToLog(problem.message);
    }
    outcome->pageProblems.clear();
    if (outcome->needPassword) {
        busy_ = false;
        std::optional<std::string> typed;
        // Only the user's own "Sync now" (or the account dialog) asks: a sync the program
        // starts by itself, at start-up or on its interval, waits instead of putting a
        // password box over the window every time.
        const bool ask = askOnNeed_;
        askOnNeed_ = false;
        if (ask && !askedThisSession_ && hooks_.askPassword) {
            askedThisSession_ = true;
            typed = hooks_.askPassword(tr("The password for %1 at %2:")
                                           .arg(QString::fromStdString(account_.user),
                                                QString::fromStdString(account_.server))
                                           .toStdString());
        }
        if (typed && !typed->empty()) {
            sessionPassword_ = *typed;
            storePassword_ = true;
            begin();
            return;
        }
        lastResult_ = ask ? "Calendar sync waits for the password (\"Sync now\" asks for it again)."
                          : "Calendar sync waits for the password (\"Sync now\" asks for it).";
        showStatus(
            ask ? tr("Calendar sync waits for the password (\"Sync now\" asks for it again).")
                : tr("Calendar sync waits for the password (\"Sync now\" asks for it)."));
        emit syncFinished(false);
        return;
    }
    // A merge of received topics holds the store now: the result waits its turn.
    if (window_.lanSharing() && window_.lanSharing()->gate().busy()) {
        QTimer::singleShot(500, this, [this, outcome] { finish(outcome); });
        return;
    }
    // Many topics gone from a calendar at once is asked first (the sync still counts as running).
    for (std::size_t i = 0; i < outcome->exchanges.size() && i < outcome->calendars.size(); ++i) {
        caldav::ExchangeResult &exchange = outcome->exchanges[i];
        const int removals = caldav::removalsIn(exchange);
        if (!caldav::removalsNeedConsent(removals, exchange.topicsHere))
            continue;
        const std::string question =
            caldav::removalQuestion(removals, exchange.topicsHere, outcome->calendars[i].calendarName);
        if (!hooks_.confirmRemovals || !hooks_.confirmRemovals(question))
            caldav::keepRemovedTopics(exchange);
        if (window_.closing())
            return;
    }
    apply(*outcome);
}

void CalendarSyncController::apply(Outcome &outcome)
{
    busy_ = false;
    askOnNeed_ = false;
    const bool authFailed = !outcome.exchanges.empty() && outcome.exchanges.back().authFailed;
    if (authFailed) {
        sessionPassword_.clear();  // the next "Sync now" asks again
        storePassword_ = false;
    } else {
        sessionPassword_ = outcome.password;
        storePassword_ = false;
    }
    // The account was changed while this sync ran: its results belong to calendars and topics
    // by the old account's order and choices, so they are set aside and the new one syncs.
    // Nothing is lost: what reached the server is matched by UID next time.
    if (outcome.calendars != account_.calendars) {
        window_.AddToLog("Calendar sync: the account was changed while it synced; it syncs again with the new one.");
        againWhenDone_ = false;
        begin();
        return;
    }
    TreeController *tree = window_.treeController();
    TNimbusStructure *store = window_.store();
    bool changed = false;
    bool ok = true;
    std::string error;
    caldav::SyncCounts c;
    // An edit typed since the snapshot reaches the page's file now, so that the topic counts as
    // changed here and the server's version goes beside it instead of over it.
    window_.SaveCurrentPage();
    if (tree != nullptr && store != nullptr)
        tree->SyncStoreFromTree();
    const caldav::PageAccess pageFiles = pageAccess();
    // The shown topic's page is about to be rewritten: the editor lets go of it (it holds
    // nothing unsaved now) and shows it again from the file afterwards.
    nimbus::pages::TopicPage *topicPage = window_.topicPage();
    std::string reshow;
    if (topicPage != nullptr && topicPage->node() != nullptr) {
        const std::string shown = topicPage->node()->uni;
        for (const caldav::ExchangeResult &exchange : outcome.exchanges)
            for (const caldav::LocalChange &change : exchange.changes)
                if (change.kind == caldav::LocalChange::Update && change.uni == shown)
                    reshow = shown;
        if (!reshow.empty())
            topicPage->ShowTopicPage(nullptr);
    }
    applying_ = true;
    for (std::size_t i = 0; i < outcome.exchanges.size() && i < account_.calendars.size(); ++i) {
        caldav::ExchangeResult &exchange = outcome.exchanges[i];
        for (const std::string &line : exchange.log)
            window_.AddToLog(line);
        if (tree != nullptr && store != nullptr && !exchange.changes.empty()) {
            std::vector<TNimbusNode *> leaving;
            for (const caldav::LocalChange &change : exchange.changes)
                if (change.kind == caldav::LocalChange::Remove)
                    if (TNimbusNode *node = store->Find(change.uni))
                        leaving.push_back(node);
            if (!leaving.empty())
                emit tree->topicsRemoving(leaving);
            // Their rows go before the nodes do: a row left behind would point at a freed node
            // until the tree is built again.
            for (TNimbusNode *node : leaving)
                if (node->treeItem)
                    tree->model()->removeItem(static_cast<tree::TreeItem *>(node->treeItem));
            const caldav::ApplyResult applied = caldav::applyChanges(
                *store, account_.calendars[i].subtree, exchange.changes, exchange.state, uids_[i],
                links_, dates::stamp(window_.clock().now()), window_.storeLog(), pageFiles,
                window_.recurrenceFile());
            if (!applied.error.empty())
                window_.AddToLog("Calendar sync: " + applied.error);
            if (tree->history() != nullptr)
                tree->history()->putAsidePages(applied.removedUnis);
            changed = changed || applied.changed;
        }
        states_[i] = exchange.state;
        c.sent += exchange.counts.sent;
        c.received += exchange.counts.received;
        c.deletedOnServer += exchange.counts.deletedOnServer;
        c.removedHere += exchange.counts.removedHere;
        c.conflicts += exchange.counts.conflicts;
        c.refused += exchange.counts.refused;
        c.heldHere += exchange.counts.heldHere;
        if (!exchange.ok && ok) {
            ok = false;
            error = account_.calendars.size() > 1 ? "\"" + account_.calendars[i].calendarName + "\": " + exchange.error
                                                   : exchange.error;
        }
    }
    if (outcome.exchanges.size() < account_.calendars.size() && ok) {
        ok = false;
        error = "Calendar sync was stopped.";
    }
    if (changed) {
        if (const StoreResult saved = links_.Save(); !saved)
            window_.AddErrorToLog("*** The calendar links could not be saved: " + saved.errorText);
        tree->BuildTree();
        tree->markChanged();
        window_.SaveStore();
    }
    if (!reshow.empty() && topicPage->node() == nullptr && tree != nullptr) {
        TNimbusNode *selected = tree->selectedNode();
        if (selected != nullptr && selected->uni == reshow)
            topicPage->ShowTopicPage(selected);
    }
    applying_ = false;
    // The states speak of the store as saved: written only once the store is on disk.
    stateUnsaved_ = store != nullptr && store->modified && changed;
    if (!stateUnsaved_) {
        bool allSaved = outcome.exchanges.size() == states_.size();
        for (std::size_t i = 0; i < outcome.exchanges.size() && i < states_.size(); ++i)
            if (const StoreResult saved = states_[i].Save(); !saved) {
                allSaved = false;
                window_.AddErrorToLog("*** The calendar sync state could not be saved: " + saved.errorText);
            }
        // Each calendar's save rewrote the whole file: it now holds every state as it stands.
        if (allSaved)
            for (const caldav::SyncState &state : states_)
                state.noteFileAsSaved();
        statesAsSaved_ = allSaved;
    }
    QString status;
    if (ok) {
        const QString at =
            QString::fromStdString(dates::stamp(window_.clock().now()).substr(9, 2) + ":" +
                                   dates::stamp(window_.clock().now()).substr(11, 2));
        status = tr("Calendar synced at %1: %2 sent, %3 received, %4 removed")
                     .arg(at)
                     .arg(c.sent)
                     .arg(c.received)
                     .arg(c.deletedOnServer + c.removedHere);
        if (c.conflicts)
            status += tr(", %1 conflicts").arg(c.conflicts);
        if (c.refused)
            status += tr(", %1 not taken by the server (see the log)").arg(c.refused);
        if (c.heldHere)
            status += tr(", %1 kept here (the calendar is read-only)").arg(c.heldHere);
        status += QLatin1Char('.');
        lastResult_ =
            "Calendar synced at " + dates::stamp(window_.clock().now()).substr(9, 2) + ":" +
            dates::stamp(window_.clock().now()).substr(11, 2) + ": " + std::to_string(c.sent) +
            " sent, " + std::to_string(c.received) + " received, " +
            std::to_string(c.deletedOnServer + c.removedHere) + " removed" +
            (c.conflicts ? ", " + std::to_string(c.conflicts) + " conflicts" : "") +
            (c.refused ? ", " + std::to_string(c.refused) + " not taken by the server (see the log)"
                       : "") +
            (c.heldHere
                 ? ", " + std::to_string(c.heldHere) + " kept here (the calendar is read-only)"
                 : "") +
            ".";
    } else {
        lastResult_ = "Calendar sync failed: " + error + " It is tried again later.";
        status = tr("Calendar sync failed: %1 It is tried again later.")
                     .arg(QString::fromStdString(error));
    }
    showStatus(status);
    window_.AddToLog(ok ? lastResult_ : "*** " + lastResult_);
    scheduleNext(!ok);
    emit syncFinished(ok);
    if (againWhenDone_) {
        againWhenDone_ = false;
        timerCalendarChanges->start();
    }
}

}  // namespace nimbus::caldavui

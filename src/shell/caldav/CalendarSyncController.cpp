// Calendar sync in the window; see CalendarSyncController.h.
#include "shell/caldav/CalendarSyncController.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "caldav/CurlTransport.h"
#include "caldav/LocalApply.h"
#include "fileio/FolderOps.h"
#include "shell/TformMain.h"
#include "shell/caldav/CalendarAccountDialog.h"
#include "shell/TreeController.h"
#include "shell/lan/LanSharing.h"
#include "store/DateFormat.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldavui {

struct CalendarSyncController::Job {
    caldav::CalendarAccount account;
    std::string password;
    bool storePassword = false;
    caldav::LocalSnapshot snapshot;
    caldav::SyncState state;
    std::string stampNow;
};

struct CalendarSyncController::Outcome {
    bool needPassword = false;
    std::string password;  // the one used
    caldav::ExchangeResult exchange;
};

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

void CalendarSyncController::start()
{
    account_.Load(window_.paths().DataFolder);
    state_.Load(window_.paths().DataFolder);
    const bool on = account_.configured();
    labelCalendarSync->setVisible(on);
    buttonSyncNow->setVisible(on);
    if (on)
        begin();
}

void CalendarSyncController::syncNow()
{
    askedThisSession_ = false;
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
    if (!password.empty()) {
        sessionPassword_ = password;
        storePassword_ = true;
    }
    labelCalendarSync->setVisible(account_.configured());
    buttonSyncNow->setVisible(account_.configured());
    if (account_.configured())
        begin();
    return true;
}

void CalendarSyncController::showStatus(const std::string &text)
{
    labelCalendarSync->setText(QString::fromStdString(text));
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
    // What the server last saw of each topic; the file can have been changed by a session of
    // the engine run elsewhere, so it is read again unless the last save failed.
    if (!stateUnsaved_)
        state_.Load(window_.paths().DataFolder);
    if (state_.Bind(account_.calendarUrl, account_.subtree))
        window_.AddToLog("Calendar sync: the calendar or the synced topic changed; topics are matched by UID.");
    links_.Load(window_.paths().DataFolder);
    // The installation id in every UID must be on disk before the first entry leaves.
    const bool linksOnDisk = fileio::fileExists(window_.paths().DataFolder + calendar::CalendarLinks::kFileName);
    if (const StoreResult saved = linksOnDisk ? StoreResult{} : links_.Save(); !saved) {
        showStatus("Calendar sync failed: the calendar links could not be saved.");
        window_.AddErrorToLog("*** The calendar links could not be saved: " + saved.errorText);
        scheduleNext(true);
        return;
    }
    uids_.emplace(state_, links_);
    window_.treeController()->SyncStoreFromTree();

    auto job = std::make_shared<Job>();
    job->account = account_;
    job->password = sessionPassword_;
    job->storePassword = storePassword_;
    job->snapshot = caldav::takeSnapshot(*window_.store(), account_.subtree, *uids_);
    job->state = state_;
    job->stampNow = dates::stamp(window_.clock().now());
    stop_ = false;
    showStatus("Calendar sync: connecting to " + account_.server + " ...");
    busy_ = true;
    worker_ = std::thread([this, job] {
        auto outcome = std::make_shared<Outcome>();
        std::string password = job->password;
        if (password.empty() && hooks_.passwords->available()) {
            if (auto kept = hooks_.passwords->lookup(job->account.server, job->account.user))
                password = *kept;
        }
        if (password.empty()) {
            outcome->needPassword = true;
        } else {
            outcome->password = password;
            caldav::CurlTransport transport({job->account.user, password});
            caldav::SyncOptions options;
            options.calendarUrl = job->account.calendarUrl;
            options.stampNow = job->stampNow;
            options.stop = &stop_;
            options.progress = [this](int done, int total, const std::string &text) {
                const std::string line = "Calendar sync: " + std::to_string(done) + " of " + std::to_string(total) + " - " + text;
                QMetaObject::invokeMethod(this, [this, line] { showStatus(line); }, Qt::QueuedConnection);
            };
            caldav::SyncEngine engine(transport, options);
            outcome->exchange = engine.exchange(job->snapshot, job->state);
            if (job->storePassword && !outcome->exchange.authFailed && outcome->exchange.error.empty() &&
                hooks_.passwords->available())
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
    if (outcome->needPassword) {
        busy_ = false;
        std::optional<std::string> typed;
        if (!askedThisSession_ && hooks_.askPassword) {
            askedThisSession_ = true;
            typed = hooks_.askPassword("The password for " + account_.user + " at " + account_.server + ":");
        }
        if (typed && !typed->empty()) {
            sessionPassword_ = *typed;
            storePassword_ = true;
            begin();
            return;
        }
        lastResult_ = "Calendar sync waits for the password (\"Sync now\" asks for it again).";
        showStatus(lastResult_);
        emit syncFinished(false);
        return;
    }
    // A merge of received topics holds the store now: the result waits its turn.
    if (window_.lanSharing() && window_.lanSharing()->gate().busy()) {
        QTimer::singleShot(500, this, [this, outcome] { finish(outcome); });
        return;
    }
    apply(*outcome);
}

void CalendarSyncController::apply(Outcome &outcome)
{
    busy_ = false;
    caldav::ExchangeResult &exchange = outcome.exchange;
    for (const std::string &line : exchange.log)
        window_.AddToLog(line);
    if (exchange.authFailed) {
        sessionPassword_.clear();  // the next "Sync now" asks again
        storePassword_ = false;
    } else {
        sessionPassword_ = outcome.password;
        storePassword_ = false;
    }
    TreeController *tree = window_.treeController();
    TNimbusStructure *store = window_.store();
    caldav::ApplyResult applied;
    if (tree != nullptr && store != nullptr && !exchange.changes.empty()) {
        tree->SyncStoreFromTree();
        std::vector<TNimbusNode *> leaving;
        for (const caldav::LocalChange &change : exchange.changes)
            if (change.kind == caldav::LocalChange::Remove)
                if (TNimbusNode *node = store->Find(change.uni))
                    leaving.push_back(node);
        applying_ = true;
        if (!leaving.empty())
            emit tree->topicsRemoving(leaving);
        applied = caldav::applyChanges(*store, account_.subtree, exchange.changes, exchange.state, *uids_, links_,
                                       dates::stamp(window_.clock().now()), window_.storeLog());
        if (!applied.error.empty())
            window_.AddToLog("Calendar sync: " + applied.error);
        if (applied.changed) {
            if (const StoreResult saved = links_.Save(); !saved)
                window_.AddErrorToLog("*** The calendar links could not be saved: " + saved.errorText);
            tree->BuildTree();
            tree->markChanged();
            window_.SaveStore();
        }
        applying_ = false;
    }
    state_ = exchange.state;
    // The state speaks of the store as saved: written only once the store is on disk.
    stateUnsaved_ = store != nullptr && store->modified && applied.changed;
    if (!stateUnsaved_) {
        if (const StoreResult saved = state_.Save(); !saved)
            window_.AddErrorToLog("*** The calendar sync state could not be saved: " + saved.errorText);
    }
    const caldav::SyncCounts &c = exchange.counts;
    if (exchange.ok) {
        lastResult_ = "Calendar synced at " + dates::stamp(window_.clock().now()).substr(9, 2) + ":" +
                      dates::stamp(window_.clock().now()).substr(11, 2) + ": " + std::to_string(c.sent) + " sent, " +
                      std::to_string(c.received) + " received, " + std::to_string(c.deletedOnServer + c.removedHere) +
                      " removed" + (c.conflicts ? ", " + std::to_string(c.conflicts) + " conflicts" : "") + ".";
    } else {
        lastResult_ = "Calendar sync failed: " + exchange.error + " It is tried again later.";
    }
    showStatus(lastResult_);
    window_.AddToLog(exchange.ok ? lastResult_ : "*** " + lastResult_);
    scheduleNext(!exchange.ok);
    emit syncFinished(exchange.ok);
    if (againWhenDone_) {
        againWhenDone_ = false;
        timerCalendarChanges->start();
    }
}

}  // namespace nimbus::caldavui

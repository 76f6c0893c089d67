// Reminder passes and actions in the running program.
#include "shell/reminders/ReminderController.h"

#include <QDBusConnection>

#include "reminders/ReminderActions.h"
#include "reminders/ReminderText.h"
#include "shell/reminders/DesktopNotifications.h"
#include "shell/reminders/ReminderWindow.h"
#include "store/Clock.h"
#include "store/StoreLog.h"

namespace nimbus::reminderui {

using namespace nimbus::reminders;

ReminderController::ReminderController(const std::string &dataFolder, const Clock &clock,
                                       StoreLog &log, std::unique_ptr<ReminderPresenter> presenter,
                                       QObject *parent)
    : QObject(parent), clock_(clock), log_(log), engine_(state_, preferences_, leads_, &midnights_)
{
    preferences_.SetDataFolder(dataFolder);
    preferences_.Load(log_);
    leads_.SetDataFolder(dataFolder);
    leads_.Load(log_);
    state_.SetDataFolder(dataFolder);
    state_.Load(log_);
    midnights_.SetDataFolder(dataFolder);
    midnights_.Load(log_);
    // Without one given, the presenter is chosen when the first reminder is to be shown.
    if (presenter)
        usePresenter(std::move(presenter));
}

ReminderPresenter *ReminderController::presenter()
{
    if (presenter_)
        return presenter_.get();
    // Nothing here waits on the bus: a service that does not answer hands over later.
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString why = DesktopNotifications::unavailableReason(bus);
    if (why.isEmpty()) {
        usePresenter(std::make_unique<DesktopNotifications>(bus));
    } else {
        // Said in the log with the first reminder that the window shows.
        fallbackReason_ = why.toStdString();
        usePresenter(std::make_unique<WindowPresenter>());
    }
    return presenter_.get();
}

ReminderController::~ReminderController() = default;

void ReminderController::usePresenter(std::unique_ptr<ReminderPresenter> presenter)
{
    // A presenter that fails is in the middle of its own signal: it goes later.
    if (presenter_)
        presenter_.release()->deleteLater();
    presenter_ = std::move(presenter);
    connect(presenter_.get(), &ReminderPresenter::actionInvoked, this, &ReminderController::onAction);
    connect(presenter_.get(), &ReminderPresenter::dismissed, this, &ReminderController::onDismissed);
    connect(presenter_.get(), &ReminderPresenter::failed, this, &ReminderController::onFailed);
}

void ReminderController::tick(const TNimbusStructure &store, int dateOrder, TrayLook *tray,
                              std::size_t count)
{
    dateOrder_ = dateOrder;
    const std::vector<ReminderGroup> groups =
        tray ? engine_.poll(store, clock_.now(), *tray, count) : engine_.poll(store, clock_.now());
    for (const ReminderGroup &group : groups) {
        const quint32 handle = nextHandle_++;
        shown_.insert(handle, group);
        presenter();
        if (!fallbackReason_.empty()) {
            log_.AddToLog("Reminders appear in a window of the program's own: " + fallbackReason_);
            fallbackReason_.clear();
        }
        presenter_->present(handle, noteFor(group, dateOrder));
    }
    saveState();
    if (!groups.empty())
        emit remindersChanged();
}

ReminderNote ReminderController::noteFor(const ReminderGroup &group, int dateOrder) const
{
    const ReminderText text = groupText(group, clock_.now(), dateOrder);
    ReminderNote note;
    note.summary = QString::fromLocal8Bit(text.summary.c_str());
    note.body = QString::fromLocal8Bit(text.body.c_str());
    for (ReminderAction action : actionsFor(group))
        note.actions << QString::fromStdString(actionKey(action))
                     << QString::fromStdString(actionCaption(action));
    note.sound = preferences_.sound;
    return note;
}

std::vector<std::string> ReminderController::keysOf(const ReminderGroup &group) const
{
    std::vector<std::string> keys;
    for (const ReminderItem &item : group.items)
        keys.push_back(item.key);
    return keys;
}

void ReminderController::onAction(quint32 handle, const QString &key)
{
    const auto it = shown_.constFind(handle);
    const std::optional<ReminderAction> action = actionFromKey(key.toStdString());
    if (it == shown_.constEnd() || !action)
        return;
    const ReminderGroup group = *it;
    shown_.remove(handle);
    if (const std::optional<SnoozeChoice> snooze = snoozeOf(*action)) {
        engine_.snooze(keysOf(group), snoozeUntil(*snooze, clock_.now(), preferences_.morning));
        saveState();
        emit remindersChanged();
        return;
    }
    const ReminderItem &item = group.items.front();
    const QByteArray uni = QByteArray::fromStdString(item.uni);
    if (*action == ReminderAction::Complete)
        emit completeTopic(uni, item.occurrence.start.msecs(), item.occurrence.hasTime);
    else
        emit openTopic(uni);
}

void ReminderController::onDismissed(quint32 handle)
{
    const auto it = shown_.constFind(handle);
    if (it == shown_.constEnd())
        return;
    engine_.dismiss(keysOf(*it));
    shown_.remove(handle);
    saveState();
}

void ReminderController::onFailed(quint32 handle, const QString &why)
{
    // The notification service went away or does not answer: from now on, and for this
    // reminder, the window. Reminders the old presenter still held fail one by one after it.
    if (sender() == presenter_.get()) {
        log_.AddToLog("Reminders appear in a window of the program's own: the notification "
                      "service did not take a reminder (" +
                      why.toStdString() + ")");
        usePresenter(std::make_unique<WindowPresenter>());
    }
    const auto it = shown_.constFind(handle);
    if (it != shown_.constEnd())
        presenter()->present(handle, noteFor(*it, dateOrder_));
}

void ReminderController::saveState()
{
    if (state_.modified)
        state_.Save(log_);
    if (midnights_.modified)
        midnights_.Save(log_);
}

void ReminderController::save()
{
    // The watermark too: the next start's digest begins where this run ended.
    state_.Save(log_);
    if (midnights_.modified)
        midnights_.Save(log_);
    if (leads_.modified && leads_.Save(log_))
        leads_.modified = false;
}

} // namespace nimbus::reminderui

namespace nimbus::reminderui {

void ReminderController::setLead(const std::string &uni, int minutes)
{
    if (!leads_.setLead(uni, minutes) || !leads_.modified)
        return;
    if (leads_.Save(log_))
        leads_.modified = false;
    emit remindersChanged();
}

void ReminderController::preferencesChanged()
{
    preferences_.Save(log_);
    emit remindersChanged();
}

} // namespace nimbus::reminderui

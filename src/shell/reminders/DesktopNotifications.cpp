// Desktop notifications over D-Bus.
#include "shell/reminders/DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace nimbus::reminderui {

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// NotificationClosed reasons: 2 is "dismissed by the user".
constexpr uint kDismissedByUser = 2;

// Errors that say nobody answers for the service (rather than that it refused one call).
bool isSilence(const QDBusError &error)
{
    switch (error.type()) {
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected:
        return true;
    default:
        return false;
    }
}

} // namespace

QString DesktopNotifications::unavailableReason(const QDBusConnection &bus)
{
    if (bus.isConnected())
        return {};
    const QString error = bus.lastError().message();
    return QStringLiteral("there is no session bus") +
           (error.isEmpty() ? QString() : QStringLiteral(" (") + error + QStringLiteral(")"));
}

DesktopNotifications::DesktopNotifications(QDBusConnection bus, int timeoutMs, QObject *parent)
    : ReminderPresenter(parent), bus_(std::move(bus)), timeoutMs_(timeoutMs)
{
    // From whoever owns the name now or later: a restarted server has a new unique name. (The
    // match rules go to the bus itself, which answers whatever the service does.)
    bus_.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onNotificationClosed(uint, uint)));
}

void DesktopNotifications::present(quint32 handle, const ReminderNote &note)
{
    switch (server_) {
    case Server::Answered:
        notify(handle, note);
        return;
    case Server::Silent:
        emit failed(handle, silentWhy_);
        return;
    case Server::Unknown:
    case Server::Asked:
        break;
    }
    // A server that reads markup in the body would take a topic's "<" or "&" for it: the
    // first reminders wait for its capabilities, and learn with them whether it answers.
    waiting_.emplace_back(handle, note);
    askCapabilities();
}

void DesktopNotifications::askCapabilities()
{
    if (server_ != Server::Unknown)
        return;
    server_ = Server::Asked;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), kPath, kInterface, QStringLiteral("GetCapabilities"));
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, timeoutMs_), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            &DesktopNotifications::capabilitiesAnswered);
}

void DesktopNotifications::capabilitiesAnswered(QDBusPendingCallWatcher *answer)
{
    answer->deleteLater();
    const QDBusPendingReply<QStringList> reply = *answer;
    if (reply.isError() && isSilence(reply.error())) {
        server_ = Server::Silent;
        silentWhy_ = reply.error().message();
    } else {
        // A server that refuses the question still shows notifications: plain bodies then.
        server_ = Server::Answered;
        bodyMarkup_ = !reply.isError() && reply.value().contains(QStringLiteral("body-markup"));
    }
    for (const auto &[handle, note] : std::exchange(waiting_, {}))
        present(handle, note);
}

void DesktopNotifications::notify(quint32 handle, const ReminderNote &note)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), kPath,
                                                       kInterface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("nimbus-desk"));
    hints.insert(QStringLiteral("category"), QStringLiteral("x-nimbus-desk.reminder"));
    if (note.sound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("message-new-instant"));
    else
        hints.insert(QStringLiteral("suppress-sound"), true);
    call << QStringLiteral("Nimbus Desk") << uint(0) << QStringLiteral("nimbus-desk")
         << note.summary << (bodyMarkup_ ? note.body.toHtmlEscaped() : note.body) << note.actions
         << hints << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, timeoutMs_), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, handle](QDBusPendingCallWatcher *finished) {
                const QDBusPendingReply<uint> reply = *finished;
                finished->deleteLater();
                if (reply.isError()) {
                    if (isSilence(reply.error())) {
                        server_ = Server::Silent;
                        silentWhy_ = reply.error().message();
                    }
                    emit failed(handle, reply.error().message());
                    return;
                }
                const uint id = reply.value();
                handles_.insert(id, handle);
                // Signals about it that came before the answer did.
                for (const auto &[key, closedReason] : early_.take(id)) {
                    if (key.isEmpty())
                        onNotificationClosed(id, closedReason);
                    else
                        emit actionInvoked(handle, key);
                }
            });
}

void DesktopNotifications::onActionInvoked(uint id, const QString &key)
{
    const auto it = handles_.constFind(id);
    if (it != handles_.constEnd())
        emit actionInvoked(*it, key);
    else
        keepEarly(id, key, 0);
}

void DesktopNotifications::keepEarly(uint id, const QString &key, uint reason)
{
    // The server's signals and its answer to Notify travel separately: a quick action can
    // arrive before the answer that names its notification. Other programs' notifications
    // come here too, so only the latest few are kept.
    if (early_.size() > 64)
        early_.clear();
    early_[id].push_back({key, reason});
}

void DesktopNotifications::onNotificationClosed(uint id, uint reason)
{
    const auto it = handles_.find(id);
    if (it == handles_.end()) {
        keepEarly(id, QString(), reason);
        return;
    }
    const quint32 handle = *it;
    handles_.erase(it);
    if (reason == kDismissedByUser)
        emit dismissed(handle);
}

} // namespace nimbus::reminderui

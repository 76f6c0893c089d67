// Desktop notifications over D-Bus.
#include "shell/reminders/DesktopNotifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace nimbus::reminderui {

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The server answers at once; a generous limit only guards against a hung one. (Under a
// clock that runs faster, as in tests, the usual 25 seconds pass too soon.)
constexpr int kCallTimeoutMs = 600'000;
// NotificationClosed reasons: 2 is "dismissed by the user".
constexpr uint kDismissedByUser = 2;

} // namespace

QString DesktopNotifications::unavailableReason(const QDBusConnection &bus)
{
    if (!bus.isConnected()) {
        const QString error = bus.lastError().message();
        return QStringLiteral("there is no session bus") +
               (error.isEmpty() ? QString() : QStringLiteral(" (") + error + QStringLiteral(")"));
    }
    QDBusConnectionInterface *names = bus.interface();
    if (!names)
        return QStringLiteral("the session bus does not answer");
    names->setTimeout(kCallTimeoutMs);
    const QString service = QString::fromLatin1(kService);
    if (names->isServiceRegistered(service).value())
        return {};
    // A service the bus starts on the first call counts as there.
    const QDBusReply<QStringList> activatable = names->activatableServiceNames();
    if (activatable.isValid() && activatable.value().contains(service))
        return {};
    return QStringLiteral("nobody provides desktop notifications (") + service +
           QStringLiteral(") on the session bus");
}

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject *parent)
    : ReminderPresenter(parent), bus_(std::move(bus))
{
    // From whoever owns the name now or later: a restarted server has a new unique name.
    bus_.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(QString(), kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onNotificationClosed(uint, uint)));
    // A server that reads markup in the body would take a topic's "<" or "&" for it.
    const QDBusMessage capabilities = bus_.call(
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), kPath, kInterface,
                                       QStringLiteral("GetCapabilities")),
        QDBus::Block, kCallTimeoutMs);
    bodyMarkup_ = !capabilities.arguments().isEmpty() &&
                  capabilities.arguments().at(0).toStringList().contains(QStringLiteral("body-markup"));
}

void DesktopNotifications::present(quint32 handle, const ReminderNote &note)
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
    auto *watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, handle](QDBusPendingCallWatcher *finished) {
                const QDBusPendingReply<uint> reply = *finished;
                finished->deleteLater();
                if (reply.isError()) {
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

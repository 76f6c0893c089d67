// Reminders as desktop notifications: org.freedesktop.Notifications on the session bus. No
// call waits: each goes out asynchronously with a short timeout, and a service that does not
// answer in time (hung, or gone) fails the reminders it was given, which then appear in the
// program's own window. The server's ActionInvoked and NotificationClosed signals come back as
// the presenter's signals.
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <utility>
#include <vector>

#include "shell/reminders/ReminderPresenter.h"

class QDBusPendingCallWatcher;

namespace nimbus::reminderui {

class DesktopNotifications : public ReminderPresenter {
    Q_OBJECT
public:
    static constexpr const char *kService = "org.freedesktop.Notifications";
    // A server answers at once. Under libfaketime's fast clock (the program's bus test) a
    // second of real time is a minute, so the limit is half a minute, not the usual 25 seconds.
    static constexpr int kCallTimeoutMs = 30'000;

    // Why notifications cannot be sent on this bus (there is none); empty when the bus is
    // there. It asks the bus nothing: whether anyone provides the service is learnt from the
    // first call's answer.
    static QString unavailableReason(const QDBusConnection &bus);

    explicit DesktopNotifications(QDBusConnection bus, int timeoutMs = kCallTimeoutMs,
                                  QObject *parent = nullptr);
    void present(quint32 handle, const ReminderNote &note) override;

private slots:
    void onActionInvoked(uint id, const QString &key);
    void onNotificationClosed(uint id, uint reason);

private:
    void askCapabilities();
    void capabilitiesAnswered(QDBusPendingCallWatcher *answer);
    void notify(quint32 handle, const ReminderNote &note);
    void keepEarly(uint id, const QString &key, uint reason);

    QDBusConnection bus_;
    int timeoutMs_;
    QHash<uint, quint32> handles_; // the server's notification id -> our handle
    enum class Server { Unknown, Asked, Answered, Silent };
    Server server_ = Server::Unknown;
    bool bodyMarkup_ = false;
    QString silentWhy_;
    // Reminders that wait for the server's capabilities (whether the body is markup).
    std::vector<std::pair<quint32, ReminderNote>> waiting_;
    // Actions (a key) and closings (no key, a reason) for ids the server has not answered yet.
    QHash<uint, std::vector<std::pair<QString, uint>>> early_;
};

} // namespace nimbus::reminderui

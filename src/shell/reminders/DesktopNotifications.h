// Reminders as desktop notifications: org.freedesktop.Notifications on the session bus. Notify
// is called without waiting for the answer; the server's ActionInvoked and NotificationClosed
// signals come back as the presenter's signals.
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <utility>
#include <vector>

#include "shell/reminders/ReminderPresenter.h"

namespace nimbus::reminderui {

class DesktopNotifications : public ReminderPresenter {
    Q_OBJECT
public:
    static constexpr const char *kService = "org.freedesktop.Notifications";

    // Why notifications cannot be sent on this bus (no bus, nobody provides the service);
    // empty when they can.
    static QString unavailableReason(const QDBusConnection &bus);

    explicit DesktopNotifications(QDBusConnection bus, QObject *parent = nullptr);
    void present(quint32 handle, const ReminderNote &note) override;

private slots:
    void onActionInvoked(uint id, const QString &key);
    void onNotificationClosed(uint id, uint reason);

private:
    void keepEarly(uint id, const QString &key, uint reason);

    QDBusConnection bus_;
    QHash<uint, quint32> handles_; // the server's notification id -> our handle
    bool bodyMarkup_ = false;
    // Actions (a key) and closings (no key, a reason) for ids the server has not answered yet.
    QHash<uint, std::vector<std::pair<QString, uint>>> early_;
};

} // namespace nimbus::reminderui

// Where reminders appear: the desktop's notification service, or a small window of the
// program's own. Each shown reminder has a handle of the caller's; the presenter reports the
// actions the user chose on it and when it was dismissed.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace nimbus::reminderui {

struct ReminderNote {
    QString summary;
    QString body;
    QStringList actions; // key, caption, key, caption ...
    bool sound = true;
};

class ReminderPresenter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void present(quint32 handle, const ReminderNote &note) = 0;

signals:
    void actionInvoked(quint32 handle, const QString &key);
    // Closed by the user without an action.
    void dismissed(quint32 handle);
    // The reminder could not be shown here (the service went away); why, for the log.
    void failed(quint32 handle, const QString &why);
};

} // namespace nimbus::reminderui

// The program's own reminder window, for desktops without a notification service: each
// reminder as a heading, its lines and a button per action; "Close" dismisses what is left.
// It shows itself without taking the keys from the window the user works in.
#pragma once

#include <QHash>
#include <QWidget>

#include "shell/reminders/ReminderPresenter.h"

class QPushButton;
class QVBoxLayout;

namespace nimbus::reminderui {

class ReminderWindow;

// The presenter side: shows notes in a ReminderWindow it owns.
class WindowPresenter : public ReminderPresenter {
    Q_OBJECT
public:
    explicit WindowPresenter(QObject *parent = nullptr);
    ~WindowPresenter() override;
    void present(quint32 handle, const ReminderNote &note) override;
    ReminderWindow *window() const { return window_; }

private:
    ReminderWindow *window_;
};

class ReminderWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReminderWindow(QWidget *parent = nullptr);

    void add(quint32 handle, const ReminderNote &note);
    int count() const { return static_cast<int>(entries_.size()); }
    // The entry of a handle, for tests to press its buttons.
    QWidget *entry(quint32 handle) const { return entries_.value(handle); }

    QPushButton *buttonClose = nullptr;

signals:
    void actionInvoked(quint32 handle, const QString &key);
    void dismissed(quint32 handle);

private:
    void remove(quint32 handle);
    void buttonCloseClick();

    QVBoxLayout *list_ = nullptr;
    QHash<quint32, QWidget *> entries_;
};

} // namespace nimbus::reminderui

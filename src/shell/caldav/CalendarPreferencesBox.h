// Calendar sync on the preferences page: the account (user and server), each calendar with
// the topic it is kept in step with, and "Calendar sync ..." to change them in the account
// dialog. Shown again whenever the account changes.
#pragma once

#include <QGroupBox>
#include <functional>
#include <string>

class QLabel;
class QPushButton;

namespace nimbus::caldavui {

class CalendarSyncController;

class CalendarPreferencesBox : public QGroupBox {
    Q_OBJECT
public:
    // names the topic of an id for the list ("" when it is not there).
    CalendarPreferencesBox(CalendarSyncController &controller,
                           std::function<std::string(const std::string &)> topicName,
                           QWidget *parent = nullptr);
    void refresh();

    QLabel *labelCalendarAccount = nullptr;
    QLabel *labelCalendars = nullptr; // one line per calendar: "name: topic"
    QPushButton *buttonCalendarSync = nullptr;

private:
    CalendarSyncController &controller_;
    std::function<std::string(const std::string &)> topicName_;
};

} // namespace nimbus::caldavui

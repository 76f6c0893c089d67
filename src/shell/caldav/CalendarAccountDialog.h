// "Calendar sync": the account (server address, user name, password), the user's calendars
// as the server lists them, the topic or section each one is kept in step with, and the
// interval. Finding the calendars asks the server at once, with the password typed here.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "caldav/CalDavDiscovery.h"
#include "caldav/CalendarAccount.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace nimbus {
class TNimbusStructure;
}

namespace nimbus::caldavui {

class CalendarAccountDialog : public QDialog {
    Q_OBJECT
public:
    CalendarAccountDialog(const caldav::CalendarAccount &account, const TNimbusStructure &store, QWidget *parent);

    caldav::CalendarAccount account() const;
    std::string password() const;
    // Asks the server for the user's calendars and fills the list; false with the reason shown.
    bool findCalendars();

    QLineEdit *editServer = nullptr;
    QLineEdit *editUser = nullptr;
    QLineEdit *editPassword = nullptr;
    QPushButton *buttonFindCalendars = nullptr;
    QComboBox *comboCalendar = nullptr;
    QComboBox *comboSubtree = nullptr;
    QSpinBox *spinInterval = nullptr;
    QLabel *labelFound = nullptr;
    QPushButton *buttonOk = nullptr;

private:
    void updateOk();
    std::vector<caldav::CalendarInfo> calendars_;
    caldav::CalendarAccount original_;
};

}  // namespace nimbus::caldavui

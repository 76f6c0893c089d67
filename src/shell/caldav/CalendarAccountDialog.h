// "Calendar sync": the account (server address, user name, password), the user's calendars
// as the server lists them, the topic or section each one is kept in step with (or none), and
// the interval. Finding the calendars asks the server at once, with the password typed here,
// on a thread of its own while the dialog goes on answering; closing the dialog ends the
// request within a second. The calendars already chosen are listed before the server is asked.
#pragma once

#include <QDialog>
#include <atomic>
#include <string>
#include <vector>

#include "caldav/CalDavDiscovery.h"
#include "caldav/CalendarAccount.h"

class QComboBox;
class QLabel;
class QTableWidget;
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
    // Returns once the server answered (or the dialog was closed).
    bool findCalendars();
    void done(int result) override;

    QLineEdit *editServer = nullptr;
    QLineEdit *editUser = nullptr;
    QLineEdit *editPassword = nullptr;
    QPushButton *buttonFindCalendars = nullptr;
    // One row per calendar: its name (the address as the item's data) and the topic it is
    // kept in step with, "(not synced)" first.
    QTableWidget *tableCalendars = nullptr;
    QSpinBox *spinInterval = nullptr;
    QLabel *labelFound = nullptr;
    QLabel *labelProblem = nullptr;
    QPushButton *buttonOk = nullptr;

    // The row of a calendar by its address, -1 when it is not listed.
    int rowOf(const std::string &calendarUrl) const;
    QComboBox *subtreeBox(int row) const;
    // Chooses the topic for a calendar's row by the topic's id ("" for not synced).
    void chooseSubtree(int row, const std::string &topic);

private:
    void addRow(const std::string &url, const std::string &name, const std::string &subtree);
    void updateOk();
    const TNimbusStructure &store_;
    caldav::CalendarAccount original_;
    bool finding_ = false;
    std::atomic<bool> stopFinding_{false};
};

}  // namespace nimbus::caldavui

// The calendar sync box of the preferences page; see CalendarPreferencesBox.h.
#include "shell/caldav/CalendarPreferencesBox.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/caldav/CalendarSyncController.h"

namespace nimbus::caldavui {

CalendarPreferencesBox::CalendarPreferencesBox(
    CalendarSyncController &controller, std::function<std::string(const std::string &)> topicName,
    QWidget *parent)
    : QGroupBox(tr("Calendar sync"), parent), controller_(controller),
      topicName_(std::move(topicName))
{
    setObjectName("groupCalendarSync");
    labelCalendarAccount = new QLabel(this);
    labelCalendarAccount->setObjectName("labelCalendarAccount");
    labelCalendarAccount->setWordWrap(true);
    labelCalendars = new QLabel(this);
    labelCalendars->setObjectName("labelCalendars");
    labelCalendars->setWordWrap(true);
    labelCalendars->setTextFormat(Qt::PlainText);
    buttonCalendarSync = new QPushButton(tr("Calendar sync ..."), this);
    buttonCalendarSync->setObjectName("buttonCalendarSync");
    buttonCalendarSync->setToolTip(
        tr("The server, user name and password, and which calendar keeps which topic"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelCalendarAccount);
    layout->addWidget(labelCalendars);
    layout->addWidget(buttonCalendarSync, 0, Qt::AlignLeft);
    connect(buttonCalendarSync, &QPushButton::clicked, &controller_,
            &CalendarSyncController::editAccount);
    connect(&controller_, &CalendarSyncController::accountChanged, this,
            &CalendarPreferencesBox::refresh);
    refresh();
}

void CalendarPreferencesBox::refresh()
{
    const caldav::CalendarAccount &a = controller_.account();
    if (!a.configured()) {
        labelCalendarAccount->setText(tr("No calendar is kept in step with a server."));
        labelCalendars->clear();
        labelCalendars->hide();
        return;
    }
    labelCalendarAccount->setText(
        tr("%1 at %2, every %n minute(s)", nullptr, a.intervalMinutes)
            .arg(QString::fromStdString(a.user), QString::fromStdString(a.server)));
    QStringList lines;
    for (const caldav::CalendarBinding &c : a.calendars) {
        const std::string topic = topicName_ ? topicName_(c.subtree) : c.subtree;
        lines << QString::fromStdString(c.calendarName) + QStringLiteral(": ") +
                     QString::fromStdString(topic.empty() ? tr("(topic not found)").toStdString()
                                                          : topic);
    }
    labelCalendars->setText(lines.join(QLatin1Char('\n')));
    labelCalendars->show();
}

} // namespace nimbus::caldavui

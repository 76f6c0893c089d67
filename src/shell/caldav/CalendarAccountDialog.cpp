// The calendar account dialog; see CalendarAccountDialog.h.
#include "shell/caldav/CalendarAccountDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "caldav/CurlTransport.h"
#include "caldav/ServerAddress.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldavui {

CalendarAccountDialog::CalendarAccountDialog(const caldav::CalendarAccount &account, const TNimbusStructure &store,
                                             QWidget *parent)
    : QDialog(parent), original_(account)
{
    setWindowTitle(tr("Calendar sync"));
    setObjectName("TformCalendarAccount");
    auto *form = new QFormLayout;
    editServer = new QLineEdit(QString::fromStdString(account.server), this);
    editServer->setObjectName("editServer");
    editServer->setPlaceholderText("https://calendar.example.org/");
    form->addRow(tr("&Server address:"), editServer);
    editUser = new QLineEdit(QString::fromStdString(account.user), this);
    editUser->setObjectName("editUser");
    form->addRow(tr("&User name:"), editUser);
    editPassword = new QLineEdit(this);
    editPassword->setObjectName("editPassword");
    editPassword->setEchoMode(QLineEdit::Password);
    editPassword->setPlaceholderText(tr("kept in the desktop's password store, or for this session only"));
    form->addRow(tr("&Password:"), editPassword);
    buttonFindCalendars = new QPushButton(tr("&Find calendars"), this);
    buttonFindCalendars->setObjectName("buttonFindCalendars");
    labelFound = new QLabel(this);
    labelFound->setObjectName("labelFound");
    labelFound->setWordWrap(true);
    form->addRow(buttonFindCalendars, labelFound);
    comboCalendar = new QComboBox(this);
    comboCalendar->setObjectName("comboCalendar");
    if (!account.calendarUrl.empty())
        comboCalendar->addItem(QString::fromStdString(account.calendarName.empty() ? account.calendarUrl : account.calendarName),
                               QString::fromStdString(account.calendarUrl));
    form->addRow(tr("&Calendar:"), comboCalendar);
    comboSubtree = new QComboBox(this);
    comboSubtree->setObjectName("comboSubtree");
    for (int i = 0; i < store.Count(); ++i) {
        const TNimbusNode *node = store.Node(i);
        if (node == nullptr || node->lev > 2)
            continue;
        comboSubtree->addItem(QString(node->lev * 4, QLatin1Char(' ')) + QString::fromStdString(node->text),
                              QString::fromStdString(node->uni));
        if (node->uni == account.subtree)
            comboSubtree->setCurrentIndex(comboSubtree->count() - 1);
    }
    form->addRow(tr("&Keep in step with:"), comboSubtree);
    spinInterval = new QSpinBox(this);
    spinInterval->setObjectName("spinInterval");
    spinInterval->setRange(1, 1440);
    spinInterval->setSuffix(tr(" minutes"));
    spinInterval->setValue(account.intervalMinutes);
    form->addRow(tr("Sync &every:"), spinInterval);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttonOk = buttons->button(QDialogButtonBox::Ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttonFindCalendars, &QPushButton::clicked, this, [this] { findCalendars(); });
    for (QLineEdit *edit : {editServer, editUser})
        connect(edit, &QLineEdit::textChanged, this, [this] { updateOk(); });
    connect(comboCalendar, &QComboBox::currentIndexChanged, this, [this] { updateOk(); });
    updateOk();
}

void CalendarAccountDialog::updateOk()
{
    const std::string refusal = caldav::refusalOf(editServer->text().trimmed().toStdString());
    buttonOk->setEnabled(refusal.empty() && !editUser->text().trimmed().isEmpty() && comboCalendar->currentIndex() >= 0 &&
                         comboSubtree->currentIndex() >= 0);
}

bool CalendarAccountDialog::findCalendars()
{
    const std::string server = editServer->text().trimmed().toStdString();
    caldav::CurlTransport transport({editUser->text().trimmed().toStdString(), editPassword->text().toStdString()});
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const caldav::DiscoveryResult found = caldav::discoverCalendars(transport, server);
    QApplication::restoreOverrideCursor();
    comboCalendar->clear();
    calendars_.clear();
    if (!found.ok) {
        labelFound->setText(QString::fromStdString(found.error));
        updateOk();
        return false;
    }
    for (const caldav::CalendarInfo &c : found.calendars) {
        if (!c.holdsTopics())
            continue;
        calendars_.push_back(c);
        comboCalendar->addItem(QString::fromStdString(c.displayName), QString::fromStdString(c.url));
        if (c.url == original_.calendarUrl)
            comboCalendar->setCurrentIndex(comboCalendar->count() - 1);
    }
    labelFound->setText(calendars_.empty() ? tr("The server lists no calendar for tasks or events.")
                                           : tr("%n calendar(s) found.", nullptr, static_cast<int>(calendars_.size())));
    updateOk();
    return !calendars_.empty();
}

caldav::CalendarAccount CalendarAccountDialog::account() const
{
    caldav::CalendarAccount a = original_;
    a.server = editServer->text().trimmed().toStdString();
    a.user = editUser->text().trimmed().toStdString();
    a.calendarUrl = comboCalendar->currentData().toString().toStdString();
    a.calendarName = comboCalendar->currentText().toStdString();
    a.subtree = comboSubtree->currentData().toString().toStdString();
    a.intervalMinutes = spinInterval->value();
    return a;
}

std::string CalendarAccountDialog::password() const { return editPassword->text().toStdString(); }

}  // namespace nimbus::caldavui

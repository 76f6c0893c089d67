// The calendar account dialog; see CalendarAccountDialog.h.
#include "shell/caldav/CalendarAccountDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>
#include <thread>

#include "caldav/CurlTransport.h"
#include "caldav/ServerAddress.h"
#include "store/TNimbusStructure.h"

namespace nimbus::caldavui {

CalendarAccountDialog::CalendarAccountDialog(const caldav::CalendarAccount &account, const TNimbusStructure &store,
                                             QWidget *parent)
    : QDialog(parent), store_(store), original_(account)
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
    tableCalendars = new QTableWidget(0, 2, this);
    tableCalendars->setObjectName("tableCalendars");
    tableCalendars->setHorizontalHeaderLabels({tr("Calendar"), tr("Keep in step with")});
    tableCalendars->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tableCalendars->verticalHeader()->hide();
    tableCalendars->setSelectionMode(QAbstractItemView::NoSelection);
    tableCalendars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const caldav::CalendarBinding &c : account.calendars)
        addRow(c.calendarUrl, c.calendarName.empty() ? c.calendarUrl : c.calendarName, c.subtree);
    form->addRow(tr("&Calendars:"), tableCalendars);
    spinInterval = new QSpinBox(this);
    spinInterval->setObjectName("spinInterval");
    spinInterval->setRange(1, 1440);
    spinInterval->setSuffix(tr(" minutes"));
    spinInterval->setValue(account.intervalMinutes);
    form->addRow(tr("Sync &every:"), spinInterval);
    labelProblem = new QLabel(this);
    labelProblem->setObjectName("labelProblem");
    labelProblem->setWordWrap(true);
    form->addRow(labelProblem);

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
    updateOk();
}

void CalendarAccountDialog::addRow(const std::string &url, const std::string &name, const std::string &subtree)
{
    const int row = tableCalendars->rowCount();
    tableCalendars->insertRow(row);
    auto *item = new QTableWidgetItem(QString::fromStdString(name));
    item->setData(Qt::UserRole, QString::fromStdString(url));
    item->setToolTip(QString::fromStdString(url));
    tableCalendars->setItem(row, 0, item);
    auto *box = new QComboBox(tableCalendars);
    box->setObjectName("comboSubtree");
    box->addItem(tr("(not synced)"), QString());
    for (int i = 0; i < store_.Count(); ++i) {
        const TNimbusNode *node = store_.Node(i);
        // Topics only: the program's own sections (preferences, contacts, ...) hold no calendar.
        if (node == nullptr || node->lev > 2 || node->type != kSectionTopics)
            continue;
        box->addItem(QString(node->lev * 4, QLatin1Char(' ')) + QString::fromStdString(node->text),
                     QString::fromStdString(node->uni));
    }
    const int chosen = box->findData(QString::fromStdString(subtree));
    box->setCurrentIndex(std::max(chosen, 0));
    tableCalendars->setCellWidget(row, 1, box);
    // The cell under the choice holds its text, so that a screen reader going through the
    // table hears the choice and not an empty cell.
    const QString calendar = QString::fromStdString(name);
    box->setAccessibleName(tr("Keep %1 in step with").arg(calendar));
    auto *choice = new QTableWidgetItem;
    tableCalendars->setItem(row, 1, choice);
    auto showChoice = [box, choice] { choice->setText(box->currentText().trimmed()); };
    showChoice();
    connect(box, &QComboBox::currentIndexChanged, this, [this, showChoice] {
        showChoice();
        updateOk();
    });
}

int CalendarAccountDialog::rowOf(const std::string &calendarUrl) const
{
    for (int row = 0; row < tableCalendars->rowCount(); ++row)
        if (tableCalendars->item(row, 0)->data(Qt::UserRole).toString().toStdString() == calendarUrl)
            return row;
    return -1;
}

QComboBox *CalendarAccountDialog::subtreeBox(int row) const
{
    return qobject_cast<QComboBox *>(tableCalendars->cellWidget(row, 1));
}

void CalendarAccountDialog::chooseSubtree(int row, const std::string &topic)
{
    if (QComboBox *box = subtreeBox(row))
        box->setCurrentIndex(std::max(box->findData(QString::fromStdString(topic)), 0));
}

void CalendarAccountDialog::updateOk()
{
    const std::string refusal = caldav::refusalOf(editServer->text().trimmed().toStdString());
    const caldav::CalendarAccount chosen = account();
    const std::string problem = caldav::bindingProblem(chosen.calendars, store_);
    labelProblem->setText(QString::fromStdString(problem));
    buttonOk->setEnabled(refusal.empty() && !editUser->text().trimmed().isEmpty() && !chosen.calendars.empty() &&
                         problem.empty());
}

void CalendarAccountDialog::done(int result)
{
    stopFinding_ = true;  // a request under way ends within a second
    QDialog::done(result);
}

bool CalendarAccountDialog::findCalendars()
{
    if (finding_)
        return false;
    finding_ = true;
    stopFinding_ = false;
    buttonFindCalendars->setEnabled(false);
    labelFound->setText(tr("Asking the server ..."));
    const std::string server = editServer->text().trimmed().toStdString();
    caldav::TransportSettings settings{editUser->text().trimmed().toStdString(), editPassword->text().toStdString()};
    settings.stop = &stopFinding_;
    // The network on a thread of its own: the window goes on painting and answering meanwhile.
    auto result = std::make_shared<caldav::DiscoveryResult>();
    QEventLoop answered;
    std::thread worker([settings, server, result, &answered] {
        caldav::CurlTransport transport(settings);
        *result = caldav::discoverCalendars(transport, server);
        QMetaObject::invokeMethod(&answered, &QEventLoop::quit, Qt::QueuedConnection);
    });
    answered.exec();
    worker.join();
    finding_ = false;
    buttonFindCalendars->setEnabled(true);
    const caldav::DiscoveryResult &found = *result;
    if (!found.ok) {
        labelFound->setText(QString::fromStdString(found.error));
        updateOk();
        return false;
    }
    // The server's calendars replace the list; what was chosen for one stays chosen.
    const caldav::CalendarAccount before = account();
    tableCalendars->setRowCount(0);
    int listed = 0;
    for (const caldav::CalendarInfo &c : found.calendars) {
        if (!c.holdsTopics())
            continue;
        std::string subtree;
        for (const caldav::CalendarBinding &b : before.calendars)
            if (b.calendarUrl == c.url)
                subtree = b.subtree;
        addRow(c.url, c.displayName.empty() ? c.url : c.displayName, subtree);
        ++listed;
    }
    labelFound->setText(listed == 0 ? tr("The server lists no calendar for tasks or events.")
                                    : tr("%n calendar(s) found.", nullptr, listed));
    updateOk();
    return listed > 0;
}

caldav::CalendarAccount CalendarAccountDialog::account() const
{
    caldav::CalendarAccount a = original_;
    a.server = editServer->text().trimmed().toStdString();
    a.user = editUser->text().trimmed().toStdString();
    a.calendars.clear();
    for (int row = 0; row < tableCalendars->rowCount(); ++row) {
        const QComboBox *box = subtreeBox(row);
        const std::string subtree = box ? box->currentData().toString().toStdString() : std::string();
        if (subtree.empty())
            continue;
        const QTableWidgetItem *item = tableCalendars->item(row, 0);
        a.calendars.push_back({item->data(Qt::UserRole).toString().toStdString(), item->text().toStdString(), subtree});
    }
    a.intervalMinutes = spinInterval->value();
    return a;
}

std::string CalendarAccountDialog::password() const { return editPassword->text().toStdString(); }

}  // namespace nimbus::caldavui

// The tray entry.
#include "shell/reminders/ReminderTray.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include "reminders/ReminderText.h"
#include "shell/TopicIcons.h"

namespace nimbus::reminderui {

ReminderTray::ReminderTray(QObject *parent)
    : QObject(parent), tray_(new QSystemTrayIcon(this)), menu_(new QMenu)
{
    menu_->setObjectName(QStringLiteral("popTray"));
    tray_->setIcon(iconWithCount(0));
    tray_->setToolTip(QStringLiteral("Nimbus Desk"));
    tray_->setContextMenu(menu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit showRequested();
    });
    update({}, {}, DateTime(), 0);
}

ReminderTray::~ReminderTray()
{
    delete menu_;
}

bool ReminderTray::showInTray()
{
    if (!trayAvailable())
        return false;
    tray_->show();
    return true;
}

bool ReminderTray::visible() const
{
    return tray_->isVisible();
}

bool ReminderTray::reachable() const
{
    return tray_->isVisible() && trayAvailable();
}

QIcon ReminderTray::iconWithCount(int count)
{
    const QIcon plain = icons::application();
    const QString text = QString::fromStdString(reminders::badgeText(count));
    if (text.isEmpty())
        return plain;
    QIcon icon;
    // Drawn at each size a tray asks for, not one bitmap scaled.
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = plain.pixmap(size, size);
        if (pixmap.isNull()) {
            pixmap = QPixmap(size, size);
            pixmap.fill(Qt::transparent);
        }
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const int badge = size * 3 / 5;
        const QRect circle(size - badge, size - badge, badge, badge);
        painter.setBrush(QColor(200, 0, 0));
        painter.setPen(QPen(Qt::white, qMax(1, size / 16)));
        painter.drawEllipse(circle.adjusted(0, 0, -1, -1));
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(qMax(6, badge * (text.size() > 2 ? 4 : text.size() > 1 ? 5 : 7) / 10));
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(circle, Qt::AlignCenter, text);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void ReminderTray::update(const reminders::TrayCounts &counts,
                          const std::vector<reminders::UpcomingReminder> &next, DateTime now,
                          int dateOrder)
{
    const int count = static_cast<int>(counts.attention.size());
    if (count != shownCount_) {
        tray_->setIcon(iconWithCount(count));
        shownCount_ = count;
    }
    tray_->setToolTip(QString::fromLocal8Bit(reminders::trayToolTip(counts).c_str()));

    menu_->clear();
    for (const QString &line : {tr("Overdue: %1").arg(counts.overdue),
                                tr("Urgent: %1").arg(counts.urgent),
                                tr("Due today: %1").arg(counts.dueToday)})
        menu_->addAction(line)->setEnabled(false);
    menu_->addSeparator();
    actionShow = menu_->addAction(tr("Show Nimbus Desk"));
    connect(actionShow, &QAction::triggered, this, &ReminderTray::showRequested);
    menu_->addSeparator();
    if (next.empty())
        menu_->addAction(tr("No reminders to come"))->setEnabled(false);
    for (const reminders::UpcomingReminder &reminder : next) {
        QAction *open = menu_->addAction(
            QString::fromLocal8Bit(reminders::upcomingLine(reminder, now, dateOrder).c_str()));
        const QByteArray uni = QByteArray::fromStdString(reminder.uni);
        connect(open, &QAction::triggered, this, [this, uni] { emit openTopic(uni); });
    }
    menu_->addSeparator();
    actionExit = menu_->addAction(tr("Exit"));
    connect(actionExit, &QAction::triggered, this, &ReminderTray::exitRequested);
}

} // namespace nimbus::reminderui

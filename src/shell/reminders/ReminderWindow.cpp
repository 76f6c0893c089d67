// The program's own reminder window.
#include "shell/reminders/ReminderWindow.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "shell/TopicIcons.h"

namespace nimbus::reminderui {

WindowPresenter::WindowPresenter(QObject *parent)
    : ReminderPresenter(parent), window_(new ReminderWindow)
{
    connect(window_, &ReminderWindow::actionInvoked, this, &ReminderPresenter::actionInvoked);
    connect(window_, &ReminderWindow::dismissed, this, &ReminderPresenter::dismissed);
}

WindowPresenter::~WindowPresenter()
{
    delete window_;
}

void WindowPresenter::present(quint32 handle, const ReminderNote &note)
{
    if (note.sound)
        QApplication::beep();
    window_->add(handle, note);
}

ReminderWindow::ReminderWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("formReminders"));
    setWindowTitle(tr("Nimbus Desk reminders"));
    setWindowIcon(icons::application());
    // Shown beside the user's work, never in front of the keys.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Closing it while the main window waits in the tray must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *layout = new QVBoxLayout(this);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *inner = new QWidget(scroll);
    list_ = new QVBoxLayout(inner);
    list_->addStretch();
    scroll->setWidget(inner);
    layout->addWidget(scroll);
    auto *foot = new QHBoxLayout;
    foot->addStretch();
    buttonClose = new QPushButton(tr("Close"), this);
    buttonClose->setObjectName(QStringLiteral("buttonClose"));
    foot->addWidget(buttonClose);
    layout->addLayout(foot);
    connect(buttonClose, &QPushButton::clicked, this, &ReminderWindow::buttonCloseClick);
    resize(420, 260);
}

void ReminderWindow::add(quint32 handle, const ReminderNote &note)
{
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(frame);
    auto *summary = new QLabel(note.summary, frame);
    QFont bold = summary->font();
    bold.setBold(true);
    summary->setFont(bold);
    summary->setWordWrap(true);
    layout->addWidget(summary);
    auto *body = new QLabel(note.body, frame);
    body->setWordWrap(true);
    body->setTextFormat(Qt::PlainText);
    layout->addWidget(body);
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i + 1 < note.actions.size(); i += 2) {
        auto *button = new QPushButton(note.actions[i + 1], frame);
        button->setObjectName(note.actions[i]);
        buttons->addWidget(button);
        const QString key = note.actions[i];
        connect(button, &QPushButton::clicked, this, [this, handle, key] {
            remove(handle);
            emit actionInvoked(handle, key);
        });
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    list_->insertWidget(list_->count() - 1, frame);
    entries_.insert(handle, frame);
    show();
    raise();
}

void ReminderWindow::remove(quint32 handle)
{
    if (QWidget *frame = entries_.take(handle))
        frame->deleteLater();
    if (entries_.isEmpty())
        hide();
}

void ReminderWindow::buttonCloseClick()
{
    const QList<quint32> handles = entries_.keys();
    for (quint32 handle : handles) {
        remove(handle);
        emit dismissed(handle);
    }
    hide();
}

} // namespace nimbus::reminderui

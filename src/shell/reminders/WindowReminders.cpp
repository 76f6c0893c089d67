// The main window's reminders.
#include "shell/reminders/WindowReminders.h"

#include <QScrollArea>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>

#include "reminders/ReminderActions.h"
#include "reminders/TrayCounts.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/pages/PreferencesPage.h"
#include "shell/reminders/ReminderController.h"
#include "shell/reminders/ReminderPreferencesBox.h"
#include "shell/reminders/ReminderTray.h"
#include "store/TNimbusStructure.h"

namespace nimbus::reminderui {

WindowReminders::WindowReminders(TformMain &window)
    : QObject(&window), window_(window),
      controller_(new ReminderController(window.paths().DataFolder, window.clock(),
                                         window.storeLog(), nullptr, this)),
      tray_(new ReminderTray(this))
{
    connect(controller_, &ReminderController::openTopic, this, &WindowReminders::openTopic);
    connect(controller_, &ReminderController::completeTopic, this, &WindowReminders::completeTopic);
    connect(controller_, &ReminderController::remindersChanged, this, &WindowReminders::refreshTray);
    connect(tray_, &ReminderTray::showRequested, this, [this] { openTopic(QByteArray()); });
    // "Exit" in the tray is the window's "Exit" button.
    connect(tray_, &ReminderTray::exitRequested, &window_, &QWidget::close);
    connect(tray_, &ReminderTray::openTopic, this, &WindowReminders::openTopic);
    tray_->showInTray();
    refreshTray();
    // The reminders' preferences at the end of the preferences page.
    if (pages::PreferencesPage *page = window_.preferencesPage()) {
        // In a scroll area of its own, so that the page asks for no more height than before
        // and a small window lays out as it did.
        auto *scroll = new QScrollArea(page);
        scroll->setObjectName(QStringLiteral("scrollReminders"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setFocusPolicy(Qt::NoFocus);
        auto *box = new ReminderPreferencesBox(controller_->preferences(), scroll);
        scroll->setWidget(box);
        auto *layout = static_cast<QVBoxLayout *>(page->layout());
        layout->insertWidget(layout->count() - 1, scroll);
        connect(box, &ReminderPreferencesBox::changed, controller_,
                &ReminderController::preferencesChanged);
    }
}

void WindowReminders::tick(bool trayToo)
{
    TNimbusStructure *store = window_.store();
    if (!store)
        return;
    if (!trayToo) {
        controller_->tick(*store, window_.preferences().date);
        return;
    }
    const DateTime now = window_.clock().now();
    reminders::TrayLook look;
    controller_->tick(*store, window_.preferences().date, &look, ReminderTray::kNextReminders);
    tray_->update(look.counts, look.upcoming, now, window_.preferences().date);
}

void WindowReminders::refreshTray()
{
    TNimbusStructure *store = window_.store();
    if (!store)
        return;
    const DateTime now = window_.clock().now();
    const reminders::TrayLook look =
        controller_->engine().look(*store, now, ReminderTray::kNextReminders);
    tray_->update(look.counts, look.upcoming, now, window_.preferences().date);
}

bool WindowReminders::keepsRunningOnClose() const
{
    return controller_->preferences().keepInTray && tray_->reachable();
}

void WindowReminders::hiddenToTray()
{
    // Should the tray go away while the window is hidden (its host ended), the window comes
    // back: nothing else would show that the program still runs.
    if (!trayWatch_) {
        trayWatch_ = new QTimer(this);
        trayWatch_->setInterval(kTrayWatchMsecs);
        connect(trayWatch_, &QTimer::timeout, this, [this] {
            if (window_.isVisible()) {
                trayWatch_->stop();
            } else if (!tray_->reachable()) {
                trayWatch_->stop();
                window_.show();
                window_.raise();
            }
        });
    }
    trayWatch_->start();
}

void WindowReminders::close()
{
    if (TNimbusStructure *store = window_.store()) {
        controller_->leads().forgetMissing(*store);
        controller_->midnights().forgetStale(*store);
    }
    controller_->save();
    tray_->trayIcon()->hide();
}

int WindowReminders::leadOf(const std::string &uni) const
{
    return controller_->leads().leadOf(uni);
}

void WindowReminders::setLead(const std::string &uni, int minutes)
{
    controller_->setLead(uni, minutes);
}

void WindowReminders::openTopic(const QByteArray &uni)
{
    if (window_.closing())
        return;
    if (window_.isMinimized())
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
    TreeController *tree = window_.treeController();
    if (tree && window_.store() && !uni.isEmpty())
        tree->revealTopic(window_.store()->Find(uni.toStdString()));
}

void WindowReminders::completeTopic(const QByteArray &uni, qint64 occurrenceMsecs,
                                    bool occurrenceHasTime)
{
    TreeController *tree = window_.treeController();
    TNimbusNode *node = window_.store() ? window_.store()->Find(uni.toStdString()) : nullptr;
    if (!tree)
        return;
    const reminders::Occurrence named{DateTime::fromMsecs(occurrenceMsecs), occurrenceHasTime};
    switch (reminders::checkCompletion(node, named)) {
    case reminders::CompletionCheck::Complete:
        break;
    case reminders::CompletionCheck::Gone:
        window_.AddToLog("A reminder's topic is no longer there to be marked completed");
        return;
    case reminders::CompletionCheck::AlreadyDone:
        window_.AddToLog("A reminder's topic was completed already: " + node->text);
        return;
    case reminders::CompletionCheck::MovedOn:
        window_.AddToLog("A reminder's topic has moved on from the date it was about; it is left "
                         "as it is: " +
                         node->text);
        return;
    }
    // As the toolbar's "finished" button does it: one step that undo takes back.
    tree->beginEdit(node);
    if (!tree::IsEditableTopic(node) ||
        !tree::ApplyStatus(*node, kStatusCompleted, window_.clock().now()).applied) {
        tree->cancelEdit();
        window_.AddToLog("A reminder's topic could not be marked completed: " + node->text);
        return;
    }
    tree->nodeEdited(node);
    window_.AddToLog("Marked completed from a reminder: " + node->text);
    refreshTray();
}

} // namespace nimbus::reminderui

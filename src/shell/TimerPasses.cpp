// The start step and the deadline pass of the main window.
#include "shell/TimerPasses.h"

#include <QTimer>

#include "shell/MainTreeView.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/caldav/CalendarSyncController.h"
#include "shell/reminders/WindowReminders.h"
#include "shell/software/UpdateController.h"
#include "shell/summary/SummaryPage.h"

namespace nimbus {

void TimerPasses::windowShown()
{
    TformMain &w = window_;
    TreeController *tree = w.treeController();
    if (tree)
        tree->applyPendingScroll();
    // The keys go to the tree when the window opens.
    if (tree && !w.focusWidget())
        tree->treeMain()->setFocus(Qt::ActiveWindowFocusReason);
    if (!w.closing() && !startStepDone_ && !w.timerStart->isActive())
        w.timerStart->start();
}

void TimerPasses::startStep()
{
    TformMain &w = window_;
    startStepDone_ = true;
    for (QTimer *timer :
         {w.timerStart, w.timerSave, w.timerCheckInbox, w.timerTree, w.timerDeadline})
        timer->stop();
    for (QTimer *timer : {w.timerSave, w.timerCheckInbox, w.timerTree, w.timerDeadline})
        timer->start();
    if (w.updateController())
        w.updateController()->RunMonitorPass();
    if (w.calendarSync())
        w.calendarSync()->start();
    // What fell due while the program was closed comes at start-up, not ten seconds later.
    if (w.reminders())
        w.reminders()->tick();
}

void TimerPasses::deadlinePass()
{
    TformMain &w = window_;
    if (!w.summaryPage() || !w.treeController())
        return;
    if (w.reminders())
        w.reminders()->tick(false);
    const DeadlineResult result = w.summaryPage()->timerDeadlineTimer(w.clock());
    w.treeController()->schedulesChanged(result);
    if (w.reminders())
        w.reminders()->refreshTray();
}

} // namespace nimbus

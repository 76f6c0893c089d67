// The steps of closing the main window.
#include "shell/ClosingSequence.h"

#include <QTimer>
#include <exception>

#include "shell/MainLayout.h"
#include "shell/ProgramChannels.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/dialogs/OperationProgressDialog.h"
#include "shell/lan/LanSharing.h"
#include "shell/pages/TopicPage.h"
#include "shell/reminders/WindowReminders.h"
#include "store/SummaryLists.h"
#include "store/TNimbusStructure.h"
#include "viewer/DisplayControl.h"

namespace nimbus {

bool ClosingSequence::mayClose(bool byDesktop)
{
    TformMain &w = window_;
    // Closed by the desktop (the title bar's button) with the tray preference on: the program
    // keeps running in the tray. "Exit" and requests from other programs still close it.
    if (byDesktop && !w.closing_ && w.reminders_ && w.reminders_->keepsRunningOnClose()) {
        w.hide();
        w.reminders_->hiddenToTray();
        return false;
    }
    // Every long operation under way stops at its next safe point. A send or merge holds the
    // store: the close comes back when it has ended.
    for (auto *progress : w.findChildren<dialogs::OperationProgressDialog *>())
        progress->requestCancel();
    return !(w.lan_ && w.lan_->deferClose());
}

void ClosingSequence::run()
{
    if (done_)
        return;
    done_ = true;
    TformMain &w = window_;
    w.closing_ = true;
    w.shutdownFlags_.setApplicationTerminating();
    auto step = [&w](const char *what, auto &&action) {
        try {
            action();
        } catch (const std::exception &e) {
            if (w.log_)
                w.log_->AddToLog(std::string("*** Closing: ") + what + ": " + e.what());
        } catch (...) {
            if (w.log_)
                w.log_->AddToLog(std::string("*** Closing: ") + what);
        }
    };
    step("timers", [&w] {
        for (QTimer *timer : {w.timerStart, w.timerSave, w.timerCheckInbox, w.timerTree,
                              w.timerDeadline, w.timerAddon, w.timerVersionReg, w.timerRichEdit})
            timer->stop();
    });
    step("Destroy DisplayControl", [&w] { w.displayControl_.reset(); });
    // The server thread ends here, before anything is saved: no command comes in meanwhile.
    step("channels", [&w] {
        if (w.channels_)
            w.channels_->stop();
    });
    // A copy that ended during start-up has written nothing and writes nothing now.
    if (w.terminated_ || !w.log_)
        return;
    step("layout", [&w] {
        w.layout_->record(w.screenSetup_, &w);
        if (StoreResult saved = w.screenSetup_.Save(); !saved) {
            w.log_->setErrorDetail(saved.errorText);
            w.AddErrorToLog("*** A problem occurred while saving the window layout: ");
        }
    });
    // The page before the recent lists: saving it moves its topic to the front of the
    // recent changes, which must reach strchanges.dat.
    step("page", [&w] { emit w.saveCurrentPage(); });
    step("recent lists", [&w] {
        if (!w.lists_ || !w.store_)
            return;
        if (StoreResult saved = w.lists_->SaveRecentLists(*w.store_); !saved) {
            w.log_->setErrorDetail(saved.errorText);
            w.AddErrorToLog("*** A problem occurred while saving the recent topic lists: ");
        }
    });
    step("network details", [&w] {
        if (w.lan_)
            w.lan_->saveDetails();
    });
    step("SyncStoreFromTree", [&w] {
        if (w.tree_ && w.store_)
            w.tree_->SyncStoreFromTree();
    });
    step("SaveStore", [&w] { w.SaveStore(); });
    step("reminders", [&w] {
        if (w.reminders_)
            w.reminders_->close();
    });
    // The tree and the lists point into the store: they go first.
    step("store", [&w] {
        if (w.topicPage_)
            w.topicPage_->ShowTopicPage(nullptr);
        w.tree_.reset();
        w.lists_.reset();
        w.store_.reset();
    });
    step("log", [&w] { w.AddToLog(w.paths_.ProductTitle + " closed"); });
}

} // namespace nimbus

// The main window's side of a merge.
#include "shell/lan/MainMergeHost.h"

#include <algorithm>

#include "sharing/EventSound.h"
#include "shell/TformMain.h"
#include "shell/TreeController.h"
#include "shell/lan/EventSoundPlayer.h"

namespace nimbus {

MainMergeHost::MainMergeHost(TformMain &window, std::shared_ptr<EventSoundPlayer> player)
    : window_(window), player_(std::move(player))
{
}

bool MainMergeHost::HasSelectedTopic()
{
    return !window_.closing() && window_.treeController() &&
           window_.treeController()->selectedNode();
}

void MainMergeHost::HoldOffSaves(bool alsoInbox)
{
    PauseTimers(alsoInbox);
    // What the user has is on disk before anything comes in.
    if (!window_.closing())
        window_.SaveAll();
}

void MainMergeHost::PauseTimers(bool alsoInbox)
{
    std::vector<QTimer *> timers{window_.timerSave, window_.timerTree, window_.timerDeadline};
    if (alsoInbox)
        timers.push_back(window_.timerCheckInbox);
    for (QTimer *timer : timers) {
        if (!timer->isActive())
            continue;
        timer->stop();
        held_.emplace_back(timer);
    }
}

void MainMergeHost::SyncStoreFromTree()
{
    if (TreeController *tree = window_.treeController())
        tree->SyncStoreFromTree();
}

void MainMergeHost::BuildTree(const MergeChanges &)
{
    if (TreeController *tree = window_.treeController()) {
        tree->BuildTree();
        tree->markChanged();
    }
}

void MainMergeHost::ResumeSaves(bool alsoInbox)
{
    std::vector<QPointer<QTimer>> keep;
    for (const QPointer<QTimer> &timer : held_) {
        if (!timer)
            continue;
        if (!alsoInbox && timer == window_.timerCheckInbox) {
            keep.push_back(timer);
            continue;
        }
        // A window that closed meanwhile (inside a sound) starts nothing again.
        if (!window_.closing())
            timer->start();
    }
    held_ = std::move(keep);
}

void MainMergeHost::PlayEventSound(EventSound sound)
{
    const std::string file = EventSoundFile(sound);
    if (file.empty() || !player_ || !window_.preferences().sfx || window_.closing())
        return;
    player_->playEventSound(window_.paths().SoundsFolder + file);
}

} // namespace nimbus

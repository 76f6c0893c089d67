// The main window as the inbox and add-on ticks see it: the timers that save or redraw are
// held off during a merge (after the store and the open page are saved), the store is brought
// in line with the tree before and the tree with the store after, and event sounds are played
// when the user wants them.
#pragma once

#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

#include "sharing/MergeHost.h"

namespace nimbus {

class EventSoundPlayer;
class TformMain;

class MainMergeHost : public MergeHost {
public:
    MainMergeHost(TformMain &window, std::shared_ptr<EventSoundPlayer> player);

    bool HasSelectedTopic() override;
    void HoldOffSaves(bool alsoInbox) override;
    // Stops the same timers without saving first (a send, which only reads the store);
    // ResumeSaves starts them again.
    void PauseTimers(bool alsoInbox);
    void SyncStoreFromTree() override;
    void BuildTree(const MergeChanges &changes) override;
    void ResumeSaves(bool alsoInbox) override;
    void PlayEventSound(EventSound sound) override;

private:
    TformMain &window_;
    std::shared_ptr<EventSoundPlayer> player_;
    // The timers a hold stopped, started again when it ends (and only those).
    std::vector<QPointer<QTimer>> held_;
};

} // namespace nimbus

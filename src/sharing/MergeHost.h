// What the inbox and add-on timers need from the main window: holding off the save, tree and
// deadline timers (and saving first), bringing the store's list in line with the tree before a
// merge and the tree in line with the store after it, and playing an event sound.
#pragma once

#include "sharing/EventSound.h"
#include "sharing/MergeChanges.h"

namespace nimbus {

class MergeHost {
public:
    virtual ~MergeHost() = default;
    // Receiving only starts while a tree item is selected.
    virtual bool HasSelectedTopic() = 0;
    // Stops the timers that save or redraw (the add-on tick also the inbox timer), saves the
    // store when it is modified and the details page being edited.
    virtual void HoldOffSaves(bool alsoInbox) = 0;
    // The store's list becomes the tree in pre-order with levels.
    virtual void SyncStoreFromTree() = 0;
    // The tree is rebuilt from the store after a merge that changed it.
    virtual void BuildTree(const MergeChanges &changes) = 0;
    // Starts the timers stopped by HoldOffSaves again.
    virtual void ResumeSaves(bool alsoInbox) = 0;
    virtual void PlayEventSound(EventSound sound) = 0;
};

} // namespace nimbus

// The id lists start-up creates beside the topic store: the summary's seven group lists and
// the recent-change and recent-new lists, which are kept on disk.
#pragma once

#include <array>
#include <string>

#include "store/TNimbusStructure.h"

namespace nimbus {

struct TopicLists {
    static constexpr int kRecentLimit = 50;

    TopicLists();

    // Deadlines, urgent, overdue, in progress, waiting, events, favourites; sorted by key.
    std::array<TNimbusStructure, 7> groups;
    TNimbusStructure recentChanges{TNimbusStructure::Role::IdList}; // "strchanges.dat"
    TNimbusStructure recentNew{TNimbusStructure::Role::IdList};     // "strnew.dat"

    void SetDataFolder(const std::string &dataFolder);
    void ClearGroups();
    // Loads each recent list that exists and binds it to the store (at most 50 entries).
    void LoadRecent(const TNimbusStructure &store);
    // Saves each recent list that was modified, after binding it to the store again. The
    // first failure is returned; both lists are attempted.
    StoreResult SaveRecent(const TNimbusStructure &store);
    // A topic the user made or received goes to the front of the recent-new list.
    void AddNew(TNimbusNode &node);
};

} // namespace nimbus

// Fingerprints of the server's entries as the snapshot's topics are fingerprinted, so that an
// entry and a topic compare by what a topic holds of them.
#pragma once

#include <string>

#include "caldav/LocalSnapshot.h"
#include "caldav/SyncState.h"

namespace nimbus::caldav {

class EntryFingerprints {
public:
    explicit EntryFingerprints(const LocalSnapshot &snapshot) : snapshot_(snapshot) {}

    // The server's text counts where pages travel, except beside a topic whose page stays
    // out of the sync.
    const std::string &pageOf(const calendar::CalendarTopic &t, const LocalTopic *local) const;

    std::string hashOf(const calendar::CalendarTopic &t, const LocalTopic *local = nullptr) const;

    // The fingerprint of the server's topic as a sync would have stored it here: an entry
    // without CREATED got its creation stamp here.
    std::string settledHashOf(const calendar::CalendarTopic &t, const LocalTopic &local) const;

    // The server's topic is the one last synced (only what a topic does not hold may differ).
    bool readsAsSynced(const calendar::CalendarTopic &t, const SyncEntry &entry,
                       const LocalTopic *local) const;

    // Two entries' texts say the same of the topic.
    bool readsAlike(const std::string &a, const std::string &b, const LocalTopic *local) const;

private:
    const LocalSnapshot &snapshot_;
};

} // namespace nimbus::caldav

// Fingerprints of the server's entries; see EntryFingerprints.h.
#include "caldav/EntryFingerprints.h"

#include "caldav/EntryText.h"

namespace nimbus::caldav {

const std::string &EntryFingerprints::pageOf(const calendar::CalendarTopic &t,
                                             const LocalTopic *local) const
{
    static const std::string none;
    return snapshot_.withPages && (local == nullptr || local->pageTravels) ? t.detailsText : none;
}

std::string EntryFingerprints::hashOf(const calendar::CalendarTopic &t,
                                      const LocalTopic *local) const
{
    return topicFingerprint(t.node, t.parentUid, pageOf(t, local));
}

std::string EntryFingerprints::settledHashOf(const calendar::CalendarTopic &t,
                                             const LocalTopic &local) const
{
    TNimbusNode node{""};
    node.AssignNode(t.node);
    node.richRule = t.node.richRule;
    if (node.cre.empty())
        node.cre = local.topic.node.cre;
    return topicFingerprint(node, t.parentUid, pageOf(t, &local));
}

bool EntryFingerprints::readsAsSynced(const calendar::CalendarTopic &t, const SyncEntry &entry,
                                      const LocalTopic *local) const
{
    if (entry.hash.empty())
        return false;
    return hashOf(t, local) == entry.hash ||
           (local != nullptr && settledHashOf(t, *local) == entry.hash);
}

bool EntryFingerprints::readsAlike(const std::string &a, const std::string &b,
                                   const LocalTopic *local) const
{
    calendar::CalendarTopic ta, tb;
    std::string why;
    return readEntry(a, ta, why) && readEntry(b, tb, why) && hashOf(ta, local) == hashOf(tb, local);
}

} // namespace nimbus::caldav

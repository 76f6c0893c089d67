// Changes held here on a read-only calendar; see HeldChanges.h.
#include "caldav/HeldChanges.h"

namespace nimbus::caldav {

bool HeldChanges::heldAsIs(const std::string &uni, const std::string &hash) const
{
    if (!result_.state.readOnly)
        return false;
    const auto it = result_.state.heldBack.find(uni);
    return it != result_.state.heldBack.end() && it->second == hash;
}

// A server that does not say leaves the calendar as it was last known; one that refuses a
// write is handled at that write.
void HeldChanges::notePrivileges(const CollectionMark &mark)
{
    SyncState &state = result_.state;
    if (!mark.writable)
        return;
    const bool readOnly = !*mark.writable;
    if (readOnly && !state.readOnly)
        result_.log.push_back(
            "Calendar sync: the server does not let this user change the calendar " +
            options_.calendarUrl +
            "; it is synced from the server only, and changes made here stay here.");
    else if (!readOnly && state.readOnly)
        result_.log.push_back("Calendar sync: the calendar " + options_.calendarUrl +
                              " may be changed again; the changes kept here are sent.");
    state.readOnly = readOnly;
    if (!readOnly)
        state.heldBack.clear();
}

bool HeldChanges::heldHere(const std::string &uni, const std::string &hash, const std::string &what)
{
    SyncState &state = result_.state;
    if (!state.readOnly)
        return false;
    const auto told = state.heldBack.find(uni);
    if (told == state.heldBack.end() || told->second != hash) {
        if (++heldTold_ <= kHeldLines)
            result_.log.push_back(
                "Calendar sync: " + what + ", but the calendar is read-only on the server: " +
                (hash == kHeldRemoval ? "the entry stays there." : "the change stays here only."));
        state.heldBack[uni] = hash;
    }
    ++result_.counts.heldHere;
    return true;
}

void HeldChanges::tellTheRest()
{
    if (heldTold_ > kHeldLines)
        result_.log.push_back("Calendar sync: and " + std::to_string(heldTold_ - kHeldLines) +
                              " more changes made here stay here, since the calendar is "
                              "read-only on the server.");
}

} // namespace nimbus::caldav

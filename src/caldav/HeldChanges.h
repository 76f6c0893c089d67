// Changes made here to a calendar the server lets this user only read: nothing is sent, each
// change stays here and is told once (the state's "held" lines), and all of them go out as
// soon as the server lets the calendar be written again.
#pragma once

#include <string>

#include "caldav/CalDavClient.h"
#include "caldav/SyncEngine.h"

namespace nimbus::caldav {

class HeldChanges {
public:
    HeldChanges(ExchangeResult &result, const SyncOptions &options)
        : result_(result), options_(options)
    {
    }

    // The hash a removal here is held under.
    static constexpr const char *kHeldRemoval = "-";

    // What the server said of this user's privileges on the calendar.
    void notePrivileges(const CollectionMark &mark);
    // On a read-only calendar nothing is sent: the change stays here, told once.
    // what: the change as the log tells it ("\"Call Anna\" was changed here").
    bool heldHere(const std::string &uni, const std::string &hash, const std::string &what);
    // The topic is held here as it is (hash: its fingerprint, or kHeldRemoval).
    bool heldAsIs(const std::string &uni, const std::string &hash) const;
    // One line for the changes held back beyond those told one by one.
    void tellTheRest();

private:
    ExchangeResult &result_;
    const SyncOptions &options_;
    // Changes held back told one by one in a sync; the rest in one line.
    static constexpr int kHeldLines = 20;
    int heldTold_ = 0;
};

} // namespace nimbus::caldav

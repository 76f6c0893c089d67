// The decision for one entry, for every pair of what happened on each side, without a server.
// The table is the one docs/architecture.md shows; a change to a rule shows up here first.
#include <gtest/gtest.h>

#include "caldav/SyncDecision.h"

namespace nimbus::caldav {
namespace {

using A = SyncAction;
using L = LocalSide;
using S = ServerSide;

TEST(SyncDecision, EveryPairOfSidesHasItsAction)
{
    struct Row {
        L local;
        S server;
        A action;
    };
    // Both sides holding a version the other has not seen are decided by content below.
    const Row table[] = {
        {L::Same, S::Same, A::Nothing},
        {L::Changed, S::Same, A::Send},
        {L::Gone, S::Same, A::DeleteThere},
        {L::New, S::Same, A::SendNew},
        {L::Same, S::Changed, A::TakeTheirs},
        {L::Gone, S::Changed, A::AddHere},
        {L::Same, S::Gone, A::RemoveHere},
        {L::Changed, S::Gone, A::SendAgain},
        {L::Gone, S::Gone, A::Forget},
        {L::New, S::Gone, A::SendNew},
        {L::Gone, S::New, A::AddHere},
        // A listing cut short says nothing of an entry it left out: never a removal, and
        // the conditional writes find out about a change there.
        {L::Same, S::NotListed, A::Nothing},
        {L::Changed, S::NotListed, A::Send},
        {L::Gone, S::NotListed, A::DeleteThere},
        {L::New, S::NotListed, A::SendNew},
    };
    for (const Row &row : table) {
        SCOPED_TRACE(::testing::Message() << "local " << static_cast<int>(row.local) << ", server "
                                          << static_cast<int>(row.server));
        EXPECT_EQ(decide({row.local, row.server}), row.action);
    }
}

TEST(SyncDecision, BothSidesHoldingAVersionAreDecidedByWhatTheServersReads)
{
    for (const L local : {L::Changed, L::New}) {
        for (const S server : {S::Changed, S::New}) {
            EXPECT_EQ(decide({local, server, true, false}), A::Settle);
            EXPECT_EQ(decide({local, server, false, false}), A::KeepBoth);
        }
        EXPECT_EQ(decide({local, S::Changed, false, true}), A::SendOverTheirs);
    }
    // Only a change beyond the topic on a new entry is still a conflict: nothing was synced
    // to compare it with.
    EXPECT_EQ(decide({L::New, S::New, false, true}), A::KeepBoth);
    // Never removed here while the server's version differs from what was synced.
    for (const S server : {S::Same, S::Changed, S::New, S::NotListed})
        for (const L local : {L::Same, L::Changed, L::New})
            for (const bool same : {false, true})
                EXPECT_NE(decide({local, server, same, false}), A::RemoveHere);
}

} // namespace
} // namespace nimbus::caldav

// The decision table; see SyncDecision.h.
#include "caldav/SyncDecision.h"

namespace nimbus::caldav {

namespace {

// Both sides hold a version the other has not seen.
SyncAction bothHold(const EntryFacts &f)
{
    if (f.sameContent)
        return SyncAction::Settle;
    if (f.onlyBeyondTopic)
        return SyncAction::SendOverTheirs;
    return SyncAction::KeepBoth;
}

} // namespace

SyncAction decide(const EntryFacts &f)
{
    switch (f.server) {
    case ServerSide::Same:
    case ServerSide::NotListed: // a listing cut short is never read as a removal; writes are
                                // conditional, so a change there still comes to light
        switch (f.local) {
        case LocalSide::Same:
            return SyncAction::Nothing;
        case LocalSide::Changed:
            return SyncAction::Send;
        case LocalSide::Gone:
            return SyncAction::DeleteThere; // conditional: a change there stops it
        case LocalSide::New:
            return SyncAction::SendNew;
        }
        break;
    case ServerSide::Changed:
        switch (f.local) {
        case LocalSide::Same:
            return SyncAction::TakeTheirs;
        case LocalSide::Changed:
        case LocalSide::New:
            return bothHold(f);
        case LocalSide::Gone:
            return SyncAction::AddHere; // removed here, changed there
        }
        break;
    case ServerSide::Gone:
        switch (f.local) {
        case LocalSide::Same:
            return SyncAction::RemoveHere;
        case LocalSide::Changed:
            return SyncAction::SendAgain;
        case LocalSide::Gone:
            return SyncAction::Forget;
        case LocalSide::New:
            return SyncAction::SendNew;
        }
        break;
    case ServerSide::New:
        switch (f.local) {
        case LocalSide::Gone:
            return SyncAction::AddHere;
        case LocalSide::Same:
        case LocalSide::Changed:
        case LocalSide::New:
            return f.sameContent ? SyncAction::Settle : SyncAction::KeepBoth;
        }
        break;
    }
    return SyncAction::Nothing;
}

} // namespace nimbus::caldav

// What a sync does with one entry, decided from what happened to it on each side since the
// last sync, as one pure function: the exchange gathers the facts (listing, fetch, snapshot)
// and carries the action out. See the table in docs/architecture.md.
#pragma once

namespace nimbus::caldav {

// The topic here, against what was last synced.
enum class LocalSide {
    Same,    // as synced
    Changed, // edited since
    Gone,    // removed since (or, for an entry new on the server, no topic has its UID)
    New,     // never synced (or synced before the state was lost: a topic with its UID)
};

// The entry on the server, against the ETag last synced.
enum class ServerSide {
    Same,      // listed with the ETag we know
    Changed,   // listed with another ETag, and read
    Gone,      // removed (not in a complete listing, or reported removed); or, for a topic
               // new here, no entry has its UID
    New,       // an entry we never synced
    NotListed, // not mentioned by a listing that the server cut short: nothing is known
};

struct EntryFacts {
    LocalSide local = LocalSide::Same;
    ServerSide server = ServerSide::Same;
    // When both sides hold a version: the server's reads as the topic here.
    bool sameContent = false;
    // When both changed: the server changed only what a topic does not hold (an instance,
    // people, a place), so the change here is the only change of the topic.
    bool onlyBeyondTopic = false;
};

enum class SyncAction {
    Nothing,        // both as synced
    Send,           // ours over the server's version we know (If-Match)
    SendOverTheirs, // ours over their newer version, keeping its other parts (If-Match)
    SendAgain,      // removed there, changed here: the change stays, sent as new
    SendNew,        // a topic new here (If-None-Match: *)
    DeleteThere,    // removed here, unchanged there (If-Match)
    TakeTheirs,     // their version replaces the topic
    AddHere,        // a new topic from their version
    RemoveHere,     // removed there, unchanged here
    Forget,         // removed on both sides: only the state forgets it
    Settle,         // the same on both sides: remembered as synced, nothing travels
    KeepBoth,       // changed on both sides: ours is sent, theirs kept beside it here
};

SyncAction decide(const EntryFacts &facts);

} // namespace nimbus::caldav

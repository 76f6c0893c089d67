// The server's entries that the state does not know, bound to the topics they came from
// where there are such: a topic with the entry's UID was synced before the state was lost or
// by a sync cut short, and is bound (when both say the same) or kept beside the entry (when
// they differ). A sync without any state also binds an entry to a topic that says exactly
// the same (ContentMatch), under the server's UID. Every other entry is a new topic here. So
// a sync cut short anywhere is finished by the next without duplicates.
#pragma once

#include "caldav/EntryFetch.h"
#include "caldav/EntryWriter.h"
#include "caldav/ExchangeContext.h"

namespace nimbus::caldav {

class StateRepair {
public:
    StateRepair(ExchangeContext &context, FetchedEntries &fetched, EntryWriter &writer)
        : context_(context), result_(context.result), snapshot_(context.snapshot),
          prints_(context.prints), fetched_(fetched), writer_(writer)
    {
    }

    // stateless: no entry was known when the sync began.
    void decideNewRemote(bool stateless);

private:
    ExchangeContext &context_;
    ExchangeResult &result_;
    const LocalSnapshot &snapshot_;
    const EntryFingerprints &prints_;
    FetchedEntries &fetched_;
    EntryWriter &writer_;
};

} // namespace nimbus::caldav

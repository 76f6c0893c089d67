// The entries the last sync left in the state, each decided (SyncDecision) from what
// happened to it here and on the server, and the decision carried out: a send or a delete
// there through the EntryWriter, a change for the store here, or the state alone.
#pragma once

#include <string>

#include "caldav/EntryFetch.h"
#include "caldav/EntryWriter.h"
#include "caldav/ExchangeContext.h"
#include "caldav/ServerListing.h"

namespace nimbus::caldav {

class KnownEntries {
public:
    KnownEntries(ExchangeContext &context, const ServerListing &listed, FetchedEntries &fetched,
                 EntryWriter &writer)
        : context_(context), result_(context.result), prints_(context.prints), listed_(listed),
          fetched_(fetched), writer_(writer)
    {
    }

    // Adds the topics bound to the entries to the context's boundUnis.
    void decideKnown();

private:
    ExchangeContext &context_;
    ExchangeResult &result_;
    const EntryFingerprints &prints_;
    const ServerListing &listed_;
    FetchedEntries &fetched_;
    EntryWriter &writer_;

    bool carryOut(SyncAction action, const std::string &uid, SyncEntry &entry,
                  const LocalTopic *local);
};

} // namespace nimbus::caldav

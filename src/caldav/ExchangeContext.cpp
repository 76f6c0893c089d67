// The shared part of an exchange; see ExchangeContext.h.
#include "caldav/ExchangeContext.h"

#include <algorithm>

namespace nimbus::caldav {

namespace {

std::string conflictNote(const std::string &title)
{
    return "Calendar sync: \"" + title +
           "\" was changed here and on the server; the server's version is kept beside it as "
           "\"Conflict: " +
           title + "\".";
}

} // namespace

ExchangeContext::ExchangeContext(CalDavClient &client, const SyncOptions &options,
                                 const LocalSnapshot &snapshot, const SyncState &state)
    : client(client), options(options), snapshot(snapshot), prints(snapshot)
{
    result.state = state;
    UrlParts parts;
    splitUrl(options.calendarUrl, parts);
    base = originOf(parts);
    calendarPath = normalPath(parts.path);
    if (calendarPath.empty() || calendarPath.back() != '/')
        calendarPath += '/';
}

const LocalTopic *ExchangeContext::localOf(const std::string &uni) const
{
    const auto it = snapshot.byUni.find(uni);
    return it == snapshot.byUni.end() ? nullptr : &snapshot.topics[it->second];
}

bool ExchangeContext::stopped()
{
    if (options.stop != nullptr && options.stop->load()) {
        if (result.error.empty())
            result.error = "Calendar sync was stopped.";
        return true;
    }
    return !result.error.empty();
}

void ExchangeContext::step(const std::string &text)
{
    ++done;
    if (options.progress)
        options.progress(done, std::max(total, done), text);
}

void ExchangeContext::addChange(LocalChange::Kind kind, const std::string &uni,
                                const std::string &expected, calendar::CalendarTopic remote)
{
    LocalChange change;
    change.kind = kind;
    change.uni = uni;
    change.expectedHash = expected;
    change.remoteHash = prints.hashOf(remote);
    change.remote = std::move(remote);
    if (kind == LocalChange::Conflict) {
        ++result.counts.conflicts;
        result.log.push_back(conflictNote(change.remote.node.text));
    }
    result.changes.push_back(std::move(change));
}

} // namespace nimbus::caldav

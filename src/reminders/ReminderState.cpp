// Reading and writing the reminder state.
#include "reminders/ReminderState.h"

#include <map>

#include "reminders/PairLines.h"
#include "reminders/ReminderTrigger.h"
#include "store/DateDigits.h"
#include "store/DateFormat.h"
#include "store/LimitedComplaints.h"
#include "store/StoreLog.h"

namespace nimbus::reminders {

bool keyInstant(std::string_view key, DateTime &at)
{
    ReminderKind kind;
    return key.size() > 17 && kindFromCode(key[0], kind) && key[16] == '|' &&
           dates::parseStamp(key.substr(1, 15), at);
}

std::string_view keyTopic(std::string_view key)
{
    return key.size() > 17 ? key.substr(17) : std::string_view();
}

void ReminderState::markShown(const std::string &key)
{
    ReminderRecord &record = records[key];
    record.snoozedUntil.reset();
    modified = true;
}

bool ReminderState::Load(StoreLog &log)
{
    PairLines lines;
    watermark.reset();
    remindFrom.reset();
    records.clear();
    unreadable_.clear();
    readFailed_ = !readPairLines(fileName_, lines, log);
    if (readFailed_)
        return false;
    LimitedComplaints complaints(log, "*** " + std::string(kFileName) + ": ");
    for (const auto &[name, value] : lines.pairs) {
        DateTime at;
        if (name == "watermark" && dates::parseStamp(value, at)) {
            watermark = at;
            continue;
        }
        if (name == "from" && dates::parseStamp(value, at)) {
            remindFrom = at;
            continue;
        }
        if ((name == "shown" || name == "dismissed") && keyInstant(value, at)) {
            records[value].dismissed = name == "dismissed";
            continue;
        }
        DateTime until;
        if (name == "snoozed" && value.size() > 16 && value[15] == '|' &&
            dates::parseStamp(std::string_view(value).substr(0, 15), until) &&
            keyInstant(std::string_view(value).substr(16), at)) {
            records[value.substr(16)].snoozedUntil = until;
            continue;
        }
        const std::string line = name.empty() ? value : name + "=" + value;
        complaints.add("*** " + std::string(kFileName) + ": the line \"" + line +
                       "\" could not be read; it is kept as it is");
        unreadable_.push_back(line);
    }
    // A file without its watermark (cut short) still holds every reminder it lists; the next
    // pass starts from the latest of them rather than showing older ones again.
    if (!watermark && lines.existed) {
        DateTime latest;
        bool any = false;
        for (const auto &[key, record] : records) {
            DateTime at;
            if (keyInstant(key, at) && (!any || at > latest)) {
                latest = at;
                any = true;
            }
        }
        if (any)
            watermark = latest;
    }
    if (!remindFrom)
        remindFrom = watermark;
    modified = false;
    return true;
}

bool ReminderState::Save(StoreLog &log)
{
    if (readFailed_) {
        log.AddToLog("*** " + std::string(kFileName) + " is not written: it could not be read at start-up");
        return false;
    }
    if (watermark) {
        const DateTime oldest = watermark->addDays(-kKeepDays);
        std::erase_if(records, [&oldest](const auto &entry) {
            DateTime at;
            return !entry.second.snoozedUntil && keyInstant(entry.first, at) && at < oldest;
        });
    }
    // Sorted by key, so that the same state always gives the same bytes.
    std::map<std::string_view, const ReminderRecord *> sorted;
    for (const auto &[key, record] : records)
        sorted.emplace(key, &record);
    std::string bytes;
    if (watermark)
        appendPair(bytes, "watermark", dates::stamp(*watermark));
    if (remindFrom)
        appendPair(bytes, "from", dates::stamp(*remindFrom));
    for (const auto &[key, record] : sorted) {
        if (record->snoozedUntil)
            appendPair(bytes, "snoozed", dates::stamp(*record->snoozedUntil) + "|" + std::string(key));
        else
            appendPair(bytes, record->dismissed ? "dismissed" : "shown", key);
    }
    for (const std::string &line : unreadable_)
        appendPair(bytes, "", line);
    if (!writeAtomically(fileName_, bytes, log))
        return false;
    modified = false;
    return true;
}

} // namespace nimbus::reminders
